// Packing a paragraph against its style and unpacking it again.

#include "richtext/model/packed_paragraph.h"

#include "foundation/charset.h"
#include "foundation/charset_utf8.h"
#include "foundation/string_stream.h"
#include "richtext/model/paragraph_cache_internal.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Qor {

namespace {

// Bits of the mask of paragraph-format fields that differ from the style.
enum : dword {
    MASK_ALIGN = 1 << 0,
    MASK_BEFORE = 1 << 1,
    MASK_LM = 1 << 2,
    MASK_INDENT = 1 << 3,
    MASK_RM = 1 << 4,
    MASK_AFTER = 1 << 5,
    MASK_BULLET = 1 << 6,
    MASK_KEEP = 1 << 7,
    MASK_NEWPAGE = 1 << 8,
    MASK_TABSIZE = 1 << 9,
    MASK_LABEL = 1 << 10,
    MASK_KEEPNEXT = 1 << 11,
    MASK_ORPHAN = 1 << 12,
    MASK_NUMBERING = 1 << 13,
    MASK_SPACING = 1 << 14,
    MASK_TABS = 1 << 15,
    MASK_RULER = 1 << 16,
    MASK_RULERCOLOR = 1 << 17,
    MASK_RULERSTYLE = 1 << 18,
};

// Opcodes of the text stream; the other bytes below 32 but the tab are opcodes without effect.
enum : int {
    OP_INDEXENTRY = 2,
    OP_FIELD = 3,
    OP_FACE = 4,
    OP_HEIGHT = 5,
    OP_LANGUAGE = 6,
    OP_INK = 7,
    OP_PAPER = 8,
    OP_LINK = 10,
    OP_SCRIPT = 11,
    OP_BOLD = 12, // off, on, as in the style; the groups below likewise
    OP_ITALIC = 15,
    OP_UNDERLINE = 18,
    OP_CAPITALS = 21,
    OP_STRIKEOUT = 24,
    OP_DASHED = 27,
    OP_NOAA = 30,
    OP_OBJECT = 31,
};

constexpr int STYLE_FACE = 0xFFFF;
constexpr int STYLE_HEIGHT = -1;
// Fields nest inside fields; deeper ones are read without their text.
constexpr int MAX_FIELD_DEPTH = 32;

void Put16(Stream& s, int v)
{
    int16 x = (int16)std::clamp(v, -32768, 32767);
    s.Serialize(x);
}

void Put32(Stream& s, int32 v) { s.Serialize(v); }

void PutColor(Stream& s, Color c)
{
    uint32 bits = c.GetBits();
    s.Serialize(bits);
}

void PutString(Stream& s, String text) { s.Serialize(text); }

void PutFlag(Stream& s, bool a, bool b, bool style, int op)
{
    if(a != b)
        s.Put(b == style ? op + 2 : b ? op + 1 : op);
}

// The codes that take the running format a to b, relative to the style's format.
void WritePartFormat(Stream& s, const CharacterFormat& a, const CharacterFormat& b, const CharacterFormat& style)
{
    Font af = a.font, bf = b.font, sf = style.font;
    PutFlag(s, af.IsBold(), bf.IsBold(), sf.IsBold(), OP_BOLD);
    PutFlag(s, af.IsItalic(), bf.IsItalic(), sf.IsItalic(), OP_ITALIC);
    PutFlag(s, af.IsUnderline(), bf.IsUnderline(), sf.IsUnderline(), OP_UNDERLINE);
    PutFlag(s, af.IsStrikeout(), bf.IsStrikeout(), sf.IsStrikeout(), OP_STRIKEOUT);
    if(af.IsNonAntiAliased() != bf.IsNonAntiAliased()) {
        s.Put(OP_NOAA);
        s.Put(bf.IsNonAntiAliased() == sf.IsNonAntiAliased() ? 3 : bf.IsNonAntiAliased() ? 2 : 1);
    }
    PutFlag(s, a.capitals, b.capitals, style.capitals, OP_CAPITALS);
    PutFlag(s, a.dashed, b.dashed, style.dashed, OP_DASHED);
    if(a.script != b.script) {
        s.Put(OP_SCRIPT);
        s.Put(b.script);
    }
    if(af.GetFace() != bf.GetFace()) {
        s.Put(OP_FACE);
        uint16 face = (uint16)(bf.GetFace() == sf.GetFace() ? STYLE_FACE : bf.GetFace());
        s.Serialize(face);
    }
    // Equal codes are equal heights; only different ones need resolving.
    if(af.GetHeightCode() != bf.GetHeightCode()) {
        int bh = bf.GetHeight();
        if(af.GetHeight() != bh) {
            s.Put(OP_HEIGHT);
            Put16(s, bh == sf.GetHeight() ? STYLE_HEIGHT : bh);
        }
    }
    if(a.link != b.link) {
        s.Put(OP_LINK);
        PutString(s, b.link);
    }
    if(a.ink != b.ink) {
        s.Put(OP_INK);
        PutColor(s, b.ink);
    }
    if(a.paper != b.paper) {
        s.Put(OP_PAPER);
        PutColor(s, b.paper);
    }
    if(a.language != b.language) {
        s.Put(OP_LANGUAGE);
        Put32(s, b.language);
    }
    if(a.index_entry != b.index_entry) {
        s.Put(OP_INDEXENTRY);
        WString entry = b.index_entry;
        s.Serialize(entry);
    }
}

// The text as UTF-8 without control characters. A text of common length goes through a
// buffer on the stack, ASCII text (the usual case) in the same pass that checks it.
void PutText(Stream& s, const WString& text)
{
    const wchar16* p = text.Begin();
    int n = text.GetLength();
    char buffer[1024];
    if(n <= (int)sizeof(buffer) / 3) {
        int i = 0;
        for(;;) {
            // Four units at a time while all of them are from 0x20 to 0x7F: no unit has a
            // bit above 6 set, and adding 0x60 to each sets bit 7 in every one.
            while(i + 4 <= n) {
                uint64 w;
                std::memcpy(&w, p + i, sizeof(w));
                if((w & 0xFF80FF80FF80FF80ull) ||
                   ((w + 0x0060006000600060ull) & 0x0080008000800080ull) != 0x0080008000800080ull)
                    break;
                buffer[i] = (char)p[i];
                buffer[i + 1] = (char)p[i + 1];
                buffer[i + 2] = (char)p[i + 2];
                buffer[i + 3] = (char)p[i + 3];
                i += 4;
            }
            if(i == n)
                break;
            int c = p[i];
            if(c >= 0x80 || (c < 0x20 && c != '\t'))
                break;
            buffer[i++] = (char)c;
        }
        if(i == n) {
            s.Put(buffer, (uint32)n);
            return;
        }
        while(i < n && !IsParagraphControlCharacter(p[i]))
            i++;
        if(i == n) {
            s.Put(buffer, (uint32)(EncodeUtf8Into(buffer, p, n) - buffer));
            return;
        }
    }
    s.Put(EncodeUtf8(WithoutControlCharacters(text)));
}

// The running format starts as start; each part's codes take it from the part before.
void WriteParts(Stream& s, const OwnedArray<ParagraphPart>& parts, const CharacterFormat& start,
                const CharacterFormat& style, OwnedArray<EmbeddedObject>& objects)
{
    const CharacterFormat* run = &start;
    for(const ParagraphPart& part : parts) {
        WritePartFormat(s, *run, part.format, style);
        run = &part.format;
        if(part.IsField()) {
            s.Put(OP_FIELD);
            PutString(s, part.field);
            PutString(s, part.field_param);
            StringStream field;
            WriteParts(field, part.field_part, part.format, style, objects);
            PutString(s, field.GetText());
        }
        else if(part.IsObject()) {
            objects.Add(part.object);
            s.Put(OP_OBJECT);
        }
        else
            PutText(s, part.text);
    }
}

void WriteFormatFields(Stream& s, const ParagraphFormat& f, const ParagraphFormat& style)
{
    dword mask = 0;
    auto set = [&](bool differs, dword bit) {
        if(differs)
            mask |= bit;
    };
    set(f.align != style.align, MASK_ALIGN);
    set(f.before != style.before, MASK_BEFORE);
    set(f.lm != style.lm, MASK_LM);
    set(f.indent != style.indent, MASK_INDENT);
    set(f.rm != style.rm, MASK_RM);
    set(f.after != style.after, MASK_AFTER);
    set(f.bullet != style.bullet, MASK_BULLET);
    set(f.keep != style.keep, MASK_KEEP);
    set(f.new_page != style.new_page, MASK_NEWPAGE);
    set(f.tab_size != style.tab_size, MASK_TABSIZE);
    set(!f.label.IsEmpty(), MASK_LABEL);
    set(f.keep_next != style.keep_next, MASK_KEEPNEXT);
    set(f.orphan != style.orphan, MASK_ORPHAN);
    set(f.ParagraphNumbering::Differs(style), MASK_NUMBERING);
    set(f.line_spacing != style.line_spacing, MASK_SPACING);
    set(!TabStopsEqual(f.tab, style.tab), MASK_TABS);
    set(f.ruler != style.ruler, MASK_RULER);
    set(f.ruler_color != style.ruler_color, MASK_RULERCOLOR);
    set(f.ruler_style != style.ruler_style, MASK_RULERSTYLE);
    s.Serialize(mask);

    if(mask & MASK_ALIGN)
        Put16(s, f.align);
    if(mask & MASK_BEFORE)
        Put16(s, f.before);
    if(mask & MASK_LM)
        Put16(s, f.lm);
    if(mask & MASK_INDENT)
        Put16(s, f.indent);
    if(mask & MASK_RM)
        Put16(s, f.rm);
    if(mask & MASK_AFTER)
        Put16(s, f.after);
    if(mask & MASK_BULLET)
        Put16(s, f.bullet);
    if(mask & MASK_KEEP)
        s.Put(f.keep);
    if(mask & MASK_NEWPAGE)
        s.Put(f.new_page);
    if(mask & MASK_TABSIZE)
        Put16(s, f.tab_size);
    if(mask & MASK_LABEL)
        PutString(s, f.label);
    if(mask & MASK_KEEPNEXT)
        s.Put(f.keep_next);
    if(mask & MASK_ORPHAN)
        s.Put(f.orphan);
    if(mask & MASK_NUMBERING) {
        PutString(s, f.before_number);
        PutString(s, f.after_number);
        s.Put(f.reset_numbering);
        for(uint8 n : f.number)
            s.Put(n);
    }
    if(mask & MASK_SPACING)
        s.Put((int8)std::clamp(f.line_spacing, -128, 127));
    if(mask & MASK_TABS) {
        int count = 0;
        for(const TabStop& t : f.tab)
            if(!IsNullInt(t.pos))
                count++;
        // The count field is 16 bits wide: stops past it are not stored.
        count = std::min(count, 0xFFFF);
        uint16 stored = (uint16)count;
        s.Serialize(stored);
        for(const TabStop& t : f.tab) {
            if(count == 0)
                break;
            if(IsNullInt(t.pos))
                continue;
            Put32(s, t.pos);
            s.Put(t.align);
            s.Put(t.fillchar);
            count--;
        }
    }
    if(mask & MASK_RULER)
        Put16(s, f.ruler);
    if(mask & MASK_RULERCOLOR)
        PutColor(s, f.ruler_color);
    if(mask & MASK_RULERSTYLE)
        Put16(s, f.ruler_style);
}

// Readers that leave the value as it was when the data is cut short.
int Get16(Stream& s, int v)
{
    int16 x = (int16)v;
    s.Serialize(x);
    return x;
}

bool GetBool(Stream& s, bool v)
{
    int c = s.Get();
    if(c < 0) {
        s.SetLoadError();
        return v;
    }
    return c != 0;
}

String GetString(Stream& s, const String& v)
{
    String x = v;
    s.Serialize(x);
    return s.IsError() ? v : x;
}

void ReadFormatFields(Stream& s, ParagraphFormat& f)
{
    dword mask = 0;
    s.Serialize(mask);
    if(mask & MASK_ALIGN)
        f.align = Get16(s, f.align);
    if(mask & MASK_BEFORE)
        f.before = Get16(s, f.before);
    if(mask & MASK_LM)
        f.lm = Get16(s, f.lm);
    if(mask & MASK_INDENT)
        f.indent = Get16(s, f.indent);
    if(mask & MASK_RM)
        f.rm = Get16(s, f.rm);
    if(mask & MASK_AFTER)
        f.after = Get16(s, f.after);
    if(mask & MASK_BULLET)
        f.bullet = Get16(s, f.bullet);
    if(mask & MASK_KEEP)
        f.keep = GetBool(s, f.keep);
    if(mask & MASK_NEWPAGE)
        f.new_page = GetBool(s, f.new_page);
    if(mask & MASK_TABSIZE)
        f.tab_size = Get16(s, f.tab_size);
    if(mask & MASK_LABEL)
        f.label = GetString(s, f.label);
    if(mask & MASK_KEEPNEXT)
        f.keep_next = GetBool(s, f.keep_next);
    if(mask & MASK_ORPHAN)
        f.orphan = GetBool(s, f.orphan);
    if(mask & MASK_NUMBERING) {
        f.before_number = GetString(s, f.before_number);
        f.after_number = GetString(s, f.after_number);
        f.reset_numbering = GetBool(s, f.reset_numbering);
        for(uint8& n : f.number) {
            int c = s.Get();
            if(c >= 0)
                n = (uint8)c;
        }
    }
    if(mask & MASK_SPACING) {
        int8 spacing = (int8)f.line_spacing;
        s.Serialize(spacing);
        f.line_spacing = spacing;
    }
    if(mask & MASK_TABS) {
        uint16 count = 0;
        s.Serialize(count);
        f.tab.Clear();
        for(int i = 0; i < count && !s.IsError(); i++) {
            TabStop t;
            int32 pos = INT_NULL;
            s.Serialize(pos).Serialize(t.align).Serialize(t.fillchar);
            // A Null position marks a stop that is not stored.
            if(!s.IsError() && !IsNullInt(pos)) {
                t.pos = pos;
                f.tab.Add(t);
            }
        }
    }
    if(mask & MASK_RULER)
        f.ruler = Get16(s, f.ruler);
    if(mask & MASK_RULERCOLOR) {
        uint32 bits = f.ruler_color.GetBits();
        s.Serialize(bits);
        f.ruler_color = Color::FromBits(bits);
    }
    if(mask & MASK_RULERSTYLE)
        f.ruler_style = Get16(s, f.ruler_style);
}

void SetFlag(Font& font, int flag, int op, int group, bool style)
{
    int k = op - group;
    bool on = k == 2 ? style : k == 1;
    font.SetFlags(on ? font.GetFlags() | flag : font.GetFlags() & ~flag);
}

void SetFlag(bool& b, int op, int group, bool style)
{
    int k = op - group;
    b = k == 2 ? style : k == 1;
}

// One opcode with its operands; the stream's error flag tells a cut-short operand.
void ApplyOpcode(Stream& s, int op, CharacterFormat& run, const CharacterFormat& style)
{
    switch(op) {
    case OP_INDEXENTRY: {
        WString entry;
        s.Serialize(entry);
        if(!s.IsError())
            run.index_entry = entry;
        break;
    }
    case OP_FACE: {
        uint16 face = STYLE_FACE;
        s.Serialize(face);
        if(!s.IsError())
            run.font.Face(face == STYLE_FACE ? style.font.GetFace() : face);
        break;
    }
    case OP_HEIGHT: {
        int16 height = STYLE_HEIGHT;
        s.Serialize(height);
        if(!s.IsError())
            run.font.Height(height == STYLE_HEIGHT ? style.font.GetHeightCode() : height);
        break;
    }
    case OP_LANGUAGE:
        s.Serialize(run.language);
        break;
    case OP_INK:
    case OP_PAPER: {
        Color& c = op == OP_INK ? run.ink : run.paper;
        uint32 bits = c.GetBits();
        s.Serialize(bits);
        c = Color::FromBits(bits);
        break;
    }
    case OP_LINK:
        run.link = GetString(s, run.link);
        break;
    case OP_SCRIPT: {
        int c = s.Get();
        if(c >= 0)
            run.script = (c & 3) == 3 ? style.script : c & 3;
        break;
    }
    case OP_BOLD:
    case OP_BOLD + 1:
    case OP_BOLD + 2:
        SetFlag(run.font, Font::BOLD, op, OP_BOLD, style.font.IsBold());
        break;
    case OP_ITALIC:
    case OP_ITALIC + 1:
    case OP_ITALIC + 2:
        SetFlag(run.font, Font::ITALIC, op, OP_ITALIC, style.font.IsItalic());
        break;
    case OP_UNDERLINE:
    case OP_UNDERLINE + 1:
    case OP_UNDERLINE + 2:
        SetFlag(run.font, Font::UNDERLINE, op, OP_UNDERLINE, style.font.IsUnderline());
        break;
    case OP_STRIKEOUT:
    case OP_STRIKEOUT + 1:
    case OP_STRIKEOUT + 2:
        SetFlag(run.font, Font::STRIKEOUT, op, OP_STRIKEOUT, style.font.IsStrikeout());
        break;
    case OP_CAPITALS:
    case OP_CAPITALS + 1:
    case OP_CAPITALS + 2:
        SetFlag(run.capitals, op, OP_CAPITALS, style.capitals);
        break;
    case OP_DASHED:
    case OP_DASHED + 1:
    case OP_DASHED + 2:
        SetFlag(run.dashed, op, OP_DASHED, style.dashed);
        break;
    case OP_NOAA: {
        int c = s.Get();
        if(c >= 1 && c <= 3)
            SetFlag(run.font, Font::NOAA, OP_NOAA + c - 1, OP_NOAA, style.font.IsNonAntiAliased());
        break;
    }
    default: // 0 and 1: no effect
        break;
    }
}

bool IsOpcode(int c) { return c >= 0 && c < 32 && c != '\t'; }

struct PartReader {
    const CharacterFormat& style;
    const OwnedArray<EmbeddedObject>& objects;
    int next_object = 0;

