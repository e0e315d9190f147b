// The edit field painted into a recording Draw: runs of text by colour, the selection
// (ink and paper exchanged when disabled), the hint of an empty field, password stars,
// control characters, the converter's error paper, and the edge frame of a short field.
#include "tests/widgets/edit/edit_field_fixture.h"

#include "tests/draw/support/recording_draw.h"

#include "draw/font/font_metrics.h"
#include "draw/look/look.h"

#include <utility>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

// The text runs painted, as (text, ink) pairs in order.
std::vector<std::pair<std::string, std::string>> TextRuns(EditField& f)
{
    RecordingDraw w;
    f.Paint(w);
    std::vector<std::pair<std::string, std::string>> runs;
    for(const std::string& line : w.log) {
        if(line.rfind("DrawTextRun", 0) != 0)
            continue;
        size_t a = line.find('"');
        size_t b = line.find('"', a + 1);
        size_t ink = line.find('#', b);
        runs.emplace_back(line.substr(a + 1, b - a - 1), line.substr(ink, 7));
    }
    return runs;
}

// The colour of the first fill: the paper of the field's left margin.
std::string FirstPaper(EditField& f)
{
    RecordingDraw w;
    f.Paint(w);
    for(const std::string& line : w.log)
        if(line.rfind("DrawRect", 0) == 0) {
            size_t c = line.rfind(", ");
            return line.substr(c + 2, line.size() - c - 3);
        }
    return "";
}

using Runs = std::vector<std::pair<std::string, std::string>>;

std::string T(Color c) { return RecordingDraw::Text(c); }

TEST_F(EditFieldTest, PaintsTheSelectionAsItsOwnRun)
{
    const EditFieldStyle& s = field.GetStyle();
    Put("Selected", 3, 0);
    EXPECT_EQ(TextRuns(field), (Runs{ { "Sel", T(s.selection_text) }, { "ected", T(s.text) } }));
    // Disabled: the selection shows the paper as ink (and the ink as paper).
    field.Disable();
    EXPECT_EQ(TextRuns(field), (Runs{ { "Sel", T(s.read_only_paper) }, { "ected", T(s.disabled_text) } }));
    EXPECT_EQ(FirstPaper(field), T(s.read_only_paper));
}

TEST_F(EditFieldTest, PaintsTheHintOnlyWhileEmpty)
{
    field.SetNullText("Search", GetStandardFontReference(), Color(1, 2, 3));
    EXPECT_EQ(TextRuns(field), (Runs{ { "Search ", T(Color(1, 2, 3)) } }));
    field.ProcessKey('x', 1);
    EXPECT_EQ(TextRuns(field), (Runs{ { "x", T(field.GetStyle().text) } }));
}

TEST_F(EditFieldTest, PaintsStarsAndControlCharacters)
{
    field.SetText(WString("a\x01"
                          "b"));
    EXPECT_EQ(TextRuns(field), (Runs{ { "a\\u25AFb", T(field.GetStyle().text) } }));
    field.SetPassword();
    EXPECT_EQ(TextRuns(field), (Runs{ { "***", T(field.GetStyle().text) } }));
}

TEST_F(EditFieldTest, PaintsTheInvalidPaperWhenTheTextDoesNotConvert)
{
    const EditFieldStyle& s = field.GetStyle();
    ConvertInt ints(0, 10);
    field.SetConvert(ints);
    field.SetText(WString("5"));
    EXPECT_EQ(FirstPaper(field), T(s.paper));
    field.SetText(WString("50"));
    EXPECT_EQ(FirstPaper(field), T(s.invalid_paper));
    EXPECT_EQ(TextRuns(field), (Runs{ { "50", T(s.text) } }));
    field.SetText(WString("5"));
    field.SetOption(EditField::OPT_INVALID, true);
    EXPECT_EQ(FirstPaper(field), T(s.invalid_paper));
    Focus(field);
    field.SetOption(EditField::OPT_INVALID, false);
    EXPECT_EQ(FirstPaper(field), T(s.focused_paper));
}

TEST_F(EditFieldTest, ShortFieldGivesUpItsVerticalEdge)
{
    Rect m = GetLookMargins(GetEditFieldEdgeLook());
    ASSERT_GT(m.top + m.bottom, 0);
    int line = GetStandardFontSize().cy;
    for(int height : { line + m.top + m.bottom + 6, line + 1 }) {
        SCOPED_TRACE(height);
        Rect r(0, 0, 100, height);
        field.GetEdgeFrame().LayOut(r);
        EXPECT_EQ(r.left, m.left);
        EXPECT_EQ(r.right, 100 - m.right);
        if(height > line + m.top + m.bottom) {
            EXPECT_EQ(r.Height(), height - m.top - m.bottom);
        }
        else {
            EXPECT_GE(r.Height(), line);
        }
    }
}

} // namespace
