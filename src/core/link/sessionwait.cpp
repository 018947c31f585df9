// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sessionwait.h"

#include "linedrain.h"
#include "replyframes.h"
#include "transmittersession.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QScopeGuard>
#include <QSet>
#include <QTimer>

namespace SessionWait {

namespace {

constexpr int kAnswerMarginMs = 1000;

} // namespace

int answerTimeoutMs(qint32 baudRate)
{
    return LineDrain::wireTimeMs(qint64(ReplyFrames::groups().size()) * ReplyFrames::kFrameLength, baudRate)
           + kAnswerMarginMs;
}

Outcome readAnswer(TransmitterSession &session, MapParamAccess &into, int timeoutMs, QList<quint8> *groups)
{
    if (groups)
        groups->clear();
    if (!session.isOpen())
        return Outcome::NotSent;

    MapParamAccess answer = into;
    ParamAccess *const previous = session.target();
    session.setTarget(&answer);
    const auto restore = qScopeGuard([&] { session.setTarget(previous); });

    QEventLoop loop;
    QSet<quint8> seen;
    Outcome outcome = Outcome::TimedOut;
    const QSet<quint8> all(ReplyFrames::groups().cbegin(), ReplyFrames::groups().cend());
    const auto frameConn = QObject::connect(&session, &TransmitterSession::frameAssembled, &loop,
                                            [&](quint8 group) {
                                                if (ReplyFrames::isKnownGroup(group))
                                                    seen.insert(group);
                                            });
    const auto deliveredConn = QObject::connect(&session, &TransmitterSession::delivered, &loop, [&] {
        if (seen.contains(all)) {
            outcome = Outcome::Complete;
            loop.quit();
        }
    });
    const auto lostConn = QObject::connect(&session, &TransmitterSession::lost, &loop, [&] {
        outcome = Outcome::Lost;
        loop.quit();
    });
    const auto disconnect = qScopeGuard([&] {
        QObject::disconnect(frameConn);
        QObject::disconnect(deliveredConn);
        QObject::disconnect(lostConn);
    });

    if (!session.requestRead())
        return Outcome::NotSent;
    const QDeadlineTimer deadline(timeoutMs);
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A timer may fire a little before the deadline: it is started again
    // for what remains, so the wait always ends.
    while (outcome == Outcome::TimedOut && !deadline.hasExpired() && session.isOpen()) {
        timer.start(int(qMax<qint64>(1, deadline.remainingTime())));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    if (outcome == Outcome::TimedOut && !seen.isEmpty() && session.isOpen())
        outcome = Outcome::Partial;
    if (groups) {
        for (const quint8 g : ReplyFrames::groups()) {
            if (seen.contains(g))
                *groups << g;
        }
    }
    if (outcome == Outcome::Complete) {
        into = answer;
    } else if (outcome == Outcome::Partial) {
        into = answer;
        session.discardUntilRequest();
    } else if (outcome == Outcome::TimedOut) {
        if (!session.isOpen())
            outcome = Outcome::Lost;
        else
            session.discardUntilRequest();
    }
    return outcome;
}

void pause(TransmitterSession &session, int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    const auto lostConn = QObject::connect(&session, &TransmitterSession::lost, &loop, &QEventLoop::quit);
    if (session.isOpen())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(lostConn);
}

Outcome readConfirmed(TransmitterSession &session, MapParamAccess &into, int timeoutMs, QList<quint8> *groups)
{
    MapParamAccess previous = into;
    Outcome outcome = readAnswer(session, previous, timeoutMs, groups);
    if (outcome != Outcome::Complete)
        return outcome;
    for (int asked = 1; asked < kConfirmAnswers; ++asked) {
        MapParamAccess answer = into;
        outcome = readAnswer(session, answer, timeoutMs, groups);
        if (outcome == Outcome::Lost || outcome == Outcome::NotSent)
            return outcome;
        if (outcome != Outcome::Complete)
            continue;
        if (answer.values == previous.values) {
            into = answer;
            return Outcome::Complete;
        }
        previous = answer;
    }
    return Outcome::Unconfirmed;
}

Outcome readBackAfterWrite(TransmitterSession &session, MapParamAccess &into, int timeoutMs, QList<quint8> *groups)
{
    pause(session, kSettleMs);
    const Outcome first = readAnswer(session, into, timeoutMs, groups);
    if (first != Outcome::TimedOut)
        return first;
    return readAnswer(session, into, timeoutMs, groups);
}

} // namespace SessionWait
