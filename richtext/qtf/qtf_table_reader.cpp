// The Qtf reader's tables: grid tables with their table and cell formats, and proportional
// tables turned into one column grid with spans when they end.
#include "richtext/qtf/qtf_parser.h"

#include <algorithm>
#include <cstring>

namespace Qor {

namespace {

int ClampSpan(int v) { return std::max(0, std::min(v, (int)RichQtfParser::MAX_SPAN)); }

} // namespace

QtfTableState& RichQtfParser::PushTable()
{
    if(tablepart.GetCount() >= MAX_TABLE_DEPTH)
        MarkupErrorParagraph("Nesting too deep");
    return tablepart.Add();
}

void RichQtfParser::BeginTable()
{
    if(oldtab)
        MarkupErrorParagraph("{{ in ++ table");
    if(istable || !text.IsEmpty() || !paragraph.part.IsEmpty())
        EndParagraph();
    QtfTableState& t = PushTable();
    int width = IsDigit() ? ReadRequiredNumber() : 1;
    t.table.AddColumn(std::min(width, (int)MAX_COLUMN_WIDTH));
    while(Key(':'))
        t.table.AddColumn(std::min(ReadRequiredNumber(), (int)MAX_COLUMN_WIDTH));
    ReadCellFormat();
}

void RichQtfParser::ReadCellFormat()
{
    if(tablepart.IsEmpty())
        MarkupErrorParagraph("Not in table");
    QtfTableState& t = tablepart.Top();
    // Most groups set only cell letters: the table format, with its columns, is copied and
    // stored back only once a table letter comes.
    TableFormat tf;
    bool table_changed = false;
    auto table = [&]() -> TableFormat& {
        if(!table_changed) {
            tf = t.table.GetFormat();
            table_changed = true;
        }
        return tf;
    };
    CellFormat& f = t.format;
    for(;;) {
        int c = (byte)*term;
        if(!c)
            MarkupErrorParagraph("Unexpected end of text in cell format");
        if(oldtab && c >= '0' && c <= '9') {
            t.cellspan = ClampSpan(ReadNumber());
            continue;
        }
        term++;
        if(c == ' ')
            break;
        int a, b;
        switch(c) {
        case 'B':
            table().before = ReadDimension();
            break;
        case '<':
            table().lm = ReadDimension();
            break;
        case '>':
            table().rm = ReadDimension();
            break;
        case 'A':
            table().after = ReadDimension();
            break;
        case 'f':
            table().frame = ReadDimension();
            break;
        case 'F':
        case '_':
            table().frame_color = ReadColor();
            break;
        case 'g':
            table().grid = ReadDimension();
            break;
        case 'G':
            table().grid_color = ReadColor();
            break;
        case '~': {
            TableFormat& g = table();
            g.frame = g.grid = 0;
            break;
        }
        case 'h':
            table().header = ClampSpan(ReadNumber());
            break;
        case 'K':
        case 'k':
        case 'a':
            if(c == 'k')
                f.keep = true;
            if(c != 'a')
                table().keep = true;
            ReadDimensionPair(a, b);
            // Negative widths and margins are passed over: layout cannot use them.
            if(a >= 0)
                f.border_left = f.border_top = f.border_right = f.border_bottom = a;
            if(b >= 0)
                f.margin_left = f.margin_top = f.margin_right = f.margin_bottom = b;
            break;
        case 'l':
        case 't':
        case 'r':
        case 'b': {
            ReadDimensionPair(a, b);
            int& border = c == 'l'   ? f.border_left
                          : c == 't' ? f.border_top
                          : c == 'r' ? f.border_right
                                     : f.border_bottom;
            int& margin = c == 'l'   ? f.margin_left
                          : c == 't' ? f.margin_top
                          : c == 'r' ? f.margin_right
                                     : f.margin_bottom;
            if(a >= 0)
                border = a;
            if(b >= 0)
                margin = b;
            break;
        }
        case '^':
            f.align = CellFormat::ALIGN_TOP;
            break;
        case '=':
            f.align = CellFormat::ALIGN_CENTER;
            break;
        case 'v':
            f.align = CellFormat::ALIGN_BOTTOM;
            break;
        case 'H':
            f.min_height = ReadDimension();
            break;
        case '@':
            f.color = ReadColor();
            break;
        case 'R':
            f.border_color = ReadColor();
            break;
        case '!':
            f = CellFormat();
            break;
        case '+':
        case '|':
            t.rowspan = ClampSpan(ReadNumber());
            break;
        case '-':
            t.cellspan = ClampSpan(ReadNumber());
            break;
        case ';':
            break;
        default:
            MarkupErrorParagraph("Invalid cell format");
        }
    }
    if(table_changed)
        t.table.SetFormat(tf);
}

void RichQtfParser::EndCell()
{
    EndParagraph();
    if(tablepart.IsEmpty())
        MarkupErrorParagraph("Not in table");
    QtfTableState& t = tablepart.Top();
    int row, col;
    if(oldtab) {
        row = t.rownum.GetCount() - 1;
        col = t.rownum.Top()++;
    }
    else {
        int nc = t.table.GetColumns();
        row = t.cell / nc;
        col = t.cell % nc;
    }
    t.table.SetText(row, col, t.text);
    t.table.SetFormat(row, col, t.format);
    t.table.SetSpan(row, col, t.rowspan, t.cellspan);
    if(oldtab && t.rownum.GetCount() > 1 && col + 1 < t.rownum[0]) {
        t.format = t.table.GetCell(0, col + 1).format;
        t.format.keep = false;
    }
    else {
        t.cell++;
        t.rowspan = 0;
        t.cellspan = oldtab ? 1 : 0;
        t.format.keep = false;
    }
}

void RichQtfParser::EndTable()
{
    if(oldtab)
        MarkupErrorParagraph("}} in ++ table");
    EndCell();
    table = std::move(tablepart.Top().table);
    tablepart.Drop();
    istable = true;
}

void RichQtfParser::EndAllTables()
{
    // Each closed table is placed by the cell end of the table around it, or by the last
    // paragraph end of the text.
    while(!tablepart.IsEmpty())
        EndTable();
}

void RichQtfParser::BeginProportionalTable()
{
    FlushText();
    if(istable || !paragraph.part.IsEmpty())
        EndParagraph();
    QtfTableState& t = PushTable();
    t.rownum.Add(0);
    t.cellspan = 1;
    TableFormat tf;
    tf.grid = 10;
    t.table.SetFormat(tf);
    oldtab = true;
}

void RichQtfParser::EndProportionalTable()
{
    EndCell();
    QtfTableState& t = tablepart.Top();
    int rows = t.rownum.GetCount();
    // Widths below 1 would give a cell no column; totals in 64 bits cannot overflow.
    auto width = [&](int r, int c) { return (int64)std::max(1, (int)t.table.GetSpan(r, c).cx); };
    Vector<int64> total;
    total.SetCount(rows, 0);
    for(int r = 0; r < rows; r++)
        for(int c = 0; c < t.rownum[r]; c++)
            total[r] += width(r, c);
    Vector<int> index;
    index.SetCount(10001, -1);
    for(int r = 0; r < rows; r++) {
        int64 run = 0;
        for(int c = 0; c < t.rownum[r]; c++) {
            index[int(run * 10000 / total[r])] = 0;
            run += width(r, c);
        }
    }
    Vector<int> bound;
    for(int i = 0; i < 10000; i++)
        if(index[i] >= 0) {
            index[i] = bound.GetCount();
            bound.Add(i);
        }
    if(bound.IsEmpty())
        MarkupErrorParagraph("table");
    int columns = bound.GetCount();
    if((int64)rows * columns > MAX_PROPORTIONAL_CELLS)
        MarkupErrorParagraph("table");
    index[10000] = columns;
    bound.Add(10000);
    RichTable tab;
    tab.SetFormat(t.table.GetFormat());
    for(int i = 0; i < columns; i++)
        tab.AddColumn(bound[i + 1] - bound[i]);
    for(int r = 0; r < rows; r++) {
        int64 run = 0;
        int start = 0;
        for(int c = 0; c < t.rownum[r] && start < columns; c++) {
            run += width(r, c);
            // A cell too narrow for a column of its own still takes one.
            int end = std::max(index[int(run * 10000 / total[r])], start + 1);
            RichTxt cell_text = t.table.PickText(r, c);
            tab.SetText(r, start, cell_text);
            tab.SetFormat(r, start, t.table.GetCell(r, c).format);
            tab.SetSpan(r, start, std::max(t.table.GetSpan(r, c).cy - 1, 0), end - start - 1);
            start = end;
        }
    }
    tablepart.Drop();
    oldtab = false;
    RichTxt& txt = Container();
    txt.SetTable(txt.GetPartCount(), tab);
}

} // namespace Qor
