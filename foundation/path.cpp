// Path parts, joining and normalisation; the current folder.
#include "foundation/path.h"

#include "foundation/process_environment.h"

#include "foundation/join.h"
#include "foundation/system_text.h"
#include "foundation/text_split.h"
#include "foundation/vector.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Qor {

bool IsFullPath(const char* path)
{
    return *path == '/';
}

// The name part starts just past the last '/'.
static const char* NameStart(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

String NameOfPath(const char* path)
{
    return String(NameStart(path));
}

String FolderOfPath(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    if(!slash)
        return String();
    if(slash == path)
        return String("/");
    return String(path, int(slash - path));
}

const char* FindPathExtension(const char* path)
{
    const char* name = NameStart(path);
    const char* dot = std::strrchr(name, '.');
    return dot ? dot : name + std::strlen(name);
}

String FileTitle(const char* path)
{
    const char* name = NameStart(path);
    return String(name, int(FindPathExtension(path) - name));
}

String ExtensionOfPath(const char* path)
{
    return String(FindPathExtension(path));
}

bool HasWildcards(const char* text)
{
    return std::strpbrk(text, "*?") != nullptr;
}

String JoinPath(const String& folder, const char* name)
{
    String result = folder;
    if(!folder.IsEmpty() && !folder.EndsWith("/") && *name != '/')
        result += '/';
    result += name;
    return result;
}

static bool IsPathSeparator(char c)
{
    return c == '/' || c == '\\';
}

static int PathSeparatorFilter(int c)
{
    return c == '/' || c == '\\' ? c : 0;
}

static Vector<String> SplitPath(const char* path)
{
    return SplitText(path, CharFilterTextTest(PathSeparatorFilter), true);
}

// The home folder as start-up defines it: HOME, or "/root" when HOME is unset
// or empty. Read afresh each time so that a changed HOME is seen.
String NormalizePath(const char* path, const char* current_folder)
{
    if(!current_folder)
        current_folder = "";
    Vector<String> parts = SplitPath(path);
    Vector<String> stack;
    String result;
    int first = 0;
    // "~notes" is a relative name; only "~" itself is the home folder.
    bool home = path[0] == '~' && (path[1] == '\0' || IsPathSeparator(path[1]));
    if(home) {
        result = HomeFolder();
        first = 1;
    }
    else if(IsPathSeparator(path[0]))
        result = IsPathSeparator(path[1]) ? "//" : "/";
    else {
        result = IsPathSeparator(current_folder[0]) && IsPathSeparator(current_folder[1]) ? "//" : "/";
        stack = SplitPath(current_folder);
    }
    for(int i = first; i < parts.GetCount(); i++) {
        const String& part = parts[i];
        if(part == ".")
            continue;
        if(part == "..") {
            if(!stack.IsEmpty())
                stack.Drop();
            continue;
        }
        stack.Add(part);
    }
    if(!home)
        return result + JoinStrings(stack, "/");
    // A home folder of "/" must not turn "~/a" into the network form "//a".
    for(const String& part : stack) {
        if(!result.EndsWith("/"))
            result += '/';
        result += part;
    }
    return result;
}

String MakeAbsolutePath(const char* path)
{
    String current = CurrentFolder();
    return NormalizePath(path, current.Begin());
}

String CurrentFolder()
{
    // Folders may be nested past any fixed buffer: grow until the name fits.
    for(size_t size = 1024; size <= (size_t(1) << 24); size *= 2) {
        Vector<char> buffer;
        buffer.SetCount((int)size);
        if(getcwd(buffer.begin(), size))
            return FromSystemText(buffer.begin());
        if(errno != ERANGE)
            break;
    }
    return String();
}

} // namespace Qor
