// Message prompts on a real X server: their size from the font and the text, icon, buttons
// and their order, Enter, Esc, access letters, clicks and the window's close, and the
// value-error box showing its message as plain text.
#include "tests/widgets/gui/prompt_script.h"
#include "tests/x11/topwindow/top_window_fixture.h"

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/settings/layout_zoom.h"
#include "draw/font/font_metrics.h"
#include "draw/text/text.h"
#include "richtext/paint/page_draw.h"
#include "richtext/qtf/qtf_reader.h"
#include "widgets/button/button.h"
#include "widgets/images/ctrl_img.h"
#include "widgets/prompt/prompt.h"
#include "widgets/richview/rich_text_view.h"
#include "widgets/scroll/scroll_bar.h"
#include "widgets/static/static_text.h"

#include <X11/keysym.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

using PromptScript = DialogScript<PromptDlgWnd__>;

// What a prompt showed, read from inside its loop.
struct Seen {
    Size size;
    WString title;
    Image icon;
    Rect icon_rect;
    Rect text_rect;
    std::string text;
    std::vector<std::string> labels; // in order from left to right
    std::vector<Rect> buttons;
    bool kept_above = false;
};

Seen Read(PromptDlgWnd__& d)
{
    Seen s;
    s.size = d.GetSize();
    s.title = d.GetTitle();
    s.kept_above = d.IsKeptAbove();
    std::vector<std::pair<int, Button*>> buttons;
    for(Ctrl* c = d.GetFirstChild(); c; c = c->GetNext()) {
        if(auto* b = dynamic_cast<Button*>(c))
            buttons.push_back({ b->GetRectInParent().left, b });
        else if(auto* i = dynamic_cast<ImageCtrl*>(c)) {
            s.icon = i->GetImage();
            s.icon_rect = i->GetRectInParent();
        }
        else if(auto* t = dynamic_cast<RichTextCtrl*>(c)) {
            s.text_rect = t->GetRectInParent();
            s.text = String(t->GetText().GetPlainText()).Begin();
        }
    }
    std::sort(buttons.begin(), buttons.end());
    for(auto& [x, b] : buttons) {
        s.labels.push_back(b->GetLabel().Begin());
        s.buttons.push_back(b->GetRectInParent());
    }
    return s;
}

// The Button of d whose label is label.
Button* FindButton(PromptDlgWnd__& d, const char* label)
{
    for(Ctrl* c = d.GetFirstChild(); c; c = c->GetNext())
        if(auto* b = dynamic_cast<Button*>(c); b && b->GetLabel() == label)
            return b;
    return nullptr;
}

// The prompt's layout measures.
struct Measures {
    int u = GetStandardFontSize().cy;
    int sbw = ScrollBar::GetDefaultStyle().bar_width;
    int bcx(std::initializer_list<const char*> labels) const
    {
        int w = ZoomX(72);
        for(const char* l : labels)
            w = std::max(w, 2 * u + GetTextSize(l, GetStandardFont()).cx);
        return w;
    }
    // The natural width of a Qtf text as the prompt shows it.
    static int Natural(const char* qtf)
    {
        RichText t = ReadQtfDocument((String("[G1 ") + qtf).Begin());
        t.ApplyZoom(RichScreenZoom());
        return t.GetWidth();
    }
};

class PromptGuiTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_TRUE(HasXTest());
    }
    void TearDown() override
    {
        SetDialogButtonOrder(false);
        PrivateDisplayTest::TearDown();
    }
};

