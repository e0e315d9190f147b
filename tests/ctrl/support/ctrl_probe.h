// Test controls that write every notification they get into a shared journal, and scopes
// that stand in for the window system: an open window, a keyboard focus, recorded refresh
// marks. Every scope puts the process-wide state back when it ends.
#pragma once

#include "ctrl/ctrl.h"
#include "tests/ctrl/support/test_platform.h"
#include "tests/support/printers.h"

#include <string>
#include <vector>

namespace QorTest {

using Journal = std::vector<std::string>;

// Writes "name:Event" lines; StateChanged as "name:State<reason>".
class Probe : public Qor::Ctrl {
public:
    Probe(const char* name, Journal& journal) : name(name), journal(journal) {}

    std::string name;
    Journal& journal;
    // Journal the mouse handlers (off by default: most tests only look at the tree).
    bool log_mouse = false;
    // What Describe answers.
    Qor::String description;

    void Note(const char* event) const { journal.push_back(name + ":" + event); }

    void ChildInserted(Qor::Ctrl* child) override;
    void ChildRemoving(Qor::Ctrl* child) override;
    void ParentChanged() override { Note("ParentChanged"); }
    void StateChanged(int reason) override { Note(("State" + std::to_string(reason)).c_str()); }
    void Layout() override { Note("Layout"); }
    void CancelInteraction() override { Note("CancelInteraction"); }
    void LeftButtonDown(Qor::Point, Qor::dword) override;
    void RightButtonDown(Qor::Point, Qor::dword) override;
    void MiddleButtonDown(Qor::Point, Qor::dword) override;
    void WheelRotated(Qor::Point p, int zdelta, Qor::dword keyflags) override;
    Qor::String Describe() const override { return description; }
};

// Restores the seams, the installed window system, the global references and the
// work-area cache users see.
class SeamsScope {
public:
    SeamsScope() : saved(Qor::GetCtrlCoreSeams()), saved_platform(&Qor::GetPlatform()) {}
    ~SeamsScope();

private:
    Qor::CtrlCoreSeams saved;
    Qor::Platform* saved_platform;
};

// The root shows as an open window for as long as the scope lives.
class OpenWindow {
public:
    explicit OpenWindow(Qor::Ctrl& root);
    ~OpenWindow();

    Qor::HostWindowRecord record;

private:
    Qor::Ctrl& root;
};

// Focus moves and refresh marks as a window system would take them: a focus move succeeds
// for a control in an open window and sets the focus control; every mark reaching a
// window is recorded.
class FakeWindowSystem : public SeamsScope {
public:
    FakeWindowSystem();
    ~FakeWindowSystem();

    static std::vector<Qor::Rect>& Marks();
    static std::vector<std::string>& Calls();

    // Records the marks; the base of test window systems that need more.
    class Host : public Qor::Platform {
    public:
        void InvalidateHostArea(Qor::Ctrl&, const Qor::Rect& r) override { Marks().push_back(r); }
    };

private:
    Host host;
    PlatformScope installed{ host };
};

std::string Describe(const Qor::Rect& r);

} // namespace QorTest
