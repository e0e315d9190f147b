// Test controls that journal their notifications, and the window-system stand-ins.

#include "tests/ctrl/support/ctrl_probe.h"

namespace QorTest {

using namespace Qor;

namespace {

std::string NameOf(Ctrl* c)
{
    Probe* p = dynamic_cast<Probe*>(c);
    return p ? p->name : "?";
}

} // namespace

void Probe::ChildInserted(Ctrl* child) { Note(("ChildInserted(" + NameOf(child) + ")").c_str()); }

void Probe::ChildRemoving(Ctrl* child) { Note(("ChildRemoving(" + NameOf(child) + ")").c_str()); }

void Probe::LeftButtonDown(Point p, dword)
{
    if(log_mouse)
        Note(("LeftButtonDown" + std::to_string(p.x) + "," + std::to_string(p.y)).c_str());
}

void Probe::RightButtonDown(Point, dword)
{
    if(log_mouse)
        Note("RightButtonDown");
}

void Probe::MiddleButtonDown(Point, dword)
{
    if(log_mouse)
        Note("MiddleButtonDown");
}

void Probe::WheelRotated(Point p, int zdelta, dword keyflags)
{
    if(log_mouse)
        Note(("Wheel" + std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(zdelta)).c_str());
    Ctrl::WheelRotated(p, zdelta, keyflags);
}

SeamsScope::~SeamsScope()
{
    GetCtrlCoreSeams() = saved;
    InstallPlatform(saved_platform);
    CtrlGlobalRefs& g = GetCtrlGlobalRefs();
    g.pointer_ctrl.Clear();
    g.capturing_ctrl.Clear();
    g.focus_ctrl.Clear();
    g.active_window.Clear();
    g.deferred_focus_target.Clear();
    g.deferred_focus_lost.Clear();
    g.wheel_passed_up = false;
}

OpenWindow::OpenWindow(Ctrl& root) : root(root)
{
    root.SetHostRecord(&record);
    root.SetOpenFlag(true);
}

OpenWindow::~OpenWindow()
{
    root.SetOpenFlag(false);
    root.SetHostRecord(nullptr);
}

FakeWindowSystem::FakeWindowSystem()
{
    Marks().clear();
    Calls().clear();
    CtrlCoreSeams& s = GetCtrlCoreSeams();
    s.move_focus_here = [](Ctrl& c, bool) {
        if(!c.IsInOpenWindow() || !c.IsEnabled() || !c.IsVisibleUpward())
            return false;
        GetCtrlGlobalRefs().focus_ctrl = &c;
        return true;
    };
    s.show_window = [](Ctrl&, bool show) { Calls().push_back(show ? "show" : "hide"); };
    s.enable_window = [](Ctrl&, bool enable) {
        Calls().push_back(enable ? "enable" : "disable");
        return true;
    };
    s.destroy_window = [](Ctrl&) { Calls().push_back("destroy"); };
    s.send_focus_lost = [](Ctrl*, Ctrl*) { Calls().push_back("focus lost"); };
}

FakeWindowSystem::~FakeWindowSystem()
{
    Marks().clear();
    Calls().clear();
}

std::vector<Rect>& FakeWindowSystem::Marks()
{
    static std::vector<Rect> marks;
    return marks;
}

std::vector<std::string>& FakeWindowSystem::Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

std::string Describe(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

} // namespace QorTest