TEST_F(PromptGuiTest, InformationBoxIsSizedByItsTextIconAndButton)
{
    Seen seen;
    PromptScript script([&](PromptDlgWnd__& d) {
        seen = Read(d);
        TypeKey(XK_Return);
    });
    ShowInformation("Enter search criteria");
    ASSERT_TRUE(script.Ran());

    Measures m;
    int u = m.u;
    Image icon = CtrlImg::information();
    EXPECT_EQ(seen.icon.GetSerialId(), icon.GetSerialId());
    EXPECT_EQ(seen.icon_rect, Rect(Point(u, u), icon.GetSize()));
    EXPECT_EQ(seen.title, WString(GetAppTitle()));
    EXPECT_EQ(seen.text, "Enter search criteria");
    int bcx = m.bcx({ "OK" });
    int cw = std::min(std::max(bcx + 2 * u, 2 * u + Measures::Natural("Enter search criteria") + u + icon.GetSize().cx),
                      550);
    EXPECT_EQ(seen.size.cx, cw + u + m.sbw);
    int bh = std::max(seen.text_rect.Height(), icon.GetSize().cy);
    EXPECT_EQ(seen.size.cy, bh + u * 48 / 10);
    ASSERT_EQ(seen.labels, std::vector<std::string>{ "OK" });
    EXPECT_EQ(seen.buttons[0],
              Rect(Point((cw - bcx) / 2, seen.size.cy - u * 8 / 10 - ZoomY(24)), Size(bcx, ZoomY(24))));
    EXPECT_EQ(seen.text_rect.right, seen.size.cx - u);
    EXPECT_FALSE(seen.kept_above);
}

TEST_F(PromptGuiTest, OneButtonBoxesCloseWithOneOnEnterAndEsc)
{
    for(KeySym key : { XK_Return, XK_Escape }) {
        for(bool exclamation : { false, true }) {
            SCOPED_TRACE(std::to_string(key) + (exclamation ? " exclamation" : " information"));
            Seen seen;
            PromptScript script([&](PromptDlgWnd__& d) {
                seen = Read(d);
                TypeKey(key);
            });
            Image icon = exclamation ? CtrlImg::exclamation() : CtrlImg::information();
            int code = RunPromptDialog(Callback1<const String&>(), "Box", icon, "Done.", "OK", nullptr);
            ASSERT_TRUE(script.Ran());
            EXPECT_EQ(code, 1);
            EXPECT_EQ(seen.icon.GetSerialId(), icon.GetSerialId());
        }
    }
}

