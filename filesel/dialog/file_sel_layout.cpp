// The file selector's layout: labels, positions in layout units and names of its controls.
#include "filesel/dialog/file_sel_layout.h"

#include "ctrl/settings/layout_zoom.h"
#include "foundation/values/translate.h"

namespace Qor {

namespace {

void Put(Ctrl& parent, Ctrl& c, const char* name)
{
    c.SetLayoutName(name);
    parent.AppendChild(c);
}

} // namespace

void InitFileSelectorLayout(WithFileSelectorLayout<TopWindow>& w)
{
    w.SetLayoutName("FileSelectorLayout");
    w.dv___0.SetLabel(Translate("&Directory"));
    w.dv___0.PlaceLeftZoomed(8, 72).PlaceTopZoomed(6, 15);
    Put(w, w.dv___0, "dv___0");
    w.dir.StretchHorizontalZoomed(84, 8).PlaceTopZoomed(4, 19);
    Put(w, w.dir, "dir");
    w.splitter.StretchHorizontalZoomed(8, 8).StretchVerticalZoomed(28, 108);
    Put(w, w.splitter, "splitter");
    w.filename.StretchHorizontalZoomed(8, 208).PlaceBottomZoomed(88, 16);
    Put(w, w.filename, "filename");
    w.filesize.PlaceRightZoomed(148, 56).PlaceBottomZoomed(88, 16);
    Put(w, w.filesize, "filesize");
    w.filetime.PlaceRightZoomed(8, 136).PlaceBottomZoomed(88, 16);
    Put(w, w.filetime, "filetime");
    w.file_lbl.SetLabel(Translate("&File"));
    w.file_lbl.PlaceLeftZoomed(8, 76).PlaceBottomZoomed(67, 15);
    Put(w, w.file_lbl, "file_lbl");
    w.file.StretchHorizontalZoomed(84, 8).PlaceBottomZoomed(65, 19);
    Put(w, w.file, "file");
    w.type_lbl.SetLabel(Translate("&Type"));
    w.type_lbl.PlaceLeftZoomed(8, 76).PlaceBottomZoomed(43, 15);
    Put(w, w.type_lbl, "type_lbl");
    w.type.StretchHorizontalZoomed(84, 152).PlaceBottomZoomed(41, 19);
    Put(w, w.type, "type");
    w.search.PlaceRightZoomed(8, 140).PlaceBottomZoomed(41, 19);
    Put(w, w.search, "search");
    w.sort_lbl.SetLabel(Translate("&Sort by"));
    w.sort_lbl.PlaceLeftZoomed(8, 76).PlaceBottomZoomed(21, 15);
    Put(w, w.sort_lbl, "sort_lbl");
    w.sortext.SetLabels(Translate("Name\nExtension"));
    w.sortext.PlaceLeftZoomed(84, 132).PlaceBottomZoomed(4, 32);
    Put(w, w.sortext, "sortext");
    w.readonly.SetLabel(Translate("Read only"));
    w.readonly.PlaceLeftZoomed(224, 72).PlaceBottomZoomed(4, 16);
    Put(w, w.readonly, "readonly");
    w.hidden.SetLabel(Translate("Show hidden items"));
    w.hidden.PlaceRightZoomed(152, 152).PlaceBottomZoomed(22, 18);
    Put(w, w.hidden, "hidden");
    w.hiddenfiles.SetLabel(Translate("Show hidden files"));
    w.hiddenfiles.PlaceRightZoomed(152, 152).PlaceBottomZoomed(4, 16);
    Put(w, w.hiddenfiles, "hiddenfiles");
    w.ok.SetLabel(Translate("Open"));
    w.ok.PlaceRightZoomed(76, 64).PlaceBottomZoomed(8, 24);
    Put(w, w.ok, "ok");
    w.cancel.SetLabel(Translate("Cancel"));
    w.cancel.PlaceRightZoomed(8, 64).PlaceBottomZoomed(8, 24);
    Put(w, w.cancel, "cancel");
}

void ApplyFileSelectorLayout(WithFileSelectorLayout<TopWindow>& w)
{
    InitFileSelectorLayout(w);
    Size sz = w.GrowByFrames(ZoomSize(652, 400));
    w.SetMinSize(sz);
    w.SetRect(Rect(Point(0, 0), sz));
}

} // namespace Qor
