// Typed file names: quotes, completion and splitting.
#include "filesel/accept/file_names.h"

#include <cstring>

namespace Qor {

namespace {

bool IsAsciiLetterOrDigit(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Quotes are removed only in pairs: a lone quote at either end belongs to the name.
String WithoutEnclosingQuotes(const String& name)
{
    int n = name.GetLength();
    if(n >= 2 && name[0] == '"' && name[n - 1] == '"')
        return name.Mid(1, n - 2);
    return name;
}

} // namespace

void AppendFileName(String& text, const String& name)
{
    if(!text.IsEmpty())
        text += ' ';
    if(name.Find(' ') >= 0)
        text += "\"" + name + "\"";
    else
        text += name;
}

String DropSoleTrailingDot(const String& s)
{
    int dot = s.Find('.');
    if(dot >= 0 && dot == s.GetLength() - 1)
        return s.Left(dot);
    return s;
}

String CompleteFileName(const String& typed, const char* mask, const String& default_extension)
{
    String name = WithoutEnclosingQuotes(typed);
    if(name.IsEmpty())
        return name;
    if(name.Find('.') < 0) {
        const char* dot = mask ? std::strchr(mask, '.') : nullptr;
        if(dot && IsAsciiLetterOrDigit((byte)dot[1])) {
            const char* e = dot + 1;
            while(IsAsciiLetterOrDigit((byte)*e))
                e++;
            name.Append(dot, int(e - dot));
        }
        else if(!default_extension.IsEmpty())
            name += "." + default_extension;
    }
    return DropSoleTrailingDot(name);
}

Vector<String> SplitFileNames(const String& text)
{
    Vector<String> names;
    String current;
    auto end_name = [&] {
        if(!current.IsEmpty())
            names.Add(current);
        current.Clear();
    };
    for(int i = 0; i < text.GetLength(); i++) {
        int c = text[i];
        if(c == ' ')
            end_name();
        else if(c == '"') {
            end_name();
            int close = text.Find('"', i + 1);
            int stop = close < 0 ? text.GetLength() : close;
            current = text.Mid(i + 1, stop - i - 1);
            end_name();
            i = stop;
        }
        else
            current.AppendChar(c);
    }
    end_name();
    return names;
}

} // namespace Qor
