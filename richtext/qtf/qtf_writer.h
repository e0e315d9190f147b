// Writing a rich-text document as Qtf that reads back into an equal document.
#pragma once

#include "foundation/key_index.h"
#include "richtext/qtf/qtf_format_writer.h"
#include "richtext/text/rich_text.h"

namespace Qor {

// Options of WriteQtfDocument.
enum : int {
    QTF_BODY = 1,     // without it only the style table is written
    QTF_NOSTYLES = 4, // no style table, paragraphs against a plain base
    QTF_CRLF = 8,     // line breaks for readability
    QTF_NOCHARSET = 0x10,
    QTF_NOLANG = 0x20,
};

// Characters in charset (255 = UTF-8).
String WriteQtfDocument(const RichText& text, int charset = 255, int options = QTF_BODY);

// Each appends to out.
void WriteQtfParagraph(String& out, const UnpackedParagraph& p, const ParagraphFormat& style, int charset, int language,
                       bool crlf);
void WriteQtfBody(String& out, const RichTxt& txt, const ParagraphStyleMap& styles, const ParagraphFormat& base,
                  int options, const KeyIndex<Uuid>& ids, int charset, int language);

} // namespace Qor
