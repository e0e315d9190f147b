// The clipboard and the primary selection as this process offers and reads them. The
// clipboard holds TransferItems by format; the primary selection is rendered on demand by
// the control that owns it. Reads of what this process holds never reach the X server.
#pragma once

#include "ctrl/clip/transfer.h"
#include "foundation/wstring.h"

namespace Qor {

class Ctrl;

// Empties what this process offers on the clipboard; the selection stays owned.
void ClearClipboard();
// Offers data under each of the ";"-separated formats (empty names skipped) and claims the
// clipboard. A null render means RenderPlain.
void AppendClipboard(const char* formats, const Value& data, TransferRender render = nullptr);
// Offers text as "UTF8_STRING".
void AppendClipboardText(const WString& text);
// Whether the clipboard offers text in one of the text formats.
bool IsClipboardTextAvailable();
// The clipboard's text in the first text format that arrives; empty when none does.
WString ReadClipboardText();

// Makes owner the source of the primary selection in the ";"-separated formats; it renders
// the data when asked (Ctrl::RenderSelectionData).
void SetPrimarySelection(Ctrl* owner, const char* formats);
// The process-wide offer of the primary selection, reset on every call.
TransferOffer& GetPrimaryOffer();

// What this process holds (read by the window system when it serves other programs).
const TransferFormatMap& GetClipboardItems();
void PutClipboardItem(const String& format, const TransferItem& item);
// The live control that owns the primary selection, or null.
Ctrl* GetPrimaryOwner();
const KeyIndex<String>& GetPrimaryFormats();
// Another program took the selection: what this process offered is dropped.
void DropClipboardItems();
void DropPrimarySelection();

// Whether this process answers reads of a selection (TRANSFER_CLIPBOARD, TRANSFER_PRIMARY)
// itself: it offers clipboard items, or a live control owns the primary selection.
bool HoldsOwnSelection(int kind);
bool OwnSelectionHas(int kind, const String& format);
// The bytes of a format of this process's own selection; false when it lacks the format.
bool RenderOwnSelection(int kind, const String& format, String& data);

} // namespace Qor
