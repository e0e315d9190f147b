// The lookup window's layout: its six controls, named and placed in layout units.
#pragma once

#include "ctrl/topwindow/top_window.h"
#include "foundation/values/translate.h"
#include "lists/array/array_ctrl.h"
#include "lists/droplist/drop_list.h"
#include "widgets/button/button.h"
#include "widgets/edit/edit_field.h"
#include "widgets/static/static_text.h"

struct lorvaneLayout__layid {};

// Adds the layout's controls to a base window; the member order is the layout's.
template <class Base>
class WithlorvaneLayout : public Base, public lorvaneLayout__layid {
public:
    ~WithlorvaneLayout() override {}

    Qor::ArrayCtrl array;
    Qor::EditField criteria;
    Qor::Label criterialabel;
    Qor::Label provincelabel;
    Qor::Button searchbutton;
    Qor::DropList match;
};

// Names, places and appends the controls; the child order, which Tab follows, is the
// layout's order.
template <class Window>
void InitlorvaneLayout(Window& w)
{
    using namespace Qor;
    w.SetLayoutName("lorvaneLayout");
    w.array.AskRemove(false);
    w.array.StretchHorizontalZoomed(8, 8).StretchVerticalZoomed(56, 12).SetLayoutName("array");
    w.AppendChild(w.array);
    w.criteria.PlaceLeftZoomed(136, 164).PlaceTopZoomed(28, 19).SetLayoutName("criteria");
    w.AppendChild(w.criteria);
    w.criterialabel.SetLabel(Translate("Word or Phrase"));
    w.criterialabel.PlaceLeftZoomed(136, 160).PlaceTopZoomed(16, 15).SetLayoutName("criterialabel");
    w.AppendChild(w.criterialabel);
    w.provincelabel.SetLabel(Translate("Match Type"));
    w.provincelabel.PlaceLeftZoomed(32, 80).PlaceTopZoomed(16, 15).SetLayoutName("provincelabel");
    w.AppendChild(w.provincelabel);
    w.searchbutton.SetLabel(Translate("\vSearch"));
    w.searchbutton.SetTipText(Translate("Open Spreadsheet"));
    w.searchbutton.PlaceLeftZoomed(316, 104).PlaceTopZoomed(12, 36).SetLayoutName("searchbutton");
    w.AppendChild(w.searchbutton);
    w.match.PlaceLeftZoomed(28, 80).PlaceTopZoomed(28, 19).SetLayoutName("match");
    w.AppendChild(w.match);
}
