// Lorvane's window: a word or phrase, a match type and "Search" above the result list; a
// click on a row shows its meaning.
#pragma once

#include "app/lorvane_layout.h"

#include "foundation/values/convert.h"

class lorvane : public WithlorvaneLayout<Qor::TopWindow> {
public:
    // Shows a row's index as its number, counted from 1.
    class LineNumber : public Qor::Convert {
    public:
        ~LineNumber() override;
        Qor::Value Format(const Qor::Value& q) const override;
    };

    lorvane();
    ~lorvane() override;

    void DoSearch();
    void ShowMeaning();

    // Each runs one match type over a block of the word list, from row rowsFound on.
    void SearchContains(int block);
    void SearchStartsWith(int block);
    void SearchExact(int block);
    void SearchSoundex(int block);
    void ListAll();

private:
    void RunSearch(int type, int block);

    int listAllTotal;
    int rowsFound;
};

// The program body: the window, run until the user closes it.
void LookupMain();
