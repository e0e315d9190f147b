// RichTxt: storing and reading paragraphs and tables, text lengths, whole-list operations
// and the plain text.

#include "richtext/text/rich_txt.h"

#include "richtext/model/packed_paragraph.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"

#include <utility>

namespace Qor {

namespace {

int64 NextParagraphSerial()
{
    static int64 serial = 0;
    return ++serial;
}

} // namespace

RichTxt::Para::Para() : serial(NextParagraphSerial()) {}

RichTxt::Para::Para(const Para& p)
    : style(p.style), length(p.length), content(p.content), object(p.object), serial(NextParagraphSerial()),
      has_label_or_index_entry(p.has_label_or_index_entry)
{
    if(p.numbering)
        numbering = OwnedPtr<ParagraphNumbering>(new ParagraphNumbering(*p.numbering));
}

void RichTxt::Para::Invalidate()
{
    needs_layout = true;
    layout_width = -1;
    serial = NextParagraphSerial();
}

RichTxt::RichTxt(const RichTxt& t) : length(t.length), table_count(t.table_count)
{
    part.Reserve(t.part.GetCount());
    for(int i = 0; i < t.part.GetCount(); i++) {
        Any& a = part.Add();
        if(t.IsTable(i))
            a.Create<RichTable>(t.GetTable(i));
        else if(!t.part[i].IsEmpty())
            a.Create<Para>(t.GetPara(i));
    }
}

RichTxt::RichTxt(RichTxt&& t) noexcept : part(std::move(t.part)), length(t.length), table_count(t.table_count)
{
    t.part.Clear();
    t.ClearCaches();
}

RichTxt& RichTxt::operator=(const RichTxt& t)
{
    if(this != &t) {
        RichTxt copy(t);
        *this = std::move(copy);
    }
    return *this;
}

RichTxt& RichTxt::operator=(RichTxt&& t) noexcept
{
    if(this != &t) {
        part = std::move(t.part);
        length = t.length;
        table_count = t.table_count;
        t.part.Clear();
        t.ClearCaches();
    }
    return *this;
}

void RichTxt::Clear()
{
    part.Clear();
    ClearCaches();
}

void RichTxt::SetCount(int n)
{
    part.SetCount(n);
    InvalidateCaches();
}

bool RichTxt::IsTable(int i) const { return part[i].Is<RichTable>(); }

RichTable& RichTxt::GetTable(int i) { return part[i].Get<RichTable>(); }

const RichTable& RichTxt::GetTable(int i) const { return part[i].Get<RichTable>(); }

int RichTxt::GetPartLength(int i) const
{
    if(IsTable(i))
        return GetTable(i).GetLength();
    return part[i].Is<Para>() ? GetPara(i).length : 0;
}

int RichTxt::GetLength() const
{
    if(length < 0) {
        int n = 0;
        for(int i = 0; i < part.GetCount(); i++)
            n += GetPartLength(i);
        length = part.IsEmpty() ? 0 : n + part.GetCount() - 1;
    }
    return length;
}

int RichTxt::GetTableCount() const
{
    if(table_count < 0) {
        int n = 0;
        for(int i = 0; i < part.GetCount(); i++)
            if(IsTable(i))
                n += 1 + GetTable(i).GetTableCount();
        table_count = n;
    }
    return table_count;
}

bool RichTxt::IsEmpty() const { return part.IsEmpty() || (part.GetCount() == 1 && GetPartLength(0) == 0); }

void RichTxt::GetParagraph(int i, UnpackedParagraph& p, const Uuid& style, const ParagraphStyleMap& styles,
                           bool use_cache) const
{
    const Para& para = GetPara(i);
    p.cache_key = use_cache ? para.serial : 0;
    UnpackParagraph(p, para.content, para.object, RichText::GetStyle(styles, style).format);
    p.format.style = style;
}

void RichTxt::GetParagraph(int i, UnpackedParagraph& p, const ParagraphStyleMap& styles, bool use_cache) const
{
    GetParagraph(i, p, GetPara(i).style, styles, use_cache);
}

void RichTxt::GetParagraph(int i, UnpackedParagraph& p, const ParagraphFormat& style) const
{
    const Para& para = GetPara(i);
    p.cache_key = 0;
    UnpackParagraph(p, para.content, para.object, style);
}

RichTxt::Para& RichTxt::MakePara(int i)
{
    QOR_ASSERT(i >= 0 && i <= part.GetCount());
    if(i < part.GetCount() && part[i].Is<Para>())
        return GetPara(i);
    if(i >= part.GetCount())
        part.SetCount(i + 1);
    return part[i].Create<Para>();
}

void RichTxt::SetParagraph(int i, const UnpackedParagraph& p, const ParagraphFormat& style)
{
    Para& para = MakePara(i);
    para.numbering.Clear();
    para.content = PackParagraph(p, style, para.object);
    para.Invalidate();
    para.marked_valid = false;
    para.marked.Clear();
    para.style = p.format.style;
    para.length = p.GetLength();
    para.has_label_or_index_entry = p.HasLabelOrIndexEntry();
    if(p.format.GetLevel() >= 0 || p.format.reset_numbering)
        para.numbering = OwnedPtr<ParagraphNumbering>(new ParagraphNumbering(p.format));
    // The stored length changed with the paragraph.
    InvalidateCaches();
}

void RichTxt::Set(int i, const UnpackedParagraph& p, const ParagraphStyleMap& styles)
{
    SetParagraph(i, p, RichText::GetStyle(styles, p.format.style).format);
    InvalidateCaches();
}

void RichTxt::SetTable(int i, RichTable& table)
{
    QOR_ASSERT(i >= 0 && i <= part.GetCount());
    table.Normalize();
    if(i >= part.GetCount())
        part.SetCount(i + 1);
    part[i].Create<RichTable>(std::move(table));
    InvalidateCaches();
}

bool RichTxt::Apply(ParaOp& op)
{
    bool changed = false;
    for(int i = 0; i < part.GetCount(); i++) {
        if(IsTable(i)) {
            RichTable& t = GetTable(i);
            t.ForVisibleCells([&](int r, int c, const TableCell&) {
                if(t.ApplyToCell(r, c, op)) {
                    t.InvalidateCell(r, c);
                    changed = true;
                }
                return true;
            });
        }
        else if(part[i].Is<Para>() && op.Apply(GetPara(i)))
            changed = true;
    }
    return changed;
}

WString RichTxt::GetPlainText(bool crlf) const
{
    WString text;
    bool first = true;
    auto separate = [&] {
        if(!first) {
            if(crlf)
                text += (wchar16)'\r';
            text += (wchar16)'\n';
        }
        first = false;
    };
    for(int i = 0; i < part.GetCount(); i++) {
        if(IsTable(i)) {
            GetTable(i).ForVisibleCells([&](int, int, const TableCell& cell) {
                separate();
                text += cell.text.GetPlainText(crlf);
                return true;
            });
        }
        else if(part[i].Is<Para>()) {
            separate();
            UnpackedParagraph p;
            GetParagraph(i, p, GetDefaultParagraphStyle().format);
            text += p.GetText();
        }
    }
    return text;
}

} // namespace Qor
