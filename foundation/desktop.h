// The Linux desktop around the program: opening a URL in a web browser, the
// kind of desktop environment running, and the user folders (desktop, music,
// pictures, ...) configured by the XDG "user-dirs.dirs" and
// "user-dirs.defaults" files. Nothing is cached: each call reads the
// environment and the files again.
#pragma once

#include "foundation/string.h"

namespace Qor {

// Starts the first browser found on PATH on the URL, in the background, and
// returns at once; does nothing when none is found. The URL is handed to the
// browser as one argument and never passes through a shell.
void OpenUrlInBrowser(const String& url);

// The full path of the first browser candidate that PATH holds as an
// executable file, in the candidates' order; empty when none.
String FindBrowser();
// The browser candidates in the order they are tried; ends with nullptr.
extern const char* const browser_candidates[];

// "gnome", "kde", or the value of DESKTOP_SESSION (possibly empty).
String DesktopKind();

// The configured folder for key, else for second_key (when not null or empty);
// empty when neither gives a value.
String XdgUserFolder(const char* key, const char* second_key);
// The first existing of <config_home>/user-dirs.dirs,
// <config_dirs>/user-dirs.defaults and <config_dirs>/user-dirs.dirs; else "".
String FindUserDirsFile(const String& config_home, const String& config_dirs);
// The key's value in the file, without its surrounding double quotes and with
// every $NAME replaced by the environment variable NAME; "" when the file or the
// key is missing.
String ReadUserDirsValue(const String& file, const char* key);

// The user folders. The desktop folder falls back to <home>/Desktop, the others to "".
String DesktopFolder();
String MusicFolder();
String PicturesFolder();
String VideosFolder();
String DocumentsFolder();
String DownloadFolder();

} // namespace Qor
