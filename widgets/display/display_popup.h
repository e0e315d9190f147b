// DisplayPopup: a frameless pop-up that shows a clipped item of a list in full, exactly over
// the item, while the pointer rests on it. Presses and the wheel go through to the list.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "foundation/pte.h"
#include "foundation/values/color.h"

namespace Qor {

class Display;

class DisplayPopup : public Ctrl {
public:
    DisplayPopup();
    ~DisplayPopup() override;

    // Shows v as d paints it over item (owner's view coordinates) when it does not fit there
    // and the pointer lies on it; an unchanged item (the margin aside) only repaints.
    // The display is borrowed and must outlive its use here.
    void Set(Ctrl* owner, const Rect& item, const Value& v, const Display* d, Color ink, Color paper, dword style,
             int margin = 0);
    // Opens, moves or closes the pop-up after the pointer, the focus or the item moved.
    void Sync();
    // Nothing to show any more; closes the pop-up.
    void Dismiss();
    bool IsOpen() const;
    // The pointer is over the pop-up or over its owner.
    bool HasMouse() const;

    Ctrl* GetOwnerCtrl() const { return owner.Get(); }
    const Rect& GetItem() const { return item; }
    const Rect& GetScreenItem() const { return screen_item; }

    void Paint(Draw& w) override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftDoubleClick(Point p, dword keyflags) override;
    void LeftDragStart(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void RightButtonDown(Point p, dword keyflags) override;
    void WheelRotated(Point p, int zdelta, dword keyflags) override;
    void PointerLeft() override;

    // Runs Sync on every pop-up whose owner is in an open window, and closes those whose
    // owner is gone; the global mouse and focus hooks call it.
    static void SyncAll();

private:
    // The process-wide ring of pop-ups; the head is a link without a pop-up.
    struct Link {
        Link* prev;
        Link* next;
        DisplayPopup* popup;
    };

    Link link;
    WeakPointer<Ctrl> owner;
    Rect item;
    Rect screen_item;
    Value value;
    Color paper;
    Color ink;
    dword style;
    const Display* display;
    int margin;

    static Link& Ring();
    void CloseIfOpen();
    // p of this pop-up's view in the owner's view.
    Point ToOwner(Point p) const;
};

} // namespace Qor
