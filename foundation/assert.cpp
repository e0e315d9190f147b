// Reports of broken preconditions and stray threads through the panic routine.
#include "foundation/assert.h"

#include "foundation/panic.h"

#include <pthread.h>
#include <cstdio>
#include <cstdlib>

namespace Qor {

void AssertFailed(const char* file, int line, const char* condition)
{
    // No heap: the heap itself may be what broke.
    char text[512];
    std::snprintf(text, sizeof(text), "Assertion failed: %s (%s:%d)", condition, file, line);
    RaisePanic(text);
    std::abort();
}

void ThreadOwner::Check(const char* service)
{
    static_assert(sizeof(pthread_t) <= sizeof(unsigned long));
    unsigned long self = (unsigned long)pthread_self();
    unsigned long first = owner.load(std::memory_order_relaxed);
    if(first == self)
        return;
    if(first == 0 && owner.compare_exchange_strong(first, self))
        return;
    char text[200];
    std::snprintf(text, sizeof(text), "%s used from a second thread", service);
    RaisePanic(text);
    std::abort();
}

} // namespace Qor
