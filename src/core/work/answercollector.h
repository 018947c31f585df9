// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <optional>

class TransmitterSession;

// One answer to the read request, or several: sends "R", collects the reply
// frames into a copy of a seed (its values stand for what an answer does not
// carry, the dual-rate channel among them) until every group came or the
// answer time is over. Reply frames carry no checksum, so a read that must
// stand on its own asks again until two complete answers are alike.
// Runs on the session's signals and never blocks; run() waits for it.
class AnswerCollector final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnswerCollector)

public:
    enum class Mode {
        Single,    // one answer
        Confirmed, // complete answers until two are alike, at most kConfirmAnswers
        ReadBack,  // right after a write: a pause first, one more request when nothing came
    };
    enum class Outcome {
        Complete,    // every group came (and, confirmed, twice alike)
        Partial,     // some groups came, not all, within the time
        TimedOut,    // nothing came within the time
        Unconfirmed, // complete answers came, no two alike
        Lost,        // the port went away
        NotSent,     // the port took no request
        Cancelled,   // another step ended it
    };

    static constexpr int kConfirmAnswers = 4;
    // The transmitter stores what it took before it answers again.
    static constexpr int kSettleMs = 150;

    explicit AnswerCollector(TransmitterSession &session, QObject *parent = nullptr);
    ~AnswerCollector() override;

    // How long one answer may take: its wire time at the baud rate plus a margin.
    static int answerTimeoutMs(qint32 baudRate);
    // Another time for each answer (0: the one the baud rate gives).
    void setAnswerTimeout(int ms) { m_timeoutMs = ms; }

    // display, when given, gets every frame as it is decoded too (the
    // window shows an answer as it arrives); it must outlive the run.
    void start(Mode mode, const MapParamAccess &seed, ParamAccess *display = nullptr);
    // Ends a running collection at once (Cancelled, or Lost when the port
    // went); the rest of its answer is dropped. Emits finished.
    void cancel(Outcome why = Outcome::Cancelled);
    // start(), then runs the event loop without user input until it ends.
    Outcome run(Mode mode, const MapParamAccess &seed, ParamAccess *display = nullptr);

    bool isRunning() const { return m_running; }
    Outcome outcome() const { return m_outcome; }
    // The agreed answer; after Partial or Cancelled what came, the rest the seed's.
    const MapParamAccess &values() const { return m_values; }
    // The groups the answer taken brought, in the order the transmitter sends them.
    QList<quint8> groups() const { return m_groups; }
    int requests() const { return m_requests; }
    // Unconfirmed: the controls whose values differed between complete answers.
    QStringList disagreeing() const { return m_disagreeing; }

signals:
    void finished(AnswerCollector::Outcome outcome);

private:
    void ask();
    void frameArrived(quint8 group);
    void delivered();
    void answerTimedOut();
    void answerComplete();
    void finish(Outcome outcome, const MapParamAccess &values);

    TransmitterSession &m_session;
    QTimer m_answerTimer;
    QTimer m_settleTimer;
    QElapsedTimer m_waitingForQuiet;
    Mode m_mode = Mode::Single;
    MapParamAccess m_seed;
    ParamAccess *m_display = nullptr;
    ParamAccess *m_idleTarget = nullptr;
    MapParamAccess m_current;
    std::unique_ptr<ParamAccess> m_target;
    std::optional<MapParamAccess> m_previous;
    QList<quint8> m_seen;
    MapParamAccess m_values;
    QList<quint8> m_groups;
    QStringList m_disagreeing;
    Outcome m_outcome = Outcome::TimedOut;
    int m_requests = 0;
    int m_timeoutMs = 0;
    bool m_running = false;
    QList<QMetaObject::Connection> m_connections;
};
