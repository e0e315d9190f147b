// The Qtf reader's main loop: characters, raw blocks, paragraphs, objects, fields and the
// error paragraph.
#include "richtext/qtf/qtf_reader.h"

#include "foundation/charset.h"
#include "foundation/chartable.h"
#include "richtext/qtf/qtf_common_internal.h"
#include "richtext/qtf/qtf_parser.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Qor {

RichQtfParser::RichQtfParser(void* context) : context(context)
{
    format = &format_pool.Add();
    ClearRichText(target);
    format->format.font = QtfStartFont();
    format->charset = (byte)DefaultCharset();
}

void RichQtfParser::StoreParagraphFormat()
{
    if(pf_state == PF_CURRENT)
        paragraph.format = format->format;
    else if(pf_state == PF_RECORD)
        paragraph.format = pf_record->format;
    pf_state = PF_SET;
}

void RichQtfParser::FlushText()
{
    if(text.IsEmpty())
        return;
    // The pending text never holds a paragraph control character (AddChar, Characters and
    // RawBlock keep them out), so the run takes it as it is, and the pending text takes the
    // block of the run's earlier text: no text is copied, and once the blocks that go round
    // are large enough, none is allocated.
    ParagraphPart& part = spare_part.IsEmpty() ? paragraph.AddPart() : paragraph.part.Add(spare_part.PopDetach());
    std::swap(part.text, text);
    part.format = format->format;
    text.Truncate(0);
}

void RichQtfParser::AppendText(const wchar16* s, int n)
{
    if(n == 0)
        return;
    int length = text.GetLength();
    // A text is extended in place only below its capacity, and an empty one grows to exactly
    // the length added: a block that goes round would be replaced each time a run of the same
    // length came again. A new one has room to spare.
    if(length + n >= text.GetCapacity()) {
        WideTextBuffer room;
        room.SetLength(2 * (length + n));
        std::copy(text.Begin(), text.End(), room.Begin());
        room.SetLength(length);
        text = WString(room);
    }
    text.Append(s, n);
}

void RichQtfParser::AddChar(int code)
{
    if(accesskey) {
        int base = BaseAsciiChar(code);
        if(base && CapitalCaseChar(base) == (accesskey & 255)) {
            FlushText();
            Font& f = format->format.font;
            f.Underline(!f.IsUnderline());
            text.AppendChar((wchar16)code);
            FlushText();
            f.Underline(!f.IsUnderline());
            accesskey = 0;
            return;
        }
    }
    // Only the low 16 bits are stored: a large code must not become a control character.
    if(code >= 0 && (code & 0xFFFF) >= 32 && !IsParagraphControlCharacter(code & 0xFFFF))
        text.AppendChar((wchar16)code);
}

void RichQtfParser::Characters()
{
    SetParagraphFormat();
    PlacePendingTable();
    // Characters gather here and join the pending text in blocks.
    wchar16 buffer[256];
    int n = 0;
    const bool* plain_byte = QtfPlainChars.data();
    const char* start = term;
    auto flush = [&] {
        AppendText(buffer, n);
        n = 0;
    };
    for(;;) {
        int c = (byte)*term;
        if(!accesskey) { // the common case, with the position held in a register
            const byte* s = (const byte*)term;
            // Four at a time while there is room; the checks stop at the terminating NUL
            // before reading past it.
            while(n <= 256 - 4 && plain_byte[s[0]] && plain_byte[s[1]] && plain_byte[s[2]] && plain_byte[s[3]]) {
                buffer[n] = s[0];
                buffer[n + 1] = s[1];
                buffer[n + 2] = s[2];
                buffer[n + 3] = s[3];
                n += 4;
                s += 4;
            }
            while(n < 256 && plain_byte[*s])
                buffer[n++] = *s++;
            term = (const char*)s;
            c = *s;
        }
        if(n == 256)
            flush();
        // The first character is whatever called for this loop (an escaped one too).
        if(c < 0x80 && !QtfPlainChars[c] && (c < 32 || term != start))
            break;
        int code;
        if(c < 0x80) {
            code = c;
            term++;
        }
        else if(format->charset != CHARSET_UTF8) {
            code = DecodeChar(c, format->charset);
            term++;
        }
        else if(c < 0xE0) {
            int next = (byte)term[1];
            if(next == 0) { // the text ends inside the sequence
                term++;
                break;
            }
            if(next < 0x80) {
                flush();
                MarkupErrorParagraph("Invalid UTF-8 sequence");
            }
            code = (c - 0xC0) * 64 + (next - 0x80);
            term += 2;
        }
        else if(c < 0xF0) {
            for(int i = 1; i <= 2; i++)
                if((byte)term[i] < 0x80) {
                    if(!term[i] || !term[1])
                        term += term[1] ? 2 : 1; // the message then starts at the end of the text
                    flush();
                    MarkupErrorParagraph("Invalid UTF-8 sequence");
                }
            code = (c - 0xE0) * 4096 + ((byte)term[1] - 0x80) * 64 + ((byte)term[2] - 0x80);
            term += 3;
        }
        else {
            flush();
            MarkupErrorParagraph("Invalid UTF-8 sequence");
        }
        if(accesskey) {
            flush();
            AddChar(code);
        }
        else if(code >= 32 && !IsParagraphControlCharacter(code)) {
            buffer[n++] = (wchar16)code;
            if(n == 256)
                flush();
        }
        c = (byte)*term;
        if(c < 0x80 && !QtfPlainChars[c])
            break;
    }
    flush();
}

