// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linefaults.h"
#include "ptypair.h"
#include "transmitter.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

// Plays the transmitter on the master side of a pseudo-terminal: whatever
// opens slavePath() talks to a Transmitter. Answers can be paced at a baud
// rate (ten bits per byte: start bit, eight data bits, stop bit), so a
// 168-byte answer at 115200 baud takes about 14.6 ms; at 0 they go out at once.
// Once the master reports a hang-up the host stops watching it (linkLost);
// open() starts over on a new pair. Line faults (LineFaults) can damage
// answers, pause between frames, put stray bytes on the idle line and hang up.
class SimulatorHost final : public QObject
{
    Q_OBJECT

public:
    explicit SimulatorHost(QObject *parent = nullptr);
    ~SimulatorHost() override;

    bool open(QString *error = nullptr);
    bool isLinkUp() const { return m_readNotifier != nullptr; }

    void setBaudRate(int baud);
    int baudRate() const { return m_baud; }

    void setLineFaults(const LineFaultSettings &settings);
    // Every byte that went out on the line, stray ones included.
    qint64 bytesSent() const { return m_sent; }

    QString slavePath() const { return m_pty.slavePath(); }
    const PtyPair &pty() const { return m_pty; }
    Transmitter &transmitter() { return m_transmitter; }
    const Transmitter &transmitter() const { return m_transmitter; }

    // The link going away: closing the pair's own slave descriptor leaves the
    // client's as the last one; closing the master ends the link at once.
    void closeSlave();
    void closeMaster();

signals:
    void bytesReceived(const QByteArray &bytes);
    void recordsAccepted();
    void answerSent(int bytes);
    void linkLost();
    void logMessage(const QString &line);

private:
    void readMaster();
    void handle(const QByteArray &bytes);
    void pump();
    void scheduleNextByte();
    void waitUntilWritable();
    void sendStray();
    void queue(const QByteArray &bytes);
    void hangUp(const QString &why);
    void stopLink();

    PtyPair m_pty;
    Transmitter m_transmitter;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QTimer m_paceTimer;
    QElapsedTimer m_paceClock;
    int m_baud = 0;

    LineFaults m_faults;
    QTimer m_strayTimer;
    QTimer m_gapTimer;
    QTimer m_hangUpTimer;

    struct AnswerEnd
    {
        qint64 end;
        int bytes;
    };
    QByteArray m_outbox;
    QList<AnswerEnd> m_answerEnds;
    QList<qint64> m_frameEnds;
    qint64 m_sent = 0;
    qint64 m_queued = 0;
    qint64 m_written = 0;
    qint64 m_writtenSinceClock = 0;
};
