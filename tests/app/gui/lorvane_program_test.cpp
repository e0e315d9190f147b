// Lorvane driven as its user drives it, on a private X server under openbox and without a
// window manager, the pointer moved as a hand moves it and in single jumps: the program body
// runs its window's loop while a script of real XTest input, run from the loop's own timers,
// types, picks match types from the drop-down list, searches, reads the rows, opens and
// closes meanings with clicks, double clicks and keys, sorts, searches again, and closes the
// window.
#include "tests/app/gui/lorvane_driving.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x11/xtest_input.h"

#include "ctrl/input/button_tracking.h"
#include "ctrl/settings/gui_settings.h"
#include "ctrl/x11/display/x11_display.h"

#include <X11/keysym.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace Qor;
using namespace QorTest;

struct UserSetting {
    bool openbox;
    PointerMove move;
};

class LorvaneUser : public ::testing::TestWithParam<UserSetting> {};

std::string SettingName(const ::testing::TestParamInfo<UserSetting>& info)
{
    return std::string(info.param.openbox ? "Openbox" : "NoWindowManager") + PointerMoveName(info.param.move);
}

// The rest of the test runs in a child process on a server of its own, with openbox on it
// when the setting asks for one.
#define ON_PRIVATE_SERVER()                                                                                            \
    if(!IsPrivateServerChild()) {                                                                                      \
        XvfbServer server(1024, 768, 24);                                                                              \
        std::optional<OpenboxRun> wm;                                                                                  \
        if(GetParam().openbox) {                                                                                       \
            wm.emplace(server);                                                                                        \
            ASSERT_TRUE(wm->ready) << "openbox did not start (is it installed? tools/install-deps.sh)";                \
        }                                                                                                              \
        RunTestOnPrivateServer(server, 150000);                                                                        \
        return;                                                                                                        \
    }                                                                                                                  \
    ASSERT_TRUE(RequireDisplay())

