// Text in the clipboard formats: what is sent for each format and how each is read back.
#pragma once

#include "ctrl/clip/transfer.h"
#include "foundation/wstring.h"

namespace Qor {

// "STRING;UTF8_STRING;text/plain;text/unicode".
const char* ClipboardTextFormats();
// The bytes of text in one text format: "UTF8_STRING" as UTF-8, "text/unicode" as
// little-endian 16-bit units, "STRING" and "text/plain" as ISO 8859-1 with byte 31 for
// what it lacks; empty for any other format.
String RenderTextFormat(const WString& text, const String& format);
String EncodeUnicodeText(const WString& text);
// Little-endian 16-bit units; an odd last byte is dropped.
WString DecodeUnicodeText(const String& data);
// The text of data received in a text format (empty for another format).
WString DecodeTextFormat(const String& data, const String& format);
// The offer's text in the first of "UTF8_STRING", "text/unicode", "STRING" and
// "text/plain" that is available and arrives; empty when none does.
WString ReadOfferText(TransferOffer& offer);
// Adds "STRING", "text/plain", "UTF8_STRING" and "text/unicode" items of text; formats the
// map already holds keep their items.
void AddTextFormats(TransferFormatMap& map, const WString& text);

} // namespace Qor
