// The prompt engine: lays out the icon, the text and the buttons from the standard font's
// height and the text's own size, and runs the dialog application-modal.

#include "widgets/prompt/prompt.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/layout_zoom.h"
#include "ctrl/state/other_windows.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "foundation/callback_action.h"
#include "foundation/chartable.h"
#include "foundation/desktop.h"
#include "foundation/text_utils.h"
#include "foundation/values/translate.h"
#include "richtext/paint/page_draw.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "widgets/button/button.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/richview/rich_text_view.h"
#include "widgets/scroll/scroll_bar.h"
#include "widgets/static/static_text.h"

#include <algorithm>

namespace Qor {

namespace {

// Limits of the prompt's content: wider texts wrap, taller ones scroll.
enum : int { PROMPT_MAX_WIDTH = 550, PROMPT_MAX_TEXT_HEIGHT = 400, PROMPT_EMPTY_TEXT_WIDTH = 350 };

enum : dword { KEY_ALT_NAMED = 0x90000, KEY_ESC = 27 };

// Members in this order, so that the buttons go first, then the icon and the text, and
// the window last.
struct PromptParts {
    PromptDlgWnd__ window;
    RichTextCtrl text;
    ImageCtrl icon;
    Button buttons[2];
};

bool AnyTopWindowKeptAbove()
{
    for(Ctrl* c : ListNonPopupTopCtrls()) {
        TopWindow* w = AsTopWindow(c);
        if(w && w->IsKeptAbove())
            return true;
    }
    return false;
}

Callback1<const String&> BrowserLink() { return MakeCallback(&OpenUrlInBrowser); }

} // namespace

PromptDlgWnd__::~PromptDlgWnd__() = default;

bool PromptDlgWnd__::AccessKeyPressed(dword key)
{
    if(TopWindow::AccessKeyPressed(key))
        return true;
    if((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z'))
        return TopWindow::AccessKeyPressed(KEY_ALT_NAMED + dword(CapitalCaseChar(int(key))));
    if(key == KEY_ESC && esc && button) {
        button->SimulatePush();
        return true;
    }
    return false;
}

int RunPromptDialog(const Callback1<const String&>& link, const char* title, const Image& icon, const char* qtf,
                    const char* button1, const char* button2)
{
    PromptParts p;
    PromptDlgWnd__& dlg = p.window;
    int n = button2 ? 2 : 1;
    int u = GetStandardFontSize().cy;

    p.text.WhenLink = link;
    p.icon.SetImage(icon);
    // The prefix sets the dialog's standard paragraph style and is left open on purpose.
    String text = String("[G1 ") + (qtf ? qtf : "");
    p.text.SetQtf(text.Begin(), RichScreenZoom());

    const char* labels[2] = { button1 ? button1 : "", button2 };
    int bcy = ZoomY(24);
    int bcx = ZoomX(72);
    for(int i = 0; i < n; i++)
        bcx = std::max(bcx, 2 * u + GetTextSize(labels[i], GetStandardFont()).cx);

    Size isz = icon.GetSize();
    int natural = p.text.GetText().GetWidth();
    int nw = 2 * u + (natural ? natural : PROMPT_EMPTY_TEXT_WIDTH);
    if(!icon.IsEmpty())
        nw += u + isz.cx;
    dlg.esc = n == 1;
    int cw = std::min(std::max(n * bcx + (n + 1) * u, nw), int(PROMPT_MAX_WIDTH));
    int tw = icon.IsEmpty() ? cw - 2 * u : cw - 3 * u - isz.cx;
    int th = p.text.GetText().GetHeight(ZoomRatio(1, 1), tw);
    int vh = std::min(th, int(PROMPT_MAX_TEXT_HEIGHT));
    int bh = std::max(vh, isz.cy);
    int sbw = ScrollBar::GetDefaultStyle().bar_width;
    dlg.SetRect(Rect(0, 0, cw + u + sbw, bh + u * 48 / 10));

    dlg.AppendChild(p.icon);
    p.icon.SetRect(u, u, isz.cx, isz.cy);
    dlg.AppendChild(p.text);
    p.text.PlaceTop(u + (bh - vh) / 2, vh).PlaceRight(u, tw + sbw + u);

    p.buttons[0].MakeOk();
    if(n == 2)
        p.buttons[1].MakeCancel();
    p.buttons[0].SetAction(dlg.MakeBreakAction(1));
    if(n == 2)
        p.buttons[1].SetAction(dlg.MakeBreakAction(0));
    dlg.CloseAction() = dlg.MakeBreakAction(0);
    dlg.button = &p.buttons[0];

    int row = n == 1 ? bcx : 2 * bcx + u / 2;
    int x[2] = { (cw - row) / 2, (cw - row) / 2 + bcx + u / 2 };
    if(n == 2 && IsButtonOrderReversed())
        std::swap(x[0], x[1]);
    for(int i = 0; i < n; i++) {
        Button& b = p.buttons[i];
        dlg.AppendChild(b);
        b.PlaceBottom(u * 8 / 10, bcy).PlaceLeft(x[i], bcx);
        b.SetLabel(labels[i]);
    }

    if(AnyTopWindowKeptAbove())
        dlg.KeepAbove();
    dlg.Open();
    dlg.SetTitle(title ? title : "");
    return dlg.RunLoop(true);
}

int AskOkCancel(const char* qtf)
{
    QuestionSignal();
    return RunPromptDialog(BrowserLink(), GetAppTitle().Begin(), CtrlImg::question(), qtf, Translate("OK"),
                           Translate("Cancel"));
}

void ShowExclamation(const char* qtf)
{
    WarningSignal();
    RunPromptDialog(BrowserLink(), GetAppTitle().Begin(), CtrlImg::exclamation(), qtf, Translate("OK"), nullptr);
}

void ShowInformation(const char* qtf)
{
    InformationSignal();
    RunPromptDialog(BrowserLink(), GetAppTitle().Begin(), CtrlImg::information(), qtf, Translate("OK"), nullptr);
}

bool ShowValueError(const Value& v)
{
    if(!IsError(v))
        return false;
    String message = ErrorValueText(v);
    if(message.IsEmpty())
        message = Translate("Invalid data.");
    // The message is plain text: markup characters in it are shown, not obeyed.
    ShowExclamation(EscapeQtfTextWithTabs(message.Begin()).Begin());
    return true;
}

void RegisterValueErrorPrompt() { GetValueErrorHook() = ShowValueError; }

} // namespace Qor
