// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>

class SimulatorHost;

namespace Bench {

// The transmitter simulator on a thread of its own, as a real transmitter is
// a machine of its own: its pacing runs whatever the window's thread does.
class SimulatorThread final : public QObject
{
    Q_OBJECT

public:
    explicit SimulatorThread(int baud);
    ~SimulatorThread() override;

    QString slavePath() const { return m_path; }

    // Bytes the simulator has taken from the link, and when the latest
    // arrived (steady clock, ns).
    qint64 bytesReceived() const { return m_received.load(); }
    qint64 lastArrivalNs() const { return m_lastArrival.load(); }
    // When the last byte of the latest answer was handed to the link.
    qint64 lastAnswerSentNs() const { return m_lastAnswerSent.load(); }

signals:
    // From the simulator's thread, after the counters moved.
    void received();

private:
    QThread m_thread;
    QObject *m_context = nullptr;
    SimulatorHost *m_host = nullptr;
    QString m_path;
    std::atomic<qint64> m_received{0};
    std::atomic<qint64> m_lastArrival{0};
    std::atomic<qint64> m_lastAnswerSent{0};
};

} // namespace Bench