TEST_F(PromptGuiTest, AskOkCancelAnswersByKeyClickAndWindowClose)
{
    struct Case {
        const char* what;
        std::function<void(PromptDlgWnd__&)> act;
        int code;
    } cases[] = {
        { "Enter", [](PromptDlgWnd__&) { TypeKey(XK_Return); }, 1 },
        { "Esc", [](PromptDlgWnd__&) { TypeKey(XK_Escape); }, 0 },
        { "click OK",
          [](PromptDlgWnd__& d) { Click(GetHostWindow(d), FindButton(d, "OK")->GetRectInParent().CenterPoint()); }, 1 },
        { "click Cancel",
          [](PromptDlgWnd__& d) { Click(GetHostWindow(d), FindButton(d, "Cancel")->GetRectInParent().CenterPoint()); },
          0 },
        { "window closed", [](PromptDlgWnd__& d) { SendDeleteWindow(&d); }, 0 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Seen seen;
        PromptScript script([&](PromptDlgWnd__& d) {
            seen = Read(d);
            c.act(d);
        });
        EXPECT_EQ(AskOkCancel("Delete the [* selected] rows?"), c.code);
        ASSERT_TRUE(script.Ran());
        EXPECT_EQ(seen.icon.GetSerialId(), CtrlImg::question().GetSerialId());
        EXPECT_EQ(seen.labels, (std::vector<std::string>{ "OK", "Cancel" }));
        EXPECT_EQ(seen.text, "Delete the selected rows?");
    }
}

TEST_F(PromptGuiTest, ButtonRowIsCentredAndReversedByTheSetting)
{
    for(bool reversed : { false, true }) {
        SCOPED_TRACE(reversed);
        SetDialogButtonOrder(reversed);
        Seen seen;
        PromptScript script([&](PromptDlgWnd__& d) {
            seen = Read(d);
            TypeKey(XK_Escape);
        });
        AskOkCancel("Go on?");
        ASSERT_TRUE(script.Ran());
        Measures m;
        int bcx = m.bcx({ "OK", "Cancel" });
        int cw = seen.size.cx - m.u - m.sbw;
        int row = 2 * bcx + m.u / 2;
        ASSERT_EQ(seen.buttons.size(), 2u);
        EXPECT_EQ(seen.buttons[0].left, (cw - row) / 2);
        EXPECT_EQ(seen.buttons[1].left, (cw - row) / 2 + bcx + m.u / 2);
        EXPECT_EQ(seen.labels, reversed ? (std::vector<std::string>{ "Cancel", "OK" })
                                        : (std::vector<std::string>{ "OK", "Cancel" }));
    }
}

TEST_F(PromptGuiTest, PlainLetterPressesTheButtonWithThatAccessKey)
{
    for(auto [key, code] : { std::pair{ XK_n, 0 }, std::pair{ XK_y, 1 }, std::pair{ XK_N, 0 } }) {
        SCOPED_TRACE(std::to_string(key));
        PromptScript script([&](PromptDlgWnd__&) { TypeKey(key); });
        // Esc and Enter would answer too; only the letter is typed.
        int answer = RunPromptDialog(Callback1<const String&>(), "Question", CtrlImg::question(), "Save changes?",
                                     "&Yes", "&No");
        ASSERT_TRUE(script.Ran());
        EXPECT_EQ(answer, code);
    }
}

TEST_F(PromptGuiTest, ContentWidthFollowsTheTextBetweenItsLimitsAndTallTextsScroll)
{
    Measures m;
    int bcx = m.bcx({ "OK" });
    std::string many;
    for(int i = 0; i < 80; i++)
        many += "Line " + std::to_string(i) + "&";
    struct Case {
        const char* what;
        std::string qtf;
        int content; // the expected content width; 0 checks the height only
    } cases[] = {
        { "empty", "", std::min(550, std::max(bcx + 2 * m.u, 2 * m.u + 350)) },
        { "a table", "{{1:1 A:: B}}", 550 },
        { "very long", many, 0 },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Seen seen;
        PromptScript script([&](PromptDlgWnd__& d) {
            seen = Read(d);
            TypeKey(XK_Return);
        });
        RunPromptDialog(Callback1<const String&>(), "Box", Image(), c.qtf.c_str(), "OK", nullptr);
        ASSERT_TRUE(script.Ran());
        if(c.content) {
            EXPECT_EQ(seen.size.cx, c.content + m.u + m.sbw);
        }
        else {
            EXPECT_EQ(seen.text_rect.Height(), 400);
            EXPECT_EQ(seen.size.cy, 400 + m.u * 48 / 10);
        }
        EXPECT_LE(seen.size.cx, 550 + m.u + m.sbw);
    }
}

TEST_F(PromptGuiTest, PromptStaysAboveWhenAnOpenWindowDoes)
{
    TopWindow above;
    above.SetRect(Rect(Point(20, 20), Size(200, 100)));
    above.KeepAbove();
    above.OpenWithOwner(nullptr);
    ASSERT_TRUE(above.IsOpen());
    Seen seen;
    PromptScript script([&](PromptDlgWnd__& d) {
        seen = Read(d);
        EXPECT_FALSE(above.IsEnabled()) << "application-modal";
        TypeKey(XK_Return);
    });
    ShowInformation("On top");
    ASSERT_TRUE(script.Ran());
    EXPECT_TRUE(seen.kept_above);
    EXPECT_TRUE(above.IsEnabled());
    above.Close();
}

TEST_F(PromptGuiTest, ValueErrorShowsItsMessageAsPlainText)
{
    struct Case {
        Value v;
        const char* shown; // null: nothing is shown
    } cases[] = {
        { ErrorValue("Use [* bold] or `x` & more"), "Use [* bold] or `x` & more" },
        { ErrorValue(""), "Invalid data." },
        { Value(12), nullptr },
        { Value(), nullptr },
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.shown ? c.shown : "none");
        Seen seen;
        PromptScript script([&](PromptDlgWnd__& d) {
            seen = Read(d);
            TypeKey(XK_Return);
        });
        EXPECT_EQ(ShowValueError(c.v), c.shown != nullptr);
        if(!c.shown) {
            EXPECT_FALSE(script.Ran());
            continue;
        }
        ASSERT_TRUE(script.Ran());
        EXPECT_EQ(seen.text, c.shown);
        EXPECT_EQ(seen.icon.GetSerialId(), CtrlImg::exclamation().GetSerialId());
    }
}

} // namespace
