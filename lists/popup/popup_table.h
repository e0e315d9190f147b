// PopUpTable: a list shown in a pop-up window below (or above) another control, from which
// the user picks a row with the mouse or the keyboard; the pop-up then closes and tells its
// owner whether a row was picked.
#pragma once

#include "lists/array/array_ctrl.h"

#include "foundation/owned_ptr.h"

namespace Qor {

class PopUpTable : public ArrayCtrl {
public:
    // The top-level pop-up control; the table is its only child while it is open.
    class Popup : public Ctrl {
    public:
        explicit Popup(PopUpTable& table) : table(&table) {}
        ~Popup() override;

        // A click outside or another cancellation closes the list without a pick.
        void CancelInteraction() override;
        void WindowDeactivated() override;

    private:
        PopUpTable* table;
    };

    PopUpTable();
    ~PopUpTable() override;

    // Closes the open pop-up after the list's own handling and reports a pick.
    void LeftButtonUp(Point p, dword keyflags) override;
    // Enter and Alt+Down pick, Esc cancels; Up or Down without a cursor enter the list at
    // its last or first row; the rest is the list's.
    bool ProcessKey(dword key, int count) override;

    // One column without a header, the cursor following the pointer, no grid, rows one
    // standard line high.
    void SetupDropDown();
    // Opens the list just below owner (above it when the work area has no room below),
    // width pixels wide from owner's left edge; width 0 means owner's width. Does nothing
    // while an opening is under way.
    void PopUp(Ctrl* owner, int width = 0);

    // The most rows shown before the list scrolls.
    PopUpTable& SetDropLines(int n)
    {
        droprows = n;
        return *this;
    }
    int GetDropLines() const { return droprows; }
    // From the end of a successful opening until the pop-up closes.
    bool IsPoppedUp() const { return open; }
    // The pop-up window control; null while closed.
    Popup* GetPopup() const { return popup.Get(); }

    // The pop-up closed without a pick.
    Callback WhenCancel;
    // The pop-up closed because a row was picked.
    Callback WhenSelect;

private:
    int droprows;
    int open_call;
    bool open;
    OwnedPtr<Popup> popup;
    // The last pop-up closed, kept until the next one closes or the table goes.
    OwnedPtr<Popup> closed;

    // Closes and destroys the pop-up window, when one is open.
    void ClosePopup();

    friend class Popup;
};

// The edge of every pop-up list: a one-pixel ring in the text colour around the face colour,
// unless a skin set another look.
Value GetPopUpListFrameLook();
// Marks the look as set by a skin.
void SetPopUpListFrameLook(const Value& look);

} // namespace Qor