void RichQtfParser::EndParagraph()
{
    if(istable) {
        RichTxt& t = Container();
        t.SetTable(t.GetPartCount(), table);
        istable = false;
        // Content that reached the paragraph after the table follows it, never drops it.
        if(paragraph.part.IsEmpty() && text.IsEmpty())
            return;
    }
    FlushText();
    StoreParagraphFormat();
    if(breakpage)
        paragraph.format.new_page = true;
    RichTxt& t = Container();
    t.SetParagraph(t.GetPartCount(), paragraph, StyleFormat(paragraph.format.style));
    // Text runs hold nothing but their text and format, both replaced when they are reused;
    // the parts of a paragraph with an object or a field are not kept.
    if(text_runs_only)
        while(!paragraph.part.IsEmpty() && spare_part.GetCount() < MAX_SPARE_PARTS)
            spare_part.Add(paragraph.part.PopDetach());
    paragraph.TrimParts(0); // the list keeps its room
    text_runs_only = true;
    pf_state = PF_CURRENT;
    breakpage = false;
}

void RichQtfParser::RawBlock()
{
    PlacePendingTable();
    SetParagraphFormat();
    const char* b = term;
    while(*term && *term != 1)
        term++;
    WString w = DecodeText(b, int(term - b), format->charset);
    if(*term == 1)
        term++;
    for(int ch : w)
        if(ch == '\n')
            EndParagraph();
        else if(ch == '\t' || (ch >= 32 && !IsParagraphControlCharacter(ch))) // others would read as format codes
            text.AppendChar((wchar16)ch);
}

void RichQtfParser::CharacterByCode()
{
    uint32 code = 0;
    while(HexDigitValue((byte)*term) >= 0) {
        code = code * 16 + (uint32)HexDigitValue((byte)*term++);
        if(code > 0x7FFFFFFF) {
            while(HexDigitValue((byte)*term) >= 0)
                term++;
            MarkupErrorParagraph("Number out of range");
        }
    }
    Key(';');
    SetParagraphFormat();
    if(code > 31) {
        PlacePendingTable();
        AddChar((int)code);
    }
}

void RichQtfParser::ParseObject()
{
    FlushText();
    String type;
    while((*term >= 'a' && *term <= 'z') || (*term >= 'A' && *term <= 'Z') || IsDigit() || *term == '_')
        type.AppendChar(*term++);
    Key(':');
    Size sz;
    sz.cx = ReadRequiredNumber();
    bool keep_ratio = Key('&');
    if(!keep_ratio)
        Key('*');
    sz.cy = ReadRequiredNumber();
    int ydelta = Key('/') ? std::clamp(ReadNumber(), -(int)MAX_OBJECT_SIZE, (int)MAX_OBJECT_SIZE) : 0;
    // A shown size beyond any page would only ask painting for huge images.
    sz.cx = std::min((int)sz.cx, (int)MAX_OBJECT_SIZE);
    sz.cy = std::min((int)sz.cy, (int)MAX_OBJECT_SIZE);
    while(*term >= 1 && *term < 32)
        term++;
    String data;
    if(Key('`')) {
        while(*term) {
            if(*term == '`') {
                if(term[1] != '`') {
                    term++;
                    break;
                }
                term++;
            }
            if((byte)*term >= 32)
                data.AppendChar(*term);
            term++;
        }
    }
    else
        for(;;) {
            while(*term >= 1 && *term < 32)
                term++;
            int header = (byte)*term;
            if(header < 0x80)
                break;
            term++;
            for(int k = 0; k < 7; k++) {
                while(*term >= 1 && *term < 32)
                    term++;
                int c = (byte)*term;
                if(c < 0x80)
                    break;
                data.AppendChar(((header >> k) & 1) << 7 | (c & 0x7F));
                term++;
            }
        }
    EmbeddedObject object;
    object.ReadObject(type, data, sz, context);
    object.KeepRatio(keep_ratio);
    object.SetYDelta(ydelta);
    PlacePendingTable();
    paragraph.CatObject(object, format->format);
    text_runs_only = false;
}

