// Named configuration values from "q.ini" (in the program's configuration
// folder, else in the home folder), read once into a cache on the first
// request; boolean settings cached per configuration version (IniFlag); the
// registry of described variables; and a separate reader for files of
// [section] headers and key=value lines.
#pragma once

#include "foundation/key_map.h"
#include "foundation/stream.h"
#include "foundation/string.h"

namespace Qor {

// The generation of the configuration. Every cache remembers the version it
// was computed for and recomputes when it differs; nothing changes it yet, so
// each is computed once.
extern int32 ini_version;
inline int32 GetIniVersion() { return ini_version; }

// The value of the key's first definition in q.ini, else the default. The
// first request loads the file (and creates the configuration folder).
String IniValue(const char* key, const String& otherwise);
String IniText(const char* key);

// A boolean setting: a static record, constant-initialised, e.g.
//   IniFlag my_flag = { "my_flag", [] { return false; } };
// Callers in a hurry may read value directly when version == GetIniVersion().
struct IniFlag {
    const char* name;
    bool (*default_value)(); // when the key is absent or its value empty
    int32 version = 0;       // the ini_version value was computed for
    bool value = false;

    bool Get() { return version == GetIniVersion() ? value : Compute(); }
    // "1", "yes", "true" and "y" (any case, outer space ignored) are true.
    bool Compute();
};

// "true" or "false".
String IniFlagText(IniFlag& flag);

// Switches on the logging of user actions by the window core.
extern IniFlag user_log_flag;

// Records a variable with its description. Repeated names are not checked.
void RegisterIniVariable(const char* name, String (*value_text)(), String (*default_text)(),
                         const char* description);
// Records "user_log" once; run before the entry point.
void RegisterUserLogVariable();

struct IniVariable {
    String name;
    String description;
    String (*value_text)();
    String (*default_text)();
};
// The registered variables in registration order (for listings and tests).
int GetIniVariableCount();
const IniVariable& GetIniVariable(int i);

// Adds the definitions of one file to out in file order, following its
// "@include" lines (relative names are taken against the folder of path) up
// to "@end". Each file is read at most once per call, and includes nested
// deeper than INI_MAX_INCLUDE_DEPTH are skipped, so cycles end.
void ReadIniLines(Stream& in, KeyMap<String, String>& out, const char* path);

enum { INI_MAX_INCLUDE_DEPTH = 16 };

// Where included files come from: the file system by default. The result is a
// heap stream owned by the caller, or nullptr when the file cannot be opened.
using IniOpenFunction = Stream* (*)(const char* path);
void ReadIniLines(Stream& in, KeyMap<String, String>& out, const char* path, IniOpenFunction open);

// The sectioned files: section name -> (key -> value). The section of the
// empty name is always the first. Within a section the last assignment wins.
using IniSections = KeyMap<String, KeyMap<String, String>>;
IniSections LoadIniSections(const char* path);
IniSections ReadIniSections(Stream& in);
// The value, or "" when the section or the key is absent.
String IniSectionValue(const IniSections& sections, const char* section, const char* key);

} // namespace Qor
