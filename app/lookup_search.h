// A search run of the lookup window: the word list scanned line by line into the result
// list, with what a progress display is told on the way.
#pragma once

#include "app/word_list.h"
#include "lists/array/array_ctrl.h"

// What a search tells the user while it runs; the window's is a progress dialog.
class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    // Shown at once, with the text "Searching".
    virtual void Open() = 0;
    // The bar at pos of total; may let pending events run.
    virtual void Set(int pos, int total) = 0;
    virtual void TakeFocus() = 0;
    virtual void Close() = 0;
};

// Progress total of list-all: far above the list's length, so the bar barely moves.
constexpr int LIST_ALL_TOTAL = 64000;

// Runs one match type over a block of the word list. Hits are stored from row rows_found on,
// the shown term at value index 0 and the meaning at 1 (only as many fields as the list has
// columns beyond the row number); rows_found follows every hit. The criterion is the field's
// text as typed. The bar's position is the number of hits, its total the number of lines.
void RunMatchSearch(Qor::ArrayCtrl& list, SearchProgress& progress, const WordListResource& words, int block, int type,
                    const Qor::String& criterion_text, int& rows_found);

// Every entry of every block at the row of its line number, blank lines counted, so a blank
// line leaves an empty row. The bar's position is that line number, its total `total`.
void RunListAll(Qor::ArrayCtrl& list, SearchProgress& progress, const WordListResource& words, int total);
