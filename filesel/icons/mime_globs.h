// The map from file-name extensions to MIME types, read from the shared MIME database's
// glob files once per process.
#pragma once

#include "foundation/key_index.h"
#include "foundation/string.h"
#include "foundation/vector.h"

namespace Qor {

struct MimeGlobMap {
    KeyIndex<String> majors;     // "text", "image", ... in first-seen order
    KeyIndex<String> subtypes;   // "plain", "png", ... shared by all majors
    KeyIndex<String> extensions; // without the dot, case kept
    Vector<int> typecodes;       // per extension: major position * 65536 + subtype position

    // Adds the "type:*.ext" mappings of one glob file; an extension already mapped keeps
    // its first type. A missing or unreadable file adds nothing.
    void ParseGlobFile(const char* path);
    // The major type and subtype of an extension (exact case); false when unmapped.
    bool Find(const String& ext, String& major, String& subtype) const;
};

// The process-wide map, empty until LoadMimeGlobs fills it.
MimeGlobMap& GetMimeGlobMap();
// Empties the map, then reads the local glob file and the system's one, in that order.
void LoadMimeGlobs(MimeGlobMap& map);

} // namespace Qor
