// System colours: defaults, setters, the colours derived when they initialise, and their
// registration for resets, checked in this process and in a fresh one.

#include "draw/look/resettable_statics.h"
#include "draw/look/sys_colors.h"
#include "tests/foundation/child_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace Qor;

namespace {

// What a skin change does to the statics: every state back to 0, then every initialiser.
void ResetStatics()
{
    for(const ResettableStatic& s : GetResettableStatics())
        *s.state = STATIC_UNSET;
}

void RebuildStatics()
{
    for(const ResettableStatic& s : GetResettableStatics())
        s.init();
}

struct SysColorCase {
    const char* name;
    Color (*get)();
    void (*set)(Color);
    dword default_bits;
};

const SysColorCase sys_colors[] = {
    {"Paper", SysColorPaper, SetSysColorPaper, 0xFFFFFF},
    {"Face", SysColorFace, SetSysColorFace, 0xC0C0C0},
    {"Text", SysColorText, SetSysColorText, 0x000000},
    {"Highlight", SysColorHighlight, SetSysColorHighlight, 0x800000},
    {"HighlightText", SysColorHighlightText, SetSysColorHighlightText, 0xFFFFFF},
    {"Menu", SysColorMenu, SetSysColorMenu, 0xC0C0C0},
    {"MenuText", SysColorMenuText, SetSysColorMenuText, 0x000000},
    {"Info", SysColorInfo, nullptr, 0xC0FFFF},
    {"InfoText", SysColorInfoText, nullptr, 0x000000},
    {"Disabled", SysColorDisabled, SetSysColorDisabled, 0x808080},
    {"Light", SysColorLight, SetSysColorLight, 0xFFFFFF},
    {"Shadow", SysColorShadow, SetSysColorShadow, 0x808080},
    {"Mark", SysColorMark, nullptr, 0xFF0000},
    {"MenuMark", SysColorMenuMark, nullptr, 0xFF0000},
    {"Label", SysColorLabel, SetSysColorLabel, 0x000000},
};

class SysColors : public testing::Test {
protected:
    // Each test starts from the defaults, whatever skin an earlier test applied.
    void SetUp() override
    {
        for(const SysColorCase& c : sys_colors)
            c.get();
        ResetStatics();
        RebuildStatics();
    }
};

} // namespace

TEST_F(SysColors, DefaultsAfterAReset)
{
    for(const SysColorCase& c : sys_colors)
        EXPECT_EQ(c.get().GetBits(), c.default_bits) << c.name;
}

TEST_F(SysColors, SetterHoldsUntilTheNextResetAndMarksTheLookModified)
{
    for(const SysColorCase& c : sys_colors) {
        if(!c.set)
            continue;
        ClearLookModified();
        c.set(Color(1, 2, 3));
        EXPECT_TRUE(IsLookModified()) << c.name;
        RebuildStatics();
        EXPECT_EQ(c.get(), Color(1, 2, 3)) << c.name << " kept through a rebuild";
        ResetStatics();
        RebuildStatics();
        EXPECT_EQ(c.get().GetBits(), c.default_bits) << c.name << " after a reset";
    }
}

TEST_F(SysColors, ReadingAgainRegistersNothing)
{
    int count = GetResettableStatics().GetCount();
    for(const SysColorCase& c : sys_colors)
        c.get();
    ResetStatics();
    for(const SysColorCase& c : sys_colors)
        c.get();
    EXPECT_EQ(GetResettableStatics().GetCount(), count);
}

TEST_F(SysColors, MarksFollowTheirBackgroundAsItWasWhenTheyInitialised)
{
    struct Case {
        Color (*mark)();
        void (*set_background)(Color);
    } cases[] = {{SysColorMark, SetSysColorPaper}, {SysColorMenuMark, SetSysColorMenu}};
    for(const Case& c : cases) {
        ResetStatics();
        c.set_background(Color(20, 20, 20));
        RebuildStatics();
        EXPECT_EQ(c.mark().GetBits(), 0xC0FFFFu) << "dark background";

        // A mark read before the background changes keeps its value until the next reset.
        ResetStatics();
        RebuildStatics();
        EXPECT_EQ(c.mark().GetBits(), 0xFF0000u);
        c.set_background(Color(20, 20, 20));
        EXPECT_EQ(c.mark().GetBits(), 0xFF0000u);

        ResetStatics();
        c.set_background(Color());
        RebuildStatics();
        EXPECT_EQ(c.mark().GetBits(), 0xC0FFFFu) << "Null counts as dark";
    }
}

TEST_F(SysColors, LabelTakesTheTextColourOfItsInitialisation)
{
    ResetStatics();
    SetSysColorText(Color(200, 0, 0));
    EXPECT_EQ(SysColorLabel(), Color(200, 0, 0));
    SetSysColorText(Color(0, 0, 200));
    EXPECT_EQ(SysColorLabel(), Color(200, 0, 0));
    SetSysColorLabel(Color(0, 90, 0));
    EXPECT_EQ(SysColorLabel(), Color(0, 90, 0));
}

TEST(ResettableStatics, RegistersOnceByTheRegisteredByte)
{
    static byte state = 0, registered = 0;
    static int runs = 0;
    void (*init)() = [] { runs++; };
    int count = GetResettableStatics().GetCount();
    RegisterResettableStatic(&state, &registered, init);
    RegisterResettableStatic(&state, &registered, init);
    ASSERT_EQ(GetResettableStatics().GetCount(), count + 1);
    EXPECT_EQ(registered, 1);
    EXPECT_EQ(GetResettableStatics()[count].state, &state);
    GetResettableStatics()[count].init();
    EXPECT_EQ(runs, 1);
}

// In a fresh process nothing is registered before the first read; each colour then
// registers itself once, a derived colour before the colour it reads.
TEST(ResettableStatics, FirstReadsRegisterInAFreshProcess)
{
    if(getenv("QOR_FRESH_SYS_COLORS")) {
        const Vector<ResettableStatic>& r = GetResettableStatics();
        int base = r.GetCount();
        bool ok = IsLookModified();
        SysColorFace();
        SysColorFace();
        ok = ok && r.GetCount() == base + 1;
        SysColorMark(); // registers itself, then the paper colour it reads
        ok = ok && r.GetCount() == base + 3;
        SysColorPaper();
        ok = ok && r.GetCount() == base + 3;
        SysColorLabel(); // itself, then the text colour
        ok = ok && r.GetCount() == base + 5;
        byte* mark_state = r[base + 1].state;
        ResetStatics();
        SetSysColorPaper(Color(0, 0, 0));
        r[base + 1].init();
        ok = ok && r.GetCount() == base + 5 && *mark_state == STATIC_DEFAULT && SysColorMark().GetBits() == 0xC0FFFF;
        _exit(ok ? 0 : 1);
    }
    ChildRun run = RunChildProcess(SelfPath(), {SelfPath(), "--gtest_filter=ResettableStatics.FirstReadsRegisterInAFreshProcess"},
                                   {"QOR_FRESH_SYS_COLORS=1"});
    EXPECT_TRUE(run.ExitedCleanly()) << run.error_output;
}
