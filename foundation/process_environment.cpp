// The process environment: what start-up stored and what is derived from it.
// Every object is a function-local static, so it is built on first use and
// released at exit in the reverse order of building.
#include "foundation/process_environment.h"

#include "foundation/charset.h"
#include "foundation/folder_scanner.h"
#include "foundation/path.h"
#include "foundation/system_text.h"
#include "foundation/text_split.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Qor {

// argv[0] is kept whole: a fixed buffer would cut (or overrun with) a long one.
static String& Argv0()
{
    static String argv0;
    return argv0;
}

static KeyMap<WString, WString>& Environment()
{
    static KeyMap<WString, WString> table;
    return table;
}

static Vector<WString>& Arguments()
{
    static Vector<WString> arguments;
    return arguments;
}

const String& StartUpArgv0() { return Argv0(); }
const KeyMap<WString, WString>& EnvironmentTable() { return Environment(); }
const Vector<WString>& ArgumentVector() { return Arguments(); }

void StoreArgv0(const char* argv0) { Argv0() = argv0 ? argv0 : ""; }

void StoreEnvironmentEntry(const char* entry)
{
    const char* equals = std::strchr(entry, '=');
    int name_length = equals ? int(equals - entry) : (int)std::strlen(entry);
    const char* value = equals ? equals + 1 : "";
    Environment().Add(WString(entry, name_length), WString(value));
}

void StoreArgument(const char* argument)
{
    Arguments().Add(WString(FromSystemText(String(argument))));
}

// Maps and vectors are held by pointer so that a reference handed out for one
// charset stays valid when the cache grows for another.
const KeyMap<String, String>& EnvironmentMap()
{
    static OwnedKeyMap<int, KeyMap<String, String>> cache;
    int charset = DefaultCharset();
    if(KeyMap<String, String>* map = cache.FindPtr(charset))
        return *map;
    const KeyMap<WString, WString>& table = Environment();
    KeyMap<String, String>& map = cache.Add(charset);
    map.Reserve(table.GetCount());
    for(int i = 0; i < table.GetCount(); i++)
        map.Add(String(table.GetKey(i)), String(table[i]));
    return map;
}

const Vector<String>& CommandLine()
{
    static OwnedKeyMap<int, Vector<String>> cache;
    int charset = DefaultCharset();
    if(Vector<String>* arguments = cache.FindPtr(charset))
        return *arguments;
    const Vector<WString>& stored = Arguments();
    Vector<String>& arguments = cache.Add(charset);
    arguments.Reserve(stored.GetCount());
    for(const WString& argument : stored)
        arguments.Add(String(argument));
    return arguments;
}

const char* ProcExeLink()
{
    static char link[4096];
    static bool done = false;
    if(!done) {
        done = true;
        char proc[64];
        std::snprintf(proc, sizeof(proc), "/proc/%d/exe", (int)getpid());
        ssize_t n = readlink(proc, link, sizeof(link));
        // 4096 bytes may be a cut path: no room for the NUL, so nothing is kept.
        link[n >= 1 && n < (ssize_t)sizeof(link) ? n : 0] = '\0';
    }
    return link;
}

String SearchExecutable(const String& argv0)
{
    const char* name = argv0.Begin();
    if(IsFullPath(name) && FileExists(name))
        return argv0;
    // A name with a '/' was resolved against the current folder when the
    // program was started, a bare name along PATH; the first hit is the one
    // the starting shell took.
    Vector<String> folders;
    if(std::strchr(name, '/'))
        folders.Add(CurrentFolder());
    if(const String* path = EnvironmentMap().FindPtr("PATH")) {
        Vector<String> listed = SplitText(FromSystemText(*path).Begin(), ':', true);
        for(String& folder : listed)
            folders.Add(std::move(folder));
    }
    for(const String& folder : folders) {
        String candidate = MakeAbsolutePath(JoinPath(folder, name).Begin());
        if(FileExists(candidate.Begin()))
            return candidate;
    }
    return HomeFilePath("qor");
}

String ExecutablePath()
{
    static String path;
    static bool done = false;
    if(!done) {
        done = true;
        const char* link = ProcExeLink();
        path = *link ? String(link) : SearchExecutable(Argv0());
    }
    return path;
}

String ExecutableTitle() { return FileTitle(ExecutablePath().Begin()); }

static String& HomeCache()
{
    static String home;
    return home;
}

void ForgetHomeFolder() { HomeCache().Clear(); }

String HomeFolder()
{
    String& home = HomeCache();
    if(home.IsEmpty()) {
        const char* value = std::getenv("HOME");
        home = FromSystemText(String(value ? value : ""));
        if(home.IsEmpty())
            home = "/root";
    }
    return home;
}

String HomeFilePath(const char* name) { return JoinPath(HomeFolder(), name); }

String ConfigFilePath(const char* name)
{
    static bool made = false;
    String folder = JoinPath(HomeFolder(), (".qor/" + ExecutableTitle()).Begin());
    if(!made) {
        // Tried once: a failure shows later when the file cannot be opened.
        made = true;
        MakeFolderPath(folder);
    }
    return JoinPath(folder, name);
}

} // namespace Qor