TEST_P(LorvaneUser, LooksWordsUp)
{
    ON_PRIVATE_SERVER();
    const PointerMove how = GetParam().move;
    WindowWatch watch;
    MenuScript s;
    lorvane* w = nullptr;
    auto host = [&] { return GetHostWindow(*w); };
    // A click on one of the window's controls, found when the pointer sets off.
    auto click = [&](auto member) { ClickAt(s, how, [&, member] { return CentreOnScreen((*w).*member); }); };
    auto meaning_box_open = [&] { return Dialogs().size() == 1 && Dialogs()[0]->IsInOpenWindow(); };

    // The window as it first shows.
    s.Then([&] {
        w = FindLookupWindow();
        return w && w->IsInOpenWindow() && w->HasFocusInTree();
    });
    s.Wait(300);
    s.Do([&] {
        EXPECT_EQ(w->GetTitle(), WString("Lorvane"));
        EXPECT_EQ(w->match.GetValue(), Value(0));
        EXPECT_EQ(w->match.Format(w->match.GetValue()), Value(String("Contains")));
        EXPECT_EQ(w->array.GetCount(), 0);
        EXPECT_TRUE(w->array.GetScrollBar().IsVisible());
        watch.TakeCreated(host());
    });
    click(&lorvane::criteria);
    s.Then([&] { return w->criteria.HasFocus(); });
    s.Do([] { TypeText("rob"); });
    s.Then([&] { return w->criteria.GetValue() == Value(WString("rob")); });

    // Each match type with the mouse: the drop-down opens over the window, a click on an
    // entry where the user sees it picks it.
    for(int type = 1; type <= 4; type++) {
        int pick = type % 4;
        click(&lorvane::match);
        s.Then([&] { return OpenPopup() != nullptr; });
        s.Wait(300);
        ClickAt(s, how, [&, pick] {
            Ctrl* popup = OpenPopup();
            if(!popup)
                return PointerOnScreen(); // closed already: the check below reports it
            Rect r = popup->GetRectOnScreen();
            int row = (r.Height() - 2) / 4; // four entries in a one-pixel frame
            return Point(r.left + 10, r.top + 1 + row * pick + row / 2);
        });
        s.Then([&, pick] { return w->match.GetValue() == Value(pick) && !OpenPopup(); });
    }

    // Search by mouse under "Contains": rows in list order, numbered from 1, under one
    // progress dialog.
    std::vector<std::string> contains_rob;
    click(&lorvane::searchbutton);
    s.Then([&] { return w->array.GetCount() > 0 && Dialogs().empty(); });
    s.Do([&] {
        EXPECT_EQ(watch.TakeCreated(host()), 1) << "one progress dialog";
        contains_rob = ShownRows(*w);
        ASSERT_GE(contains_rob.size(), 2u);
        EXPECT_EQ(contains_rob[0].substr(0, 2), "1 ");
        EXPECT_EQ(contains_rob[1].substr(0, 2), "2 ");
        for(const std::string& r : contains_rob)
            EXPECT_NE(r.find("ob"), std::string::npos) << r;
    });

    // Each match type with the keyboard (Tab to the list, Down steps), Search by Space.
    click(&lorvane::criteria);
    s.Then([&] { return w->criteria.HasFocus(); });
    s.Do([&] { TypeKey(XK_Tab); });
    s.Then([&] { return w->searchbutton.HasFocus(); });
    s.Do([&] { TypeKey(XK_Tab); });
    s.Then([&] { return w->match.HasFocus(); });
    const char* const expected_first[] = { "", "Robert", "Robert", "Report" };
    for(int type = 1; type <= 3; type++) {
        s.Do([] { TypeKey(XK_Down); });
        s.Then([&, type] { return w->match.GetValue() == Value(type); });
        s.Do([] { TypeKey(XK_Tab, { XK_Shift_L }); });
        s.Then([&] { return w->searchbutton.HasFocus(); });
        s.Do([&, type] {
            if(type == 2)
                w->criteria.SetText(WString("robert"));
            watch.TakeCreated(host()); // the button's tool tip may have come meanwhile
            TypeKey(XK_space);
        });
        s.Then([&] { return Dialogs().empty() && w->array.GetCount() > 0; });
        s.Do([&, type] {
            EXPECT_EQ(watch.TakeCreated(host()), 1) << "one progress dialog, match type " << type;
            std::vector<std::string> rows = ShownRows(*w);
            ASSERT_FALSE(rows.empty()) << "match type " << type;
            EXPECT_EQ(rows[0], std::string("1 ") + expected_first[type]) << "match type " << type;
            TypeKey(XK_Tab);
        });
        s.Then([&] { return w->match.HasFocus(); });
    }

    // A double click on a row: its first press opens the meaning, captioned with the
    // program's title, and the second lands on the window under the box. The box keeps the
    // keyboard: Enter closes it.
    s.Do([&] {
        w->match.SetValue(0);
        w->criteria.SetText(WString("abandon"));
    });
    click(&lorvane::searchbutton);
    s.Then([&] { return w->array.GetCount() == 1 && Dialogs().empty(); });
    s.Wait(900); // no double click with the button's press
    ClickAt(
        s, how, [&] { return CellOnScreen(w->array, 0, 1); }, 2);
    s.Then(meaning_box_open);
    s.Wait(300);
    s.Do([&] {
        EXPECT_EQ(Dialogs()[0]->GetTitle(), WString(GetAppTitle()));
        EXPECT_EQ(PromptText(*Dialogs()[0]), "forsake, leave behind");
        TypeKey(XK_Return);
    });
    s.Then([&] { return Dialogs().empty(); });

    // A meaning with the markup's own characters and a tab is shown as it stands.
    static const char* const literal = "a [* b] `c` {d} ^e^ @f \\g #h &i ~j\tk";
    s.Do([&] { w->array.Set(0, 1, String(literal)); });
    s.Wait(900);
    ClickAt(s, how, [&] { return CellOnScreen(w->array, 0, 1); });
    s.Then(meaning_box_open);
    s.Wait(300);
    s.Do([&] {
        EXPECT_EQ(PromptText(*Dialogs()[0]), literal);
        TypeKey(XK_Return);
    });
    s.Then([&] { return Dialogs().empty(); });

    // Away to the criteria field, the way the setting moves: the move ends the click that the
    // box took (its release went to the disabled window), and the click there is not lost.
    s.Wait(900);
    Reach(s, how, [&] { return CentreOnScreen(w->criteria); });
    s.Do([] { EXPECT_FALSE(GetButtonTracking().swallow_clicks) << "the next click would be lost"; });
    s.Do([] { ClickHere(); });
    s.Then([&] { return w->criteria.HasFocus(); });

    // The same search again, and a click on the row opens the box on its press once more.
    int progress_seen = 0;
    s.Do([&] { watch.TakeCreated(host()); });
    click(&lorvane::searchbutton);
    s.Then([&] {
        progress_seen += watch.TakeCreated(host());
        return progress_seen > 0 && w->array.GetCount() == 1 && Dialogs().empty();
    });
    s.Wait(900);
    ClickAt(s, how, [&] { return CellOnScreen(w->array, 0, 1); });
    s.Then(meaning_box_open);
    s.Wait(300);
    s.Do([] { TypeKey(XK_Escape); });
    s.Then([&] { return Dialogs().empty(); });

    // A click at the same place, the pointer not moved since: no click is lost to the press
    // that opened the box before.
    s.Wait(900);
    s.Do([] { ClickHere(); });
    s.Then(meaning_box_open);
    s.Wait(300);
    // A click on the window under the box leaves the keyboard with the box: Escape closes it.
    click(&lorvane::criteria);
    s.Wait(300);
    s.Do([&] {
        EXPECT_TRUE(meaning_box_open());
        TypeKey(XK_Escape);
    });
    s.Then([&] { return Dialogs().empty(); });

    // A click below the last row shows nothing.
    s.Wait(900);
    ClickAt(s, how, [&] {
        Point below = CellOnScreen(w->array, 0, 1);
        return Point(below.x, below.y + 5 * w->array.GetDefaultRowHeight());
    });
    s.Wait(500);
    s.Do([&] { EXPECT_TRUE(Dialogs().empty()); });

    // An empty criterion empties the list and asks for one; a click on the window under the
    // box leaves the keyboard with the box.
    s.Do([&] { w->criteria.SetText(WString("   ")); });
    click(&lorvane::searchbutton);
    s.Then(meaning_box_open);
    s.Wait(200);
    s.Do([&] {
        EXPECT_EQ(w->array.GetCount(), 0);
        EXPECT_EQ(Dialogs()[0]->GetTitle(), WString(GetAppTitle()));
        EXPECT_EQ(PromptText(*Dialogs()[0]), "Enter search criteria");
    });
    click(&lorvane::array);
    s.Wait(300);
    s.Do([] { TypeKey(XK_Return); });
    s.Then([&] { return Dialogs().empty(); });

    // "*" under "Contains": two progress dialogs in turn, every entry once, in list order.
    s.Do([&] {
        w->criteria.SetText(WString("*"));
        watch.TakeCreated(host());
    });
    click(&lorvane::searchbutton);
    s.Then([&] { return w->array.GetCount() == 2000 && Dialogs().empty(); });
    s.Do([&] {
        EXPECT_EQ(watch.TakeCreated(host()), 2) << "list-all, then the match-type search";
        std::vector<std::string> rows = ShownRows(*w);
        EXPECT_EQ(rows[0], "1 A Couple Of");
        EXPECT_EQ(rows[1999].substr(0, 5), "2000 ");
    });

    // Two clicks on the "Word" tab sort up, then down; the numbers still run from 1.
    auto word_tab = [&] {
        Rect h = w->array.GetHeader().GetRectOnScreen();
        return Point(h.left + 16 + 150, h.CenterPoint().y);
    };
    auto arrows = [&] {
        int n = 0;
        for(int t = 0; t < w->array.GetHeader().GetCount(); t++)
            n += !w->array.GetHeader().Tab(t).GetLabelDrawing().right_image.IsEmpty();
        return n;
    };
    ClickAt(s, how, word_tab);
    // However long a busy machine takes to pass the click on.
    s.Then([&] { return w->array.GetSortColumn() == 1; });
    s.Do([&] {
        std::vector<std::string> rows = ShownRows(*w);
        EXPECT_EQ(rows[0], "1 A Couple Of");
        EXPECT_EQ(w->array.GetSortColumn(), 1);
        EXPECT_FALSE(w->array.IsSortDescending());
        EXPECT_EQ(arrows(), 1);
    });
    Reach(s, how, [&] { return CentreOnScreen(w->criteria); });
    s.Wait(900);
    ClickAt(s, how, word_tab);
    s.Then([&] { return w->array.IsSortDescending(); });
    s.Do([&] {
        std::vector<std::string> rows = ShownRows(*w);
        EXPECT_EQ(rows[0].substr(0, 2), "1 ");
        EXPECT_EQ(rows[1999], "2000 A Couple Of");
        w->criteria.SetText(WString("rob"));
    });

    // A new search shows its rows in list order, and the header no longer claims a sort:
    // the next click on "Word" sorts up.
    click(&lorvane::searchbutton);
    s.Then([&] { return w->array.GetCount() == (int)contains_rob.size() && Dialogs().empty(); });
    s.Do([&] {
        EXPECT_EQ(ShownRows(*w), contains_rob);
        EXPECT_EQ(arrows(), 0) << "a sort arrow over rows in list order";
    });
    s.Wait(900);
    ClickAt(s, how, word_tab);
    s.Then([&] { return arrows() == 1; });
    s.Do([&] {
        EXPECT_FALSE(w->array.IsSortDescending());
        EXPECT_EQ(arrows(), 1);
        std::vector<std::string> terms;
        for(int r = 0; r < w->array.GetCount(); r++)
            terms.push_back(w->array.Get(r, 0).ToString().Begin());
        EXPECT_TRUE(std::is_sorted(terms.begin(), terms.end())) << "sorted up";
        RequestClose(display, host(), GetParam().openbox);
    });

    s.on_timeout = [&] {
        std::string focus;
        for(Ctrl* c = w ? w->GetFirstChild() : nullptr; c; c = c->GetNext())
            if(c->HasFocusInTree())
                focus = c->GetInfoPart(4).Begin();
        ADD_FAILURE() << "the script stopped at step " << s.StepReached() << ", focus on " << focus << ", "
                      << Dialogs().size() << " dialogs, " << (w ? w->array.GetCount() : -1) << " rows, "
                      << (OpenPopup() ? "a pop-up open" : "no pop-up");
        for(TopWindow* d : Dialogs())
            d->Break();
        if(w)
            w->Break();
    };
    s.Start(100000);
    LookupMain();
    EXPECT_TRUE(s.Finished()) << "step " << s.StepReached();
    EXPECT_EQ(FindLookupWindow(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Settings, LorvaneUser,
                         ::testing::Values(UserSetting{ true, PointerMove::HAND },
                                           UserSetting{ true, PointerMove::JUMP },
                                           UserSetting{ false, PointerMove::HAND },
                                           UserSetting{ false, PointerMove::JUMP }),
                         SettingName);

using LorvaneProgramTest = ::testing::Test;

TEST_F(LorvaneProgramTest, ProgramClosedByTheWindowManagerExitsWithZero)
{
    UNDER_OPENBOX();
    TempFolder home("lorvane_home");
    ProgramRun program(home.Path());
    if(Window w = program.WaitForWindow()) {
        WaitFor([] { return false; }, 300);
        RequestClose(display, w, true);
    }
    int status = -1;
    bool ended = program.WaitForExit(status);
    EXPECT_TRUE(ended) << "the program did not end on the close request";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
