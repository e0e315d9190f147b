// Fuzz target for the Qtf reader and writer: hostile Qtf is read, the document written and
// the text read back. Checked: nothing crashes, overflows or leaks, and the document read
// back equals the first one in every paragraph, table, cell and style (runs may be split
// differently: the description goes character by character).
#include "fuzz/fuzz_support.h"
#include "foundation/charset.h"
#include "draw/font/font.h"
#include "richtext/qtf/qtf_reader.h"
#include "richtext/qtf/qtf_writer.h"
#include "richtext/table/rich_table.h"
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

std::string Describe(const RichText& doc, const RichTxt& txt)
{
    std::string s;
    for(int i = 0; i < txt.GetPartCount(); i++) {
        if(txt.IsPara(i)) {
            UnpackedParagraph p;
            txt.GetParagraph(i, p, doc.GetStyles());
            s += "style " + std::string(UuidToText(p.format.style).Begin()) + "\n" + QorTest::DescribeParagraph(p);
            continue;
        }
        const RichTable& t = txt.GetTable(i);
        const TableFormat& f = t.GetFormat();
        char b[200];
        std::snprintf(b, sizeof b, "table %d %d %d %d %d %08x %d %08x %d %d\n", f.before, f.lm, f.rm, f.after, f.frame,
                      f.frame_color.GetBits(), f.grid, f.grid_color.GetBits(), f.header, f.keep);
        s += b;
        for(int w : f.column)
            s += std::to_string(w) + " ";
        for(int r = 0; r < t.GetRows(); r++)
            for(int c = 0; c < t.GetColumns(); c++) {
                const TableCell& cell = t.GetCell(r, c);
                const CellFormat& cf = cell.format;
                std::snprintf(b, sizeof b, "cell %d %d %d %d %d %d %d %d %d %d %08x %08x %d spans %d %d\n",
                              cf.border_left, cf.border_top, cf.border_right, cf.border_bottom, cf.margin_left,
                              cf.margin_top, cf.margin_right, cf.margin_bottom, cf.align, cf.min_height,
                              cf.color.GetBits(), cf.border_color.GetBits(), cf.keep, cell.vspan, cell.hspan);
                s += b + Describe(doc, cell.text);
            }
    }
    return s;
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
        FuzzCheck(SameFaceNumbers(Describe(doc, doc)) == SameFaceNumbers(Describe(again, again)));
        FuzzCheck(SameFaceNumbers(DescribeStyles(doc)) == SameFaceNumbers(DescribeStyles(again)));
    }
    return 0;
}
