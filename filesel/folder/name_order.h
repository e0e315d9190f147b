// The orders of the file selector's listing, on an entry's folder flag and name:
// folders before files, ".." before the rest of its kind, then by name or by extension.
#pragma once

namespace Qor {

// Names without regard to ASCII case.
bool FileNameLess(bool a_folder, const char* a, bool b_folder, const char* b);
// Extensions (the last '.' and what follows) without regard to ASCII case, a name
// without extension first; equal extensions, or none, fall back to FileNameLess.
bool FileExtensionLess(bool a_folder, const char* a, bool b_folder, const char* b);

} // namespace Qor
