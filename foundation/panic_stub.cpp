// TEMPORARY stand-in until the real panic lands; the panic's author deletes this file.
#include "foundation/panic.h"
#include <cstdio>
#include <cstdlib>
namespace Qor {
void RaisePanic(const char* text) { std::fprintf(stderr, "%s\n", text); std::abort(); }
}
