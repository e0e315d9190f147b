// Skin changes: the reset and rebuild of the skinnable statics, the standard painter
// entering the chain, the darkness flags, and the order in which a skin change runs.

#include "tests/draw/look/look_support.h"
#include "tests/draw/support/recording_draw.h"
#include "tests/foundation/child_process.h"

#include <cstdio>
#include <cstdlib>

using namespace Qor;
using QorTest::RecordingDraw;

namespace {

Value HostPainter(Draw&, const Rect&, const Value&, int) { return Value(); }

void (*init_self)() = nullptr;

class SkinReset : public QorTest::LookTest {
protected:
    SkinReset() : LookTest({}) {}
};

bool IsChain(std::initializer_list<LookPainter> expected)
{
    const Vector<LookPainter>& chain = GetLookPainters();
    if(chain.GetCount() != (int)expected.size())
        return false;
    int i = 0;
    for(LookPainter p : expected)
        if(chain[i++] != p)
            return false;
    return true;
}

} // namespace

// Before the first skin change the flags are false and no painter is in the chain, so no
// look paints; the first reset brings the standard painter, later ones keep the chain.
TEST(SkinChange, FirstSkinChangeInAFreshProcess)
{
    if(getenv("QOR_FRESH_SKIN")) {
        RecordingDraw w;
        PaintLook(w, Rect(0, 0, 4, 4), Color(1, 2, 3));
        dprintf(3, "before=%d %d %d %d\n", IsFaceColorDark(), IsDarkTheme(), GetLookPainters().GetCount(),
                (int)w.log.size());
        ResetThemeStatics();
        AddLookPainter(HostPainter);
        ResetThemeStatics();
        dprintf(3, "chain=%d\n", IsChain({ StandardLookPainter, HostPainter }));
        PaintLook(w, Rect(0, 0, 4, 4), Color(1, 2, 3));
        dprintf(3, "painted=%d\n", (int)w.log.size());
        RebuildThemeStatics();
        dprintf(3, "after=%d %d\n", IsFaceColorDark(), IsDarkTheme());
        _exit(0);
    }
    ChildRun run = RunChildProcess(
        SelfPath(), { SelfPath(), "--gtest_filter=SkinChange.FirstSkinChangeInAFreshProcess" }, { "QOR_FRESH_SKIN=1" });
    ASSERT_TRUE(run.ExitedCleanly()) << run.error_output;
    EXPECT_EQ(run["before"], "0 0 0 0");
    EXPECT_EQ(run["chain"], "1");
    EXPECT_EQ(run["painted"], "1");
    EXPECT_EQ(run["after"], "0 0") << "the default colours are light with black text and labels";
}

TEST_F(SkinReset, ResetSendsEveryStaticBackAndRebuildRefillsIt)
{
    // A static of the test's own, registered like every skinnable static.
    static byte state = STATIC_UNSET, registered = 0;
    void (*init)() = [] {
        if(state == STATIC_UNSET) {
            RegisterResettableStatic(&state, &registered, init_self);
            state = STATIC_DEFAULT;
        }
    };
    init_self = init;
    init();
    SysColorFace();
    SetSysColorShadow(Color(1, 1, 1)); // an earlier skin
    ResetThemeStatics();
    EXPECT_TRUE(IsChain({ StandardLookPainter }));
    for(const ResettableStatic& s : GetResettableStatics())
        EXPECT_EQ(*s.state, STATIC_UNSET);

    SetSysColorPaper(Color(0, 0, 7)); // this skin
    MarkLookModified();
    RebuildThemeStatics();
    EXPECT_FALSE(IsLookModified());
    EXPECT_EQ(state, STATIC_DEFAULT) << "the rebuild ran the initialiser";
    EXPECT_EQ(SysColorShadow().GetBits(), 0x808080u) << "what only an earlier skin set is back to its default";
    EXPECT_EQ(SysColorPaper(), Color(0, 0, 7));
    EXPECT_EQ(SysColorMark().GetBits(), 0xC0FFFFu) << "the mark initialised in the rebuild, on the dark paper";

    ResetThemeStatics();
    SetSysColorPaper(White());
    RebuildThemeStatics();
    EXPECT_EQ(SysColorMark().GetBits(), 0xFF0000u);

    // A mark read before the skin sets the paper keeps its value until the next reset.
    ResetThemeStatics();
    SysColorMark();
    SetSysColorPaper(Color(0, 0, 7));
    RebuildThemeStatics();
    EXPECT_EQ(SysColorMark().GetBits(), 0xFF0000u);
}

