// What a push button paints on a real X server: the face of each of the four visual states
// is the standard skin's image, the ok look follows the focus, and the label and the focus
// rectangle sit inside the face.
#include "tests/support/x11/input_window.h"

#include "draw/look/sys_colors.h"
#include "widgets/button/button.h"
#include "widgets/images/ctrls_img.h"

#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using namespace Qor;
using namespace QorTest;

// A window of plain white, so that the faces' transparent edges show a known paper.
class Paper : public Ctrl {
public:
    void Paint(Draw& w) override { w.DrawRect(Rect(GetSize()), White()); }
};

// The image over white paper as the server shows it.
Color OverWhite(const RGBA& p) { return Color(p.r + 255 - p.a, p.g + 255 - p.a, p.b + 255 - p.a); }

// The pixels that differ from the image by more than rounding, with the first of them.
int CountDiffering(const Pixels& got, const Image& img, std::string& first)
{
    int n = 0;
    for(int y = 0; y < img.GetHeight(); y++)
        for(int x = 0; x < img.GetWidth(); x++) {
            Color want = OverWhite(img[y][x]);
            Color have = got.At(x, y);
            if(std::abs(want.GetR() - have.GetR()) > 2 || std::abs(want.GetG() - have.GetG()) > 2 ||
               std::abs(want.GetB() - have.GetB()) > 2) {
                if(!n++)
                    first = std::to_string(x) + "," + std::to_string(y) + ": " + have.ToText().Begin() + " for " +
                            want.ToText().Begin();
            }
        }
    return n;
}

using ButtonPaintTest = PrivateDisplayTest;

// The button has the face image's own size and no label, so it paints the image pixel for
// pixel.
TEST_F(ButtonPaintTest, FourVisualStatesPaintTheSkinImages)
{
    ASSERT_TRUE(HasXTest());
    Paper paper;
    Button b;
    Size face = CtrlsImg::B().GetSize();
    ASSERT_EQ(face, Size(12, 22));
    paper.AppendChild(b);
    b.SetRect(Rect(Point(20, 20), face));
    OpenInput window(paper, Rect(Point(40, 40), Size(100, 80)));
    ASSERT_TRUE(window.IsOpen());
    // Each image differs from the others, so the check tells the states apart.
    for(int i = 0; i < VISUAL_COUNT; i++)
        for(int j = i + 1; j < VISUAL_COUNT; j++)
            ASSERT_NE(CtrlsImg::Get(CtrlsImg::I_B + i), CtrlsImg::Get(CtrlsImg::I_B + j)) << i << " " << j;

    struct {
        const char* name;
        int state;
        void (*enter)(Window w, Button& b);
        void (*leave)(Button& b);
    } cases[] = {
        { "normal", VISUAL_NORMAL, [](Window w, Button&) { MovePointer(w, Point(80, 70)); }, [](Button&) {} },
        { "hot", VISUAL_HOT, [](Window w, Button&) { MovePointer(w, Point(25, 30)); }, [](Button&) {} },
        { "pressed", VISUAL_PRESSED,
          [](Window w, Button&) {
              MovePointer(w, Point(25, 30));
              XTestFakeButtonEvent(display, 1, true, 0);
          },
          [](Button&) { XTestFakeButtonEvent(display, 1, false, 0); } },
        { "disabled", VISUAL_DISABLED,
          [](Window w, Button& b) {
              MovePointer(w, Point(80, 70));
              b.Disable();
          },
          [](Button& b) { b.Enable(); } },
    };
    for(auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.enter(window.GetWindow(), b);
        Image want = CtrlsImg::Get(CtrlsImg::I_B + c.state);
        std::string first;
        bool same = PumpUntil([&] {
            return CountDiffering(GrabPixels(window.GetWindow(), Rect(Point(20, 20), face)), want, first) == 0;
        });
        EXPECT_TRUE(same) << first;
        c.leave(b);
        PumpUntil([&] { return !b.IsPushed() && !b.HasCapture(); });
    }
}

