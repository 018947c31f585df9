// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decodebench.h"

#include "formaccess.h"
#include "linkrates.h"
#include "mainwindow.h"
#include "paramsets.h"
#include "ptypair.h"
#include "replyframes.h"
#include "stats.h"
#include "windowdriver.h"
#include "windowprobe.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSerialPort>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace Bench {

namespace {

constexpr int kStreamTimeoutMs = 120000;

// The window with its port open on a pseudo-terminal whose master this side
// writes, unpaced, from a thread of its own.
class WindowOnPty
{
public:
    WindowOnPty()
    {
        showPainted(window);
        QString error;
        if (!pty.open(&error))
            qFatal("cannot open a pseudo-terminal: %s", qPrintable(error));
        port = openPort(window, pty.slavePath());
        if (!port)
            qFatal("the window did not open %s", qPrintable(pty.slavePath()));
        sets = paramSets(&window);
        unit = answerOf(sets.window) + answerOf(sets.transmitter);
    }

    // Streams whole answers, at least `frames` frames, and returns frames
    // per second from the first byte written to the last byte counted by
    // the window; 0 when the window did not take them all in time.
    double framesPerSecond(qint64 frames)
    {
        const qint64 framesPerUnit = unit.size() / ReplyFrames::kFrameLength;
        const QByteArray stream = unit.repeated((frames + framesPerUnit - 1) / framesPerUnit);
        MainWindowProbe probe(window);
        const qint64 target = probe.recvCount() + stream.size();

        QEventLoop loop;
        const auto check = QObject::connect(port, &QSerialPort::readyRead, &loop, [&] {
            if (probe.recvCount() >= target)
                loop.quit();
        });
        QTimer::singleShot(kStreamTimeoutMs, &loop, &QEventLoop::quit);

        std::atomic<bool> stop{false};
        const qint64 start = nowNs();
        std::thread writer([fd = pty.masterFd(), &stream, &stop] {
            qsizetype done = 0;
            while (done < stream.size() && !stop) {
                pollfd p{fd, POLLOUT, 0};
                if (::poll(&p, 1, 100) <= 0)
                    continue;
                const ssize_t n = ::write(fd, stream.constData() + done, size_t(stream.size() - done));
                if (n > 0)
                    done += n;
            }
        });
        loop.exec();
        const qint64 end = nowNs();
        stop = true;
        writer.join();
        QObject::disconnect(check);
        if (probe.recvCount() < target)
            return 0;
        return double(stream.size() / ReplyFrames::kFrameLength) / ((end - start) * 1e-9);
    }

    MainWindow window;
    PtyPair pty;
    QSerialPort *port = nullptr;
    ParamSets sets; // taken before any frame reached the window
    QByteArray unit;
};

// Frames for about `seconds` at the rate a short stream shows.
qint64 framesFor(WindowOnPty &link, double seconds)
{
    const double probeRate = link.framesPerSecond(2800);
    return qMax<qint64>(2800, qint64(probeRate * seconds));
}

} // namespace

QList<Row> decodeRows()
{
    WindowOnPty link;
    const qint64 frames = framesFor(link, 1.0);
    QList<double> windowRates;
    for (int i = 0; i < 3; ++i)
        windowRates << link.framesPerSecond(frames);
    const double windowRate = median(windowRates);
    // The stream ends with the simulator's answer: every frame landed whole.
    if (paramSets(&link.window).window.values != link.sets.transmitter.values)
        qFatal("the streamed frames did not reach the window's controls intact");

    const QList<QString> hex = alternatingFrameHex(link.sets);
    MapParamAccess map = link.sets.window;
    const double mapRate = rate([&](qint64 n) {
        for (qint64 i = 0; i < n; ++i)
            ReplyFrames::decode(hex[i % hex.size()], map);
    });
    FormAccess form(&link.window);
    const double formRate = rate([&](qint64 n) {
        for (qint64 i = 0; i < n; ++i)
            ReplyFrames::decode(hex[i % hex.size()], form);
        // The repaint the changes asked for, as the window path pays it.
        QCoreApplication::processEvents();
    });

    const QString lineRate = QStringLiteral("%1 frames/s line rate").arg(fixed(kFramesPerSecond, 0));
    const auto value = [](double r) { return QStringLiteral("%1 frames/s").arg(fixed(r, 0)); };
    return {
        {QStringLiteral("Decoding: window, pty → readMyCom → controls (median of 3 × %1 frames)").arg(frames),
         value(windowRate), lineRate, windowRate / kFramesPerSecond, Goal::atLeast(100)},
        {QStringLiteral("Decoding: ReplyFrames::decode → MapParamAccess"), value(mapRate), lineRate,
         mapRate / kFramesPerSecond, Goal()},
        {QStringLiteral("Decoding: ReplyFrames::decode → FormAccess on the window"), value(formRate), lineRate,
         formRate / kFramesPerSecond, Goal()},
    };
}

void profileWindowDecoding(double seconds)
{
    WindowOnPty link;
    const qint64 frames = framesFor(link, seconds);
    QTextStream(stderr) << "window path: " << fixed(link.framesPerSecond(frames), 0) << " frames/s over "
                        << frames << " frames\n";
}

} // namespace Bench
