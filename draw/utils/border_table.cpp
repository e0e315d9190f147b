// The named border tables, built from the system colour getters.

#include "draw/utils/border_table.h"

#include "draw/look/sys_colors.h"

namespace Qor {

namespace {

constexpr BorderRing TEXT_RING = { SysColorText, SysColorText, SysColorText, SysColorText };
constexpr BorderRing INSET_RING = { SysColorShadow, SysColorShadow, SysColorLight, SysColorLight };
constexpr BorderRing OUTSET_RING = { SysColorLight, SysColorLight, SysColorShadow, SysColorShadow };

constexpr BorderRing RAISED_RINGS[] = {
    { SysColorFace, SysColorFace, SysColorText, SysColorText },
    OUTSET_RING,
};
constexpr BorderRing SUNKEN_RINGS[] = {
    INSET_RING,
    { SysColorText, SysColorText, SysColorFace, SysColorFace },
};

constexpr BorderTable BLACK_BORDER = { 1, &TEXT_RING };
constexpr BorderTable THIN_INSET_BORDER = { 1, &INSET_RING };
constexpr BorderTable THIN_OUTSET_BORDER = { 1, &OUTSET_RING };
constexpr BorderTable RAISED_BORDER = { 2, RAISED_RINGS };
constexpr BorderTable SUNKEN_BORDER = { 2, SUNKEN_RINGS };

} // namespace

const BorderTable* GetBlackBorder() { return &BLACK_BORDER; }
const BorderTable* GetThinInsetBorder() { return &THIN_INSET_BORDER; }
const BorderTable* GetThinOutsetBorder() { return &THIN_OUTSET_BORDER; }
const BorderTable* GetRaisedBorder() { return &RAISED_BORDER; }
const BorderTable* GetSunkenBorder() { return &SUNKEN_BORDER; }

} // namespace Qor
