// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answercollector.h"

#include "linedrain.h"
#include "replyframes.h"
#include "transmittersession.h"

#include <QEventLoop>

namespace {

constexpr int kAnswerMarginMs = 1000;
constexpr qint64 kQuietMinMs = 5;

} // namespace

AnswerCollector::AnswerCollector(TransmitterSession &session, QObject *parent)
    : QObject(parent), m_session(session)
{
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_answerTimer, &QTimer::timeout, this, &AnswerCollector::answerTimedOut);
    m_settleTimer.setSingleShot(true);
    connect(&m_settleTimer, &QTimer::timeout, this, &AnswerCollector::ask);
}

AnswerCollector::~AnswerCollector()
{
    if (m_running) {
        for (const auto &c : std::as_const(m_connections))
            disconnect(c);
        m_session.setTarget(m_idleTarget);
    }
}

int AnswerCollector::answerTimeoutMs(qint32 baudRate)
{
    return LineDrain::wireTimeMs(qint64(ReplyFrames::groups().size()) * ReplyFrames::kFrameLength, baudRate)
           + kAnswerMarginMs;
}

void AnswerCollector::start(Mode mode, const MapParamAccess &seed, ParamAccess *display)
{
    if (m_running)
        cancel();
    m_mode = mode;
    m_seed = seed;
    m_display = display;
    m_previous.reset();
    m_disagreeing.clear();
    m_seen.clear();
    m_groups.clear();
    m_values = seed;
    m_requests = 0;
    m_running = true;
    m_idleTarget = m_session.target();
    m_connections = {
        connect(&m_session, &TransmitterSession::frameAssembled, this, &AnswerCollector::frameArrived),
        connect(&m_session, &TransmitterSession::delivered, this, &AnswerCollector::delivered),
        connect(&m_session, &TransmitterSession::lost, this, [this] { finish(Outcome::Lost, m_current); }),
    };
    if (mode == Mode::ReadBack) {
        // Nothing that arrives before the request belongs to the answer.
        m_session.setTarget(nullptr);
        m_settleTimer.start(kSettleMs);
    } else {
        ask();
    }
}

void AnswerCollector::ask()
{
    // A frame has no start mark: a request is sent once the line is quiet,
    // so the rest of an answer given up on (the transmitter sends it to the
    // end) cannot pass for the start of the next one. The wait is bounded
    // by one answer time.
    const qint64 gap = qMax<qint64>(kQuietMinMs, LineDrain::wireTimeMs(2 * ReplyFrames::kFrameLength, m_session.baudRate()));
    const qint64 quiet = m_session.quietMs();
    if (quiet < gap) {
        if (!m_waitingForQuiet.isValid())
            m_waitingForQuiet.start();
        if (m_waitingForQuiet.elapsed() < answerTimeoutMs(m_session.baudRate())) {
            m_session.discardUntilRequest();
            m_settleTimer.start(int(gap - quiet));
            return;
        }
    }
    m_waitingForQuiet.invalidate();
    m_current = m_seed;
    m_seen.clear();
    if (m_display) {
        m_target = std::make_unique<TeeParamAccess>(m_current, *m_display);
        m_session.setTarget(m_target.get());
    } else {
        m_session.setTarget(&m_current);
    }
    ++m_requests;
    if (!m_session.requestRead()) {
        finish(m_session.isOpen() ? Outcome::NotSent : Outcome::Lost, m_seed);
        return;
    }
    m_answerTimer.start(m_timeoutMs > 0 ? m_timeoutMs : answerTimeoutMs(m_session.baudRate()));
}

void AnswerCollector::frameArrived(quint8 group)
{
    if (ReplyFrames::isKnownGroup(group) && !m_seen.contains(group))
        m_seen << group;
}

void AnswerCollector::delivered()
{
    if (m_seen.size() == ReplyFrames::groups().size())
        answerComplete();
}

void AnswerCollector::answerComplete()
{
    m_answerTimer.stop();
    if (m_mode != Mode::Confirmed || (m_previous && m_previous->values == m_current.values)) {
        finish(Outcome::Complete, m_current);
        return;
    }
    if (m_previous) {
        for (auto it = m_current.values.cbegin(); it != m_current.values.cend(); ++it) {
            if (m_previous->value(it.key()) != it.value() && !m_disagreeing.contains(it.key()))
                m_disagreeing << it.key();
        }
    }
    m_previous = m_current;
    if (m_requests < kConfirmAnswers)
        ask();
    else
        finish(Outcome::Unconfirmed, m_seed);
}

void AnswerCollector::answerTimedOut()
{
    const bool confirming = m_mode == Mode::Confirmed && m_previous.has_value();
    // A confirming answer that fell short, or a read-back's first request
    // that got nothing, is asked for again.
    if ((confirming && m_requests < kConfirmAnswers) || (m_mode == Mode::ReadBack && m_seen.isEmpty() && m_requests < 2)) {
        // The rest of the short answer must not pass for the next one's start.
        m_session.discardUntilRequest();
        ask();
        return;
    }
    if (confirming)
        finish(Outcome::Unconfirmed, m_seed);
    else if (m_seen.isEmpty())
        finish(Outcome::TimedOut, m_seed);
    else
        finish(Outcome::Partial, m_current);
}

void AnswerCollector::cancel(Outcome why)
{
    if (m_running)
        finish(why, m_current);
}

void AnswerCollector::finish(Outcome outcome, const MapParamAccess &values)
{
    m_answerTimer.stop();
    m_settleTimer.stop();
    m_waitingForQuiet.invalidate();
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_session.setTarget(m_idleTarget);
    // What still arrives of an answer given up on must land nowhere.
    if (outcome != Outcome::Complete && m_session.isOpen())
        m_session.discardUntilRequest();
    m_outcome = outcome;
    m_values = values;
    m_groups.clear();
    if (outcome == Outcome::Complete || outcome == Outcome::Unconfirmed) {
        m_groups = ReplyFrames::groups();
    } else if (outcome == Outcome::Partial || outcome == Outcome::Cancelled) {
        for (const quint8 g : ReplyFrames::groups()) {
            if (m_seen.contains(g))
                m_groups << g;
        }
    }
    m_running = false;
    m_target.reset();
    emit finished(outcome);
}

AnswerCollector::Outcome AnswerCollector::run(Mode mode, const MapParamAccess &seed, ParamAccess *display)
{
    QEventLoop loop;
    const auto done = connect(this, &AnswerCollector::finished, &loop, &QEventLoop::quit);
    start(mode, seed, display);
    if (m_running)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(done);
    return m_outcome;
}
