// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "endtoendbench.h"

#include "linkrates.h"
#include "mainwindow.h"
#include "simthread.h"
#include "stats.h"
#include "transmitter.h"
#include "windowdriver.h"
#include "windowprobe.h"

#include <QEventLoop>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>

#include <functional>

namespace Bench {

namespace {

constexpr int kTimeoutMs = 3000;
constexpr int kRecordBytes = 162;
constexpr double kRecordPauseMs = 3;

// Clicks the button from inside the event loop, as a user's click arrives,
// and runs the loop until finished() says so. Returns the click's time.
template <typename Sender, typename Signal>
qint64 clickAndWait(QPushButton *button, Sender *sender, Signal signal, const std::function<bool()> &finished)
{
    qint64 clicked = 0;
    QEventLoop loop;
    const auto check = QObject::connect(sender, signal, &loop, [&] {
        if (finished())
            loop.quit();
    });
    QTimer::singleShot(0, &loop, [&] {
        clicked = nowNs();
        button->click();
    });
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(check);
    return clicked;
}

QString medianAndWorst(const QList<double> &ms)
{
    return QStringLiteral("%1 (worst %2)").arg(milliseconds(median(ms)), milliseconds(maximum(ms)));
}

} // namespace

QList<Row> endToEndRows(int runs)
{
    SimulatorThread sim(kBaud);
    MainWindow w;
    showPainted(w);
    QSerialPort *port = openPort(w, sim.slavePath());
    if (!port)
        qFatal("the window did not open the simulator's port");
    MainWindowProbe probe(w);
    runFor(50);

    // A read asks until two answers are alike: the first answer's last byte
    // and the agreed account are timed apart.
    QList<double> readMs, answerSentMs, agreedMs;
    for (int i = 0; i < runs; ++i) {
        const int target = probe.recvCount() + Transmitter::answerLength();
        qint64 firstDone = 0;
        const auto first = QObject::connect(port, &QSerialPort::readyRead, port, [&] {
            if (!firstDone && probe.recvCount() >= target)
                firstDone = nowNs();
        });
        qint64 agreed = 0;
        const qint64 clicked = clickAndWait(button(w, "pushButtonRead"), &w.transmitterWork(),
                                            &TransmitterWork::readFinished, [&] {
                                                agreed = nowNs();
                                                return true;
                                            });
        QObject::disconnect(first);
        if (!firstDone || !agreed)
            qFatal("read %d: the answers did not arrive", i);
        readMs << (firstDone - clicked) * 1e-6;
        agreedMs << (agreed - clicked) * 1e-6;
        answerSentMs << (sim.lastAnswerSentNs() - clicked) * 1e-6;
        runFor(20);
    }

    QList<double> writeMs;
    for (int i = 0; i < runs; ++i) {
        const qint64 target = sim.bytesReceived() + kRecordBytes;
        const qint64 clicked = clickAndWait(button(w, "pushButtonSend2"), &sim, &SimulatorThread::received,
                                            [&] { return sim.bytesReceived() >= target; });
        if (sim.bytesReceived() < target)
            qFatal("write %d: the records did not arrive", i);
        writeMs << (sim.lastArrivalNs() - clicked) * 1e-6;
        runFor(20);
    }

    const double readWire = wireMs(1 + Transmitter::answerLength());
    const double writeWire = wireMs(kRecordBytes) + kRecordPauseMs;
    return {
        {QStringLiteral("Read at 115200 baud: click 读取数据 → 168th byte decoded (median of %1)").arg(runs),
         medianAndWorst(readMs),
         QStringLiteral("%1 wire time of 169 bytes").arg(milliseconds(readWire)),
         median(readMs) / readWire, Goal::atMost(1.10)},
        {QStringLiteral("Read, confirmed: click 读取数据 → two answers alike, account shown (median of %1)").arg(runs),
         QStringLiteral("%1; second answer's last byte sent at %2")
             .arg(medianAndWorst(agreedMs), milliseconds(median(answerSentMs))),
         QStringLiteral("%1 wire time of 2 × 169 bytes").arg(milliseconds(2 * readWire)),
         median(agreedMs) / (2 * readWire), Goal::atMost(1.50)},
        {QStringLiteral("Write: click 写入数据 → last T byte at the simulator (median of %1; "
                        "the pty does not pace the window's writes)").arg(runs),
         medianAndWorst(writeMs),
         QStringLiteral("%1 wire time of 162 bytes + 3 ms pause").arg(milliseconds(writeWire)),
         median(writeMs) / writeWire, Goal::atMost(1.10)},
    };
}

} // namespace Bench
