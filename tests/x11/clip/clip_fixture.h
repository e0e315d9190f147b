// The clipboard tests' fixture: a private X server, xclip, and no selection data of this
// program left over from another test.
#pragma once

#include "tests/support/x11/input_window.h"
#include "tests/x11/clip/peer_process.h"

#include "ctrl/clip/clipboard.h"
#include "ctrl/x11/clip/selection.h"
#include "ctrl/x11/clip/selection_internal.h"

#include <string>

namespace QorTest {

class ClipTest : public PrivateDisplayTest {
protected:
    void SetUp() override
    {
        PrivateDisplayTest::SetUp();
        ASSERT_EQ(access("/usr/bin/xclip", X_OK), 0) << "xclip is missing: run tools/install-deps.sh";
        saved = Qor::GetSelectionLimits();
        // Peers on a loaded machine may answer later than the program's usual wait; tests
        // of the wait itself use the real limits.
        Qor::SelectionLimits patient = saved;
        patient.read_rounds = 300;
        Qor::SetSelectionLimits(patient);
    }
    // The program's own limits, for tests of how long a read waits.
    void UseRealLimits() { Qor::SetSelectionLimits(Qor::SelectionLimits()); }
    void TearDown() override
    {
        Qor::SetSelectionLimits(saved);
        Qor::ClearClipboard();
        Qor::DropPrimarySelection();
        PrivateDisplayTest::TearDown();
    }

    static std::vector<std::string> Xclip(const char* selection, std::vector<std::string> more)
    {
        std::vector<std::string> argv = { "/usr/bin/xclip", "-selection", selection };
        argv.insert(argv.end(), more.begin(), more.end());
        return argv;
    }
    // Starts xclip offering data in a target and waits until it owns the selection.
    bool Offer(PeerProcess& peer, const char* selection, const char* target, const std::string& data)
    {
        // -quiet keeps it in the foreground, so that it ends with the test.
        return peer.Start(Xclip(selection, { "-i", "-quiet", "-t", target }), data) && WaitForForeignOwner(selection);
    }
    // Runs xclip -o for a target while this program serves it; its output, or "<failed>".
    std::string Fetch(const char* selection, const char* target)
    {
        PeerProcess peer;
        if(!peer.Start(Xclip(selection, { "-o", "-t", target })) || !peer.PumpUntilExit())
            return "<hung>";
        return peer.ExitStatus() == 0 ? peer.Output() : "<failed>";
    }

    Qor::SelectionLimits saved;
};

// A control that offers its text as the primary selection.
class PrimarySource : public Qor::Ctrl {
public:
    Qor::WString text;
    Qor::String RenderSelectionData(const Qor::String& format) const override;
};

} // namespace QorTest
