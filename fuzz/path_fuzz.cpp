// Fuzz target for path texts and name masks. The input holds a pattern and a name split
// at the first NUL. Checked: normalising is idempotent, never ends in a separator except
// for the root, and keeps no "." or ".." piece in a full path; a pattern matches itself
// when it has no wildcards.
#include "fuzz/fuzz_support.h"
#include "foundation/path.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace Qor;

namespace {

void CheckNormalized(const String& p)
{
    if(p.IsEmpty() || !IsFullPath(p.Begin()))
        return;
    FuzzCheck(p == "/" || p == "//" || p[p.GetLength() - 1] != '/');
    FuzzCheck(!std::strstr(p.Begin(), "/./") && !std::strstr(p.Begin(), "/../"));
    FuzzCheck(NormalizePath(p.Begin(), "/") == p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if(size > 4096)
        return 0;
    String input((const char*)data, (int)size);
    const char* first = input.Begin(); // ends at the first NUL
    const char* split = (const char*)std::memchr(input.Begin(), 0, size);
    const char* second = split ? split + 1 : "";

    IsFullPath(first);
    NameOfPath(first);
    FolderOfPath(first);
    FileTitle(first);
    ExtensionOfPath(first);
    FuzzCheck(FindPathExtension(first) >= first);
    JoinPath(String(first), second);

    // The current folder is taken as normalised already: only such folders are passed.
    String normal = NormalizePath(first, "/home/user");
    CheckNormalized(normal);
    CheckNormalized(NormalizePath(second, normal.Begin()));

    MatchesWildcard(first, second);
    MatchesPattern(first, second);
    MatchesPatternList(first, second);
    if(!HasWildcards(first))
        FuzzCheck(MatchesWildcard(first, first));
    return 0;
}
