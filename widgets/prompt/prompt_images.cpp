// The four skinnable images of prompt buttons, each a static that a skin change resets.

#include "widgets/prompt/prompt.h"

#include "draw/look/resettable_statics.h"

namespace Qor {

namespace {

struct PromptImageSlot {
    byte state = STATIC_UNSET;
    byte registered = 0;
    Image image;
};

template <int I>
PromptImageSlot& Slot()
{
    static PromptImageSlot s;
    return s;
}

template <int I>
void Init()
{
    PromptImageSlot& s = Slot<I>();
    if(s.state != STATIC_UNSET)
        return;
    RegisterResettableStatic(&s.state, &s.registered, Init<I>);
    s.image = Image();
    s.state = STATIC_DEFAULT;
}

template <int I>
Image Get()
{
    Init<I>();
    return Slot<I>().image;
}

template <int I>
void Set(const Image& m)
{
    Init<I>();
    PromptImageSlot& s = Slot<I>();
    s.state = STATIC_SKINNED;
    s.image = m;
    MarkLookModified();
}

enum : int { YES, NO, ABORT, RETRY };

} // namespace

void SetPromptYesImage(const Image& m) { Set<YES>(m); }
void SetPromptNoImage(const Image& m) { Set<NO>(m); }
void SetPromptAbortImage(const Image& m) { Set<ABORT>(m); }
void SetPromptRetryImage(const Image& m) { Set<RETRY>(m); }
Image GetPromptYesImage() { return Get<YES>(); }
Image GetPromptNoImage() { return Get<NO>(); }
Image GetPromptAbortImage() { return Get<ABORT>(); }
Image GetPromptRetryImage() { return Get<RETRY>(); }

} // namespace Qor
