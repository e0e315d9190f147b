// The framework's sort: a quicksort with a median-of-three pivot, random re-pivoting of
// lopsided partitions, the run equal to the pivot left out of both parts, and a selection
// from the end for short ranges. It is not stable by itself; IndexSort makes it so by
// breaking ties by position.
#pragma once

#include "foundation/random.h"
#include "foundation/values/value.h"
#include "foundation/values/value_order.h"

#include <algorithm>
#include <utility>

namespace Qor {

// Sorts 2 to 7 elements: the smallest of the unsorted rest, found by walking from the end,
// goes to the front; a walk that finds the rest already in order ends the sort early.
template <class I, class Less>
void SortShortRange(I begin, I end, const Less& less)
{
    using std::swap;
    I lo = begin;
    I last = end - 1;
    while(lo != last) {
        I mark = last;
        I c = last; // the smallest element met so far
        for(;;) {
            I p = c - 1;
            if(!less(*c, *p)) {
                if(p == lo) {
                    // Everything from lo up to the mark is in order and below what follows.
                    lo = mark;
                    break;
                }
                c = p;
                continue;
            }
            // Go left past every element greater than c.
            I q = p;
            while(q != lo && less(*c, *(q - 1)))
                --q;
            if(q == lo) {
                swap(*c, *lo);
                ++lo;
                break;
            }
            --q; // not greater than c
            if(q == lo) {
                swap(*c, *(lo + 1));
                lo += 2;
                break;
            }
            mark = q + 1;
            c = q;
        }
    }
}

// Sorts [begin, end) by less. Every loop is bounded by the range, so even a less that is not
// a strict order cannot run past it.
template <class I, class Less>
void SortRange(I begin, I end, const Less& less)
{
    using std::swap;
    for(;;) {
        int n = int(end - begin);
        if(n <= 1)
            return;
        if(n <= 7) {
            SortShortRange(begin, end, less);
            return;
        }
        I m = begin + n / 2;
        I last = end - 1;
        I s, t;
        for(int pass = 4;; pass++) {
            if(less(*m, *begin))
                swap(*begin, *m);
            if(less(*last, *m))
                swap(*m, *last);
            if(less(*m, *begin))
                swap(*begin, *m);
            I pivot = begin + 1;
            swap(*pivot, *m);
            s = pivot;
            for(I k = begin + 2; k < last; ++k)
                if(less(*k, *pivot))
                    swap(*++s, *k);
            swap(*s, *pivot);
            // Elements equal to the pivot are in place already.
            t = s + 1;
            while(t < end && !less(*s, *t))
                ++t;
            if(pass == 6)
                break;
            int a = int(s - begin);
            int b = int(end - t) + 1;
            if((std::max(a, b) >> pass) < std::min(a, b))
                break;
            // One side dwarfs the other: a pivot from random places keeps the time
            // n log n on inputs made to defeat the median of three.
            swap(*begin, *(begin + RandomBelow(n)));
            swap(*m, *(begin + RandomBelow(n)));
            swap(*last, *(begin + RandomBelow(n)));
        }
        // Recursion on the smaller part keeps the stack at log n.
        if(end - t > s - begin) {
            SortRange(begin, s, less);
            begin = t;
        }
        else {
            SortRange(t, end, less);
            end = s;
        }
    }
}

// Sorts indexes so that keys[index] ascend by order; equal keys keep their indexes in
// ascending order, so the sort of 0, 1, ..., n - 1 is stable.
void IndexSort(int* begin, const Value* keys, int* end, const ValueOrder& order);

} // namespace Qor
