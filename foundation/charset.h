// Character sets: charset codes and the default charset, the registry of 8-bit
// code pages, UTF-8 with its lossless byte escape, conversions between 8-bit and
// 16-bit text, and the case operations driven by the character table.
#pragma once

#include "foundation/types.h"

namespace Qor {

class String;
class WString;

enum { CHARSET_DEFAULT = 0, CHARSET_UTF8 = 255 };

// Raw bytes that could not be decoded travel as U+EE00 + byte.
enum { CHARSET_ESCAPE_BASE = 0xEE00 };

inline bool IsByteEscape(int ch) { return (ch & 0xFF00) == 0xEE00; }

int DefaultCharset();
void SetDefaultCharset(int code);

// Only the low 8 bits count; 0 stands for the current default.
inline int ResolveCharset(int code)
{
    code &= 255;
    return code ? code : DefaultCharset();
}

class CharsetRegistry;
CharsetRegistry& CharsetRegistryInit();
int CharsetCount();
const char* NameOfCharset(int code);
int FindCharset(const char* name);

int Utf8DecodedLength(const char* p, int len);
WString DecodeUtf8(const char* p, int len);
WString DecodeUtf8(const char* text);
// Into a buffer with room for Utf8DecodedLength(p, len) units, without allocating;
// returns the number of units written.
int DecodeUtf8(wchar16* out, const char* p, int len);
WString DecodeUtf8(const String& s);
String EncodeUtf8(const wchar16* p, int n);
String EncodeUtf8(int ch);
String EncodeUtf8(const WString& s);

WString DecodeText(const char* p, int len, int charset = 0);
WString DecodeText(const String& s, int charset = 0);
String EncodeText(const wchar16* p, int n, int charset = 0, int substitute = 0x1F);
String EncodeText(const WString& s, int charset = 0, int substitute = 0x1F);
// Writes n bytes into out; 8-bit charsets only.
void EncodeText(char* out, const wchar16* p, int n, int charset = 0, int substitute = 0x1F);

// One character of an 8-bit charset (the callers handle UTF-8 themselves).
int DecodeChar(int byte, int charset = 0);
int EncodeChar(int ch, int charset = 0, int substitute = 0x1F);

String RecodeText(int to, const String& text, int from, int substitute = 0x1F);

int HexDigitValue(int c);

int AsciiBaseChar(int ch, int charset = 0);
int CapitalAsciiLetter(int ch);
String LowerCaseText(const String& text, int charset = 0);
String CapitalCaseText(const String& text, int charset = 0);
String CapitalizeWords(const char* text, int charset = 0);
WString CapitalizeWords(const WString& text);

} // namespace Qor
