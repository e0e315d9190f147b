// What this process offers on the clipboard and as the primary selection, and the reads
// that go through offers.
#include "ctrl/clip/clipboard.h"

#include "ctrl/clip/text_formats.h"
#include "ctrl/clip/transfer_session.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/ctrl_class.h"
#include "foundation/charset.h"
#include "foundation/text_split.h"

namespace Qor {

namespace {

TransferFormatMap& ClipboardItems()
{
    static TransferFormatMap items;
    return items;
}

struct PrimaryState {
    WeakPointer<Ctrl> owner;
    KeyIndex<String> formats;
};

PrimaryState& Primary()
{
    static PrimaryState state;
    return state;
}

void Claim(int kind) { GetPlatform().Claim(kind); }

} // namespace

const TransferFormatMap& GetClipboardItems() { return ClipboardItems(); }

void PutClipboardItem(const String& format, const TransferItem& item)
{
    String name = TransferFormatName(format);
    TransferFormatMap& items = ClipboardItems();
    int i = items.Find(name);
    if(i >= 0)
        items[i] = item;
    else
        items.Add(name, item);
    Claim(TRANSFER_CLIPBOARD);
}

void ClearClipboard() { ClipboardItems().Clear(); }

void AppendClipboard(const char* formats, const Value& data, TransferRender render)
{
    for(const String& name : SplitText(formats, ';', true))
        PutClipboardItem(name, TransferItem(data, render));
}

void AppendClipboardText(const WString& text) { AppendClipboard("UTF8_STRING", EncodeUtf8(text), RenderPlain); }

bool IsClipboardTextAvailable()
{
    TransferSession session;
    TransferOffer offer;
    for(const char* format : { "STRING", "UTF8_STRING", "text/plain", "text/unicode" })
        if(offer.IsAvailable(format))
            return true;
    return false;
}

WString ReadClipboardText()
{
    // Every format the availability test accepts is read, so that text offered only as
    // "STRING" or "text/plain" pastes as well.
    TransferOffer offer;
    return ReadOfferText(offer);
}

void SetPrimarySelection(Ctrl* owner, const char* formats)
{
    PrimaryState& p = Primary();
    p.formats.Clear();
    for(const String& name : SplitText(formats, ';', true))
        p.formats.FindAdd(TransferFormatName(name));
    p.owner = owner;
    Claim(TRANSFER_PRIMARY);
}

TransferOffer& GetPrimaryOffer()
{
    static TransferOffer offer;
    offer.Reset();
    return offer;
}

Ctrl* GetPrimaryOwner() { return Primary().owner; }

const KeyIndex<String>& GetPrimaryFormats() { return Primary().formats; }

void DropClipboardItems() { ClipboardItems().Clear(); }

void DropPrimarySelection()
{
    PrimaryState& p = Primary();
    p.formats.Clear();
    p.owner = nullptr;
}

bool HoldsOwnSelection(int kind)
{
    if(kind == TRANSFER_CLIPBOARD)
        return !ClipboardItems().IsEmpty();
    return kind == TRANSFER_PRIMARY && GetPrimaryOwner();
}

bool OwnSelectionHas(int kind, const String& format)
{
    if(kind == TRANSFER_CLIPBOARD)
        return ClipboardItems().Find(format) >= 0;
    return kind == TRANSFER_PRIMARY && GetPrimaryOwner() && Primary().formats.Find(format) >= 0;
}

bool RenderOwnSelection(int kind, const String& format, String& data)
{
    data.Clear();
    if(!OwnSelectionHas(kind, format))
        return false;
    if(kind == TRANSFER_CLIPBOARD)
        data = ClipboardItems().Get(format).Render();
    else
        data = GetPrimaryOwner()->RenderSelectionData(format);
    return true;
}

} // namespace Qor
