// Search runs: the word list read afresh, each hit written into the result list.
#include "app/lookup_search.h"

#include "app/word_match.h"

#include <algorithm>

using namespace Qor;

namespace {

// The fields that have a column: all but the row number's.
void StoreRow(ArrayCtrl& list, int row, const Vector<String>& fields)
{
    int n = std::min(fields.GetCount(), list.GetColumnCount() - 1);
    for(int i = 0; i < n; i++)
        list.Set(row, i, fields[i]);
}

} // namespace

void RunMatchSearch(ArrayCtrl& list, SearchProgress& progress, const WordListResource& words, int block, int type,
                    const String& criterion_text, int& rows_found)
{
    int hits = rows_found;
    progress.Open();
    Vector<String> lines = ReadWordListLines(words, block);
    String criterion = MatchCriterion(criterion_text);
    for(const String& line : lines) {
        progress.Set(hits, lines.GetCount());
        progress.TakeFocus();
        Vector<String> fields = WordLineFields(line);
        if(fields.IsEmpty())
            continue;
        if(!IsMatch(type, MatchKey(fields[0], type), criterion))
            continue;
        StoreRow(list, hits, fields);
        rows_found = ++hits;
    }
    progress.Close();
}

void RunListAll(ArrayCtrl& list, SearchProgress& progress, const WordListResource& words, int total)
{
    progress.Open();
    progress.Set(0, total);
    progress.TakeFocus();
    int r = 0;
    for(int block = 0; block < words.block_count; block++)
        for(const String& line : ReadWordListLines(words, block)) {
            progress.Set(r, total);
            StoreRow(list, r, WordLineFields(line));
            r++;
        }
    progress.Close();
}
