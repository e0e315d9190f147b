// CtrlsImg: the skinnable looks of buttons, check boxes, scroll bars, edges, progress bars and
// tabs (the list "CtrlsImg"), one image per visual state: normal, hot "h", pressed "p",
// disabled "d"; the hotspot is the margin the look painter keeps when it stretches them.
#pragma once

#include "draw/image_list/image_list.h"
#include "widgets/images/image_names.h"
#include "widgets/registrations.h"

// clang-format off
#define QOR_CTRLS_IMG_NAMES(X) \
    X(S0) X(S0h) X(S0p) X(S0d) X(S1) X(S1h) X(S1p) X(S1d) X(O0) X(O0h) X(O0p) X(O0d) X(O1) X(O1h) X(O1p) X(O1d) \
    X(O2) X(O2h) X(O2p) X(O2d) X(B) X(Bh) X(Bp) X(Bd) X(EB) X(EBh) X(EBp) X(EBd) X(SB) X(SBh) X(SBp) X(SBd) \
    X(SBHT) X(SBHTh) X(SBHTp) X(SBHTd) X(SBVT) X(SBVTh) X(SBVTp) X(SBVTd) X(OkB) X(OkBh) X(OkBp) X(OkBd) \
    X(OBlack) X(SBlack) X(SizeGrip) X(kDA) X(kUA) X(kLA) X(kRA) X(kSpU) X(kSpD) X(DA) X(UA) X(LA) X(RA) X(SpU) \
    X(SpD) X(SBVU) X(SBVUh) X(SBVUp) X(SBVUd) X(SBVL) X(SBVLh) X(SBVLp) X(SBVLd) X(SBHU) X(SBHUh) X(SBHUp) \
    X(SBHUd) X(SBHL) X(SBHLh) X(SBHLp) X(SBHLd) X(SBVI) X(SBHI) X(EFE) X(VE) X(HorzPos) X(HorzSplit) X(HTB) \
    X(HTBh) X(HTBp) X(HTBd) X(PI) X(VPI) X(PIC) X(VPIC) X(TAB) X(TABh) X(TABs) X(TABd) X(FTAB) X(FTABh) X(FTABs) \
    X(FTABd) X(LTAB) X(LTABh) X(LTABs) X(LTABd) X(BTAB) X(BTABh) X(BTABs) X(BTABd) X(TABB) X(SLA) X(SRA) X(TB) \
    X(TBh) X(TBp) X(TBd) X(TB1) X(TB1h)
// clang-format on

namespace Qor {

struct CtrlsImg {
    enum { QOR_CTRLS_IMG_NAMES(QOR_IMAGE_INDEX) COUNT };

    // Built and registered as "CtrlsImg" on first use.
    static ImageList& GetList();
    static Image Get(int i) { return GetList().Get(i); }
    // Replaces image i until the list is reset.
    static void Set(int i, const Image& m) { GetList().Set(i, m); }

    QOR_CTRLS_IMG_NAMES(QOR_IMAGE_GETTER)
};

// Registers "CtrlsImg"; called once by the library's registration unit.
void RegisterCtrlsImg();

} // namespace Qor
