// A column list with a view of an exact size, for the layout, model and input tests.
#pragma once

#include "lists/columnlist/column_list.h"

#include "widgets/frame/view_edge.h"

#include <gtest/gtest.h>

namespace QorTest {

// Sizes the list so that its view is exactly view (with the scroll bar hidden).
inline Qor::Rect ListRectForView(Qor::Point at, Qor::Size view)
{
    Qor::Size outer = view;
    Qor::GetViewEdgeFrame().AddSize(outer);
    return Qor::Rect(at, outer);
}

// The list of the layout example: rows 20 high, a view of 300 by 80 (3 columns of 4 rows).
constexpr int ROW_HEIGHT = 20;
inline const Qor::Size EXAMPLE_VIEW(300, 80);

inline void FillItems(Qor::ColumnList& list, int n)
{
    for(int i = 0; i < n; i++)
        list.Add(i);
}

} // namespace QorTest
