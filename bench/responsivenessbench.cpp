// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "responsivenessbench.h"

#include "mainwindow.h"
#include "simthread.h"
#include "stats.h"
#include "windowdriver.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace Bench {

namespace {

constexpr int kWindowMs = 120;
constexpr int kClickAtMs = 20;
constexpr int kRecordBytes = 162;

// A 1 ms timer on the window's thread: the longest time between two of its
// ticks is the longest time no event was processed.
class GapMeter
{
public:
    GapMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = nowNs();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }

    // Runs the event loop for kWindowMs, doing `during` after kClickAtMs;
    // the longest gap in ms.
    double longestGap(const std::function<void()> &during)
    {
        m_last = nowNs();
        m_longest = 0;
        m_timer.start();
        if (during)
            QTimer::singleShot(kClickAtMs, Qt::PreciseTimer, during);
        runFor(kWindowMs);
        m_timer.stop();
        return m_longest * 1e-6;
    }

private:
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace

QList<Row> responsivenessRows(int runs)
{
    QList<Row> rows;
    for (const char *baud : {"115200", "2400"}) {
        SimulatorThread sim(0);
        MainWindow w;
        showPainted(w);
        if (!openPort(w, sim.slavePath(), QLatin1String(baud)))
            qFatal("the window did not open the simulator's port");
        runFor(50);

        GapMeter meter;
        QList<double> idle, writing;
        for (int i = 0; i < runs; ++i) {
            idle << meter.longestGap({});
            const qint64 before = sim.bytesReceived();
            writing << meter.longestGap([&w] { button(w, "pushButtonSend2")->click(); });
            if (sim.bytesReceived() < before + kRecordBytes)
                qFatal("the records did not reach the simulator");
        }
        const double gap = median(writing), idleGap = median(idle);
        rows << Row{QStringLiteral("Unresponsive during a write, port at %1 baud: longest event gap "
                                   "(median of %2)").arg(QLatin1String(baud)).arg(runs),
                    QStringLiteral("%1 (worst %2)").arg(milliseconds(gap), milliseconds(maximum(writing))),
                    milliseconds(idleGap) + QStringLiteral(" idle"), gap / idleGap, Goal()};
    }
    return rows;
}

} // namespace Bench
