// The file selector on a private X server, over a temporary folder: opening it, reading
// what it lists and shows, running it modally while scripted steps type into it, and
// answering the prompts it opens.
#pragma once

#include "tests/support/temp_folder.h"
#include "tests/support/x11/input_window.h"
#include "tests/widgets/gui/prompt_script.h"

#include "filesel/dialog/file_sel.h"
#include "widgets/prompt/prompt.h"
#include "widgets/prompt/text_input.h"

#include <X11/keysym.h>

#include <string>
#include <vector>

namespace QorTest {

using TextInputDialog = Qor::WithEditStringLayout<Qor::TopWindow>;

class SelectorTest : public PrivateDisplayTest {
protected:
    TempFolder dir{ "qor_filesel" };

    Qor::String Folder() const { return dir.Path().c_str(); }
    Qor::String PathOf(const char* name) const { return dir.Path(name).c_str(); }
    void MakeFile(const char* name, int size = 0) const;
    void MakeFolder(const char* name) const;
    bool Exists(const char* name) const;
};

// The names the list shows, in order.
std::vector<std::string> ListedNames(const Qor::FileSel& fs);
// The name under the list's cursor; empty without a cursor.
std::string CursorName(const Qor::FileSel& fs);
// The index of the entry of that name; -1 when not listed.
int FindListed(const Qor::FileSel& fs, const char* name);
// A label's text as it is shown.
std::string Shown(const Qor::Label& l);

// Points in the selector's host window: the centre of list entry i, of a control.
Qor::Point EntryPoint(const Qor::FileSel& fs, int i);
Qor::Point CtrlPoint(const Qor::FileSel& fs, const Qor::Ctrl& c);

// Lists folder and opens the selector as an input window with the pointer inside it (the
// focus follows the pointer without a window manager).
bool OpenSelector(Qor::FileSel& fs, const Qor::String& folder);

// Runs the selector modally; step runs once it is exposed (with the pointer moved into it).
// A run that has not ended within limit_ms (a prompt nobody answers, say) fails the test
// and is ended with code -1.
int RunSelector(Qor::FileSel& fs, std::function<void(Qor::FileSel&)> step, int limit_ms = 30000);

// What a prompt showed, and the answer given.
struct PromptSeen {
    bool ran = false;
    std::string text;
};

// Answers the next prompt with the button of that label ("OK", "Cancel"), recording its
// text. Keep it alive until the prompt has been answered.
class PromptAnswer {
public:
    PromptAnswer(PromptSeen& seen, const char* button);

private:
    DialogScript<Qor::PromptDlgWnd__> script;
};

} // namespace QorTest
