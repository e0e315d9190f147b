// CtrlImg: the widget library's icons, cursors and small glyphs (the list "CtrlImg").
#pragma once

#include "draw/image_list/image_list.h"
#include "widgets/images/image_names.h"
#include "widgets/registrations.h"

// clang-format off
#define QOR_CTRL_IMG_NAMES(X) \
    X(arrow) X(exclamation) X(information) X(question) X(error) X(smallcheck) X(smallup) X(smalldown) \
    X(smallleft) X(smallright) X(spinup3) X(spinup2) X(spinup) X(spindown3) X(spindown2) X(spindown) \
    X(reporticon) X(smallreporticon) X(ibeam0) X(hand) X(finger) X(HandCursor) X(HelpCursor0) X(HelpCursor1) \
    X(write) X(open) X(save) X(save_as) X(print) X(new_doc) X(menu_window) X(undo) X(redo) X(cut) X(copy) \
    X(paste) X(remove) X(menu_check) X(menu_radio) X(right_arrow) X(white_right_arrow) X(check) X(white_check) \
    X(left_arrow) X(white_left_arrow) X(cross) X(up_arrow) X(down_arrow) X(plus) X(selection) X(Dir) X(DirUp) \
    X(MkDir) X(File) X(Plus) X(Minus) X(Toggle) X(Diskette) X(Hd) X(CdRom) X(Computer) X(Network) X(Share) \
    X(Group) X(Var) X(Home) X(MenuCheck1) X(MenuCheck0) X(Empty16x16) X(MenuRadio0) X(MenuRadio1) \
    X(set_transparent) X(wheel_cursor) X(white_wheel_cursor) X(column_cursor) X(swap_color_cursor) \
    X(fetch_color) X(fetch_color_cursor) X(tab_wheel) X(hthumb) X(vthumb) X(hthumb1) X(vthumb1) X(treeplus) \
    X(tree0) X(tree1) X(tree2) X(treeminus) X(Add) X(Remove) X(SmallDown) X(SmallUp) X(SmallRight) X(SmallLeft) \
    X(go_back) X(go_forward) X(font_size) X(help) X(focus_h) X(focus_v) X(checkers) X(SmallDot) X(SmallDotH) \
    X(BigDot) X(BigDotH) X(Bg) X(SortUp) X(SortDown)
// clang-format on

namespace Qor {

struct CtrlImg {
    enum { QOR_CTRL_IMG_NAMES(QOR_IMAGE_INDEX) COUNT };

    // Built and registered as "CtrlImg" on first use.
    static ImageList& GetList();
    static Image Get(int i) { return GetList().Get(i); }
    // Replaces image i until the list is reset.
    static void Set(int i, const Image& m) { GetList().Set(i, m); }
    // Replaces the image of that name; a name the list does not hold changes nothing.
    static void SetByName(const char* name, const Image& m);

    QOR_CTRL_IMG_NAMES(QOR_IMAGE_GETTER)
};

// Registers "CtrlImg"; called once by the library's registration unit.
void RegisterCtrlImg();

} // namespace Qor
