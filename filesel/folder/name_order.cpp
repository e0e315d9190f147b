// The two listing orders, kept apart from the list so that they can be measured and
// checked on plain names.
#include "filesel/folder/name_order.h"

#include <cstring>
#include <strings.h>

namespace Qor {

namespace {

// Negative when a must come first, positive when b must, 0 when the kinds and ".."
// do not decide.
int CompareKinds(bool a_folder, const char* a, bool b_folder, const char* b)
{
    if(a_folder != b_folder)
        return a_folder ? -1 : 1;
    bool a_up = std::strcmp(a, "..") == 0;
    bool b_up = std::strcmp(b, "..") == 0;
    if(a_up != b_up)
        return a_up ? -1 : 1;
    return 0;
}

} // namespace

bool FileNameLess(bool a_folder, const char* a, bool b_folder, const char* b)
{
    if(int k = CompareKinds(a_folder, a, b_folder, b))
        return k < 0;
    return strcasecmp(a, b) < 0;
}

bool FileExtensionLess(bool a_folder, const char* a, bool b_folder, const char* b)
{
    if(int k = CompareKinds(a_folder, a, b_folder, b))
        return k < 0;
    const char* ea = std::strrchr(a, '.');
    const char* eb = std::strrchr(b, '.');
    if(ea && eb) {
        if(int c = strcasecmp(ea, eb))
            return c < 0;
    }
    else if(ea || eb)
        return eb != nullptr;
    return strcasecmp(a, b) < 0;
}

} // namespace Qor
