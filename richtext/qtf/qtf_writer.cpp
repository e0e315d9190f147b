// Writing paragraphs, part lists with their tables, and whole documents as Qtf.
#include "richtext/qtf/qtf_writer.h"

#include "foundation/charset.h"
#include "foundation/key_map.h"
#include "foundation/values/language_code.h"
#include "richtext/qtf/qtf_common_internal.h"
#include "richtext/table/rich_table.h"

#include <cstdio>

namespace Qor {

namespace {

void LineBreak(String& out, bool crlf)
{
    if(crlf)
        out.Append("\r\n", 2);
}

void AppendUtf8(String& out, int c)
{
    if(c < 0x800) {
        out.AppendChar(0xC0 | c >> 6);
        out.AppendChar(0x80 | (c & 0x3F));
    }
    else {
        out.AppendChar(0xE0 | c >> 12);
        out.AppendChar(0x80 | ((c >> 6) & 0x3F));
        out.AppendChar(0x80 | (c & 0x3F));
    }
}

// Binary object data: groups of up to 7 bytes behind a header holding their high bits.
void WriteBinary(String& out, const String& data, bool crlf)
{
    LineBreak(out, crlf);
    int groups = 0;
    for(int i = 0; i < data.GetLength(); i += 7) {
        int n = std::min(7, data.GetLength() - i);
        int header = 0x80;
        for(int k = 0; k < n; k++)
            header |= (data[i + k] >> 7) << k;
        out.AppendChar(header);
        for(int k = 0; k < n; k++)
            out.AppendChar(data[i + k] | 0x80);
        if(++groups % 10 == 0)
            LineBreak(out, crlf);
    }
    LineBreak(out, crlf);
}

void WriteObject(String& out, const EmbeddedObject& o, bool crlf)
{
    LineBreak(out, crlf);
    out.Append("@@");
    out.Append(o.GetTypeName());
    out.AppendChar(':');
    AppendInt(out, o.GetSize().cx);
    out.AppendChar(o.IsKeepRatio() ? '&' : '*');
    AppendInt(out, o.GetSize().cy);
    if(o.GetYDelta()) {
        out.AppendChar('/');
        AppendInt(out, o.GetYDelta());
    }
    const RichObjectType* type = o.GetType();
    String data = type ? type->WriteData(o.GetData()) : o.GetData().ToString();
    if(type && type->IsTextData()) {
        out.AppendChar('`');
        for(int c : data) {
            if(c == '`')
                out.AppendChar('`');
            out.AppendChar(c);
        }
        out.AppendChar('`');
        LineBreak(out, crlf);
    }
    else
        WriteBinary(out, data, crlf);
}

} // namespace

void WriteQtfParagraph(String& out, const UnpackedParagraph& p, const ParagraphFormat& style, int charset, int language,
                       bool crlf)
{
    int line_start = out.GetLength();
    WriteQtfParaFormat(out, p.format, style);
    int plang;
    if(!p.part.IsEmpty()) {
        plang = p.part.Top().format.language;
        WriteQtfLanguage(out, plang, language);
    }
    else {
        WriteQtfCharFormat(out, style, p.format);
        WriteQtfLanguage(out, p.format.language, language);
        plang = language;
    }
    out.AppendChar(' ');
    bool after_binary = false; // binary object data runs on through bytes from 0x80
    for(const ParagraphPart& part : p.part) {
        String header;
        WriteQtfLanguage(header, part.format.language, plang);
        WriteQtfCharFormat(header, style, part.format);
        if(!header.IsEmpty()) {
            out.AppendChar('[');
            out.Append(header);
            out.AppendChar(' ');
            after_binary = false;
        }
        if(part.IsField()) {
            LineBreak(out, crlf);
            out.Append("{:");
            out.Append(EscapeQtfDelimitedText(part.field.Begin()));
            out.AppendChar(':');
            out.Append(EscapeQtfDelimitedText(part.field_param.Begin()));
            out.Append(":}");
            LineBreak(out, crlf);
            line_start = out.GetLength();
            after_binary = false;
        }
        else if(part.IsObject()) {
            WriteObject(out, part.object, crlf);
            line_start = out.GetLength();
            after_binary = !(part.object.GetType() && part.object.GetType()->IsTextData());
        }
        else {
            const WString& t = part.text;
            for(int i = 0; i < t.GetLength(); i++) {
                int c = t[i];
                if(c < 128 && QtfPlainChars[c])
                    out.AppendChar(c);
                else if(c == '\t')
                    out.Append("-|", 2);
                else if(c == ':' && (i + 1 >= t.GetLength() || t[i + 1] != ':'))
                    out.AppendChar(c);
                else if(c < 128) {
                    out.AppendChar('`');
                    out.AppendChar(c);
                }
                else if(c == 0xA0)
                    out.AppendChar('_');
                else {
                    // A backquote ends the object data before the character.
                    if(after_binary)
                        out.AppendChar('`');
                    if(charset == CHARSET_UTF8)
                        AppendUtf8(out, c);
                    else {
                        int b = EncodeChar(c, charset, 0);
                        if(b >= 0x80)
                            out.AppendChar(b);
                        else {
                            char h[16];
                            out.Append(h, std::snprintf(h, sizeof(h), "@$%04X;", c));
                        }
                    }
                }
                after_binary = false;
                if(crlf) {
                    int n = out.GetLength() - line_start;
                    if((c == ' ' && n > 60) || n > 80) {
                        LineBreak(out, true);
                        line_start = out.GetLength();
                    }
                }
            }
        }
        if(!header.IsEmpty()) {
            out.AppendChar(']');
            after_binary = false;
        }
    }
}

namespace {

void WriteCellFormat(String& out, const CellFormat& f, const CellFormat& old)
{
    if(f.align != old.align)
        out.AppendChar(f.align == CellFormat::ALIGN_BOTTOM ? 'v' : f.align == CellFormat::ALIGN_TOP ? '^' : '=');
    struct Side {
        char letter;
        int border, old_border, margin, old_margin;
    } sides[] = {
        { 'l', f.border_left, old.border_left, f.margin_left, old.margin_left },
        { 'r', f.border_right, old.border_right, f.margin_right, old.margin_right },
        { 't', f.border_top, old.border_top, f.margin_top, old.margin_top },
        { 'b', f.border_bottom, old.border_bottom, f.margin_bottom, old.margin_bottom },
    };
    for(const Side& s : sides)
        if(s.border != s.old_border || s.margin != s.old_margin) {
            out.AppendChar(s.letter);
            if(s.border != s.old_border)
                AppendInt(out, s.border);
            out.AppendChar('/');
            AppendInt(out, s.margin);
        }
    WriteQtfNumber(out, 'H', f.min_height, old.min_height);
    WriteQtfColor(out, '@', f.color, old.color);
    WriteQtfColor(out, 'R', f.border_color, old.border_color);
}

void WriteTable(String& out, const RichTable& t, const ParagraphStyleMap& styles, const ParagraphFormat& base,
                int options, const KeyIndex<Uuid>& ids, int charset, int language)
{
    bool crlf = options & QTF_CRLF;
    const TableFormat& f = t.GetFormat();
    TableFormat d;
    out.Append(" {{");
    for(int i = 0; i < f.column.GetCount(); i++) {
        if(i)
            out.AppendChar(':');
        AppendInt(out, f.column[i]);
    }
    WriteQtfNumber(out, '<', f.lm, d.lm);
    WriteQtfNumber(out, '>', f.rm, d.rm);
    WriteQtfNumber(out, 'B', f.before, d.before);
    WriteQtfNumber(out, 'A', f.after, d.after);
    WriteQtfNumber(out, 'f', f.frame, d.frame);
    if(f.keep)
        out.AppendChar('K');
    WriteQtfColor(out, 'F', f.frame_color, d.frame_color);
    WriteQtfNumber(out, 'g', f.grid, d.grid);
    WriteQtfColor(out, 'G', f.grid_color, d.grid_color);
    WriteQtfNumber(out, 'h', f.header, d.header);
    CellFormat previous;
    for(int r = 0; r < t.GetRows(); r++)
        for(int c = 0; c < t.GetColumns(); c++) {
            const TableCell& cell = t.GetCell(r, c);
            if(r || c) {
                LineBreak(out, crlf);
                out.Append("::");
            }
            WriteCellFormat(out, cell.format, previous);
            previous = cell.format;
            if(cell.hspan) {
                out.AppendChar('-');
                AppendInt(out, cell.hspan);
            }
            if(cell.vspan) {
                out.AppendChar('|');
                AppendInt(out, cell.vspan);
            }
            if(cell.format.keep)
                out.AppendChar('k');
            out.AppendChar(' ');
            WriteQtfBody(out, cell.text, styles, base, options, ids, charset, language);
        }
    out.Append("}}");
}

} // namespace

void WriteQtfBody(String& out, const RichTxt& txt, const ParagraphStyleMap& styles, const ParagraphFormat& base,
                  int options, const KeyIndex<Uuid>& ids, int charset, int language)
{
    bool crlf = options & QTF_CRLF;
    out.AppendChar('[');
    for(int i = 0; i < txt.GetPartCount(); i++) {
        if(i) {
            out.Append("&]");
            LineBreak(out, crlf);
            out.AppendChar('[');
        }
        if(txt.IsTable(i)) {
            WriteTable(out, txt.GetTable(i), styles, base, options, ids, charset, language);
            continue;
        }
        UnpackedParagraph p;
        txt.GetParagraph(i, p, styles);
        int n = ids.Find(p.format.style);
        const ParagraphFormat* style = &base;
        if(!(options & QTF_NOSTYLES)) {
            out.AppendChar('s');
            AppendInt(out, n);
            if(n >= 0)
                style = &RichText::GetStyle(styles, p.format.style).format;
        }
        if(EndsWithDigit(out))
            out.AppendChar(';');
        WriteQtfParagraph(out, p, *style, charset, language, crlf);
    }
    out.AppendChar(']');
}

String WriteQtfDocument(const RichText& text, int charset, int options)
{
    String out;
    bool crlf = options & QTF_CRLF;
    const ParagraphStyleMap& styles = text.GetStyles();
    KeyIndex<Uuid> ids;
    for(int i = 0; i < styles.GetCount(); i++)
        ids.Add(styles.GetKey(i));
    if(!(options & QTF_NOSTYLES)) {
        ParagraphFormat base;
        base.font = QtfStartFont();
        base.language = LANGUAGE_EN_US;
        // The reader makes the default style's format its current one, the base of every
        // later definition: it comes last, so that the others read against the base.
        for(int pass = 0; pass < 2; pass++)
            for(int i = 0; i < styles.GetCount(); i++) {
                if((styles.GetKey(i) == DefaultStyleId) != (pass == 1))
                    continue;
                const ParagraphStyle& s = styles[i];
                out.AppendChar('[');
                WriteQtfParaFormat(out, s.format, base);
                WriteQtfCharFormat(out, base, s.format);
                out.Append(" $$");
                AppendInt(out, i);
                out.AppendChar(',');
                AppendInt(out, std::max(ids.Find(s.next), 0));
                out.AppendChar('#');
                out.Append(UuidToText(styles.GetKey(i)));
                out.AppendChar(':');
                out.Append(EscapeQtfDelimitedText(s.name.Begin()));
                out.AppendChar(']');
                LineBreak(out, crlf);
            }
    }
    if(text.GetPartCount() && (options & QTF_BODY)) {
        // The language most paragraphs near the start have; the first found wins a tie.
        KeyMap<int, int> count;
        for(int i = 0; i < std::min(30, text.GetPartCount()); i++)
            if(text.IsPara(i)) {
                UnpackedParagraph p;
                text.GetParagraph(i, p, styles);
                int lang = p.part.IsEmpty() ? p.format.language : p.part.Top().format.language;
                count.GetAdd(lang, 0)++;
            }
        int language = 0, best = 0;
        for(int i = 0; i < count.GetCount(); i++)
            if(count[i] > best) {
                best = count[i];
                language = count.GetKey(i);
            }
        out.AppendChar('[');
        if(!(options & QTF_NOCHARSET)) {
            out.AppendChar('{');
            if(charset == CHARSET_UTF8)
                out.AppendChar('_');
            else if(charset >= 15 && charset <= 23)
                out.AppendChar('0' + charset - 15);
            else if(charset >= 1 && charset <= 14)
                out.AppendChar('A' + charset - 1);
            else
                out.Append(EscapeQtfDelimitedText(NameOfCharset(charset)));
            out.AppendChar('}');
        }
        if(language && !(options & QTF_NOLANG)) {
            out.AppendChar('%');
            out.Append(LanguageCodeToText(language));
        }
        out.AppendChar(' ');
        LineBreak(out, crlf);
        ParagraphFormat body_base;
        body_base.font = QtfStartFont();
        WriteQtfBody(out, text, styles, body_base, options, ids, charset, language);
        out.AppendChar(']');
    }
    return out;
}

} // namespace Qor
