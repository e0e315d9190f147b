// Panic, the fatal-signal handlers and the guarded program body. Every path
// that panics runs in a death-test child, so the panicking flag and the hooks
// of this process stay untouched.
#include "foundation/exc.h"
#include "foundation/panic.h"
#include "tests/support/private_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>
#include <unistd.h>

using namespace Qor;
using testing::KilledBySignal;
using testing::ExitedWithCode;

namespace {

// The whole of what the child wrote to descriptor 2, byte for byte.
testing::Matcher<const std::string&> Exactly(const std::string& text)
{
    return testing::Eq(text);
}

void WriteErr(const char* s)
{
    if(write(2, s, std::strlen(s)) < 0) {}
}

// Stands in for the log: the pieces go to descriptor 2 as they arrive, so the
// order of log and message shows in one capture.
void LogToStderr(const char* piece)
{
    WriteErr(IsPanicking() ? piece : "<log written before the flag>");
}

void RecordingHook(const char* caption, const char* text)
{
    WriteErr("[");
    WriteErr(caption);
    WriteErr("|");
    WriteErr(text);
    WriteErr("]");
    RaisePanic("second panic"); // already panicking: must return unseen
    WriteErr("returned");
}

void InstallFatalHandlers()
{
    signal(SIGILL, OnIllegalInstruction);
    signal(SIGSEGV, OnInvalidMemoryAccess);
    signal(SIGBUS, OnInvalidMemoryAccess);
    signal(SIGFPE, OnArithmeticError);
}

TEST(PanicDeathTest, WithoutHookWritesTheTextAloneAndAborts)
{
    PrivateHome home; // the panic block goes to the log
    EXPECT_EXIT(RaisePanic("boom"), KilledBySignal(SIGABRT), Exactly("boom\n"));
    EXPECT_EXIT(RaisePanic(""), KilledBySignal(SIGABRT), Exactly("\n"));
}

TEST(PanicDeathTest, LogsTheBlockWithTheFlagSetBeforeTheMessage)
{
    EXPECT_EXIT(
        {
            SetPanicLogWriter(LogToStderr);
            RaisePanic("disk gone");
        },
        KilledBySignal(SIGABRT), Exactly("****************** PANIC: disk gone\n\ndisk gone\n"));
}

TEST(PanicDeathTest, HookGetsCaptionAndTextAndASecondPanicReturns)
{
    EXPECT_EXIT(
        {
            SetPanicLogWriter(LogToStderr);
            SetFatalMessageHook(RecordingHook);
            RaisePanic("boom");
        },
        KilledBySignal(SIGABRT), Exactly("****************** PANIC: boom\n\n[Fatal error|boom]returned"));
}

TEST(PanicDeathTest, NullHookRestoresTheDefaultOutput)
{
    PrivateHome home; // the panic block goes to the log
    EXPECT_EXIT(
        {
            SetFatalMessageHook(RecordingHook);
            SetFatalMessageHook(nullptr);
            RaisePanic("plain");
        },
        KilledBySignal(SIGABRT), Exactly("plain\n"));
}

TEST(PanicDeathTest, ShowFatalMessageSetsTheFlagAndDropsTheCaption)
{
    EXPECT_EXIT(
        {
            bool before = IsPanicking();
            ShowFatalMessage("Caption", "message");
            WriteErr(!before && IsPanicking() ? "flag set" : "flag wrong");
            _exit(0);
        },
        ExitedWithCode(0), Exactly("message\nflag set"));
}

TEST(PanicDeathTest, SignalHandlersPanicWithTheirText)
{
    PrivateHome home; // the panic block goes to the log
    static const struct {
        int sig;
        const char* text;
    } cases[] = {
        { SIGILL, "Illegal instruction!\n" },
        { SIGSEGV, "Invalid memory access!\n" },
        { SIGBUS, "Invalid memory access!\n" },
        { SIGFPE, "Invalid arithmetic operation!\n" },
    };
    for(const auto& t : cases) {
        EXPECT_EXIT(
            {
                InstallFatalHandlers();
                raise(t.sig);
            },
            KilledBySignal(SIGABRT), Exactly(t.text))
            << "signal " << t.sig;
    }
}

int signal_from_hook;

void RaisingHook(const char*, const char*)
{
    raise(signal_from_hook);
}

void SecondPanicThenRaisingHook(const char*, const char*)
{
    signal(signal_from_hook, OnInvalidMemoryAccess);
    RaisePanic("second panic");
    raise(signal_from_hook);
}

// A fault while the panic runs must end the process by that signal's default
// action, not re-enter a handler (which would return and reach abort()).
TEST(PanicDeathTest, SignalActionsAreResetBeforeTheRestOfThePanic)
{
    PrivateHome home; // the panic block goes to the log
    for(int sig : { SIGILL, SIGSEGV, SIGBUS, SIGFPE }) {
        signal_from_hook = sig;
        EXPECT_EXIT(
            {
                InstallFatalHandlers();
                SetFatalMessageHook(RaisingHook);
                RaisePanic("first");
            },
            KilledBySignal(sig), "")
            << "signal " << sig;
        // The second call resets the actions too, before it returns.
        EXPECT_EXIT(
            {
                SetFatalMessageHook(SecondPanicThenRaisingHook);
                RaisePanic("first");
            },
            KilledBySignal(sig), "")
            << "signal " << sig;
    }
}

struct ParseError : Exc {
    int line;
    ParseError(const char* text, int line) : Exc(text), line(line) {}
};

TEST(ProgramBodyDeathTest, EscapingErrorPanicsWithItsText)
{
    static const struct {
        void (*body)();
        const char* text;
    } cases[] = {
        { [] { throw Exc("bad input"); }, "bad input" },
        { [] { throw ParseError("unexpected end of file at line 7", 7); }, "unexpected end of file at line 7" },
        { [] { throw Exc(); }, "" },
    };
    for(const auto& t : cases) {
        std::string expected = std::string("****************** PANIC: ") + t.text + "\n\n" + t.text + "\n";
        EXPECT_EXIT(
            {
                SetPanicLogWriter(LogToStderr);
                RunProgramBody(t.body);
            },
            KilledBySignal(SIGABRT), Exactly(expected));
    }
}

TEST(ProgramBodyDeathTest, ExitExcEndsTheBodyQuietly)
{
    EXPECT_EXIT(
        {
            SetPanicLogWriter(LogToStderr);
            SetFatalMessageHook(RecordingHook);
            RunProgramBody([] {
                WriteErr("body ");
                throw ExitExc();
            });
            WriteErr(IsPanicking() ? "panicking" : "returned");
            _exit(0);
        },
        ExitedWithCode(0), Exactly("body returned"));
}

TEST(ProgramBodyDeathTest, ErrorDuringAPanicLetsTheBodyReturn)
{
    EXPECT_EXIT(
        {
            ShowFatalMessage("Earlier", "earlier");
            RunProgramBody([] { throw Exc("later"); });
            WriteErr("returned");
            _exit(0);
        },
        ExitedWithCode(0), Exactly("earlier\nreturned"));
}

TEST(ProgramBodyDeathTest, OtherExceptionsPassThrough)
{
    EXPECT_EXIT(
        {
            try {
                RunProgramBody([] { throw 42; });
            }
            catch(int v) {
                WriteErr(v == 42 ? "int 42" : "other int");
                _exit(0);
            }
            _exit(1);
        },
        ExitedWithCode(0), Exactly("int 42"));
    EXPECT_EXIT(
        {
            try {
                RunProgramBody([] { throw std::runtime_error("lower layer"); });
            }
            catch(const std::runtime_error& e) {
                WriteErr(e.what());
                _exit(0);
            }
            _exit(1);
        },
        ExitedWithCode(0), Exactly("lower layer"));
}

TEST(ProgramBodyTest, NormalBodyRunsOnce)
{
    static int runs;
    runs = 0;
    RunProgramBody([] { runs++; });
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(IsPanicking());
}

} // namespace
