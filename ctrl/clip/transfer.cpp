// Offers: which formats are available, fetching their data, and accepting the first that
// a receiver understands.
#include "ctrl/clip/transfer.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/transfer_session.h"
#include "ctrl/platform/platform.h"
#include "foundation/text_split.h"

namespace Qor {

String RenderPlain(const Value& data) { return data.ToString(); }

String TransferFormatName(const String& format) { return format == "files" ? String("text/uri-list") : format; }

KeyIndex<String>& GetDropTypes()
{
    static KeyIndex<String> types;
    return types;
}

bool TransferOffer::IsAvailable(const char* format) const
{
    String name = TransferFormatName(format);
    if(kind == TRANSFER_DRAG)
        return GetDropTypes().Find(name) >= 0;
    if(HoldsOwnSelection(kind))
        return OwnSelectionHas(kind, name);
    return GetPlatform().HasFormat(kind, name);
}

bool TransferOffer::Fetch(const char* format, String& out) const
{
    String name = TransferFormatName(format);
    out.Clear();
    Platform& platform = GetPlatform();
    if(kind == TRANSFER_DRAG) {
        if(platform.GetLocalDragData(name, out))
            return true;
    }
    else if(HoldsOwnSelection(kind))
        return RenderOwnSelection(kind, name, out);
    return platform.Read(kind, name, out);
}

String TransferOffer::Fetch(const char* format) const
{
    String out;
    Fetch(format, out);
    return out;
}

bool TransferOffer::Accept(const char* formats)
{
    TransferSession session;
    for(const String& name : SplitText(formats, ';', true)) {
        if(accepted && name == accepted_format)
            return fetch_on_accept;
        if(!IsAvailable(name.Begin()))
            continue;
        if(!fetch_on_accept) {
            accepted = true;
            return false;
        }
        // An owner that lists a format but then refuses it or falls silent has not given
        // the data: the next format may still arrive.
        String got;
        if(!Fetch(name.Begin(), got))
            continue;
        accepted = true;
        accepted_format = name;
        data = std::move(got);
        return true;
    }
    return false;
}

bool TransferOffer::AcceptText() { return Accept("STRING;UTF8_STRING;text/plain;text/unicode"); }

void TransferOffer::Reset()
{
    // A reused offer must not pass off the last read as the new one's.
    accepted = false;
    accepted_format.Clear();
    data.Clear();
    kind = TRANSFER_PRIMARY;
}

} // namespace Qor
