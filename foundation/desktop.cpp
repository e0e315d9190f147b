// Desktop integration: the browser launcher, the desktop kind and the XDG
// user-dirs reader.
#include "foundation/desktop.h"

#include "foundation/cparser.h"
#include "foundation/folder_scanner.h"
#include "foundation/ini.h"
#include "foundation/path.h"
#include "foundation/process_environment.h"
#include "foundation/system_text.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Qor {

const char* const browser_candidates[] = {
    "htmlview", "xdg-open", "x-www-browser", "firefox", "konqueror",
    "opera",    "epiphany", "galeon",        "netscape", nullptr,
};

namespace {

// An environment variable in the default charset; unset reads as empty.
String EnvironmentText(const char* name)
{
    const char* value = std::getenv(name);
    return value ? FromSystemText(String(value)) : String();
}

bool IsExecutableFile(const String& path)
{
    struct stat st;
    return stat(path.Begin(), &st) == 0 && S_ISREG(st.st_mode) && access(path.Begin(), X_OK) == 0;
}

// The candidate in the PATH folders, in their order; an empty entry is the
// current folder.
String FindOnPath(const char* name, const char* path_list)
{
    const char* p = path_list;
    for(;;) {
        const char* end = p;
        while(*end && *end != ':')
            end++;
        String folder(p, int(end - p));
        String file = JoinPath(folder.IsEmpty() ? String(".") : folder, name);
        if(IsExecutableFile(file))
            return file;
        if(*end == 0)
            return String();
        p = end + 1;
    }
}

// Starts the program detached: an intermediate child forks the program and ends
// at once, so the program is not left as our child and we never wait for it.
// Everything the children use is prepared before the fork; they only call
// fork, execv and _exit.
void StartDetached(const char* path, char* const argv[])
{
    pid_t child = fork();
    if(child == 0) {
        if(fork() == 0) {
            execv(path, argv);
            _exit(127);
        }
        _exit(0);
    }
    if(child < 0)
        return;
    while(waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The text after a '$' names a variable when, past white space and comments,
// it begins an identifier; the identifier ends at the first other character.
// Returns where copying goes on, or nullptr when no variable is named.
const char* ExpandVariable(const char* after_dollar, String& out)
{
    CParser parser(after_dollar);
    if(!parser.IsId())
        return nullptr;
    parser.SetSkipSpaces(false);
    String name = parser.TakeId();
    out += EnvironmentText(name.Begin());
    return parser.GetCurrent();
}

} // namespace

String FindBrowser()
{
    const char* path_list = std::getenv("PATH");
    if(!path_list)
        return String();
    for(const char* const* name = browser_candidates; *name; name++) {
        String file = FindOnPath(*name, path_list);
        if(!file.IsEmpty())
            return file;
    }
    return String();
}

void OpenUrlInBrowser(const String& url)
{
    String browser = FindBrowser();
    if(browser.IsEmpty())
        return;
    // The URL reaches the browser as one argument, exactly as given: no shell
    // ever sees it, so ';', '$(...)' or quotes in it start nothing else.
    String name = browser.Mid(browser.FindLast('/') + 1);
    char* argv[] = {(char*)name.Begin(), (char*)url.Begin(), nullptr};
    StartDetached(browser.Begin(), argv);
}

String DesktopKind()
{
    if(!EnvironmentText("GNOME_DESKTOP_SESSION_ID").IsEmpty())
        return "gnome";
    if(!EnvironmentText("KDE_FULL_SESSION").IsEmpty() || !EnvironmentText("KDEDIR").IsEmpty())
        return "kde";
    return EnvironmentText("DESKTOP_SESSION");
}

String FindUserDirsFile(const String& config_home, const String& config_dirs)
{
    String candidates[] = {
        JoinPath(config_home, "user-dirs.dirs"),
        JoinPath(config_dirs, "user-dirs.defaults"),
        JoinPath(config_dirs, "user-dirs.dirs"),
    };
    for(const String& file : candidates)
        if(FileExists(file.Begin()))
            return file;
    return String();
}

String ReadUserDirsValue(const String& file, const char* key)
{
    if(file.IsEmpty())
        return String();
    String value = IniSectionValue(LoadIniSections(file.Begin()), "", key);
    if(value.StartsWith("\""))
        value.Remove(0);
    if(value.EndsWith("\""))
        value.Remove(value.GetLength() - 1);
    String out;
    const char* s = value.Begin();
    while(*s) {
        if(*s != '$') {
            out += *s++;
            continue;
        }
        const char* next = ExpandVariable(s + 1, out);
        if(next)
            s = next;
        else
            out += *s++;
    }
    return out;
}

String XdgUserFolder(const char* key, const char* second_key)
{
    String config_home = EnvironmentText("XDG_CONFIG_HOME");
    if(config_home.IsEmpty())
        config_home = JoinPath(HomeFolder(), ".config");
    // Taken whole: a ':' separated list is not split.
    String config_dirs = EnvironmentText("XDG_CONFIG_DIRS");
    if(config_dirs.IsEmpty())
        config_dirs = "/etc/xdg";
    String file = FindUserDirsFile(config_home, config_dirs);
    String value = ReadUserDirsValue(file, key);
    if(value.IsEmpty() && second_key && *second_key)
        value = ReadUserDirsValue(file, second_key);
    return value;
}

String DesktopFolder()
{
    String folder = XdgUserFolder("XDG_DESKTOP_DIR", "DESKTOP");
    return folder.IsEmpty() ? JoinPath(HomeFolder(), "Desktop") : folder;
}

String MusicFolder() { return XdgUserFolder("XDG_MUSIC_DIR", "MUSIC"); }
String PicturesFolder() { return XdgUserFolder("XDG_PICTURES_DIR", "PICTURES"); }
String VideosFolder() { return XdgUserFolder("XDG_VIDEOS_DIR", "VIDEOS"); }
String DocumentsFolder() { return XdgUserFolder("XDG_DOCUMENTS_DIR", "DOCUMENTS"); }
String DownloadFolder() { return XdgUserFolder("XDG_DOWNLOAD_DIR", nullptr); }

} // namespace Qor
