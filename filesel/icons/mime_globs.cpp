// Reading the shared MIME database's glob files into the extension map.
#include "filesel/icons/mime_globs.h"

#include "foundation/file_stream.h"

namespace Qor {

void MimeGlobMap::ParseGlobFile(const char* path)
{
    FileIn in;
    if(!in.Open(path))
        return;
    while(!in.IsEof()) {
        String line = StripLeadingSpace(StripTrailingSpace(in.GetLine()));
        if(line.StartsWith("#"))
            continue;
        int c = line.Find(':');
        if(c < 0)
            continue;
        String type = line.Left(c);
        int s = type.Find('/');
        if(s < 0)
            continue;
        int star = line.Find("*.", c);
        if(star < 0)
            continue;
        String ext = line.Mid(star + 2);
        if(ext.IsEmpty() || extensions.Find(ext) >= 0)
            continue;
        int subtype = subtypes.FindAdd(type.Mid(s + 1));
        int major = majors.FindAdd(type.Left(s));
        extensions.Add(ext);
        // Both positions are kept as 16-bit numbers.
        typecodes.Add((major & 0xFFFF) * 65536 + (subtype & 0xFFFF));
    }
}

bool MimeGlobMap::Find(const String& ext, String& major, String& subtype) const
{
    int i = extensions.Find(ext);
    if(i < 0)
        return false;
    int code = typecodes[i];
    int m = code >> 16;
    int s = code & 0xFFFF;
    if(m >= majors.GetCount() || s >= subtypes.GetCount())
        return false;
    major = majors[m];
    subtype = subtypes[s];
    return true;
}

MimeGlobMap& GetMimeGlobMap()
{
    static MimeGlobMap map;
    return map;
}

void LoadMimeGlobs(MimeGlobMap& map)
{
    map.majors.Clear();
    map.subtypes.Clear();
    map.extensions.Clear();
    map.typecodes.Clear();
    map.ParseGlobFile("/usr/local/share/mime/globs");
    map.ParseGlobFile("/usr/share/mime/globs");
}

} // namespace Qor
