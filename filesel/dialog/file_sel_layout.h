// The file selector's layout: its 18 controls as members of a window class, and the
// functions that place them and size the window.
#pragma once

#include "ctrl/topwindow/top_window.h"
#include "lists/droplist/drop_list.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/option/option.h"
#include "widgets/splitter/splitter.h"
#include "widgets/static/static_text.h"
#include "widgets/switch/switch.h"

namespace Qor {

struct FileSelectorLayout__layid {};

// The member order is the layout's, and with it the order of the window's children.
template <class Base>
class WithFileSelectorLayout : public Base, public FileSelectorLayout__layid {
public:
    ~WithFileSelectorLayout() override {}

    Label dv___0;
    DropList dir;
    Splitter splitter;
    Label filename;
    Label filesize;
    Label filetime;
    Label file_lbl;
    EditString file;
    Label type_lbl;
    DropList type;
    EditString search;
    Label sort_lbl;
    Switch sortext;
    Option readonly;
    Option hidden;
    Option hiddenfiles;
    Button ok;
    Button cancel;
};

// Labels, places, names and appends the 18 controls.
void InitFileSelectorLayout(WithFileSelectorLayout<TopWindow>& w);
// As InitFileSelectorLayout, then makes the layout's size the window's size and minimum.
void ApplyFileSelectorLayout(WithFileSelectorLayout<TopWindow>& w);

} // namespace Qor
