// q.ini: the line reader with its includes, the cache loaded on the first
// request, boolean flags, the variable registry with "user_log", and the
// reader of sectioned files.
#include "foundation/ini.h"

#include "foundation/charset.h"
#include "foundation/cparser.h"
#include "foundation/file_stream.h"
#include "foundation/key_index.h"
#include "foundation/owned_ptr.h"
#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "foundation/system_text.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace Qor {

int32 ini_version = 1;

namespace {

Stream* OpenIniFile(const char* path)
{
    String system_path = ToSystemText(path);
    struct stat info;
    // A folder opens, but cannot be read as lines.
    if(stat(system_path.Begin(), &info) != 0 || S_ISDIR(info.st_mode))
        return nullptr;
    FileIn* in = new FileIn(path);
    if(in->IsOpen())
        return in;
    delete in;
    return nullptr;
}

// What names the file itself: the resolved path (symbolic links followed), or
// the normalised one when the file does not exist.
String FileIdentity(const char* path)
{
    String absolute = MakeAbsolutePath(path);
    char resolved[PATH_MAX];
    if(realpath(ToSystemText(absolute).Begin(), resolved))
        return FromSystemText(String(resolved));
    return absolute;
}

// One load: the files already read, so that a cycle of includes reads each
// file once and ends.
struct IniLineReader {
    KeyMap<String, String>& out;
    IniOpenFunction open;
    KeyIndex<String> seen;

    void Read(Stream& in, const char* path, int depth);
    void Include(const String& name, const char* path, int depth);
};

void IniLineReader::Read(Stream& in, const char* path, int depth)
{
    while(!in.IsEof()) {
        String line = in.GetLine();
        CParser p(line.Begin());
        if(p.IsId()) {
            String key = p.TakeId();
            if(p.Char('='))
                out.Add(key, String(p.GetCurrent(), int(line.End() - p.GetCurrent())));
        }
        else if(p.Char('@')) {
            if(p.MatchId("include"))
                Include(String(p.GetCurrent(), int(line.End() - p.GetCurrent())), path, depth);
            else if(p.MatchId("end"))
                return;
        }
    }
}

void IniLineReader::Include(const String& name, const char* path, int depth)
{
    if(name.IsEmpty() || depth >= INI_MAX_INCLUDE_DEPTH)
        return;
    String file = name;
    if(!IsFullPath(name.Begin()) && path && *path)
        file = JoinPath(FolderOfPath(MakeAbsolutePath(path).Begin()), name.Begin());
    String identity = FileIdentity(file.Begin());
    if(seen.Find(identity) >= 0)
        return;
    seen.Add(identity);
    OwnedPtr<Stream> in(open(file.Begin()));
    if(in)
        Read(*in, file.Begin(), depth + 1);
}

KeyMap<String, String>& IniCache()
{
    static KeyMap<String, String> cache;
    return cache;
}

int32 ini_cache_version = 0;

void LoadIniFile(const String& path, KeyMap<String, String>& out)
{
    FileIn in;
    if(in.Open(path.Begin()))
        ReadIniLines(in, out, path.Begin());
}

void LoadIniCache()
{
    ini_cache_version = ini_version;
    KeyMap<String, String> map;
    LoadIniFile(ConfigFilePath("q.ini"), map);
    if(map.IsEmpty())
        LoadIniFile(HomeFilePath("q.ini"), map);
    IniCache() = std::move(map);
}

// Owns the records; released at exit.
struct IniRegistry {
    Vector<IniVariable*> list;
    ~IniRegistry()
    {
        for(IniVariable* v : list)
            delete v;
    }
};

IniRegistry& Registry()
{
    static IniRegistry registry;
    return registry;
}

} // namespace

void ReadIniLines(Stream& in, KeyMap<String, String>& out, const char* path, IniOpenFunction open)
{
    IniLineReader reader{ out, open ? open : OpenIniFile, {} };
    if(path && *path)
        reader.seen.Add(FileIdentity(path));
    reader.Read(in, path, 0);
}

void ReadIniLines(Stream& in, KeyMap<String, String>& out, const char* path)
{
    ReadIniLines(in, out, path, OpenIniFile);
}

String IniValue(const char* key, const String& otherwise)
{
    if(ini_cache_version != ini_version)
        LoadIniCache();
    return IniCache().Get(String(key), otherwise);
}

String IniText(const char* key) { return IniValue(key, String()); }

bool IniFlag::Compute()
{
    String text = StripOuterSpace(LowerCaseText(IniValue(name, String())));
    if(text.IsEmpty())
        value = default_value && default_value();
    else
        value = text == "1" || text == "yes" || text == "true" || text == "y";
    version = ini_version;
    return value;
}

String IniFlagText(IniFlag& flag) { return flag.Get() ? "true" : "false"; }

void RegisterIniVariable(const char* name, String (*value_text)(), String (*default_text)(),
                         const char* description)
{
    Registry().list.Add(new IniVariable{ name, description, value_text, default_text });
}

int GetIniVariableCount() { return Registry().list.GetCount(); }

const IniVariable& GetIniVariable(int i) { return *Registry().list[i]; }

IniFlag user_log_flag = { "user_log", [] { return false; } };

void RegisterUserLogVariable()
{
    static bool done = false;
    if(done)
        return;
    done = true;
    RegisterIniVariable(
        "user_log", [] { return IniFlagText(user_log_flag); }, [] { return String("false"); },
        "Activates logging of user actions");
}

IniSections ReadIniSections(Stream& in)
{
    IniSections sections;
    sections.Add(String());
    int current = 0;
    while(!in.IsEof()) {
        String line = in.GetLine();
        if(line[0] == '[') {
            int close = line.Find(']', 1);
            String name = close < 0 ? line.Mid(1) : line.Mid(1, close - 1);
            current = sections.Find(name);
            if(current < 0) {
                sections.Add(name);
                current = sections.GetCount() - 1;
            }
            continue;
        }
        int eq = line.Find('=');
        String key = eq < 0 ? line : line.Left(eq);
        if(key.IsEmpty())
            continue;
        String value = eq < 0 ? String() : line.Mid(eq + 1);
        sections[current].GetAdd(StripOuterSpace(key)) = StripOuterSpace(value);
    }
    return sections;
}

IniSections LoadIniSections(const char* path)
{
    OwnedPtr<Stream> in(OpenIniFile(path));
    if(!in) {
        IniSections sections;
        sections.Add(String());
        return sections;
    }
    return ReadIniSections(*in);
}

String IniSectionValue(const IniSections& sections, const char* section, const char* key)
{
    const KeyMap<String, String>* map = sections.FindPtr(String(section));
    return map ? map->Get(String(key), String()) : String();
}

} // namespace Qor
