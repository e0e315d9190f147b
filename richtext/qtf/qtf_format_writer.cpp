// Escaping plain text into Qtf and writing formats as differences against a base.
#include "richtext/qtf/qtf_format_writer.h"

#include "foundation/charset.h"
#include "foundation/values/language_code.h"
#include "richtext/qtf/qtf_common_internal.h"

#include <cstdio>

namespace Qor {

namespace {

enum EscapeMode { PLAIN, WITH_TABS, DELIMITED };

String Escape(const char* text, EscapeMode mode)
{
    bool tabs = mode == WITH_TABS;
    String out;
    for(const byte* s = (const byte*)text; *s; s++) {
        int c = *s;
        if(c == '\n' && mode != DELIMITED)
            out.AppendChar('&');
        else if(tabs && c == '\t')
            out.Append("-|", 2);
        else if(tabs && c < 32)
            continue;
        else {
            if((c >= 0x21 && c <= 0x7F && !IsAsciiAlnum(c)) || c == '\n')
                out.AppendChar('`');
            out.AppendChar(c);
        }
    }
    return out;
}

void WriteFlag(String& out, bool a, bool b, char command)
{
    if(a != b)
        out.AppendChar(command);
}

} // namespace

void AppendInt(String& out, int v)
{
    char h[16];
    int n = std::snprintf(h, sizeof(h), "%d", v);
    out.Append(h, n);
}

bool EndsWithDigit(const String& out)
{
    int n = out.GetLength();
    return n > 0 && out[n - 1] >= '0' && out[n - 1] <= '9';
}

String EscapeQtfText(const char* text) { return Escape(text, PLAIN); }

String EscapeQtfTextWithTabs(const char* text) { return Escape(text, WITH_TABS); }

String EscapeQtfDelimitedText(const char* text) { return Escape(text, DELIMITED); }

void WriteQtfColor(String& out, Color c)
{
    if(c.IsNullInstance()) {
        out.AppendChar('N');
        return;
    }
    int digit = QtfColorDigit(c);
    if(digit >= 0) {
        out.AppendChar('0' + digit);
        return;
    }
    out.AppendChar('(');
    AppendInt(out, c.GetR());
    if(c.GetR() != c.GetG() || c.GetG() != c.GetB()) {
        out.AppendChar('.');
        AppendInt(out, c.GetG());
        out.AppendChar('.');
        AppendInt(out, c.GetB());
    }
    out.AppendChar(')');
}

void WriteQtfLanguage(String& out, int language, int reference)
{
    if(language == reference)
        return;
    if(language == 0)
        out.Append("%-", 2);
    else if(language == LANGUAGE_EN_US)
        out.Append("%%", 2);
    else {
        out.AppendChar('%');
        out.Append(LanguageCodeToText(language));
    }
}

void WriteQtfNumber(String& out, char letter, int value, int reference)
{
    if(value == reference)
        return;
    out.AppendChar(letter);
    AppendInt(out, value);
    out.AppendChar(';');
}

void WriteQtfColor(String& out, char letter, Color c, Color reference)
{
    if(c == reference)
        return;
    out.AppendChar(letter);
    WriteQtfColor(out, c);
}

void WriteQtfCharFormat(String& out, const CharacterFormat& old, const CharacterFormat& f)
{
    const Font& a = old.font;
    const Font& b = f.font;
    WriteFlag(out, a.IsBold(), b.IsBold(), '*');
    WriteFlag(out, a.IsItalic(), b.IsItalic(), '/');
    WriteFlag(out, a.IsUnderline(), b.IsUnderline(), '_');
    WriteFlag(out, a.IsStrikeout(), b.IsStrikeout(), '-');
    WriteFlag(out, a.IsNonAntiAliased(), b.IsNonAntiAliased(), 'T');
    WriteFlag(out, old.capitals, f.capitals, 'c');
    WriteFlag(out, old.dashed, f.dashed, 'd');
    if(old.script != f.script) {
        // A script command toggles its own script, so "none" repeats the old one's.
        int s = f.script ? f.script : old.script;
        if(s == CharacterFormat::SUPERSCRIPT)
            out.AppendChar('`');
        else if(s == CharacterFormat::SUBSCRIPT)
            out.AppendChar(',');
    }
    if(a.GetFace() != b.GetFace()) {
        switch(b.GetFace()) {
        case Font::STDFONT:
            out.AppendChar('G');
            break;
        case Font::SERIF:
            out.AppendChar('R');
            break;
        case Font::SANSSERIF:
            out.AppendChar('A');
            break;
        case Font::MONOSPACE:
            out.AppendChar('C');
            break;
        default:
            out.AppendChar('!');
            out.Append(b.GetFaceName());
            out.AppendChar('!');
        }
    }
    if(old.link != f.link) {
        out.AppendChar('^');
        out.Append(EscapeQtfDelimitedText(f.link.Begin()));
        out.AppendChar('^');
    }
    if(old.index_entry != f.index_entry) {
        out.AppendChar('I');
        out.Append(EscapeQtfDelimitedText(EncodeUtf8(f.index_entry).Begin()));
        out.AppendChar(';');
    }
    WriteQtfColor(out, '@', f.ink, old.ink);
    WriteQtfColor(out, '$', f.paper, old.paper);
    int height = b.GetHeight();
    if(a.GetHeight() != height) {
        int digit = QtfHeightDigit(height);
        if(digit >= 0) {
            if(EndsWithDigit(out))
                out.AppendChar(';');
            out.AppendChar('0' + digit);
        }
        else {
            out.AppendChar('+');
            AppendInt(out, height);
        }
    }
}

namespace {

void WriteNumbering(String& out, const ParagraphNumbering& f, const ParagraphNumbering& old)
{
    if(f.before_number != old.before_number) {
        out.AppendChar('n');
        out.Append(EscapeQtfDelimitedText(f.before_number.Begin()));
        out.AppendChar(';');
    }
    if(f.after_number != old.after_number) {
        // Escaped like the text before the number: a ";" in it would end it early.
        out.AppendChar('m');
        out.Append(EscapeQtfDelimitedText(f.after_number.Begin()));
        out.AppendChar(';');
    }
    out.AppendChar('N');
    int last = -1;
    for(int i = 0; i < 8; i++)
        if(f.number[i])
            last = i;
    for(int i = 0; i <= last; i++)
        out.AppendChar(f.number[i] < QTF_NUMBER_KINDS ? QTF_NUMBER_LETTERS[f.number[i]] : '-');
    out.AppendChar(f.reset_numbering ? '!' : ';');
}

void WriteTabs(String& out, const Vector<TabStop>& tabs)
{
    out.Append("~~", 2);
    for(const TabStop& t : tabs) {
        out.AppendChar('~');
        if(t.align == TabStop::RIGHT)
            out.AppendChar('>');
        else if(t.align == TabStop::CENTER)
            out.AppendChar('=');
        if(t.fillchar >= 1 && t.fillchar <= 3)
            out.AppendChar(".-_"[t.fillchar - 1]);
        AppendInt(out, t.pos);
    }
    if(!tabs.IsEmpty())
        out.AppendChar(';');
}

} // namespace

void WriteQtfParaFormat(String& out, const ParagraphFormat& f, const ParagraphFormat& old)
{
    if(f.align != old.align)
        out.AppendChar(f.align == ParagraphFormat::ALIGN_RIGHT     ? '>'
                       : f.align == ParagraphFormat::ALIGN_CENTER  ? '='
                       : f.align == ParagraphFormat::ALIGN_JUSTIFY ? '#'
                                                                   : '<');
    WriteQtfNumber(out, 'l', f.lm, old.lm);
    WriteQtfNumber(out, 'r', f.rm, old.rm);
    WriteQtfNumber(out, 'i', f.indent, old.indent);
    WriteQtfNumber(out, 'H', f.ruler, old.ruler);
    WriteQtfColor(out, 'h', f.ruler_color, old.ruler_color);
    WriteQtfNumber(out, 'L', f.ruler_style, old.ruler_style);
    WriteQtfNumber(out, 'b', f.before, old.before);
    WriteQtfNumber(out, 'a', f.after, old.after);
    WriteFlag(out, f.new_page, old.new_page, 'P');
    WriteFlag(out, f.keep, old.keep, 'k');
    WriteFlag(out, f.keep_next, old.keep_next, 'K');
    WriteFlag(out, f.orphan, old.orphan, 'Q');
    if(f.line_spacing != old.line_spacing)
        out.Append(f.line_spacing == ParagraphFormat::LINE_DOUBLE         ? "pd"
                   : f.line_spacing == ParagraphFormat::LINE_ONE_AND_HALF ? "ph"
                                                                          : "po",
                   2);
    if(f.bullet != old.bullet) {
        out.AppendChar('O');
        switch(f.bullet) {
        case ParagraphFormat::BULLET_NONE:
            out.AppendChar('_');
            break;
        case ParagraphFormat::BULLET_RING:
            out.AppendChar('1');
            break;
        case ParagraphFormat::BULLET_SQUARE:
            out.AppendChar('2');
            break;
        case ParagraphFormat::BULLET_HOLLOW_SQUARE:
            out.AppendChar('3');
            break;
        case ParagraphFormat::BULLET_TEXT:
            out.AppendChar('9');
            break;
        default:
            out.AppendChar('0');
        }
        out.AppendChar(';');
    }
    if(!f.label.IsEmpty()) {
        out.AppendChar(':');
        out.Append(EscapeQtfDelimitedText(f.label.Begin()));
        out.AppendChar(':');
    }
    if(f.Differs(old))
        WriteNumbering(out, f, old);
    WriteQtfNumber(out, 't', f.tab_size, old.tab_size);
    if(!TabStopsEqual(f.tab, old.tab))
        WriteTabs(out, f.tab);
}

} // namespace Qor
