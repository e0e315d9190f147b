// Pasting into the edit field from large and from hostile clipboard owners on a real X
// server: a large text arrives whole and the program lives; an owner that never answers,
// one that stalls its INCR transfer and one that streams without end hold the window for a
// bounded time only, and what was typed before stays.
#include "tests/support/x11/input_window.h"
#include "tests/x11/clip/peer_process.h"

#include "ctrl/clip/clipboard.h"
#include "draw/look/sys_colors.h"
#include "draw/target/draw.h"
#include "foundation/charset.h"
#include "foundation/process.h"
#include "widgets/edit/edit_field.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <iostream>
#include <optional>
#include <sstream>

namespace {

using namespace Qor;
using namespace QorTest;

class Form : public Ctrl {
public:
    EditField field;

    Form()
    {
        AppendChild(field);
        field.SetRect(10, 10, 200, 24);
        field.SetEditable();
    }
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), SysColorFace()); }
};

enum Gesture { CTRL_V, SHIFT_INSERT, MIDDLE_CLICK };

const char* GestureName(Gesture g)
{
    return g == CTRL_V ? "Ctrl+V" : g == SHIFT_INSERT ? "Shift+Insert" : "middle click";
}

class EditPasteTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
        ASSERT_EQ(access("/usr/bin/xclip", X_OK), 0) << "xclip is missing: run tools/install-deps.sh";
    }
    void TearDown() override
    {
        window.reset();
        ClearClipboard();
        DropPrimarySelection();
        PrivateDisplayTest::TearDown();
    }
    // Opens the form and types text into its field.
    std::string Text() { return EncodeUtf8(form.field.GetText()).Begin(); }
    void OpenAndType(const char* text)
    {
        window.emplace(form, Rect(Point(40, 40), Size(300, 100)));
        ASSERT_TRUE(window->IsOpen());
        Click(window->GetWindow(), Point(15, 20));
        ASSERT_TRUE(PumpUntil([&] { return form.field.HasFocus(); }));
        TypeText(text);
        ASSERT_TRUE(PumpUntil([&] { return Text() == text; }));
    }
    void Paste(Gesture g)
    {
        if(g == CTRL_V)
            TypeKey(XK_v, { XK_Control_L });
        else if(g == SHIFT_INSERT)
            TypeKey(XK_Insert, { XK_Shift_L });
        else // right of the text, so that the cursor stays at its end
            Click(window->GetWindow(), Point(200, 20), 2);
    }

    Form form;
    std::optional<OpenInput> window;
};

// A single line of n bytes with some two-byte characters, so that decoding is checked too.
std::string LargeText(int n)
{
    std::string s;
    s.reserve(n);
    while((int)s.size() + 40 <= n)
        s += "the quick brown fox jumps \xC3\xA9 over 0123";
    s.append(n - s.size(), 'z');
    return s;
}

TEST_F(EditPasteTest, LargeTextFromXclipArrivesWhole)
{
    OpenAndType("ab");
    TypeKey(XK_Left);
    for(int mb : { 5, 50 }) {
        std::string text = LargeText(mb << 20);
        PeerProcess xclip;
        ASSERT_TRUE(xclip.Start({ "/usr/bin/xclip", "-i", "-quiet", "-selection", "clipboard" }, text));
        ASSERT_TRUE(WaitForForeignOwner("CLIPBOARD"));
        WString want = DecodeUtf8(String(("a" + text + "b").c_str()));
        uint32 start = MonotonicMs();
        Paste(CTRL_V);
        bool arrived = PumpUntil([&] { return form.field.GetLength() == want.GetLength(); }, 180000);
        uint32 took = MonotonicMs() - start;
        ASSERT_TRUE(arrived) << mb << " MB: the field holds " << form.field.GetLength() << " characters";
        EXPECT_TRUE(form.field.GetText() == want) << mb << " MB";
        EXPECT_EQ(form.field.GetCursor(), want.GetLength() - 1);
        std::cout << "[ PASTE    ] " << mb << " MB from xclip in " << took << " ms" << std::endl;
        RecordProperty("paste_" + std::to_string(mb) + "mb_ms", (int)took);
        // The program still answers keys after the paste; the next round starts over.
        TypeKey(XK_Home);
        TypeKey(XK_Delete);
        ASSERT_TRUE(PumpUntil([&] { return form.field.GetText()[0] == text[0]; }, 30000));
        form.field.SetText(WString("ab"));
        form.field.SetSelection(1, 1);
    }
}

struct HostileCase {
    const char* mode;
    const char* selection;
    Gesture gesture;
    int answer_within_ms;              // the window takes the next key within this time
    std::vector<std::string> requests; // what the owner is asked, once each
};

TEST_F(EditPasteTest, HostileOwnerHoldsTheWindowBriefly)
{
    const HostileCase cases[] = {
        { "silent", "CLIPBOARD", CTRL_V, 500, { "TARGETS" } },
        { "silent", "CLIPBOARD", SHIFT_INSERT, 500, { "TARGETS" } },
        { "silent", "PRIMARY", MIDDLE_CLICK, 500, { "TARGETS" } },
        { "stall", "CLIPBOARD", CTRL_V, 4500, { "TARGETS", "UTF8_STRING" } },
        { "endless", "CLIPBOARD", CTRL_V, 10500, { "TARGETS", "UTF8_STRING" } },
    };
    OpenAndType("kept");
    for(const HostileCase& c : cases) {
        std::string name = std::string(c.mode) + " owner, " + GestureName(c.gesture);
        PeerProcess owner;
        ASSERT_TRUE(owner.Start(
            { "/usr/bin/python3", TestSourcePath("tests/x11/clip/selection_peer.py"), c.mode, c.selection }));
        ASSERT_TRUE(WaitForForeignOwner(c.selection)) << name;
        uint32 start = MonotonicMs();
        Paste(c.gesture);
        TypeText("x");
        bool answered = PumpUntil([&] { return Text() == "keptx"; }, 30000);
        uint32 took = MonotonicMs() - start;
        EXPECT_TRUE(answered) << name << ": the field holds \"" << Text() << "\"";
        EXPECT_LT(took, (uint32)c.answer_within_ms) << name;
        std::cout << "[ PASTE    ] " << name << ": the next key was taken after " << took << " ms" << std::endl;
        // Key releases and the like must not ask the owner again.
        PumpFor(300);
        std::vector<std::string> asked;
        std::istringstream lines(owner.Output());
        for(std::string line; std::getline(lines, line);)
            if(line.rfind("request ", 0) == 0)
                asked.push_back(line.substr(8));
        EXPECT_EQ(asked, c.requests) << name;
        TypeKey(XK_BackSpace);
        ASSERT_TRUE(PumpUntil([&] { return Text() == "kept"; })) << name;
    }
}

} // namespace
