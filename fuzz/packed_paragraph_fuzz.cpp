// Fuzz target for the packed paragraph form. The first byte picks the style the bytes are
// unpacked against; the rest is the packed form. Checked: unpacking hostile bytes gives
// text without control characters and takes objects only from the list, and packing the
// result and unpacking it again gives the same paragraph. Text that is no valid UTF-8
// decodes to escapes of its bytes, and how bytes decode depends on their neighbours: two
// runs of damaged text that packing joins may read back differently, so for such text the
// paragraph must be the same from its first repacking on.
#include "fuzz/fuzz_support.h"
#include "richtext/model/packed_paragraph.h"
#include "tests/richtext/support/paragraph_text.h"

#include <cstdint>

using namespace Qor;

namespace {

ParagraphFormat MakeStyle(int kind)
{
    ParagraphFormat style;
    if(kind & 1) {
        style.font.Bold().Italic().Face(Font::MONOSPACE).Height(80);
        style.ink = Color(10, 20, 30);
        style.link = "style link";
        style.capitals = true;
        style.script = CharacterFormat::SUBSCRIPT;
    }
    if(kind & 2) {
        style.align = ParagraphFormat::ALIGN_JUSTIFY;
        style.lm = 300;
        style.tab.Add(TabStop{ 100, TabStop::RIGHT, TabStop::DOT_FILL });
        style.number[0] = ParagraphNumbering::DECIMAL;
        style.line_spacing = ParagraphFormat::LINE_DOUBLE;
    }
    return style;
}

// False when the text holds escapes of bytes that are no valid UTF-8.
bool CheckParts(const OwnedArray<ParagraphPart>& parts)
{
    bool valid = true;
    for(const ParagraphPart& p : parts) {
        for(int c : p.text) {
            FuzzCheck(!IsParagraphControlCharacter(c));
            if((c & 0xFF00) == 0xEE00)
                valid = false;
        }
        valid = CheckParts(p.field_part) && valid;
    }
    return valid;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size == 0 || size > 1 << 14)
        return 0;
    ParagraphFormat style = MakeStyle(data[0]);
    OwnedArray<EmbeddedObject> objects;
    for(const char* text : { "first", "second" }) {
        EmbeddedObject& o = objects.Add();
        o.ReadObject("fuzz object", text, Size(10, 10));
    }
    String packed((const char*)data + 1, (int)size - 1);

    UnpackedParagraph p;
    UnpackParagraph(p, packed, objects, style);
    bool valid = CheckParts(p.part);
    p.GetText();
    int pos = p.GetLength() / 2;
    p.FindPart(pos);

    OwnedArray<EmbeddedObject> repacked_objects;
    String repacked = PackParagraph(p, style, repacked_objects);
    FuzzCheck(repacked_objects.GetCount() <= objects.GetCount());
    UnpackedParagraph q;
    UnpackParagraph(q, repacked, repacked_objects, style);
    std::string described = QorTest::DescribeParagraph(q);
    if(valid)
        FuzzCheck(QorTest::DescribeParagraph(p) == described);

    OwnedArray<EmbeddedObject> again_objects;
    String again = PackParagraph(q, style, again_objects);
    FuzzCheck(again == repacked);
    UnpackedParagraph r;
    UnpackParagraph(r, again, again_objects, style);
    FuzzCheck(QorTest::DescribeParagraph(r) == described);
    return 0;
}
