// Whole-file load and save through FileIn and FileOut.
#include "foundation/file_io.h"

#include "foundation/file_stream.h"
#include "foundation/system_text.h"

#include <algorithm>
#include <climits>
#include <sys/stat.h>

namespace Qor {

namespace {

bool IsRegularFile(const char* path)
{
    struct stat st;
    return stat(ToSystemText(String(path)).Begin(), &st) == 0 && S_ISREG(st.st_mode);
}

// The first piece read; later pieces double the text read so far.
constexpr int64 FIRST_PIECE = 64 * 1024;

} // namespace

String ReadWholeFile(const char* path)
{
    if(!IsRegularFile(path))
        return String::GetVoid();
    FileIn in;
    if(!in.Open(path))
        return String::GetVoid();
    in.ClearError();
    int64 left = in.GetSize() - in.GetPos();
    if(left >= INT_MAX)
        return String::GetVoid(); // a String cannot hold it
    // The size is what the file said when it was opened, not what it holds now:
    // the text grows with the bytes that actually arrive.
    TextBuffer text;
    int len = 0;
    while(left > 0) {
        int piece = (int)std::min<int64>(left, std::max<int64>(FIRST_PIECE, len));
        text.SetLength(len + piece);
        uint32 got = in.Get(text.Begin() + len, (uint32)piece);
        len += (int)got;
        left -= got;
        if(got < (uint32)piece)
            break;
    }
    if(in.IsError())
        return String::GetVoid();
    if(text.GetLength() != len)
        text.SetLength(len);
    return String(text);
}

bool WriteWholeFile(const char* path, const String& data)
{
    FileOut out;
    if(!out.Open(path) || out.IsError())
        return false;
    out.Put(data);
    out.Close();
    return !out.IsError();
}

} // namespace Qor
