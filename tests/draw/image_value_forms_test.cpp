// The XML and JSON forms of an Image Value: its framed stream form in hex under "data".

#include "draw/image/image_forms.h"

#include "foundation/text_hex.h"
#include "foundation/values/jsonize.h"
#include "foundation/values/value_map.h"
#include "foundation/values/value_registry.h"
#include "foundation/values/xml_node.h"
#include "foundation/values/xmlize.h"

#include <gtest/gtest.h>

using namespace Qor;

namespace {

Image Sample()
{
    PixelBuffer b(2, 1);
    b.Begin()[0] = MakeRGBA(1, 2, 3, 255);
    b.Begin()[1] = MakeRGBA(4, 5, 6, 128);
    return Image(b);
}

void StoreXml(const Value& v, XmlNode& node)
{
    node.SetKind(XML_ELEMENT);
    XmlizeIo io(node, false);
    Value copy(v);
    copy.Xmlize(io);
}

void LoadXml(Value& v, XmlNode& node)
{
    XmlizeIo io(node, true);
    v.Xmlize(io);
}

} // namespace

TEST(ImageXmlForm, DataAttributeHoldsTheFramedFormInLowerCaseHex)
{
    Image img = Sample();
    XmlNode node;
    StoreXml(img, node);
    EXPECT_EQ(node.GetAttribute("type"), "Image");
    String data = node.GetAttribute("data");
    EXPECT_EQ(data, HexEncode(StoreImageToString(img)));
    for(const char* p = data.Begin(); *p; p++)
        EXPECT_TRUE((*p >= '0' && *p <= '9') || (*p >= 'a' && *p <= 'f')) << *p;

    Value loaded;
    LoadXml(loaded, node);
    EXPECT_EQ(loaded.GetTypeNumber(), IMAGE_V);
    EXPECT_EQ(Image(loaded), img);
}

TEST(ImageXmlForm, SpacedHexLoadsAndDamagedHexKeepsTheValue)
{
    Image img = Sample();
    String hex = HexEncode(StoreImageToString(img));
    String spaced;
    for(int i = 0; i < hex.GetLength(); i++) {
        spaced.AppendChar(hex[i]);
        if(i % 7 == 6)
            spaced.Append(i % 2 ? " " : "\n");
    }
    XmlNode node;
    node.SetKind(XML_ELEMENT);
    node.SetAttribute("type", "Image");
    node.SetAttribute("data", spaced);
    Value loaded;
    LoadXml(loaded, node);
    EXPECT_EQ(Image(loaded), img);

    node.SetAttribute("data", hex.Mid(0, hex.GetLength() - 2)); // the byte count cut short
    Value damaged;
    EXPECT_NO_THROW(LoadXml(damaged, node));
    EXPECT_TRUE(Image(damaged).IsEmpty()); // the freshly made empty Image stays
}

TEST(ImageJsonForm, DataMemberRoundTrips)
{
    Image img = Sample();
    Value json = StoreAsJsonValue(img);
    EXPECT_EQ(json["type"], Value("Image"));
    EXPECT_EQ(json["value"]["data"], Value(HexEncode(StoreImageToString(img))));
    Value loaded;
    LoadFromJsonValue(loaded, json);
    EXPECT_EQ(Image(loaded), img);
}
