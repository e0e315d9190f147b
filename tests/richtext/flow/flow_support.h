// Helpers of the page flow, table and painting tests: line heights and advances read from
// the font at run time, contexts over an empty style map, paragraphs and tables built in
// a few lines.
#pragma once

#include "draw/font/font_metrics.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"
#include "tests/richtext/layout/layout_support.h"
#include "tests/richtext/support/rich_txt_builder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

namespace Qor {

inline void PrintTo(const PagePosition& p, std::ostream* os) { *os << "(page " << p.page << ", y " << p.y << ")"; }

} // namespace Qor

namespace QorTest {

inline const Qor::ParagraphStyleMap& NoStyles()
{
    static Qor::ParagraphStyleMap styles;
    return styles;
}

inline Qor::LayoutContext Context(const Qor::Rect& page, Qor::PagePosition py)
{
    Qor::LayoutContext rc;
    rc.styles = &NoStyles();
    rc.page = page;
    rc.py = py;
    return rc;
}

inline Qor::LayoutContext Context(const Qor::Rect& page) { return Context(page, Qor::PagePosition(0, page.top)); }

// A format of the default font with the given lengths.
inline Qor::ParagraphFormat Format(int ruler = 0, int before = 0, int after = 0)
{
    Qor::ParagraphFormat f;
    f.ruler = ruler;
    f.before = before;
    f.after = after;
    return f;
}

inline Qor::RichTxt Text(const char* text, const Qor::ParagraphFormat& f = Qor::ParagraphFormat())
{
    Qor::RichTxt t;
    AddParagraph(t, text, f);
    return t;
}

// rows × columns cells of width 1 each, every cell holding one paragraph of text; no
// frame, grid, margins or spacing unless asked for.
inline Qor::RichTable PlainTable(int rows, int columns, const char* text = "x")
{
    Qor::RichTable t;
    Qor::TableFormat f;
    f.frame = 0;
    f.grid = 0;
    for(int c = 0; c < columns; c++)
        f.column.Add(1);
    t.SetFormat(f);
    Qor::CellFormat cf;
    cf.margin_left = cf.margin_top = cf.margin_right = cf.margin_bottom = 0;
    for(int r = 0; r < rows; r++)
        for(int c = 0; c < columns; c++) {
            Qor::RichTxt cell = Text(text);
            t.SetText(r, c, cell);
            t.SetFormat(r, c, cf);
        }
    return t;
}

// Appends a normalised copy of the table as the list's next part.
inline void AddTable(Qor::RichTxt& t, const Qor::RichTable& table)
{
    Qor::RichTable copy = table;
    t.SetTable(t.GetPartCount(), copy);
}

// A document whose tables hold each other depth times.
inline Qor::RichTxt NestedTables(int depth, bool header, bool keep)
{
    Qor::RichTxt inner = Text("aaaa bbbb");
    for(int i = 0; i < depth; i++) {
        Qor::RichTable t = PlainTable(2, 1);
        Qor::TableFormat f = t.GetFormat();
        f.frame = 10;
        f.grid = 4;
        f.header = header ? 1 : 0;
        f.keep = keep;
        t.SetFormat(f);
        Qor::CellFormat cf;
        cf.keep = keep;
        t.SetFormat(1, 0, cf);
        t.SetText(1, 0, inner);
        Qor::RichTxt outer;
        outer.SetTable(0, t);
        inner = std::move(outer);
    }
    return inner;
}

// A document of one paragraph per text, in the default style.
inline Qor::RichText Document(std::initializer_list<const char*> texts)
{
    Qor::RichText doc;
    Qor::ClearRichText(doc);
    for(const char* text : texts)
        AddParagraph(doc, text);
    return doc;
}

} // namespace QorTest
