// Access keys of captions: the mark that names one ('&' or a backspace byte), the key chosen
// for a caption without a mark, and whether a key press is that key.
#pragma once

#include "foundation/string.h"

namespace Qor {

// An access-key value: bits 0-15 the key (a capital ASCII letter or another key character,
// 0 none), bits 16-31 the 1-based position of the key character in its caption, counted in
// characters (UTF-16 units of the decoded caption), 0 when not given.
inline int AccessKeyChar(int access_key) { return access_key & 0xFFFF; }
inline int AccessKeyPosition(int access_key) { return (access_key >> 16) & 0xFFFF; }

// The access key marked in text; the text without its marks goes to cleaned. In plain text
// '&' and backspace mark the character after them ("&&" is a literal '&', a mark at the end
// stays); in rich text (first byte 1) only a backspace marks. The last mark wins; 0 when
// there is none.
int ExtractAccessKey(const char* text, String& cleaned);
// A key for text that no bit of used holds: its first free capital ASCII letter with its
// position; else its first free letter other than I and L, then any free letter, without a
// position; 0 when every letter is taken.
int ChooseAccessKey(const char* text, dword used);
// Whether key_code (a key event's code) is Alt with the access key's letter.
bool MatchesAccessKey(int access_key, dword key_code);

} // namespace Qor
