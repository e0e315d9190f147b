// A character composed through the input method of an English UTF-8 locale: a dead accent
// followed by a letter arrives as the one accented character.
#include "tests/support/x11/compose_keys.h"
#include "tests/support/x11/input_window.h"

#include <X11/keysym.h>

#include <clocale>
#include <string>

namespace {

using namespace Qor;
using namespace QorTest;

using ComposeTest = PrivateDisplayTest;

TEST_F(ComposeTest, DeadKeyAndLetterGiveTheAccentedCharacter)
{
    LocaleScope locale("en_US.UTF-8");
    ASSERT_TRUE(locale.ok) << "the en_US.UTF-8 locale is missing: tools/install-deps.sh generates it";
    ASSERT_TRUE(XSupportsLocale());
    ASSERT_TRUE(OpenInputMethod()) << "no input method for en_US.UTF-8";
    ASSERT_TRUE(MapSpareKey(XK_dead_acute));
    {
        InputRecorder c;
        OpenInput window(c, Rect(Point(20, 20), Size(120, 80)));
        ASSERT_TRUE(window.IsOpen());
        WindowMapEntry* e = GetWindowMapEntry(c);
        ASSERT_TRUE(e && e->xic) << "the window got no input context";
        TypeKey(XK_dead_acute);
        TypeKey(XK_e);
        PumpUntil([&] { return !c.keys.empty(); });
        PumpFor(30);
        EXPECT_EQ(c.Keys(), std::vector<dword>{ 0xE9 });
        // Plain letters still come through the input context.
        c.keys.clear();
        TypeKey(XK_x);
        PumpUntil([&] { return !c.keys.empty(); });
        EXPECT_EQ(c.Keys(), std::vector<dword>{ 'x' });
    }
    CloseInputMethod();
}

} // namespace
