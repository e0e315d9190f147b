// The small services of the base operations: update and action, access-key bits, value
// errors, descriptions and the writing of user-action log lines, and the back-buffer query.

#include "ctrl/defaults/ctrl_defaults.h"
#include "ctrl/platform/platform.h"
#include "ctrl/tree/child_walk_internal.h"
#include "ctrl/tree/core_seams.h"
#include "ctrl/tree/ctrl_class.h"
#include "ctrl/tree/global_refs.h"
#include "foundation/log.h"
#include "foundation/process_environment.h"

#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace Qor {

void Ctrl::MarkUpdated()
{
    SetModified();
    AfterUpdate();
}

void Ctrl::MarkUpdatedRefresh()
{
    MarkUpdated();
    Refresh();
}

void Ctrl::RunAction()
{
    // A copy: the action may replace itself or destroy the control.
    Callback cb = action;
    cb();
}

void Ctrl::MarkUpdatedAction()
{
    MarkUpdated();
    RunAction();
}

void Ctrl::MarkUpdatedActionRefresh()
{
    WeakPointer<Ctrl> alive(this);
    MarkUpdatedAction();
    if(alive)
        Refresh();
}

dword AccessKeyMask(dword key)
{
    byte b = byte(key);
    if(b >= 'A' && b <= 'Z')
        return dword(2) << (b - 'A');
    return b ? 1 : 0;
}

dword Ctrl::CollectAccessKeys() const
{
    dword keys = OwnAccessKeys();
    WalkSiblings(first_child, [&](Ctrl* q) {
        keys |= q->CollectAccessKeys();
        return false;
    });
    return keys;
}

void Ctrl::AutoAssignAccessKeys() { AssignFreeAccessKeys(CollectAccessKeys()); }

bool IsAccessKeyMarkShown(const Ctrl* c)
{
    const CtrlCoreSeams& seams = GetCtrlCoreSeams();
    // Access keys on Alt only is the setting's default.
    if((seams.access_keys_on_alt_only ? seams.access_keys_on_alt_only() : 1) == 0)
        return true;
    if(!c || !GetPlatform().IsAltDown())
        return false;
    Ctrl* focus = GetCtrlGlobalRefs().focus_ctrl;
    return focus && focus->GetRootCtrl() == c->GetRootCtrl();
}

ValueErrorHook& GetValueErrorHook()
{
    static ValueErrorHook hook = PrintValueErrorToStderr;
    return hook;
}

bool PrintValueErrorToStderr(const Value& v)
{
    if(!IsError(v))
        return false;
    String line = ExecutableTitle() + ": " + ErrorValueText(v) + "\n";
    std::fwrite(line.Begin(), 1, size_t(line.GetLength()), stderr);
    std::fflush(stderr);
    return true;
}

String GetCtrlTypeName(const Ctrl* c)
{
    const char* name = typeid(*c).name();
    if(*name == '*')
        name++;
    int status = 0;
    char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    String out(status == 0 && readable ? readable : name);
    std::free(readable);
    return out;
}

String DescribeCtrl(const Ctrl* c)
{
    if(!c)
        return "NULL";
    String s = GetCtrlTypeName(c);
    String own = c->Describe();
    if(own.GetLength())
        s = s + " \"" + own + "\"";
    else if(c->GetParent() && c->GetPrev()) {
        String label = c->GetPrev()->Describe();
        if(label.GetLength())
            s = s + " <<\"" + label + "\">>";
    }
    const Ctrl* top = c->FindTopWindowCtrl();
    if(top && top != c) {
        String title = top->Describe();
        s = title.GetLength() ? s + " (\"" + title + "\")" : s + " (" + GetCtrlTypeName(top) + ")";
    }
    return s;
}

String DescribeCtrlDetailed(const Ctrl* c)
{
    if(!c)
        return "NULL";
    return GetPlatform().DescribeDetailed(*c);
}

void LogUserAction(const String& line)
{
    // Through the stream, which opens the log file on first use and cuts lines at the feed.
    CurrentLog().PutLine(line);
}

bool CanUseBackBuffer() { return true; }

} // namespace Qor
