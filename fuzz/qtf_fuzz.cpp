// Fuzz target for the Qtf reader and writer: hostile Qtf is read, the document written and
// the text read back. Checked: nothing crashes, overflows or leaks, and the document read
// back equals the first one in every paragraph, table, cell and style (runs may be split
// differently: the description goes character by character).
#include "fuzz/fuzz_support.h"
#include "foundation/charset.h"
#include "draw/font/font.h"
#include "richtext/qtf/qtf_reader.h"
#include "richtext/qtf/qtf_writer.h"
#include "tests/richtext/support/paragraph_text.h"

#include <cstdint>
#include <string>

using namespace Qor;

namespace {

// Faces are written by name, and the system's face list may hold a name twice: a face
// reads back as the first face of its name.
std::string SameFaceNumbers(const std::string& s)
{
    std::string out;
    size_t at = 0, found;
    while((found = s.find("face ", at)) != std::string::npos) {
        found += 5;
        out.append(s, at, found - at);
        size_t end = found;
        while(end < s.size() && s[end] >= '0' && s[end] <= '9')
            end++;
        int face = std::atoi(s.substr(found, end - found).c_str());
        out += std::to_string(face >= 4 ? FindFontFace(Font().Face(face).GetFaceName()) : face);
        at = end;
    }
    return out + s.substr(at);
}

std::string DescribeStyles(const RichText& doc)
{
    std::string s;
    const ParagraphStyleMap& styles = doc.GetStyles();
    for(int i = 0; i < styles.GetCount(); i++) {
        UnpackedParagraph p;
        p.format = styles[i].format;
        s += std::string(UuidToText(styles.GetKey(i)).Begin()) + " " + styles[i].name.Begin() + " next " +
             UuidToText(styles[i].next).Begin() + "\n" + QorTest::DescribeParagraph(p);
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size < 1)
        return 0;
    // The first byte picks the access key and the writer's options.
    int accesskey = data[0] & 0x80 ? 'A' + (data[0] & 15) : 0;
    int options = QTF_BODY | (data[0] & QTF_CRLF) | (data[0] & QTF_NOSTYLES);
    std::string qtf((const char*)data + 1, size - 1); // the reader takes NUL-terminated text
    RichText doc = ReadQtfDocument(qtf.c_str(), accesskey);
    String once = WriteQtfDocument(doc, CHARSET_UTF8, options);
    RichText again = ReadQtfDocument(once.Begin());
    if(options & QTF_NOSTYLES) // paragraphs are then written as they look, not as styled
        FuzzCheck(doc.GetPlainText() == again.GetPlainText());
    else {
        FuzzCheck(SameFaceNumbers(QorTest::DescribeDocument(doc)) == SameFaceNumbers(QorTest::DescribeDocument(again)));
        FuzzCheck(SameFaceNumbers(DescribeStyles(doc)) == SameFaceNumbers(DescribeStyles(again)));
    }
    return 0;
}
