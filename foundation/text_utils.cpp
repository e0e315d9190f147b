// DurationText and the prompt signals.
#include "foundation/text_utils.h"

#include <cstdio>

namespace Qor {

String DurationText(double seconds)
{
    char text[400]; // "%5.2f" of any double fits
    if(seconds < 1e-6)
        std::snprintf(text, sizeof text, "%5.2f ns", seconds * 1e9);
    else if(seconds < 0.001)
        std::snprintf(text, sizeof text, "%5.2f us", seconds * 1e6);
    else if(seconds < 1)
        std::snprintf(text, sizeof text, "%5.2f ms", seconds * 1000);
    else
        std::snprintf(text, sizeof text, "%5.2f s ", seconds);
    return String(text);
}

void InformationSignal() {}
void WarningSignal() {}
void QuestionSignal() {}

} // namespace Qor
