// Real input on a private X server: each test process gets an Xvfb of its own, so that the
// pointer, the keyboard focus and the key map are not shared with tests running in parallel.
// Controls open as host windows there and journal the keys and mouse events they get.
#pragma once

#include "tests/support/x11/gui_test.h"
#include "tests/support/x11/xtest_input.h"

#include "ctrl/ctrl.h"
#include "ctrl/x11/x11.h"

#include <string>
#include <vector>

namespace QorTest {

// Starts the process's private server and makes it the window system's display, unless a
// display was already brought up in this process (then that one is used).
bool RequirePrivateDisplay();

class PrivateDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(RequirePrivateDisplay()); }
    void TearDown() override;
};

struct KeyRecord {
    Qor::dword key;
    int count;
};

// Journals the keys and mouse events it gets (moves and cursor queries only when asked).
class InputRecorder : public Qor::Ctrl {
public:
    std::vector<KeyRecord> keys;
    std::vector<std::string> mouse;
    std::vector<std::string>* notices = nullptr; // focus notices, when set
    const char* name = "";
    bool log_moves = false;
    bool take_keys = true;

    bool ProcessKey(Qor::dword key, int count) override;
    Qor::Image DispatchMouse(int event, Qor::Point p, int zdelta, Qor::dword keyflags) override;
    void FocusGained() override { Notice("FocusGained"); }
    void FocusLost() override { Notice("FocusLost"); }
    void ChildFocusGained() override
    {
        Notice("ChildFocusGained");
        Ctrl::ChildFocusGained();
    }
    void ChildFocusLost() override
    {
        Notice("ChildFocusLost");
        Ctrl::ChildFocusLost();
    }
    void Notice(const char* what)
    {
        if(notices)
            notices->push_back(std::string(name) + ":" + what);
    }
    std::vector<Qor::dword> Keys() const;
};

// Opens c as a top-level window at r (screen coordinates), waits until it is exposed and
// gives it the keyboard focus.
bool OpenInputWindow(Qor::Ctrl& c, const Qor::Rect& r, int limit_ms = 5000);
void CloseInputWindow(Qor::Ctrl& c);
// Dispatches events until done answers true; false at the limit.
bool PumpUntil(const std::function<bool()>& done, int limit_ms = 3000);
// Dispatches what arrives within ms.
void PumpFor(int ms);

} // namespace QorTest

namespace QorTest {

// An input window open for a scope.
class OpenInput {
public:
    OpenInput(Qor::Ctrl& c, const Qor::Rect& r) : c(c) { opened = OpenInputWindow(c, r); }
    ~OpenInput() { CloseInputWindow(c); }
    bool IsOpen() const { return opened; }
    Window GetWindow() const { return Qor::GetHostWindow(c); }

private:
    Qor::Ctrl& c;
    bool opened = false;
};

} // namespace QorTest
