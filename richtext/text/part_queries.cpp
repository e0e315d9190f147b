// Caret and position queries over a part list and a document: the part that a position or
// a point falls into, asked with the position the page flow gives it.

#include "richtext/layout/paragraph_lines.h"
#include "richtext/table/rich_table.h"
#include "richtext/table/table_nesting_internal.h"
#include "richtext/text/page_metrics_internal.h"
#include "richtext/text/rich_text.h"

#include <algorithm>

namespace Qor {

CaretInfo RichTxt::GetCaret(int pos, LayoutContext rc) const
{
    pos = std::clamp(pos, 0, GetLength());
    for(int i = 0; i < GetPartCount(); i++) {
        int n = GetPartLength(i) + 1;
        if(pos < n) {
            if(IsTable(i))
                return GetTable(i).GetCaret(pos, rc);
            int next_before, next_first_line;
            GetNextParaValues(i, rc, next_before, next_first_line);
            UnpackedParagraph p;
            GetParagraph(i, p, ContextStyles(rc), true);
            return p.GetCaret(pos, rc.page, rc.py, next_before, next_first_line);
        }
        rc.py = GetNextPageY(i, rc);
        pos -= n;
    }
    return CaretInfo();
}

int RichTxt::PositionAt(int x, PagePosition point, LayoutContext rc) const
{
    if(GetPartCount() == 0)
        return -1;
    int pos = 0;
    for(int i = 0; i < GetPartCount(); i++) {
        int next_before, next_first_line;
        GetNextParaValues(i, rc, next_before, next_first_line);
        PagePosition end =
            IsTable(i) ? GetTable(i).GetEndPosition(rc) : GetParagraphEnd(i, rc, next_before, next_first_line);
        if(end > point) {
            if(IsTable(i))
                return pos + GetTable(i).PositionAt(x, point, rc);
            UnpackedParagraph p;
            GetParagraph(i, p, ContextStyles(rc), true);
            return pos + p.PositionAt(x, point, rc.page, rc.py, next_before, next_first_line);
        }
        pos += GetPartLength(i) + 1;
        rc.py = end;
    }
    return GetLength();
}

void RichTxt::DescribePosition(int pos, RichPositionInfo& info, int table_number, int max_level,
                               const ParagraphStyleMap& styles) const
{
    const int entry_number = table_number;
    int start = 0;
    for(int i = 0; i < GetPartCount(); i++) {
        const int len = GetPartLength(i);
        if(IsTable(i)) {
            const RichTable& table = GetTable(i);
            if(pos <= len) {
                // Nested past what layout enters: the position is not described further.
                if(TableNesting::TooDeep())
                    return;
                info.level++;
                info.table_part = i;
                info.table_part_count = GetPartCount();
                info.container_length = GetLength();
                info.table_start = start;
                info.table_position = pos;
                info.table = table_number + 1;
                info.table_columns = table.GetColumns();
                info.table_rows = table.GetRows();
                info.table_length = len;
                info.tables_before = entry_number;
                int cell_pos = pos;
                Point cell = table.FindCell(cell_pos);
                if(cell.x < 0)
                    return;
                const RichTxt& text = table.GetCell(cell.y, cell.x).text;
                info.cell_column = cell.x;
                info.cell_row = cell.y;
                info.cell_position = cell_pos;
                info.cell_length = text.GetLength();
                if(info.level < max_level) {
                    TableNesting nesting;
                    text.DescribePosition(cell_pos, info, table_number + 1 + table.GetTableCountBefore(cell.y, cell.x),
                                          max_level, styles);
                }
                return;
            }
            table_number += 1 + table.GetTableCount();
        }
        else if(pos <= len) {
            info.paragraph = i;
            info.paragraph_count = GetPartCount();
            info.paragraph_position = pos;
            info.paragraph_length = len;
            UnpackedParagraph p;
            GetParagraph(i, p, styles, true);
            p.DescribePosition(info, pos);
            return;
        }
        pos -= len + 1;
        start += len + 1;
    }
    info.paragraph = GetPartCount();
    info.paragraph_count = GetPartCount();
    info.paragraph_position = 0;
    info.paragraph_length = 0;
}

CaretInfo RichText::GetCaret(int pos, const Rect& page) const
{
    return RichTxt::GetCaret(pos, DocumentContext(GetStyles(), page));
}

int RichText::PositionAt(int x, PagePosition point, const Rect& page) const
{
    return RichTxt::PositionAt(x, point, DocumentContext(GetStyles(), page));
}

RichPositionInfo RichText::DescribePosition(int pos, int max_level) const
{
    RichPositionInfo info;
    RichTxt::DescribePosition(pos, info, 0, max_level, GetStyles());
    if(IsNullInt(info.tables_before))
        info.tables_before = 0;
    return info;
}

} // namespace Qor
