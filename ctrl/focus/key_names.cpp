// The display text of a key for menus and logs, through the key-name translations.

#include "ctrl/focus/focus_routing.h"
#include "ctrl/input/input_host.h"
#include "ctrl/input/mouse_routing.h"
#include "ctrl/platform/platform.h"
#include "foundation/values/translate.h"

#include <cstdio>

namespace Qor {

namespace {

// Searched in this order; the ids carry the "key" context before byte 11.
const struct {
    dword code;
    const char* id;
} key_names[] = {
    { 0x09, "key\vTab" },        { 0x20, "key\vSpace" },        { 0x0D, "key\vEnter" },
    { 0x08, "key\vBackspace" },  { 0x1FFE5, "key\vCaps Lock" }, { 0x1B, "key\vEsc" },
    { 0x1FF55, "key\vPage Up" }, { 0x1FF56, "key\vPage Down" }, { 0x1FF57, "key\vEnd" },
    { 0x1FF50, "key\vHome" },    { 0x1FF51, "key\vLeft" },      { 0x1FF52, "key\vUp" },
    { 0x1FF53, "key\vRight" },   { 0x1FF54, "key\vDown" },      { 0x1FF63, "key\vInsert" },
    { 0x1FFFF, "key\vDelete" },  { 0x1FF13, "key\vBreak" },     { 0x1FFAA, "key\vNum[*]" },
    { 0x1FFAB, "key\vNum[+]" },  { 0x1FFAD, "key\vNum[-]" },    { 0x1FFAF, "key\vNum[/]" },
    { 0x1FFE7, "key\vAlt" },     { 0x1FFE1, "key\vShift" },     { 0x1FFE3, "key\vCtrl" },
};

String Printf(const char* format, unsigned v)
{
    char text[32];
    std::snprintf(text, sizeof(text), format, v);
    return text;
}

} // namespace

String FormatKeyName(dword key)
{
    if(key == 0)
        return String();
    String text;
    if(key & K_CTRL)
        text += Translate("key\vCtrl+");
    if(key & K_ALT)
        text += Translate("key\vAlt+");
    if(key & K_SHIFT)
        text += Translate("key\vShift+");
    dword k = key & ~(K_CTRL | K_ALT | K_SHIFT);
    if(k >= 33 && k <= 0xFFFF)
        return text + char(k & 0xFF);
    if(k >= 0x1FFB0 && k <= 0x1FFB9)
        return text + "Num " + char('0' + (k - 0x1FFB0));
    if(k >= 0x100B0 && k <= 0x100B9)
        return text + char((k - 128) & 0xFF);
    if(k >= 0x10041 && k <= 0x1005A)
        return text + char(k & 0xFF);
    if(k >= 0x1FFBE && k <= 0x1FFC9)
        return text + Printf("F%u", k - 0x1FFBD);
    for(const auto& n : key_names)
        if(n.code == k)
            return text + Translate(n.id);
    String punctuation = GetPlatform().GetPunctuationKeyName(k);
    return text + (punctuation.IsEmpty() ? Printf("%04x", k) : punctuation);
}

} // namespace Qor
