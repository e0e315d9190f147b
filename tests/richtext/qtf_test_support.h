// Helpers of the Qtf tests: paragraphs and cells of a read document as text.
#pragma once

#include "foundation/charset.h"
#include "richtext/qtf/qtf_reader.h"
#include "richtext/table/rich_table.h"

#include <string>

namespace QorTest {

inline std::string Utf8(const Qor::WString& w)
{
    Qor::String s = Qor::EncodeUtf8(w);
    return std::string(s.Begin(), s.GetLength());
}

// Paragraph i of a part list, unpacked against the document's styles.
inline void GetQtfParagraph(const Qor::RichText& doc, const Qor::RichTxt& txt, int i, Qor::UnpackedParagraph& p)
{
    txt.GetParagraph(i, p, doc.GetStyles());
}

inline std::string QtfParagraphText(const Qor::RichText& doc, const Qor::RichTxt& txt, int i)
{
    Qor::UnpackedParagraph p;
    GetQtfParagraph(doc, txt, i, p);
    return Utf8(p.GetText());
}

// The plain text of cell (row, column) of table part i.
inline std::string QtfCellText(const Qor::RichTxt& txt, int i, int row, int column)
{
    return Utf8(txt.GetTable(i).GetCell(row, column).text.GetPlainText());
}

} // namespace QorTest
