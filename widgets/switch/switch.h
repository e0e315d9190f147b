// Switch: a group of radio buttons in one control. Each case has a caption, an access key
// and a value; the control's value is the value of the selected case. The cases go one per
// line, or side by side when the lines do not fit the control's height.
#pragma once

#include "ctrl/tree/ctrl_class.h"
#include "draw/font/font.h"
#include "foundation/owned_array.h"
#include "foundation/vector.h"

namespace Qor {

class Switch : public Ctrl {
public:
    struct Case {
        // Without its access-key mark; rich text when the first byte is 1.
        String caption;
        Value value;
        int32 access_key = 0;
        bool enabled = true;
    };

    Switch();
    ~Switch() override;

    // Case index gets the caption (its access-key mark taken out); a case created here takes
    // the int index as its value, and cases created before it stay void.
    Switch& SetLabel(int index, const char* text);
    // One case per line (CR, LF or CR LF); the piece after the last break counts as a line.
    Switch& SetLabels(const char* text);
    Switch& SetCaseValue(int index, const Value& v);
    Switch& EnableCase(int index, bool enable = true);
    Switch& SetFont(Font f);

    int GetCount() const { return cases.GetCount(); }
    const Case& GetCase(int i) const { return cases[i]; }
    Font GetFont() const { return font; }
    // The first case whose value equals the control's value; -1 when none does.
    int GetSelectedCase() const;
    int GetPressedCase() const { return pressed; }
    int GetHotCase() const { return hot; }
    int GetLineHeight() const { return line_height; }
    // Side by side: where each case's cell ends, as laid out by the last paint; empty for
    // one case per line.
    const Vector<int>& GetLineEnds() const { return line_ends; }
    // The enabled case at p (view coordinates) in the last paint's layout; -1 when none.
    int FindCaseAt(Point p) const;
    // Marks case i's cell for repainting: the whole cell while focused, else its image.
    void RefreshCase(int i);

    void SetValue(const Value& v) override;
    Value GetValue() const override { return value; }
    void Paint(Draw& w) override;
    void CancelInteraction() override;
    void PointerMoved(Point p, dword keyflags) override;
    void LeftButtonDown(Point p, dword keyflags) override;
    void LeftButtonUp(Point p, dword keyflags) override;
    void PointerLeft() override;
    bool ProcessKey(dword key, int count) override;
    void FocusGained() override;
    void FocusLost() override;
    bool AccessKeyPressed(dword key) override;
    dword OwnAccessKeys() const override;
    void AssignFreeAccessKeys(dword used) override;

private:
    Font font;
    Value value;
    int32 pressed = -1;
    OwnedArray<Case> cases;
    Vector<int> line_ends;
    int32 line_height = 16;
    int32 hot = -1;

    Rect GetCell(int i) const;
    void RefreshCell(int i, bool whole);
    // Selects case i by the user: value, repaint, notices and the action.
    void Choose(int i);
};

} // namespace Qor
