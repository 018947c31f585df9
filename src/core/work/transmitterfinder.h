// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portlist.h"
#include "portsettings.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class AnswerCollector;
class TransmitterSession;

// Which port the transmitter is on: each candidate port in turn is looked
// at by the doctor (a port another process has open, or one that cannot be
// used, is not tried), opened with the settings given, sent the read request
// once and closed once an answer came whole or its time was over. Nothing
// but that one request byte is written to any port. The window and
// k6qx-cli both run it; what happened, port by port, is kept here.
class TransmitterFinder final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransmitterFinder)

public:
    enum class Result {
        Answered,  // every group came
        Partial,   // some groups came
        Silent,    // nothing came within the answer time
        NotTried,  // the doctor found it held by another process or unusable
        NotOpened, // it would not open
        Lost,      // it went away while asked
        NotSent,   // it took no request
        Cancelled, // the search was stopped while it was asked
    };

    struct Attempt
    {
        Q_DECLARE_TR_FUNCTIONS(TransmitterFinder)

    public:
        QString port;
        Result result = Result::Silent;
        QList<quint8> groups;        // the groups that came
        std::optional<int> firmware; // reported with a whole answer
        QString why;                 // NotTried, NotOpened: the doctor's words
        // "COM4：发射机回报了全部参数（固件 300）"
        QString text() const;
        QJsonObject json() const;
    };

    // The ports to try: those whose adapter is in the chip table first; with
    // all, then every other port of the port list (the extra ports among them).
    static QStringList candidates(const QList<PortList::Port> &system, const QStringList &extra, bool all,
                                  PortNames::Platform platform = PortNames::host());
    static QStringList candidates(bool all);

    explicit TransmitterFinder(QObject *parent = nullptr);
    ~TransmitterFinder() override;

    // Another time for each answer (0: the one the baud rate gives).
    void setAnswerTimeout(int ms) { m_timeoutMs = ms; }

    // Tries the ports one after another; portStarted and portDone tell each,
    // finished the end.
    void start(const QStringList &ports, const PortSettings &settings, bool dtr = false, bool rts = false);
    // Stops at once: the port being asked is closed, the rest are not tried.
    void cancel();
    // start(), then runs the event loop without user input until it ends.
    void run(const QStringList &ports, const PortSettings &settings, bool dtr = false, bool rts = false);

    bool isRunning() const { return m_running; }
    bool wasCancelled() const { return m_cancelled; }
    const QList<Attempt> &attempts() const { return m_attempts; }
    // The ports that answered with every group, in the order tried: the
    // first is the one to use.
    QStringList answered() const;
    // Whether any port was asked at all: none listed, or none could be opened.
    bool askedAny() const;

    // The whole account in a line, "COM3：没有回报；COM4：…", and one line a port.
    QString account() const;
    QStringList details() const;

signals:
    void portStarted(const QString &port, int index, int count);
    void portDone(const TransmitterFinder::Attempt &attempt);
    void finished();

private:
    void scheduleNext();
    void next();
    void answerEnded();
    void done(const Attempt &attempt);

    QStringList m_ports;
    PortSettings m_settings;
    bool m_dtr = false;
    bool m_rts = false;
    int m_index = 0;
    int m_timeoutMs = 0;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_nextPending = false;
    QList<Attempt> m_attempts;
    std::unique_ptr<TransmitterSession> m_session;
    std::unique_ptr<AnswerCollector> m_collector;
};
