// The services of the base virtual operations: value errors, access-key display and log
// descriptions of controls.
#pragma once

#include "foundation/string.h"
#include "foundation/values/value.h"

namespace Qor {

class Ctrl;

using ValueErrorHook = bool (*)(const Value& v);
// Starts as PrintValueErrorToStderr; the widget library shows a prompt instead.
ValueErrorHook& GetValueErrorHook();
// For an error value: "<program>: <error text>" on standard error and true; else false.
bool PrintValueErrorToStderr(const Value& v);

// True while access-key underlines are to be drawn for c.
bool IsAccessKeyMarkShown(const Ctrl* c);

// The run-time type name, the control's own or its previous sibling's description and its
// top window's, for log lines; "NULL" for null.
String DescribeCtrl(const Ctrl* c);
String DescribeCtrlDetailed(const Ctrl* c);
// The type name the log lines use for a control's class.
String GetCtrlTypeName(const Ctrl* c);
// Writes one user-action line, ended with a line feed, to the log stream in use.
void LogUserAction(const String& line);

// Back-buffered painting is available on this platform.
bool CanUseBackBuffer();

} // namespace Qor
