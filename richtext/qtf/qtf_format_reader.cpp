// The Qtf reader's lexing and its format groups: numbers, colours, delimited texts, the
// character and paragraph commands, and styles.
#include "foundation/charset.h"
#include "foundation/values/language_code.h"
#include "richtext/qtf/qtf_common_internal.h"
#include "richtext/qtf/qtf_parser.h"

#include <algorithm>
#include <cstring>

namespace Qor {

int RichQtfParser::ReadNumber()
{
    bool negative = Key('-');
    int64 n = 0;
    while(IsDigit()) {
        n = n * 10 + (*term++ - '0');
        if(n > (int64)INT32_MAX + negative) {
            while(IsDigit())
                term++;
            MarkupErrorParagraph("Number out of range");
        }
    }
    return (int)(negative ? -n : n);
}

int RichQtfParser::ReadRequiredNumber()
{
    if(!IsDigit())
        MarkupErrorParagraph("Expected number");
    return ReadNumber();
}

void RichQtfParser::ReadDimensionPair(int& a, int& b)
{
    a = b = -1;
    if(IsDigit())
        a = std::min(ReadNumber(), (int)MAX_DIMENSION);
    if(Key('/'))
        b = std::min(ReadNumber(), (int)MAX_DIMENSION);
}

Color RichQtfParser::ReadColor()
{
    int c = (byte)*term;
    if(c)
        term++;
    if(c != '(')
        return QtfColorOfChar(c);
    int r = ReadNumber();
    if(Key(')'))
        return Color(r, r, r);
    Key('.');
    int g = ReadNumber();
    Key('.');
    int b = ReadNumber();
    Key(')');
    return Color(r, g, b);
}

String RichQtfParser::ReadText(int delimiter)
{
    String s;
    while(*term && (byte)*term != delimiter) {
        if(*term == '`') {
            term++;
            if(!*term)
                break;
        }
        s.AppendChar(*term++);
    }
    Key(delimiter);
    return s;
}

void RichQtfParser::PopFormat()
{
    QtfFormatState* saved = fstack.Pop();
    if(pf_state == PF_CURRENT) { // the noted format stays in its record, now set aside
        pf_state = PF_RECORD;
        pf_record = format;
    }
    else if(pf_state == PF_RECORD && pf_record == saved)
        pf_state = PF_CURRENT;
    fspare.Add(format);
    format = saved;
}

void RichQtfParser::FormatGroup()
{
    FlushText();
    if(fstack.GetCount() >= MAX_FORMAT_DEPTH)
        MarkupErrorParagraph("Nesting too deep");
    QtfFormatState* saved;
    if(fspare.IsEmpty())
        saved = &format_pool.Add();
    else {
        saved = fspare.Pop();
        if(pf_state == PF_RECORD && pf_record == saved)
            StoreParagraphFormat();
    }
    *saved = *format;
    fstack.Add(saved);
    if(pf_state == PF_CURRENT) { // the commands below change the current format
        pf_state = PF_RECORD;
        pf_record = saved;
    }
    for(;;) {
        int c = (byte)*term;
        if(!c)
            MarkupErrorParagraph("Unexpected end of text");
        term++;
        if(c == ' ' || c == '\n')
            break;
        FormatCommand(c);
    }
    SetParagraphFormat();
}

void RichQtfParser::SetCharset(const String& name)
{
    int c = name.GetLength() == 1 ? name[0] : 0;
    if(name == "_")
        format->charset = CHARSET_UTF8;
    else if(c >= '0' && c <= '8')
        format->charset = (byte)(c - 33);
    else if(c >= 'A' && c <= 'Z')
        format->charset = (byte)(c - 64);
    else {
        int code = FindCharset(name.Begin());
        if(code)
            format->charset = (byte)code;
    }
}

void RichQtfParser::ApplyStyle(const Uuid& id)
{
    if(pf_state == PF_CURRENT)
        StoreParagraphFormat();
    ParagraphFormat& f = format->format;
    LanguageCode language = f.language;
    bool new_page = f.new_page;
    f = StyleFormat(id);
    f.language = language;
    f.new_page = new_page;
    f.style = id;
}

const ParagraphFormat& RichQtfParser::StyleFormat(const Uuid& id)
{
    if(!found_style || found_style_id != id) {
        found_style = &target.GetStyle(id).format;
        found_style_id = id;
    }
    return *found_style;
}

void RichQtfParser::SetStyle(const Uuid& id, const ParagraphStyle& style)
{
    found_style = nullptr;
    target.SetStyle(id, style);
}

void RichQtfParser::StyleNumber()
{
    if(*term == '\"' || *term == '\'') {
        int quote = *term++;
        ApplyStyle(target.FindStyleByName(ReadText(quote)));
        return;
    }
    int n = ReadNumber();
    ApplyStyle(n >= 0 && n < styleid.GetCount() ? styleid[n] : DefaultStyleId);
}

void RichQtfParser::FormatCommand(int c)
{
    CharacterFormat& cf = format->format;
    ParagraphFormat& pf = format->format;
    Font& font = cf.font;
    switch(c) {
    case '*':
        font.Bold(!font.IsBold());
        break;
    case '/':
        font.Italic(!font.IsItalic());
        break;
    case '_':
        font.Underline(!font.IsUnderline());
        break;
    case '-':
        font.Strikeout(!font.IsStrikeout());
        break;
    case 'T':
        font.NonAntiAliased(!font.IsNonAntiAliased());
        break;
    case '`':
        cf.script = cf.script == CharacterFormat::SUPERSCRIPT ? 0 : CharacterFormat::SUPERSCRIPT;
        break;
    case ',':
        cf.script = cf.script == CharacterFormat::SUBSCRIPT ? 0 : CharacterFormat::SUBSCRIPT;
        break;
    case 'c':
        cf.capitals = !cf.capitals;
        break;
    case 'd':
        cf.dashed = !cf.dashed;
        break;
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
        font.Height(QtfDigitHeights[c - '0']);
        break;
    case '+':
        font.Height(std::max(0, std::min(ReadNumber(), 32767)));
        break;
    case 'G':
        font.Face(Font::STDFONT);
        break;
    case 'R':
        font.Face(Font::SERIF);
        break;
    case 'A':
        font.Face(Font::SANSSERIF);
        break;
    case 'C':
        font.Face(Font::MONOSPACE);
        break;
    case '.': {
        int face = ReadNumber();
        if(face < 0 || face >= Font::GetFaceCount())
            MarkupErrorParagraph("Invalid face number");
        font.Face(face);
        break;
    }
    case '!': {
        int face = FindFontFace(ReadText('!'));
        font.Face(face < 0 ? Font::SANSSERIF : face);
        break;
    }
    case '@':
        cf.ink = ReadColor();
        break;
    case '$':
        cf.paper = ReadColor();
        break;
    case '^':
        cf.link = ReadText('^');
        break;
    case 'I':
        cf.index_entry = DecodeUtf8(ReadText(';'));
        break;
    case '%':
        if(Key('-'))
            cf.language = 0;
        else if(Key('%'))
            cf.language = LANGUAGE_EN_US;
        else {
            char h[6] = {};
            for(int i = 0; i < 5 && *term; i++)
                h[i] = *term++;
            cf.language = ParseLanguageCode(h);
        }
        break;
    case '{':
        SetCharset(ReadText('}'));
        break;
    case '<':
        pf.align = ParagraphFormat::ALIGN_LEFT;
        break;
    case '>':
        pf.align = ParagraphFormat::ALIGN_RIGHT;
        break;
    case '=':
        pf.align = ParagraphFormat::ALIGN_CENTER;
        break;
    case '#':
        pf.align = ParagraphFormat::ALIGN_JUSTIFY;
        break;
    case ':':
        pf.label = ReadText(':');
        break;
    case 'H':
        pf.ruler = ReadNumber();
        break;
    case 'L':
        pf.ruler_style = ReadNumber();
        break;
    case 'h':
        pf.ruler_color = ReadColor();
        break;
    case 'b':
        pf.before = ReadNumber();
        break;
    case 'a':
        pf.after = ReadNumber();
        break;
    case 'l':
        pf.lm = ReadNumber();
        break;
    case 'r':
        pf.rm = ReadNumber();
        break;
    case 'i':
        pf.indent = ReadNumber();
        break;
    case 't':
        if(IsDigit())
            pf.tab_size = ReadNumber();
        break;
    case '~': {
        if(Key('~')) {
            pf.tab.Clear();
            break;
        }
        TabStop tab;
        Key('<');
        if(Key('>'))
            tab.align = TabStop::RIGHT;
        else if(Key('='))
            tab.align = TabStop::CENTER;
        if(Key('.'))
            tab.fillchar = TabStop::DOT_FILL;
        else if(Key('-'))
            tab.fillchar = TabStop::HYPHEN_FILL;
        else if(Key('_'))
            tab.fillchar = TabStop::UNDERSCORE_FILL;
        int from_right = Key('>') ? TabStop::FROM_RIGHT : 0;
        // The writer puts the from-right bit into the number itself.
        int pos = ReadRequiredNumber();
        int bit = (pos | from_right) & TabStop::FROM_RIGHT;
        tab.pos = std::min(pos & (TabStop::FROM_RIGHT - 1), (int)MAX_DIMENSION) | bit;
        pf.tab.Add(tab);
        break;
    }
    case 'O': {
        int b = (byte)*term;
        if(!b)
            MarkupErrorParagraph("Unexpected end of text");
        term++;
        pf.bullet = b == '_' ? 0 : b == '1' ? 2 : b == '2' ? 3 : b == '3' ? 4 : b == '9' ? 5 : 1;
        break;
    }
    case 'o':
        pf.bullet = ParagraphFormat::BULLET_DISC;
        pf.indent = 150;
        break;
    case 'p': {
        int b = (byte)*term;
        if(!b)
            MarkupErrorParagraph("Unexpected end of text");
        term++;
        pf.line_spacing = b == 'd'   ? ParagraphFormat::LINE_DOUBLE
                          : b == 'h' ? ParagraphFormat::LINE_ONE_AND_HALF
                                     : ParagraphFormat::LINE_SINGLE;
        break;
    }
    case 'P':
        pf.new_page = !pf.new_page;
        break;
    case 'k':
        pf.keep = !pf.keep;
        break;
    case 'K':
        pf.keep_next = !pf.keep_next;
        break;
    case 'Q':
        pf.orphan = !pf.orphan;
        break;
    case 'N': {
        pf.reset_numbering = false;
        for(uint8& n : pf.number)
            n = 0;
        for(int i = 0; i < 8 && *term; i++) {
            const char* q = std::strchr(QTF_NUMBER_LETTERS, *term);
            if(!q)
                break;
            pf.number[i] = (uint8)(q - QTF_NUMBER_LETTERS);
            term++;
        }
        if(Key('!'))
            pf.reset_numbering = true;
        break;
    }
    case 'n':
        pf.before_number = ReadText(';');
        break;
    case 'm':
        pf.after_number = ReadText(';');
        break;
    case 's':
        StyleNumber();
        break;
    }
}

void RichQtfParser::DefineStyle()
{
    FlushText();
    int n = ReadNumber();
    if(n < 0 || n > MAX_STYLE_NUMBER)
        MarkupErrorParagraph("Invalid style number");
    ParagraphStyle style;
    style.format = format->format;
    while(styleid.GetCount() <= n) {
        styleid.Add(DefaultStyleId);
        stylenext.Add(0);
    }
    stylenext[n] = Key(',') ? ReadNumber() : n;
    Uuid id;
    if(Key('#')) {
        const char* start = term;
        while(HexDigitValue((byte)*term) >= 0)
            term++;
        if(term - start != 32)
            MarkupErrorParagraph("Invalid UUID !");
        id = ScanUuid(String(start, 32));
    }
    else if(n)
        id = NewUuid();
    if(Key(':'))
        style.name = ReadText(']');
    if(!fstack.IsEmpty())
        PopFormat();
    SetStyle(id, style);
    styleid[n] = id;
    if(id == DefaultStyleId)
        ApplyStyle(id);
}

void RichQtfParser::ResolveNextStyles()
{
    for(int i = 0; i < styleid.GetCount(); i++) {
        int next = stylenext[i];
        if(next < 0 || next >= styleid.GetCount())
            continue;
        const ParagraphStyle& stored = target.GetStyle(styleid[i]);
        if(stored.next == styleid[next])
            continue; // storing it again would change nothing but the serials
        ParagraphStyle style = stored;
        style.next = styleid[next];
        SetStyle(styleid[i], style);
    }
}

} // namespace Qor
