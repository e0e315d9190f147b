// XML and JSON through the framed stream form in hex.

#include "draw/values/framed_text_form.h"

#include "foundation/framed_store.h"
#include "foundation/string_stream.h"
#include "foundation/text_hex.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/xml_node.h"
#include "foundation/values/xmlize.h"

namespace Qor {

namespace {

String StoreHex(const Callback1<Stream&>& serialize)
{
    StringStream s;
    StoreFramed(serialize, s);
    return HexEncode(s.GetText());
}

// False when a loading error escaped the frame.
bool LoadHex(const Callback1<Stream&>& serialize, const String& hex)
{
    StringStream s(HexDecode(hex));
    try {
        LoadFramed(serialize, s);
    }
    catch(LoadingError&) {
        return false;
    }
    return true;
}

} // namespace

void XmlizeByFramedForm(XmlizeIo& io, const Callback1<Stream&>& serialize)
{
    if(io.IsStoring())
        io.Node().SetAttribute("data", StoreHex(serialize));
    else if(!LoadHex(serialize, io.Node().GetAttribute("data")))
        throw XmlError("xmlize by serialize error");
}

void JsonizeByFramedForm(JsonizeIo& io, const Callback1<Stream&>& serialize)
{
    String hex;
    if(io.IsStoring()) {
        hex = StoreHex(serialize);
        io.Member("data", hex);
    }
    else {
        io.Member("data", hex);
        if(!LoadHex(serialize, hex))
            throw JsonizeError("jsonize by serialize error");
    }
}

} // namespace Qor
