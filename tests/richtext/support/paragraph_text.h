// Text descriptions of unpacked paragraphs and whole documents for comparing them in tests
// and fuzz targets: one line per text position with its character format, so that two
// paragraphs that differ only in where their runs are split describe alike.
#pragma once

#include "foundation/charset.h"
#include "richtext/model/paragraph.h"
#include "richtext/table/rich_table.h"
#include "richtext/text/rich_text.h"

#include <string>

namespace QorTest {

inline std::string DescribeCharFormat(const Qor::CharacterFormat& f)
{
    Qor::Font font = f.font;
    char b[160];
    std::snprintf(b, sizeof b, "face %d flags %04x height %d width %d lang %d ink %08x paper %08x script %d%s%s",
                  font.GetFace(), font.GetFlags(), font.GetHeight(), font.GetWidth(), (int)f.language, f.ink.GetBits(),
                  f.paper.GetBits(), (int)f.script, f.capitals ? " caps" : "", f.dashed ? " dashed" : "");
    std::string s = b;
    if(!f.link.IsEmpty())
        s += " link " + std::string(f.link.Begin(), f.link.GetLength());
    if(!f.index_entry.IsEmpty()) {
        Qor::String e = Qor::EncodeUtf8(f.index_entry);
        s += " index " + std::string(e.Begin(), e.GetLength());
    }
    return s;
}

inline std::string DescribeParts(const Qor::OwnedArray<Qor::ParagraphPart>& parts)
{
    std::string s;
    for(const Qor::ParagraphPart& p : parts) {
        std::string f = " | " + DescribeCharFormat(p.format) + "\n";
        if(p.IsField()) {
            s += "field " + std::string(p.field.Begin(), p.field.GetLength()) + " (" +
                 std::string(p.field_param.Begin(), p.field_param.GetLength()) + ")" + f + "{\n" +
                 DescribeParts(p.field_part) + "}\n";
        }
        else if(p.IsObject()) {
            Qor::String data = p.object.GetData().ToString();
            s += "object " + std::string(p.object.GetTypeName().Begin()) + " " +
                 std::string(data.Begin(), data.GetLength()) + f;
        }
        else
            for(int c : p.text)
                s += "char " + std::to_string(c) + f;
    }
    return s;
}

// The paragraph format's fields, then the positions; the paragraph's own character format
// only for a paragraph without parts, where it is the format of the paragraph's end.
inline std::string DescribeParagraph(const Qor::UnpackedParagraph& p)
{
    const Qor::ParagraphFormat& f = p.format;
    std::string s;
    char b[320];
    std::snprintf(b, sizeof b,
                  "align %d before %d lm %d indent %d rm %d after %d bullet %d keep %d newpage %d tabsize %d "
                  "keepnext %d orphan %d spacing %d ruler %d rulercolor %08x rulerstyle %d reset %d levels "
                  "%d%d%d%d%d%d%d%d\n",
                  f.align, f.before, f.lm, f.indent, f.rm, f.after, f.bullet, f.keep, f.new_page, f.tab_size,
                  f.keep_next, f.orphan, f.line_spacing, f.ruler, f.ruler_color.GetBits(), f.ruler_style,
                  f.reset_numbering, f.number[0], f.number[1], f.number[2], f.number[3], f.number[4], f.number[5],
                  f.number[6], f.number[7]);
    s += b;
    s += "label " + std::string(f.label.Begin(), f.label.GetLength()) + " numbers " +
         std::string(f.before_number.Begin(), f.before_number.GetLength()) + " / " +
         std::string(f.after_number.Begin(), f.after_number.GetLength()) + "\n";
    for(const Qor::TabStop& t : f.tab)
        s += "tab " + std::to_string(t.pos) + " " + std::to_string(t.align) + " " + std::to_string(t.fillchar) + "\n";
    if(p.part.IsEmpty())
        s += "end | " + DescribeCharFormat(f) + "\n";
    return s + DescribeParts(p.part);
}

// Every paragraph with its style, format and runs, every table with its formats, spans and
// cells, in text order.
inline std::string DescribeDocument(const Qor::RichText& doc, const Qor::RichTxt& txt)
{
    std::string s;
    for(int i = 0; i < txt.GetPartCount(); i++) {
        if(txt.IsPara(i)) {
            Qor::UnpackedParagraph p;
            txt.GetParagraph(i, p, doc.GetStyles());
            s += "style " + std::string(Qor::UuidToText(p.format.style).Begin()) + "\n" + DescribeParagraph(p);
            continue;
        }
        const Qor::RichTable& t = txt.GetTable(i);
        const Qor::TableFormat& f = t.GetFormat();
        char b[200];
        std::snprintf(b, sizeof b, "table %d %d %d %d %d %08x %d %08x %d %d\n", f.before, f.lm, f.rm, f.after, f.frame,
                      f.frame_color.GetBits(), f.grid, f.grid_color.GetBits(), f.header, f.keep);
        s += b;
        for(int w : f.column)
            s += std::to_string(w) + " ";
        for(int r = 0; r < t.GetRows(); r++)
            for(int c = 0; c < t.GetColumns(); c++) {
                const Qor::TableCell& cell = t.GetCell(r, c);
                const Qor::CellFormat& cf = cell.format;
                std::snprintf(b, sizeof b, "cell %d %d %d %d %d %d %d %d %d %d %08x %08x %d spans %d %d\n",
                              cf.border_left, cf.border_top, cf.border_right, cf.border_bottom, cf.margin_left,
                              cf.margin_top, cf.margin_right, cf.margin_bottom, cf.align, cf.min_height,
                              cf.color.GetBits(), cf.border_color.GetBits(), cf.keep, cell.vspan, cell.hspan);
                s += b + DescribeDocument(doc, cell.text);
            }
    }
    return s;
}

inline std::string DescribeDocument(const Qor::RichText& doc) { return DescribeDocument(doc, doc); }

} // namespace QorTest