TEST_F(ButtonPaintTest, OkButtonShowsTheOkLookUntilAnotherButtonHasTheFocus)
{
    Paper paper;
    Button ok, other;
    Size face = CtrlsImg::OkB().GetSize();
    paper.AppendChild(ok);
    paper.AppendChild(other);
    ok.SetRect(Rect(Point(20, 20), face));
    other.SetRect(60, 20, 30, 22);
    ok.MakeOk();
    OpenInput window(paper, Rect(Point(40, 40), Size(100, 80)));
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(95, 75));
    std::string first;
    auto shows = [&](int image) {
        return PumpUntil([&] {
            return CountDiffering(GrabPixels(window.GetWindow(), Rect(Point(20, 20), face)), CtrlsImg::Get(image),
                                  first) == 0;
        });
    };
    EXPECT_TRUE(shows(CtrlsImg::I_OkB)) << first;
    ASSERT_TRUE(other.SetFocus());
    EXPECT_TRUE(shows(CtrlsImg::I_B)) << first;
    ASSERT_TRUE(paper.SetFocus());
    EXPECT_TRUE(shows(CtrlsImg::I_OkB)) << first;
}

// Where two grabs differ; empty when they are alike.
Rect DifferenceBox(const Pixels& a, const Pixels& b)
{
    Rect box(1000, 1000, -1, -1);
    for(int y = 0; y < a.cy; y++)
        for(int x = 0; x < a.cx; x++)
            if(a.At(x, y) != b.At(x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.right > 0 ? box : Rect();
}

// The label is centred inside the face (a rich-text one starts at the left), and the
// focused button draws its dotted rectangle at the focus margin; each is found against
// the same face without it.
TEST_F(ButtonPaintTest, LabelAndFocusRectangleSitInsideTheFace)
{
    Paper paper;
    Button b, rich, empty;
    b.SetLabel("Search");
    rich.SetLabel("\1Search");
    Button* buttons[] = { &b, &rich, &empty };
    for(int i = 0; i < 3; i++) {
        paper.AppendChild(*buttons[i]);
        buttons[i]->SetRect(10, 10 + 40 * i, 80, 30);
        // The face stays the plain one when the focus comes.
        buttons[i]->SetStyle(&Button::GetPlainStyle());
    }
    OpenInput window(paper, Rect(Point(40, 40), Size(100, 130)));
    ASSERT_TRUE(window.IsOpen());
    MovePointer(window.GetWindow(), Point(95, 125));
    auto grab = [&](int i) { return GrabPixels(window.GetWindow(), Rect(10, 10 + 40 * i, 90, 40 + 40 * i)); };
    Rect box, rich_box;
    ASSERT_TRUE(PumpUntil([&] {
        box = DifferenceBox(grab(0), grab(2));
        rich_box = DifferenceBox(grab(1), grab(2));
        return !box.IsEmpty() && !rich_box.IsEmpty();
    }));
    // Centred: equal room left and right within a pixel, inside the insets of 3.
    EXPECT_NEAR(box.left, 80 - box.right, 1);
    EXPECT_GT(box.top, 3);
    EXPECT_LT(box.bottom, 27);
    EXPECT_GT(box.Width(), 20);
    EXPECT_GE(rich_box.left, 3);
    EXPECT_LE(rich_box.left, 5);

    Pixels before = grab(0);
    ASSERT_TRUE(b.SetFocus());
    int m = b.GetCurrentStyle().focus_margin;
    Color dots = SysColorText();
    // Dots appear along the rows and columns at the margin, nothing changes outside them.
    auto framed = [&] {
        Pixels p = grab(0);
        int on_frame = 0, outside = 0;
        for(int y = 0; y < 30; y++)
            for(int x = 0; x < 80; x++) {
                bool frame = (y == m || y == 30 - m - 1) && x >= m && x < 80 - m;
                frame = frame || ((x == m || x == 80 - m - 1) && y >= m && y < 30 - m);
                if(p.At(x, y) == before.At(x, y))
                    continue;
                if(frame && p.At(x, y) == dots)
                    on_frame++;
                else if(x < m || y < m || x >= 80 - m || y >= 30 - m)
                    outside++;
            }
        return on_frame > 40 && outside == 0;
    };
    EXPECT_TRUE(PumpUntil(framed));
}

} // namespace
