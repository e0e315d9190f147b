// Conversions at the operating-system boundary.
#include "foundation/system_text.h"

#include "foundation/char_filter.h"
#include "foundation/charset.h"

#include <cstring>

namespace Qor {

static bool s_active = false;
static int s_system_charset = CHARSET_UTF8;

void SetSystemTextActive(bool active) { s_active = active; }
bool IsSystemTextActive() { return s_active; }

void SetSystemCharset(int charset) { s_system_charset = charset == -1 ? CHARSET_UTF8 : charset; }
int SystemCharset() { return s_system_charset; }

int UnderscoreForUnmapped(int c) { return c == 0x1F ? '_' : c; }

// FilterText reads up to the first NUL, as the system would.
static String ShowUnmapped(const String& recoded) { return FilterText(recoded.Begin(), UnderscoreForUnmapped); }

String ToSystemText(const String& text)
{
    if(!s_active)
        return text;
    return ShowUnmapped(RecodeText(s_system_charset, text, CHARSET_DEFAULT, 0x1F));
}

String FromSystemText(const String& text)
{
    if(!s_active)
        return text;
    return ShowUnmapped(RecodeText(CHARSET_DEFAULT, text, s_system_charset, 0x1F));
}

String SystemErrorText(int error_number)
{
    const char* message = std::strerror(error_number);
    return s_active ? FromSystemText(message) : String(message);
}

} // namespace Qor
