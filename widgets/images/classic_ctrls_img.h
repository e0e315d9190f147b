// ClassicCtrlsImg: plain, flat variants of the control looks (the list "ClassicCtrlsImg"), read
// by a host look that wants the classic style.
#pragma once

#include "draw/image_list/image_list.h"
#include "widgets/images/image_names.h"
#include "widgets/registrations.h"

// clang-format off
#define QOR_CLASSIC_CTRLS_IMG_NAMES(X) \
    X(S0) X(S0h) X(S0p) X(S0d) X(S1) X(S1h) X(S1p) X(S1d) X(SBlack) X(O0) X(O0h) X(O0p) X(O0d) X(O1) X(O1h) \
    X(O1p) X(O1d) X(O2) X(O2h) X(O2p) X(O2d) X(OBlack) X(SizeGrip) X(B) X(Bh) X(Bp) X(Bd) X(EB) X(EBh) X(EBp) \
    X(EBd) X(SB) X(SBh) X(SBp) X(SBd) X(OkB) X(OkBh) X(OkBp) X(OkBd) X(DA) X(UA) X(LA) X(RA) X(EFE) X(VE) X(TAB) \
    X(TABh) X(TABs) X(TABd) X(FTAB) X(FTABh) X(FTABs) X(FTABd) X(LTAB) X(LTABh) X(LTABs) X(LTABd) X(BTAB) \
    X(BTABh) X(BTABs) X(BTABd) X(TABB) X(TB) X(TBh) X(TBp) X(TBd) X(TB1) X(TB1h)
// clang-format on

namespace Qor {

struct ClassicCtrlsImg {
    enum { QOR_CLASSIC_CTRLS_IMG_NAMES(QOR_IMAGE_INDEX) COUNT };

    // Built and registered as "ClassicCtrlsImg" on first use.
    static ImageList& GetList();
    static Image Get(int i) { return GetList().Get(i); }
    // Replaces image i until the list is reset.
    static void Set(int i, const Image& m) { GetList().Set(i, m); }

    QOR_CLASSIC_CTRLS_IMG_NAMES(QOR_IMAGE_GETTER)
};

// Registers "ClassicCtrlsImg"; called once by the library's registration unit.
void RegisterClassicCtrlsImg();

} // namespace Qor
