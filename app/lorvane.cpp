// Lorvane's window: construction and the program body.
#include "app/lorvane.h"

#include "app/word_match.h"
#include "ctrl/settings/layout_zoom.h"
#include "foundation/callback_action.h"

using namespace Qor;

namespace {

const lorvane::LineNumber& LineNumberConvert()
{
    static const lorvane::LineNumber convert;
    return convert;
}

} // namespace

lorvane::LineNumber::~LineNumber() = default;

Value lorvane::LineNumber::Format(const Value& q) const { return q.ToInt64() + 1; }

lorvane::lorvane() : listAllTotal(0), rowsFound(0)
{
    InitlorvaneLayout(*this);
    Size sz = GrowByFrames(ZoomSize(668, 472));
    SetMinSize(sz);
    SetRect(0, 0, sz.cx, sz.cy);
    SetTitle("Lorvane");
    AllowResize(true);
    // The list keeps fixed pixel margins, whatever the layout zoom.
    array.StretchVertical(85, 30);
    array.StretchHorizontal(5, 5);
    array.GetHeader().SetAbsoluteWidths();
    array.GetScrollBar().SetAutoHide(false);
    array.AddRowNumberColumn("", 16).SetConvert(LineNumberConvert());
    array.AddColumn("Word", 300);
    array.AddColumn("Meaning", 600);
    array.SetAllSortable();
    array.WhenLeftClick = MakeCallback(this, &lorvane::ShowMeaning);
    searchbutton.SetAction(MakeCallback(this, &lorvane::DoSearch));
    for(int type = MATCH_CONTAINS; type <= MATCH_SOUNDEX; type++)
        match.Add(type, MatchTypeCaption(type));
    match.SetValue(MATCH_CONTAINS);
}

lorvane::~lorvane() = default;

void LookupMain()
{
    lorvane window;
    window.RunLoop(false);
}