TEST_F(SkinReset, ResetKeepsPaintersTheHostAdded)
{
    ResetThemeStatics();
    AddLookPainter(HostPainter);
    ResetThemeStatics();
    RebuildThemeStatics();
    EXPECT_TRUE(IsChain({ StandardLookPainter, HostPainter }));
}

TEST_F(SkinReset, DarknessFlags)
{
    struct Case {
        Color face, text, label;
        bool face_dark, dark_theme;
    } cases[] = {
        { Color(0xC0, 0xC0, 0xC0), Black(), Black(), false, false },
        { Color(40, 40, 40), Black(), Black(), true, false },
        { Color(), Black(), Black(), true, false },
        { Color(40, 40, 40), White(), Black(), true, true },
        { Color(0xC0, 0xC0, 0xC0), Black(), White(), false, true },
        { Color(40, 40, 40), White(), White(), true, false },
        { Color(0xC0, 0xC0, 0xC0), Color(), White(), false, true },
    };
    for(const Case& c : cases) {
        ResetThemeStatics();
        SetSysColorFace(c.face);
        SetSysColorText(c.text);
        SetSysColorLabel(c.label);
        RebuildThemeStatics();
        EXPECT_EQ(IsFaceColorDark(), c.face_dark) << c.face.ToText().Begin();
        EXPECT_EQ(IsDarkTheme(), c.dark_theme) << c.text.ToText().Begin() << " " << c.label.ToText().Begin();
    }
    ResetThemeStatics();
    RebuildThemeStatics();
    EXPECT_FALSE(IsFaceColorDark());
    EXPECT_FALSE(IsDarkTheme());
}

// The base skin's part of a skin change on a "CtrlsImg" of two reference-palette images:
// each change decodes the images afresh and recolours them into the colours of the reset,
// so changes do not compound and the colours an earlier skin set do not leak in.
TEST_F(SkinReset, SkinChangeRecoloursControlImagesOnce)
{
    static const byte face_line[] = { 0x81, 0xC0, 0xC0, 0xC0, 0x80 };
    static const byte white_line[] = { 0x81, 0xFF, 0xFF, 0xFF, 0x80 };
    static const byte* const face_lines[] = { face_line };
    static const byte* const white_lines[] = { white_line };
    static const RunLengthImage records[] = { { face_lines, 1, 0, 1, 1, 0, 0 }, { white_lines, 1, 0, 1, 1, 0, 0 } };
    static const char* const names[] = { "face", "white" };
    static ImageList list(records, names, 2);
    if(FindImageListIndex("CtrlsImg") < 0)
        RegisterImageList("CtrlsImg", &list);
    ImageList& ctrls = GetImageList(FindImageListIndex("CtrlsImg"));
    if(&ctrls != &list)
        GTEST_SKIP() << "another \"CtrlsImg\" is registered";

    auto skin_change = [&](Color host_face) {
        ctrls.Reset();
        ResetThemeStatics();
        ctrls.SetRecolouredFrom(ctrls);
        SetSysColorFace(host_face);
        RebuildThemeStatics();
    };
    SetSysColorFace(Color(0, 90, 0));
    skin_change(Color(90, 0, 0));
    EXPECT_EQ(Color(ctrls.Get(0)[0][0]), Color(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(Color(ctrls.Get(1)[0][0]), Color(254, 254, 254));
    skin_change(Color(90, 0, 0));
    EXPECT_EQ(Color(ctrls.Get(1)[0][0]), Color(254, 254, 254)) << "recoloured once, not twice";
    EXPECT_EQ(SysColorFace(), Color(90, 0, 0));
}
