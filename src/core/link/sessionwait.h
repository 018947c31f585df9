// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QList>
#include <QtGlobal>

class TransmitterSession;

// Blocking steps on a TransmitterSession for callers without a window of
// their own to return to: they run a local event loop until the session's
// signals say the step is done or the deadline passes.
namespace SessionWait {

enum class Outcome {
    Complete, // every group came
    Partial,  // some frames came, not every group, within the time
    TimedOut, // nothing came within the time
    Lost,
    NotSent,
    Unconfirmed, // complete answers came, but no two of them alike
};

// How long a whole answer may take: its wire time at the baud rate plus a margin.
int answerTimeoutMs(qint32 baudRate);

// Sends the read request and decodes the answer into a copy of into (its
// values stand for what the answer does not carry, the dual-rate channel
// among them). Waits until every group came or the time is over. A complete
// answer replaces into; a partial one too, its missing groups keeping into's
// values, with *groups naming the groups that came. After the time the rest
// of the answer is dropped. The session's own target is left as it was and
// gets none of the answer. No user input is processed while waiting.
Outcome readAnswer(TransmitterSession &session, MapParamAccess &into, int timeoutMs,
                   QList<quint8> *groups = nullptr);

// The read-back right after a write: the transmitter gets kSettleMs to store
// what it took before the request, and one more request when the first one
// got nothing at all.
constexpr int kSettleMs = 150;
Outcome readBackAfterWrite(TransmitterSession &session, MapParamAccess &into, int timeoutMs,
                           QList<quint8> *groups = nullptr);

// Reply frames carry no checksum: a byte changed or lost on the line reads
// as a believable value. Where a read must stand on its own, a complete
// answer is taken only once the next one is alike; up to kConfirmAnswers
// answers are asked for.
constexpr int kConfirmAnswers = 4;
Outcome readConfirmed(TransmitterSession &session, MapParamAccess &into, int timeoutMs,
                      QList<quint8> *groups = nullptr);

// Runs the event loop (without user input) for ms, or until the session is lost.
void pause(TransmitterSession &session, int ms);

} // namespace SessionWait