void RichQtfParser::ParseField()
{
    FlushText();
    String id = ReadText(':');
    String param = ReadText(':');
    if(FindFieldType(id)) {
        PlacePendingTable();
        paragraph.CatField(id, param, format->format);
        text_runs_only = false;
    }
    Key('}');
}

void RichQtfParser::MarkupErrorParagraph(const char* message)
{
    String error = "ERROR: ";
    error.Append(message);
    if(*term) {
        error.Append(": ");
        for(int i = 0; i < 20 && term[i]; i++)
            if((byte)term[i] >= 32)
                error.AppendChar(term[i]);
    }
    else
        error.AppendChar('.');
    CharacterFormat f;
    f.font = Font(Font::SANSSERIF, 84).Bold().Underline();
    f.ink = Color(128, 0, 0);
    text.Clear();
    StoreParagraphFormat();
    paragraph.CatText(DecodeText(error, format->charset), f);
    target.Set(target.GetPartCount(), paragraph, target.GetStyles());
    ResolveNextStyles();
    throw Exc();
}

void RichQtfParser::Parse(const char* qtf, int accesskey_)
{
    accesskey = accesskey_;
    term = qtf;
    while(*term) {
        int c = (byte)*term;
        if(c == '[') {
            term++;
            FormatGroup();
        }
        else if(c == ']') {
            term++;
            FlushText();
            if(fstack.IsEmpty())
                MarkupErrorParagraph("Unmatched ']'");
            PopFormat();
        }
        else if(Key2('{', '{'))
            BeginTable();
        else if(Key2('{', ':'))
            ParseField();
        else if(Key2('}', '}'))
            EndTable();
        else if(Key2('+', '+')) {
            if(oldtab)
                EndProportionalTable();
            else
                BeginProportionalTable();
        }
        else if(Key2('|', '|'))
            EndCell();
        else if(Key2('-', '-')) {
            EndCell();
            tablepart.Top().rownum.Add(0);
        }
        else if(Key2('-', '|')) {
            SetParagraphFormat();
            PlacePendingTable();
            text.AppendChar(9);
        }
        else if(Key2(':', ':')) {
            if(!oldtab)
                EndCell();
            ReadCellFormat();
        }
        else if(Key2('^', '^')) {
            EndParagraph();
            breakpage = true;
        }
        else if(Key2('@', '@'))
            ParseObject();
        else if(Key2('@', '$'))
            CharacterByCode();
        else if(Key('&')) {
            SetParagraphFormat();
            EndParagraph();
        }
        else if(Key2('$', '$'))
            DefineStyle();
        else if(Key('_')) {
            SetParagraphFormat();
            PlacePendingTable();
            text.AppendChar(0xA0);
        }
        else if(Key(1))
            RawBlock();
        else if(c == '`' || c == '\\') {
            term++;
            if(!*term)
                break;
            if((byte)*term >= 32)
                Characters();
            else
                term++;
        }
        else if(c < 32)
            term++;
        else
            Characters();
    }
    if(oldtab)
        EndProportionalTable();
    EndAllTables();
    EndParagraph();
    ResolveNextStyles();
}

RichText ReadQtfDocument(const char* qtf, int accesskey, void* context)
{
    RichQtfParser p(context);
    try {
        p.Parse(qtf ? qtf : "", accesskey);
    }
    catch(RichQtfParser::Exc) {
    }
    return std::move(p.target);
}

} // namespace Qor
