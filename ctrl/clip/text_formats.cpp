// Text in the clipboard's text formats.
#include "ctrl/clip/text_formats.h"

#include "ctrl/clip/transfer_session.h"
#include "foundation/charset.h"

namespace Qor {

namespace {

// "STRING" is ISO 8859-1 on X whatever the program's own character set is, and the reading
// side decodes it so: encoding it otherwise would garble every non-ASCII round trip.
String EncodeLatin1(const WString& text)
{
    String out;
    out.Reserve(text.GetLength());
    for(int c : text)
        out.AppendChar(c < 256 ? c : 31);
    return out;
}

WString DecodeLatin1(const String& data)
{
    WString out;
    for(int c : data)
        out.AppendChar((byte)c);
    return out;
}

bool IsLatin1Format(const String& format) { return format == "STRING" || format == "text/plain"; }

} // namespace

const char* ClipboardTextFormats() { return "STRING;UTF8_STRING;text/plain;text/unicode"; }

String EncodeUnicodeText(const WString& text)
{
    String out;
    out.Reserve(2 * text.GetLength());
    for(int c : text) {
        out.AppendChar(c & 0xFF);
        out.AppendChar((c >> 8) & 0xFF);
    }
    return out;
}

WString DecodeUnicodeText(const String& data)
{
    WString out;
    const byte* p = (const byte*)data.Begin();
    for(int i = 0; i + 1 < data.GetLength(); i += 2)
        out.AppendChar(p[i] | (p[i + 1] << 8));
    return out;
}

String RenderTextFormat(const WString& text, const String& format)
{
    if(format == "UTF8_STRING")
        return EncodeUtf8(text);
    if(format == "text/unicode")
        return EncodeUnicodeText(text);
    if(IsLatin1Format(format))
        return EncodeLatin1(text);
    return String();
}

WString DecodeTextFormat(const String& data, const String& format)
{
    if(format == "UTF8_STRING")
        return DecodeUtf8(data);
    if(format == "text/unicode")
        return DecodeUnicodeText(data);
    if(IsLatin1Format(format))
        return DecodeLatin1(data);
    return WString();
}

WString ReadOfferText(TransferOffer& offer)
{
    TransferSession session;
    for(const char* format : { "UTF8_STRING", "text/unicode", "STRING", "text/plain" })
        if(offer.Accept(format))
            return DecodeTextFormat(offer.data, format);
    return WString();
}

namespace {

String RenderText(const Value& v, const char* format) { return RenderTextFormat(v.ToWString(), format); }
String RenderString(const Value& v) { return RenderText(v, "STRING"); }
String RenderUtf8(const Value& v) { return RenderText(v, "UTF8_STRING"); }
String RenderUnicode(const Value& v) { return RenderText(v, "text/unicode"); }

} // namespace

void AddTextFormats(TransferFormatMap& map, const WString& text)
{
    struct Form {
        const char* name;
        TransferRender render;
    };
    static const Form forms[] = {
        { "STRING", RenderString },
        { "text/plain", RenderString },
        { "UTF8_STRING", RenderUtf8 },
        { "text/unicode", RenderUnicode },
    };
    for(const Form& f : forms)
        if(map.Find(f.name) < 0)
            map.Add(f.name, TransferItem(Value(text), f.render));
}

} // namespace Qor
