// Paths as text: their parts, joining, normalising to an absolute path, and
// matching file names against wildcard masks. Paths use '/' as separator and
// are in the default charset; only CurrentFolder and MakeAbsolutePath ask the
// operating system anything.
#pragma once

#include "foundation/string.h"

namespace Qor {

// The path begins with '/'.
bool IsFullPath(const char* path);
// The text after the last '/', the whole path when there is none.
String NameOfPath(const char* path);
// The text before the last '/'; "/" when that '/' is the first character;
// empty when there is no '/'.
String FolderOfPath(const char* path);
// The name part without its extension (from the name's last '.').
String FileTitle(const char* path);
// The name part from its last '.' on, the '.' included; empty when none.
String ExtensionOfPath(const char* path);
// The last '.' of the name part, or the terminating NUL when there is none.
const char* FindPathExtension(const char* path);
// The text contains '*' or '?'.
bool HasWildcards(const char* text);

// The folder, a '/' unless the folder is empty, already ends with '/' or the
// name begins with '/', then the name.
String JoinPath(const String& folder, const char* name);

// The absolute form of a path, with "." and ".." resolved and '\\' read as
// '/'. A relative path is taken against current_folder; "~" alone or followed
// by a separator stands for the home folder ("~notes" is an ordinary name).
// The result never ends with a separator unless it is the root itself.
String NormalizePath(const char* path, const char* current_folder);
// NormalizePath against CurrentFolder.
String MakeAbsolutePath(const char* path);

// The current working folder; empty when it cannot be read.
String CurrentFolder();

// '*' matches any run of bytes, '?' any one byte; everything else matches
// itself without regard to case (ASCII and Latin-1 letters).
bool MatchesWildcard(const char* pattern, const char* name);
// MatchesWildcard, except that "x." matches only names without a '.' and
// "x.*" also matches what x matches ("*.*" matches every name).
bool MatchesPattern(const char* pattern, const char* name);
// Patterns separated by runs of ' ', ',' and ';'; true when any matches.
bool MatchesPatternList(const char* patterns, const char* name);

} // namespace Qor
