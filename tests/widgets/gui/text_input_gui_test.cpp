// The text input dialog on a real X server: typing and confirming, cancelling that leaves
// the value alone, the character filter, and the maximum length that keeps OK from closing.
#include "tests/widgets/gui/prompt_script.h"

#include "ctrl/settings/layout_zoom.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/prompt/prompt.h"
#include "widgets/prompt/text_input.h"
#include "widgets/static/static_text.h"

#include <X11/keysym.h>

#include <optional>
#include <string>

namespace {

using namespace Qor;
using namespace QorTest;

using InputDialog = WithEditStringLayout<TopWindow>;
using InputScript = DialogScript<InputDialog>;

int UpperFilter(int ch) { return ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch; }

using TextInputGuiTest = PrivateDisplayTest;

TEST_F(TextInputGuiTest, ShowsTheValueAndReturnsTheConfirmedText)
{
    String value = "Grüße";
    std::string shown, prompt, layout;
    Size size;
    WString title;
    bool field_focused = false;
    InputScript script([&](InputDialog& d) {
        shown = String(d.text.GetText()).Begin();
        prompt = d.prompt.GetText().Begin();
        layout = d.GetInfoPart(4).Begin();
        size = d.GetSize();
        title = d.GetTitle();
        field_focused = d.text.HasFocus();
        TypeKey(XK_End);
        TypeText(" 2");
        TypeKey(XK_Return);
    });
    EXPECT_TRUE(RunTextInputDialog(value, "Rename", "New &name:", 0));
    ASSERT_TRUE(script.Ran());
    EXPECT_EQ(shown, "Grüße");
    EXPECT_EQ(prompt, "New &name:") << "the prompt is shown as it is";
    EXPECT_EQ(layout, "EditStringLayout");
    EXPECT_EQ(size, ZoomSize(412, 62));
    EXPECT_EQ(title, WString("Rename"));
    EXPECT_TRUE(field_focused);
    EXPECT_EQ(value, "Grüße 2");
}

TEST_F(TextInputGuiTest, CancelLeavesTheValueExactlyAsItWas)
{
    for(KeySym key : { XK_Escape, XK_F4 }) {
        SCOPED_TRACE(key == XK_Escape ? "Esc" : "Cancel clicked");
        String value = "kept";
        InputScript script([&](InputDialog& d) {
            TypeText("changed");
            if(key == XK_Escape)
                TypeKey(XK_Escape);
            else
                Click(GetHostWindow(d), d.cancel.GetRectInParent().CenterPoint());
        });
        EXPECT_FALSE(RunTextInputDialog(value, "Title", "Name", 0));
        ASSERT_TRUE(script.Ran());
        EXPECT_EQ(value, "kept");
    }
}

TEST_F(TextInputGuiTest, TheFilterMapsTypedCharacters)
{
    String value;
    InputScript script([&](InputDialog&) {
        TypeText("abc1");
        TypeKey(XK_Return);
    });
    EXPECT_TRUE(RunTextInputDialog(value, "Title", "Name", UpperFilter, 0));
    ASSERT_TRUE(script.Ran());
    EXPECT_EQ(value, "ABC1");
}

bool AnyPromptOpen()
{
    for(Ctrl* c : GetTopCtrls())
        if(dynamic_cast<PromptDlgWnd__*>(c))
            return true;
    return false;
}

TEST_F(TextInputGuiTest, TextPastTheMaximumLengthIsReportedAndKeepsTheDialogOpen)
{
    String value;
    Image icon;
    bool field_focused = false;
    std::optional<DialogScript<PromptDlgWnd__>> report;
    std::optional<InputScript> after;
    InputScript script([&](InputDialog&) {
        report.emplace([&](PromptDlgWnd__& p) {
            for(Ctrl* c = p.GetFirstChild(); c; c = c->GetNext())
                if(auto* i = dynamic_cast<ImageCtrl*>(c))
                    icon = i->GetImage();
            // Once the report is closed the dialog is still there, with the field focused.
            after.emplace(
                [&](InputDialog& d) {
                    field_focused = d.text.HasFocus();
                    // The focus came back with the text selected.
                    TypeKey(XK_End);
                    TypeKey(XK_BackSpace);
                    TypeKey(XK_Return);
                },
                [](InputDialog&) { return !AnyPromptOpen(); });
            TypeKey(XK_Return);
        });
        TypeText("123456789");
        TypeKey(XK_Return);
    });
    EXPECT_TRUE(RunTextInputDialog(value, "Title", "Code", 8));
    ASSERT_TRUE(script.Ran());
    ASSERT_TRUE(report && report->Ran()) << "the value error is reported";
    EXPECT_EQ(icon.GetSerialId(), CtrlImg::exclamation().GetSerialId());
    ASSERT_TRUE(after && after->Ran());
    EXPECT_TRUE(field_focused);
    EXPECT_EQ(value, "12345678");
}

} // namespace
