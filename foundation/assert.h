// Precondition checks: on in debug, sanitizer and fuzz builds, compiled out in release builds.
//
// A broken precondition is a fault of the caller (an index past the end, a
// negative count, a stray thread), never bad input from outside: input gets an
// error value or an exception instead.
#pragma once

#include <atomic>

#if !defined(NDEBUG) && !defined(QOR_CHECKS)
#define QOR_CHECKS 1
#endif

namespace Qor {

// Panics with "Assertion failed: <condition> (<file>:<line>)"; ends the process
// even when a panic is already under way.
[[noreturn]] void AssertFailed(const char* file, int line, const char* condition);

// The first thread that uses a single-threaded process-wide service. Another
// thread calling it later panics with "<service> used from a second thread".
class ThreadOwner {
public:
    void Check(const char* service);

private:
    std::atomic<unsigned long> owner{ 0 };
};

} // namespace Qor

#ifdef QOR_CHECKS
#define QOR_ASSERT(condition) ((condition) ? (void)0 : ::Qor::AssertFailed(__FILE__, __LINE__, #condition))
#define QOR_CHECK_THREAD(owner, service) (owner).Check(service)
// For a service reached through one function: the owner lives in that function.
#define QOR_SINGLE_THREADED(service)                                                                                   \
    do {                                                                                                               \
        static ::Qor::ThreadOwner qor_thread_owner;                                                                    \
        qor_thread_owner.Check(service);                                                                               \
    } while(0)
#else
#define QOR_ASSERT(condition) ((void)0)
#define QOR_CHECK_THREAD(owner, service) ((void)0)
#define QOR_SINGLE_THREADED(service) ((void)0)
#endif
