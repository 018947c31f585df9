// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startupbench.h"

#include "stats.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace Bench {

namespace {

struct ChildRun
{
    bool ok = false;
    double readyMs = 0;
    double portsMs = -1; // the system's ports listed; -1 when not reported
    double peakRssMiB = 0;
};

constexpr int kReadyTimeoutMs = 30000;

// Spawns the program with stdout on a pipe and stderr discarded, waits for
// its "ready" line and for its end.
ChildRun runChild(const QString &program)
{
    ChildRun run;
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const QByteArray path = QFile::encodeName(program);
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    pid_t pid = -1;
    const qint64 start = nowNs();
    const int spawned = ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return run;
    }

    // Everything the program reports, up to its end.
    QByteArray said;
    qint64 readyAt = -1;
    qint64 portsAt = -1;
    while ((nowNs() - start) / 1000000 < kReadyTimeoutMs) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char buf[256];
        const ssize_t n = ::read(out[0], buf, sizeof buf);
        if (n <= 0)
            break;
        said.append(buf, n);
        if (readyAt < 0 && said.contains("ready\n"))
            readyAt = nowNs();
        if (portsAt < 0 && said.contains("ports\n"))
            portsAt = nowNs();
    }
    if (readyAt < 0)
        ::kill(pid, SIGKILL);
    ::close(out[0]);

    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.ok = readyAt >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.readyMs = (readyAt - start) * 1e-6;
    if (portsAt >= 0)
        run.portsMs = (portsAt - start) * 1e-6;
    run.peakRssMiB = usage.ru_maxrss / 1024.0; // ru_maxrss is in KiB on Linux
    return run;
}

struct Series
{
    QList<double> readyMs;
    QList<double> portsMs;
    QList<double> peakRssMiB;
};

} // namespace

QList<Row> startupRows(const QString &programDir, int runs)
{
    // The program, the same form without the program's logic, a bare window.
    const QString programs[] = {QDir(programDir).filePath(QStringLiteral("k6qx-launch")),
                                QDir(programDir).filePath(QStringLiteral("k6qx-formonly")),
                                QDir(programDir).filePath(QStringLiteral("k6qx-bare"))};
    constexpr int kCount = 3;
    QTextStream err(stderr);

    // The first start of each fills the font and library caches.
    for (const QString &p : programs)
        runChild(p);

    Series series[kCount];
    for (int i = 0; i < runs; ++i) {
        // Rotating which goes first spreads any drift in the machine's load
        // over all of them.
        for (int k = 0; k < kCount; ++k) {
            const int which = (i + k) % kCount;
            const ChildRun r = runChild(programs[which]);
            if (!r.ok) {
                err << "start-up: " << programs[which] << " did not report ready\n";
                return {};
            }
            series[which].readyMs << r.readyMs;
            if (r.portsMs >= 0)
                series[which].portsMs << r.portsMs;
            series[which].peakRssMiB << r.peakRssMiB;
        }
    }

    double t[kCount], m[kCount];
    for (int k = 0; k < kCount; ++k) {
        t[k] = median(series[k].readyMs);
        m[k] = median(series[k].peakRssMiB);
    }
    const QString timeFigure = QStringLiteral("Start-up to window shown and idle (median of %1)").arg(runs);
    const QString memoryFigure = QStringLiteral("Peak resident memory at start-up (median of %1)").arg(runs);
    auto mib = [](double v) { return fixed(v, 1) + QStringLiteral(" MiB"); };
    // The system's ports join the port list after the first paint, on a
    // thread of their own: how long after the start the list is complete.
    const double ports = series[0].portsMs.isEmpty() ? 0 : median(series[0].portsMs);
    return {
        {timeFigure, milliseconds(t[0]), milliseconds(t[1]) + QStringLiteral(" same form, no logic"),
         t[0] / t[1], Goal::atMost(1.05)},
        {timeFigure, milliseconds(t[0]), milliseconds(t[2]) + QStringLiteral(" bare window"), t[0] / t[2],
         Goal::atMost(1.5)},
        {QStringLiteral("Start-up to the system's serial ports in the port list (median of %1)").arg(runs),
         milliseconds(ports), milliseconds(t[1]) + QStringLiteral(" same form, no logic"), ports / t[1], Goal()},
        {memoryFigure, mib(m[0]), mib(m[1]) + QStringLiteral(" same form, no logic"), m[0] / m[1],
         Goal::atMost(1.05)},
        {memoryFigure, mib(m[0]), mib(m[2]) + QStringLiteral(" bare window"), m[0] / m[2], Goal::atMost(1.3)},
    };
}

} // namespace Bench
