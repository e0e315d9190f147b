// Process-wide facts filled by start-up and asked for later: argv[0], the
// environment and the arguments (kept as 16-bit texts and handed out in the
// current default charset), the executable's path and title, and the home and
// per-program configuration folders.
#pragma once

#include "foundation/key_map.h"
#include "foundation/string.h"
#include "foundation/vector.h"
#include "foundation/wstring.h"

namespace Qor {

// Full path of the running executable: the /proc link, else SearchExecutable
// of argv[0]. Computed once.
String ExecutablePath();
// Target of /proc/<pid>/exe, or "" when it cannot be read or is 4096 bytes or
// longer. Computed once.
const char* ProcExeLink();
// The file name of ExecutablePath without folder and extension.
String ExecutableTitle();

// Where argv[0] names an executable, without asking /proc: argv[0] itself when
// it is an existing full path; else the first existing candidate of the
// current folder (only when argv[0] holds a '/') followed by the PATH folders
// in order; else HomeFilePath("qor").
String SearchExecutable(const String& argv0);

// $HOME, or "/root" when it is unset or empty. Read once.
String HomeFolder();
// Drops the cached home folder so that the next HomeFolder reads HOME again;
// for tests that change HOME within one process.
void ForgetHomeFolder();
String HomeFilePath(const char* name);
// A file of <home>/.qor/<executable title>; the first call creates that folder.
String ConfigFilePath(const char* name);

// The environment and the arguments after argv[0], in the current default
// charset; one converted copy is kept per charset.
const KeyMap<String, String>& EnvironmentMap();
const Vector<String>& CommandLine();

// What start-up stored: argv[0] as given (of any length), the environment in
// block order (a repeated name has one entry per occurrence) and the
// arguments, both decoded to 16-bit texts.
const String& StartUpArgv0();
const KeyMap<WString, WString>& EnvironmentTable();
const Vector<WString>& ArgumentVector();

// Used by start-up only: they fill the tables above.
void StoreArgv0(const char* argv0);
void StoreEnvironmentEntry(const char* entry);
void StoreArgument(const char* argument);

} // namespace Qor
