// A control's list of frames: the first entry lives in the record, the rest in a heap
// vector made only when a second frame arrives.

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/assert.h"
#include "foundation/owned_ptr.h"

namespace Qor {

Vector<FrameEntry>* Ctrl::GetFrameVector() const
{
    return frame_word > 1 ? reinterpret_cast<Vector<FrameEntry>*>(frame_word) : nullptr;
}

int Ctrl::GetFrameCount() const
{
    if(Vector<FrameEntry>* v = GetFrameVector())
        return v->GetCount() + 1;
    return int(frame_word);
}

const FrameEntry& Ctrl::GetFrameEntry(int i) const { return const_cast<Ctrl*>(this)->FrameAt(i); }

FrameEntry& Ctrl::FrameAt(int i)
{
    QOR_ASSERT(i >= 0 && i < GetFrameCount());
    return i == 0 ? frame0 : (*GetFrameVector())[i - 1];
}

void Ctrl::AppendFrameEntry(CtrlFrame& frame)
{
    FrameEntry e{ &frame, 0, 0, 0, 0 };
    if(frame_word == 0) {
        frame0 = e;
        frame_word = 1;
        return;
    }
    if(frame_word == 1) {
        OwnedPtr<Vector<FrameEntry>> v(new Vector<FrameEntry>);
        frame_word = reinterpret_cast<uintptr_t>(v.Detach());
    }
    GetFrameVector()->Add(e);
}

void Ctrl::FreeFrames()
{
    OwnedPtr<Vector<FrameEntry>> v(GetFrameVector());
    frame_word = 0;
}

Ctrl& Ctrl::SetFrame(int i, CtrlFrame& frame)
{
    QOR_ASSERT(i >= 0);
    while(GetFrameCount() <= i)
        AppendFrameEntry(GetNullFrameInstance());
    FrameEntry& e = FrameAt(i);
    e.frame->RemovedFrom();
    FrameAt(i).frame = &frame;
    frame.AddedTo(*this);
    SyncLayout();
    RefreshFrame();
    return *this;
}

Ctrl& Ctrl::AddFrame(CtrlFrame& frame)
{
    AppendFrameEntry(frame);
    frame.AddedTo(*this);
    SyncLayout();
    RefreshFrame();
    return *this;
}

Size Ctrl::GrowByFrames(Size sz) const
{
    for(int i = GetFrameCount() - 1; i >= 0; i--)
        GetFrameEntry(i).frame->AddSize(sz);
    return sz;
}

} // namespace Qor