    void Read(Stream& s, OwnedArray<ParagraphPart>& parts, CharacterFormat& run, int depth);

    static ParagraphPart& NewPartAfterText(OwnedArray<ParagraphPart>& parts, const CharacterFormat& run)
    {
        if(!parts.Top().text.IsEmpty())
            parts.Add().format = run;
        return parts.Top();
    }
};

void PartReader::Read(Stream& s, OwnedArray<ParagraphPart>& parts, CharacterFormat& run, int depth)
{
    parts.Add().format = run;
    String text;
    while(!s.IsError()) {
        int c = s.Peek();
        if(c < 0)
            break;
        if(c == OP_FIELD) {
            s.Get();
            String id, param, packed;
            s.Serialize(id).Serialize(param).Serialize(packed);
            if(s.IsError())
                break;
            CharacterFormat saved = run;
            OwnedArray<ParagraphPart> field_part;
            if(depth < MAX_FIELD_DEPTH) {
                StringStream field(packed);
                Read(field, field_part, run, depth + 1);
            }
            run = saved;
            // A field without an id cannot be told from text: it is left out.
            if(id.IsEmpty())
                continue;
            ParagraphPart& f = NewPartAfterText(parts, run);
            f.field = id;
            f.field_param = param;
            f.field_part = std::move(field_part);
            parts.Add().format = run;
        }
        else if(c == OP_OBJECT) {
            s.Get();
            // The list holds as many objects as the form has object codes; a code past
            // it is damaged data and stands for nothing.
            if(next_object >= objects.GetCount())
                continue;
            ParagraphPart& o = NewPartAfterText(parts, run);
            o.object = objects[next_object++];
            o.format = run;
            parts.Add().format = run;
        }
        else if(IsOpcode(c)) {
            while(IsOpcode(c = s.Peek()) && c != OP_FIELD && c != OP_OBJECT && !s.IsError())
                ApplyOpcode(s, s.Get(), run, style);
            NewPartAfterText(parts, run).format = run;
        }
        else {
            text.Clear();
            while((c = s.Peek()) >= 0 && !IsOpcode(c))
                text.AppendChar(s.Get());
            parts.Top().text += WithoutControlCharacters(DecodeUtf8(text));
        }
    }
    const ParagraphPart& last = parts.Top();
    if(last.text.IsEmpty() && !last.HasObjectOrField())
        parts.Drop();
}

} // namespace

String PackParagraph(const UnpackedParagraph& p, const ParagraphFormat& style, OwnedArray<EmbeddedObject>& objects)
{
    StringStream s;
    WriteFormatFields(s, p.format, style);
    objects.Clear();
    if(p.part.GetCount())
        WriteParts(s, p.part, style, style, objects);
    else
        WritePartFormat(s, style, p.format, style);
    return s.GetText();
}

void UnpackParagraph(UnpackedParagraph& p, const String& packed, const OwnedArray<EmbeddedObject>& objects,
                     const ParagraphFormat& style)
{
    p.part.Clear();
    p.format = style;
    if(p.cache_key != 0 && TakeFromParagraphCache(p))
        return;
    StringStream s(packed);
    ReadFormatFields(s, p.format);
    p.part.Clear();
    PartReader reader{ style, objects };
    reader.Read(s, p.part, p.format, 0);
}

} // namespace Qor
