// The file selector fixture.
#include "tests/filesel/gui/selector_fixture.h"

#include "ctrl/timer/timer.h"
#include "foundation/callback_action.h"
#include "widgets/button/button.h"
#include "widgets/richview/rich_text_view.h"

#include "tests/support/lambda_callback.h"

#include <fstream>
#include <sys/stat.h>

namespace QorTest {

using namespace Qor;

void SelectorTest::MakeFile(const char* name, int size) const
{
    std::ofstream out(dir.Path(name));
    out << std::string((size_t)size, 'x');
    ASSERT_TRUE(out.good()) << name;
}

void SelectorTest::MakeFolder(const char* name) const { ASSERT_EQ(mkdir(dir.Path(name).c_str(), 0755), 0) << name; }

bool SelectorTest::Exists(const char* name) const
{
    struct stat s;
    return lstat(dir.Path(name).c_str(), &s) == 0;
}

std::vector<std::string> ListedNames(const FileSel& fs)
{
    std::vector<std::string> names;
    for(int i = 0; i < fs.list.GetCount(); i++)
        names.push_back(fs.list.GetFile(i).name.Begin());
    return names;
}

std::string CursorName(const FileSel& fs)
{
    int c = fs.list.GetCursor();
    return c >= 0 ? fs.list.GetFile(c).name.Begin() : "";
}

int FindListed(const FileSel& fs, const char* name)
{
    for(int i = 0; i < fs.list.GetCount(); i++)
        if(fs.list.GetFile(i).name == name)
            return i;
    return -1;
}

std::string Shown(const Label& l) { return l.GetText().Begin(); }

namespace {

// A point on the screen in the host window of top.
Point InWindow(Point screen, const Ctrl& top)
{
    Rect r = top.GetRectOnScreen();
    return Point(screen.x - r.left, screen.y - r.top);
}

} // namespace

Point EntryPoint(const FileSel& fs, int i)
{
    Rect view = fs.list.GetViewRectOnScreen();
    Point p = fs.list.GetItemRect(i).CenterPoint();
    return InWindow(Point(p.x + view.left, p.y + view.top), fs);
}

Point CtrlPoint(const FileSel& fs, const Ctrl& c) { return InWindow(c.GetRectOnScreen().CenterPoint(), fs); }

bool OpenSelector(FileSel& fs, const String& folder)
{
    fs.SetFolder(folder);
    if(!OpenInputWindow(fs, Rect(0, 0, 800, 520)))
        return false;
    MovePointer(GetHostWindow(fs), Point(400, 10));
    PumpFor(20);
    return true;
}

namespace {

struct RunGuard {
    FileSel* fs;
    bool fired = false;
};

// Ends the innermost loop (a prompt the test did not expect) and then the selector's,
// again and again until the run is over.
void EndStuckRun(RunGuard* g)
{
    g->fired = true;
    Ctrl* loop = LoopCtrl();
    if(loop && loop != g->fs)
        loop->EndLoop(0);
    else
        g->fs->Break(-1);
    ScheduleTimer(200, MakeCallbackArg(&EndStuckRun, g), g);
}

} // namespace

int RunSelector(FileSel& fs, std::function<void(FileSel&)> step, int limit_ms)
{
    RunGuard guard{ &fs };
    ScheduleTimer(limit_ms, MakeCallbackArg(&EndStuckRun, &guard), &guard);
    DialogScript<FileSel> script([&](FileSel& d) {
        MovePointer(GetHostWindow(d), Point(400, 10));
        PumpFor(10);
        step(d);
    });
    int code = fs.RunLoop();
    CancelTimers(&guard);
    EXPECT_TRUE(script.Ran()) << "the selector never opened";
    EXPECT_FALSE(guard.fired) << "the selector's run did not end";
    fs.Close();
    return code;
}

PromptAnswer::PromptAnswer(PromptSeen& seen, const char* button)
    : script([&seen, button](PromptDlgWnd__& d) {
          seen.ran = true;
          Button* answer = nullptr;
          for(Ctrl* c = d.GetFirstChild(); c; c = c->GetNext()) {
              if(auto* b = dynamic_cast<Button*>(c); b && b->GetLabel() == button)
                  answer = b;
              else if(auto* t = dynamic_cast<RichTextCtrl*>(c))
                  seen.text = String(t->GetText().GetPlainText()).Begin();
          }
          if(answer)
              Click(GetHostWindow(d), InWindow(answer->GetRectOnScreen().CenterPoint(), d));
          else
              ADD_FAILURE() << "the prompt has no button " << button;
      })
{}

} // namespace QorTest
