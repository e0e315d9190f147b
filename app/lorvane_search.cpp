// Lorvane's handlers: a search under a progress dialog, and a row's meaning in a prompt.
#include "app/lookup_search.h"
#include "app/lorvane.h"
#include "app/word_match.h"

#include "richtext/qtf/qtf_format_writer.h"
#include "widgets/progress/progress.h"
#include "widgets/prompt/prompt.h"

using namespace Qor;

namespace {

// A progress dialog for one search: it exists only while the search runs, and its
// destruction enables the windows it disabled.
class ProgressDialog : public SearchProgress {
public:
    void Open() override
    {
        dialog.Open();
        dialog.text = Translate("Searching");
        dialog.UpdateText();
        dialog.RepaintNow();
    }
    void Set(int pos, int total) override { dialog.Set(pos, total); }
    void TakeFocus() override { dialog.SetFocus(); }
    void Close() override { dialog.Cancel(); }

private:
    Progress dialog;
};

} // namespace

void lorvane::DoSearch()
{
    array.SetCount(0);
    rowsFound = 0;
    String criterion = StripOuterSpace(criteria.GetValue().ToString());
    if(criterion.IsEmpty()) {
        ShowInformation(Translate("Enter search criteria"));
        return;
    }
    if(criterion == "*")
        ListAll();
    listAllTotal = 0;
    rowsFound = 0;
    switch(int(match.GetValue().ToInt64())) {
    case MATCH_STARTS_WITH:
        SearchStartsWith(0);
        break;
    case MATCH_EXACT:
        SearchExact(0);
        break;
    case MATCH_SOUNDEX:
        SearchSoundex(0);
        break;
    default:
        SearchContains(0);
        break;
    }
}

void lorvane::RunSearch(int type, int block)
{
    ProgressDialog progress;
    RunMatchSearch(array, progress, CompiledWordList(), block, type, criteria.GetValue().ToString(), rowsFound);
}

void lorvane::SearchContains(int block) { RunSearch(MATCH_CONTAINS, block); }
void lorvane::SearchStartsWith(int block) { RunSearch(MATCH_STARTS_WITH, block); }
void lorvane::SearchExact(int block) { RunSearch(MATCH_EXACT, block); }
void lorvane::SearchSoundex(int block) { RunSearch(MATCH_SOUNDEX, block); }

void lorvane::ListAll()
{
    listAllTotal = LIST_ALL_TOTAL;
    ProgressDialog progress;
    RunListAll(array, progress, CompiledWordList(), listAllTotal);
}

void lorvane::ShowMeaning()
{
    int row = array.GetClickRow();
    if(IsNullInt(row) || row < 0 || row >= array.GetCount())
        return;
    Value meaning = array.Get(row, 1);
    ShowInformation(EscapeQtfTextWithTabs(meaning.IsNull() ? "" : meaning.ToString().Begin()).Begin());
}
