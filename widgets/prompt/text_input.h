// The text input dialog: one line of text asked for under a title and a prompt, with OK and
// Cancel.
#pragma once

#include "ctrl/topwindow/top_window.h"
#include "foundation/string.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/static/static_text.h"

namespace Qor {

struct EditStringLayout__layid {};

// The controls of the dialog's layout, as members of the base window.
template <class Base>
class WithEditStringLayout : public Base, public EditStringLayout__layid {
public:
    Label prompt;
    EditString text;
    Button ok;
    Button cancel;

    ~WithEditStringLayout() override = default;
};

// Lays the members out as the layout places them, in zoomed units, and sizes the window.
void LayOutEditStringDialog(WithEditStringLayout<TopWindow>& dlg);

// True with the confirmed text in value (encoded in the default character set); false and
// value untouched otherwise. filter maps a typed character to the one taken (0 rejects it);
// a max_length of 0 means no limit, else a longer text does not pass the OK button.
bool RunTextInputDialog(String& value, const char* title, const char* prompt, EditField::CharFilter filter,
                        int max_length);
// The same with the standard filter: codes 32 to 0xFFFF.
bool RunTextInputDialog(String& value, const char* title, const char* prompt, int max_length);

} // namespace Qor
