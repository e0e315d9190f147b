// The nesting of transfer sessions.
#include "ctrl/clip/transfer_session.h"

namespace Qor {

namespace {

int depth;
int current;
int last_serial;

} // namespace

TransferSession::TransferSession()
{
    if(depth++ == 0) {
        last_serial = last_serial == 0x7FFFFFFF ? 1 : last_serial + 1;
        current = last_serial;
    }
}

TransferSession::~TransferSession()
{
    if(--depth == 0)
        current = 0;
}

int GetTransferSession() { return current; }

} // namespace Qor
