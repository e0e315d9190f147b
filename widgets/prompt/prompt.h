// Message prompts: small modal dialogs built on the fly from an icon, a Qtf text and one
// or two buttons, sized from the standard font and the text itself.
#pragma once

#include "ctrl/topwindow/top_window.h"
#include "draw/image/image.h"
#include "foundation/callback.h"
#include "foundation/values/value.h"

namespace Qor {

class Button;

// The prompt's window: a plain letter presses the button whose access key it is, and Esc
// presses the single button of a one-button prompt.
class PromptDlgWnd__ : public TopWindow {
public:
    ~PromptDlgWnd__() override;

    bool AccessKeyPressed(dword key) override;

    bool esc = false;
    Button* button = nullptr;
};

// The engine: runs the prompt and returns 1 for the first button, 0 for the second or the
// window's close. A null button2 means one button; a null qtf an empty text. A click on a
// link of the text runs link with its target.
int RunPromptDialog(const Callback1<const String&>& link, const char* title, const Image& icon, const char* qtf,
                    const char* button1, const char* button2);

// Under the application title, links opening in the browser: OK and Cancel (1 for OK, 0
// otherwise); and the one-button exclamation and information boxes.
int AskOkCancel(const char* qtf);
void ShowExclamation(const char* qtf);
void ShowInformation(const char* qtf);

// The value-error hook of the window core: an error value's message, shown as plain text
// in an exclamation box ("Invalid data." when it has none); true when v was an error.
bool ShowValueError(const Value& v);
// Start-up: installs ShowValueError as the window core's value-error hook.
void RegisterValueErrorPrompt();

// Images a skin may give the prompt buttons; each resets to the empty image on a skin change.
void SetPromptYesImage(const Image& m);
void SetPromptNoImage(const Image& m);
void SetPromptAbortImage(const Image& m);
void SetPromptRetryImage(const Image& m);
Image GetPromptYesImage();
Image GetPromptNoImage();
Image GetPromptAbortImage();
Image GetPromptRetryImage();

} // namespace Qor
