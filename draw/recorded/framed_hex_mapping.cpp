// The framed hex form of binary values in XML and JSON.

#include "draw/recorded/framed_hex_mapping.h"

#include "foundation/framed_store.h"
#include "foundation/string_stream.h"
#include "foundation/text_hex.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/xml_node.h"
#include "foundation/values/xmlize.h"

namespace Qor {

String StoreFramedString(const Callback1<Stream&>& serialize)
{
    StringStream s;
    StoreFramed(serialize, s);
    return s.GetText();
}

bool LoadFramedString(const Callback1<Stream&>& serialize, const String& text)
{
    StringStream s(text);
    return LoadFramed(serialize, s);
}

void XmlizeFramedHex(XmlizeIo& io, const Callback1<Stream&>& serialize)
{
    if(io.IsStoring()) {
        io.Node().SetAttribute("data", HexEncode(StoreFramedString(serialize)));
        return;
    }
    try {
        LoadFramedString(serialize, HexDecode(io.Node().GetAttribute("data")));
    }
    catch(const LoadingError&) {
        throw XmlError("xmlize by serialize error");
    }
}

void JsonizeFramedHex(JsonizeIo& io, const Callback1<Stream&>& serialize)
{
    String hex;
    if(io.IsStoring()) {
        hex = HexEncode(StoreFramedString(serialize));
        io.Member("data", hex);
        return;
    }
    io.Member("data", hex);
    try {
        LoadFramedString(serialize, HexDecode(hex));
    }
    catch(const LoadingError&) {
        throw JsonizeError("jsonize by serialize error");
    }
}

} // namespace Qor
