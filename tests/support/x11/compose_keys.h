// Composed input for GUI tests: the locale an input method needs, and dead keys the test
// server's key map lacks.
#pragma once

#include "tests/support/x11/gui_test.h"

#include <string>

namespace QorTest {

// The locale for a scope, and back after it.
class LocaleScope {
public:
    explicit LocaleScope(const char* name);
    ~LocaleScope();
    bool ok = false;

private:
    std::string saved;
};

// Puts a keysym on a keycode that has none and waits until the dispatcher knows the map.
bool MapSpareKey(KeySym sym);

} // namespace QorTest
