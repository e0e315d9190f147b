// Button: the push button. A label with an optional image over a skinnable face chosen
// from five styles, and an optional role that lets Enter or Esc press it from anywhere
// in its window.
#pragma once

#include "widgets/button/button_style.h"
#include "widgets/button/pusher.h"

namespace Qor {

class Button : public Pusher {
public:
    enum : byte { ROLE_NONE = 0, ROLE_OK = 1, ROLE_CANCEL = 2, ROLE_EXIT = 3 };

    Button();
    ~Button() override;

    void Paint(Draw& w) override;
    int OverpaintMargin() const override;
    void PointerEntered(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    bool AccessKeyPressed(dword key) override;
    dword OwnAccessKeys() const override;
    void AssignFreeAccessKeys(dword used) override;
    void Layout() override;

    // Enter presses it; a button without an image takes the style's ok image.
    Button& MakeOk();
    // Esc presses it; a button without an image takes the style's cancel image.
    Button& MakeCancel();
    int GetRole() const { return role; }
    // Null: chosen at each paint by ChooseStyle. The style must outlive the button.
    Button& SetStyle(const ButtonStyle* s);
    const ButtonStyle* GetStyle() const { return style; }
    Button& SetImage(const Image& img);
    const Image& GetImage() const { return image; }

    // The style a button without an explicit one paints with: the edge styles in a frame
    // area, the ok style for an ok button while no other button has the focus and for the
    // focused button.
    const ButtonStyle* ChooseStyle() const;
    const ButtonStyle& GetCurrentStyle() const;

    // The style statics, built on first use; a skin writes into them.
    static ButtonStyle& GetPlainStyle();
    static ButtonStyle& GetOkStyle();
    static ButtonStyle& GetEdgeStyle();
    static ButtonStyle& GetLeftEdgeStyle();
    static ButtonStyle& GetScrollStyle();
    // Glyph colour i (a visual state) of the plain style.
    static Color GetPlainStyleColor(int i);

protected:
    // A button without an image takes the style's image of the role.
    Button& SetRole(byte r, Image ButtonStyle::*role_image);

private:
    const ButtonStyle* style = nullptr;
    Image image;
    byte role = ROLE_NONE;

    bool PressByRole(dword key);
};

// The Button of a control, or null (the run-time type test).
Button* AsButton(Ctrl* c);

} // namespace Qor
