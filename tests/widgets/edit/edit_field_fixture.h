// A field without a window: the focus is set by hand, the clipboard is this process's own
// and drags come from a stand-in window system that hands out one text.
#pragma once

#include "ctrl/clip/clipboard.h"
#include "ctrl/clip/transfer.h"
#include "ctrl/dnd/drag_source.h"
#include "ctrl/tree/global_refs.h"
#include "draw/look/skin_reset.h"
#include "foundation/callback_action.h"
#include "foundation/charset.h"
#include "widgets/edit/edit_field.h"

#include "tests/ctrl/support/test_platform.h"
#include "tests/support/lambda_callback.h"

#include <gtest/gtest.h>

#include <string>

namespace QorTest {

class CountingField : public Qor::EditField {
public:
    int actions = 0;
    CountingField() { SetAction(Qor::MakeCallback(this, &CountingField::Count)); }
    void Count() { actions++; }
};

inline std::string Utf8(const Qor::WString& s) { return Qor::EncodeUtf8(s.Begin(), s.GetLength()).Begin(); }

class EditFieldTest : public ::testing::Test {
protected:
    // Looks are measured through the look painter chain, which a reset of the skin statics
    // sets up.
    void SetUp() override
    {
        Qor::ResetThemeStatics();
        Qor::RebuildThemeStatics();
        Qor::ClearClipboard();
        field.SetRect(0, 0, 200, 24);
        field.SetEditable();
    }
    void TearDown() override
    {
        Qor::GetCtrlGlobalRefs().focus_ctrl = nullptr;
        Qor::ClearClipboard();
        Qor::DropPrimarySelection();
        Qor::GetDropTypes().Clear();
        Qor::ResetThemeStatics();
    }
    void Focus(Qor::Ctrl& c) { Qor::GetCtrlGlobalRefs().focus_ctrl = &c; }
    // Text, cursor and anchor in one go.
    static void Put(Qor::EditField& f, const char* text, int cursor, int anchor = -1)
    {
        f.SetText(Qor::WString(text));
        f.MoveCursor(anchor < 0 ? cursor : anchor, false);
        if(anchor >= 0)
            f.MoveCursor(cursor, true);
    }
    void Put(const char* text, int cursor, int anchor = -1) { Put(field, text, cursor, anchor); }
    std::string Text() const { return Utf8(field.GetText()); }
    // A drag of text offered the way the window system's target side offers it.
    static Qor::TransferOffer DragOffer(const char* text, bool fetch, Qor::byte action)
    {
        drag_text = text;
        Qor::GetDropTypes().Clear();
        Qor::GetDropTypes().Add("UTF8_STRING");
        Qor::TransferOffer o;
        o.kind = Qor::TRANSFER_DRAG;
        o.action = action;
        o.allowed_actions = 3;
        o.fetch_on_accept = fetch;
        return o;
    }

    CountingField field;

private:
    static bool ReadDrag(int kind, const Qor::String& format, Qor::String& data)
    {
        if(kind != Qor::TRANSFER_DRAG || format != "UTF8_STRING")
            return false;
        data = drag_text.c_str();
        return true;
    }
    static inline std::string drag_text;
    // Other programs offer only the drag's text.
    struct DragPeer : Qor::Platform {
        bool Read(int kind, const Qor::String& format, Qor::String& data) override
        {
            return ReadDrag(kind, format, data);
        }
    } peer;
    PlatformScope installed{ peer };
};

} // namespace QorTest
