// Controls that serve as frames of other controls: the control joins the framed control as
// its last child when the frame is added and leaves when it is removed, and takes its band
// of the frame rectangle at each frame layout.
#pragma once

#include "ctrl/frame/ctrl_frame.h"
#include "ctrl/frame/frame_settings.h"
#include "ctrl/tree/ctrl_class.h"

namespace Qor {

template <class T>
class FrameCtrl : public T, public CtrlFrame {
public:
    virtual void FrameAdd(Ctrl& parent) { parent.AppendChild(*this); }
    virtual void FrameRemove() { this->Detach(); }
    // Takes the control's band out of r and docks the control there.
    virtual void FrameLayout(Rect& r) = 0;
    // Grows sz by the band the control takes.
    virtual void FrameAddSize(Size& sz) = 0;

    void LayOut(Rect& r) final { FrameLayout(r); }
    void AddSize(Size& sz) final { FrameAddSize(sz); }
    void AddedTo(Ctrl& parent) final { FrameAdd(parent); }
    void RemovedFrom() final { FrameRemove(); }
};

// A frame control of a fixed width beside the framed view; 0 means the standard
// scroll-bar width.
template <class T>
class FrameLR : public FrameCtrl<T> {
public:
    FrameLR& SetFrameWidth(int cx)
    {
        size = cx;
        this->ResolveLayout(1);
        return *this;
    }
    int GetFrameWidth() const { return size; }

    // A hidden control takes no room; a size of 0 grows by the height of what it frames.
    void FrameAddSize(Size& sz) override
    {
        if(this->IsVisible())
            sz.cx += size ? size : sz.cy;
    }

protected:
    int LayoutWidth() const { return size ? size : GetStdScrollBarWidth(); }

    int size = 0;
};

template <class T>
class FrameRight : public FrameLR<T> {
public:
    void FrameLayout(Rect& r) override { DockCtrlRight(r, this, this->LayoutWidth()); }
};

} // namespace Qor

namespace Qor {

// A frame control of a fixed height above or below the framed view; 0 means as high as the
// framed rectangle is wide (a square at the foot of a vertical bar).
template <class T>
class FrameTB : public FrameCtrl<T> {
public:
    FrameTB& SetFrameHeight(int cy)
    {
        size = cy;
        this->ResolveLayout(1);
        return *this;
    }
    int GetFrameHeight() const { return size; }

    // A hidden control takes no room.
    void FrameAddSize(Size& sz) override
    {
        if(this->IsVisible())
            sz.cy += size ? size : sz.cx;
    }

protected:
    int size = 0;
};

template <class T>
class FrameBottom : public FrameTB<T> {
public:
    void FrameLayout(Rect& r) override { DockCtrlBottom(r, this, this->size ? this->size : r.Width()); }
};

} // namespace Qor
