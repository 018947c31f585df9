#pragma once

#include "paramaccess.h"

#include <QtGlobal>

class TransmitterSession;

// Blocking steps on a TransmitterSession for callers without a window of
// their own to return to: they run a local event loop until the session's
// signals say the step is done or the deadline passes.
namespace SessionWait {

enum class Outcome { Complete, TimedOut, Lost, NotSent };

// How long a whole answer may take: its wire time at the baud rate plus a margin.
int answerTimeoutMs(qint32 baudRate);

// Sends the read request and decodes the answer into a copy of into (its
// values stand for what the answer does not carry, the dual-rate channel
// among them). Only a complete answer, every group, replaces into; after a
// time-out the rest of the answer is dropped. The session's own target is
// left as it was and gets none of the answer. No user input is processed
// while waiting.
Outcome readAnswer(TransmitterSession &session, MapParamAccess &into, int timeoutMs);

} // namespace SessionWait
