// DurationText and the prompt signals.
#include "foundation/text_utils.h"

#include "foundation/values/format.h"

namespace Qor {

String DurationText(double seconds)
{
    if(seconds < 1e-6)
        return PrintfToString("%5.2f ns", seconds * 1e9);
    if(seconds < 0.001)
        return PrintfToString("%5.2f us", seconds * 1e6);
    if(seconds < 1)
        return PrintfToString("%5.2f ms", seconds * 1000);
    return PrintfToString("%5.2f s ", seconds);
}

void InformationSignal() {}
void WarningSignal() {}
void QuestionSignal() {}

} // namespace Qor
