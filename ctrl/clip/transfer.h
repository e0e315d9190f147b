// Data exchanged under format names: the items a source offers, the offer a receiver gets,
// and the seam through which an offer reaches the window system.
#pragma once

#include "foundation/key_index.h"
#include "foundation/key_map.h"
#include "foundation/string.h"
#include "foundation/values/value.h"

namespace Qor {

// Makes the bytes sent for one format from the offered data.
using TransferRender = String (*)(const Value& data);

// A String as it is, any other value as its text; Null gives the empty String.
String RenderPlain(const Value& data);

// One offered format: the data and how it becomes bytes.
struct TransferItem {
    Value data;
    TransferRender render = RenderPlain;

    TransferItem() = default;
    TransferItem(const String& data) : data(data) {}
    // A null render means RenderPlain.
    TransferItem(const Value& data, TransferRender render) : data(data), render(render ? render : RenderPlain) {}

    String Render() const { return render(data); }
};

// The formats of a drag or a copy, by name, in the order they were added.
using TransferFormatMap = KeyMap<String, TransferItem>;

enum : int { TRANSFER_CLIPBOARD = 0, TRANSFER_DRAG = 1, TRANSFER_PRIMARY = 2 };
enum : byte { DROP_NONE = 0, DROP_COPY = 1, DROP_MOVE = 2 };

// What a receiver is offered by the clipboard, the primary selection or a drag. Formats
// are X atom names; "files" stands for "text/uri-list".
class TransferOffer {
public:
    int kind = TRANSFER_CLIPBOARD;
    byte action = DROP_NONE;     // the drop's action, which a target may change (drags only)
    byte allowed_actions = 0;    // bit 0 copy, bit 1 move (drags only)
    bool fetch_on_accept = true; // false while a drag only passes over
    bool accepted = false;
    String accepted_format;
    String data; // of the accepted format

    // Takes the first of the ";"-separated formats that is available and, when the offer
    // fetches, whose data actually arrives; a format whose owner refuses or does not answer
    // is passed over. True when data was fetched (or was already there for that format);
    // without fetching the offer is only marked accepted and the answer is false.
    bool Accept(const char* formats);
    bool AcceptText();
    bool IsAvailable(const char* format) const;
    // The data of a format; empty when it is refused or does not arrive.
    String Fetch(const char* format) const;
    // The same, telling a refusal or silence (false) from data that is empty.
    bool Fetch(const char* format, String& out) const;

    bool IsClipboard() const { return kind == TRANSFER_CLIPBOARD; }
    bool IsDragAndDrop() const { return kind == TRANSFER_DRAG; }
    bool IsPrimary() const { return kind == TRANSFER_PRIMARY; }
    bool IsAccepted() const { return accepted; }
    const String& GetFormat() const { return accepted_format; }
    const String& GetData() const { return data; }
    bool IsCopy() const { return action == DROP_COPY; }
    bool IsMove() const { return action == DROP_MOVE; }
    void SetAction(byte a) { action = a; }

    void ResetSelectionKind() { kind = TRANSFER_CLIPBOARD; }
    // Empties the accepted format and makes this the offer of the primary selection.
    void Reset();
};

// "text/uri-list" for "files", else the name.
String TransferFormatName(const String& format);

// The formats the drag in progress over this process offers (written by the drop target).
KeyIndex<String>& GetDropTypes();

} // namespace Qor
