// The stored forms of a Font (stream, XML, JSON, text) and its Value type 40 "Font".

#include "draw/font/font.h"

#include "draw/font/font_internal.h"
#include "foundation/cparser.h"
#include "foundation/stream.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/number_text.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/value_rep.h"
#include "foundation/values/xmlize.h"

namespace Qor {

template <>
struct ValueTypeNumberOf<Font> {
    static int Get() { return FONT_V; }
};

namespace {

struct FlagWord {
    int flag;
    const char* word;
};

const FlagWord flag_words[] = {
    {Font::BOLD, "bold"},           {Font::ITALIC, "italic"}, {Font::UNDERLINE, "underline"},
    {Font::STRIKEOUT, "strikeout"}, {Font::NOAA, "noaa"},     {Font::TTONLY, "ttonly"},
};

// Face codes of the first stored forms stood for the three fixed families.
int FaceFromCode(int code)
{
    return code >= 4 && code <= 6 ? code - 3 : code;
}

// An empty name is the Null font; the other fields are set by the caller afterwards.
void SetFaceByName(Font& f, const String& name)
{
    if(name.IsEmpty())
        f = Font::Null();
    else
        f.Face(FindFontFace(name));
}

} // namespace

String FontFlagsToText(int flags)
{
    String r;
    for(const FlagWord& w : flag_words)
        if(flags & w.flag) {
            if(!r.IsEmpty())
                r.AppendChar(' ');
            r.Append(w.word);
        }
    return r;
}

int FontFlagsFromText(const char* text)
{
    int flags = 0;
    // Stored texts come from outside: a token the tokenizer rejects (an unterminated
    // quote or comment) ends the words.
    try {
        CParser p(text);
        while(!p.IsEof()) {
            bool known = false;
            for(const FlagWord& w : flag_words)
                if(p.MatchId(w.word)) {
                    flags |= w.flag;
                    known = true;
                    break;
                }
            if(!known)
                p.SkipToken();
        }
    }
    catch(const CParser::Error&) {
    }
    return flags;
}

void Font::Serialize(Stream& s)
{
    int version = 1;
    s.SerializeCount(version);
    if(s.IsLoading() && version != 0 && version != 1) {
        s.SetLoadError();
        return;
    }
    if(version == 1) {
        int code = GetFace() <= 3 ? GetFace() : -1;
        s.SerializeCount(code);
        if(code == -1) {
            String name = GetFaceName();
            s.Serialize(name);
            if(s.IsLoading())
                SetFaceByName(*this, name);
        }
        else if(s.IsLoading())
            Face(FaceFromCode(code));
    }
    else {
        String name;
        s.Serialize(name);
        Face(FindFontFace(name));
    }
    int16 flags = (int16)GetFlags();
    int16 height = (int16)GetHeightCode();
    int16 width = (int16)GetWidth();
    s.Serialize(flags);
    s.Serialize(height);
    s.Serialize(width);
    if(s.IsLoading())
        SetFlags(flags).Height(height).Width(width);
}

void Font::Xmlize(XmlizeIo& io)
{
    XmlNode& node = io.Node();
    int height = GetHeightCode();
    int width = GetWidth();
    if(io.IsStoring()) {
        node.SetAttribute("face", GetFaceName());
        io.Attribute("height", height).Attribute("width", width);
        node.SetAttribute("flags", FontFlagsToText(GetFlags()));
        return;
    }
    SetFaceByName(*this, node.GetAttribute("face"));
    io.Attribute("height", height).Attribute("width", width);
    Height(height).Width(width).SetFlags(FontFlagsFromText(node.GetAttribute("flags").Begin()));
}

void Font::Jsonize(JsonizeIo& io)
{
    String face = GetFaceName();
    int16 height = (int16)GetHeightCode();
    int16 width = (int16)GetWidth();
    String flags = FontFlagsToText(GetFlags());
    io.Member("face", face).Member("height", height).Member("width", width).Member("flags", flags);
    if(io.IsLoading()) {
        SetFaceByName(*this, face);
        Height(height).Width(width).SetFlags(FontFlagsFromText(flags.Begin()));
    }
}

String Font::ToText() const
{
    if(IsNullInstance())
        return "<null>";
    String r = "<";
    r.Append(GetFaceName());
    r.AppendChar(':');
    r.Append(IntToText(GetHeight()));
    static const char* const words[] = {" Bold", " Italic", " Underline", " Strikeout"};
    for(int i = 0; i < 4; i++)
        if(GetFlags() & flag_words[i].flag)
            r.Append(words[i]);
    r.AppendChar('>');
    return r;
}

bool IsNullValue(const Font& f) { return f.IsNullInstance(); }

uint32 ValueHash(const Font& f) { return FontHash(f); }

void ValueSerialize(Stream& s, Font& f) { f.Serialize(s); }

Font::Font(const Value& v) : data(NULL_FACE)
{
    Value::Void* rep = v.GetRep();
    if(rep && rep->GetTypeNumber() == FONT_V)
        *this = static_cast<RawValueRep<Font>*>(rep)->Get();
}

Font::operator Value() const
{
    return Value::FromRep(new RichValueRep<Font>(*this));
}

namespace {

Value::Void* MakeFontRep()
{
    return new RichValueRep<Font>();
}

void XmlizeFont(XmlizeIo& io, Font& f) { f.Xmlize(io); }
void JsonizeFont(JsonizeIo& io, Font& f) { f.Jsonize(io); }

} // namespace

void RegisterFontValueType()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterValueType(FONT_V, MakeFontRep, "Font");
    ValueMappingHooks<Font>::xmlize = XmlizeFont;
    ValueMappingHooks<Font>::jsonize = JsonizeFont;
    InitStandardFont();
}

} // namespace Qor
