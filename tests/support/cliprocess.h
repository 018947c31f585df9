// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// k6qx-cli as a user runs it: exit status, standard output and the lines on
// standard error. Header-only, as K6_CLI_PROGRAM is a test program's define.
struct CliRun
{
    int code = -1; // -1: killed after the time, or ended on a signal
    QString out;
    QStringList errLines;
};

inline CliRun cli(const QStringList &args, const QString &outputFile = QString(),
                  const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    if (!outputFile.isEmpty())
        p.setStandardOutputFile(outputFile);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(K6_CLI_PROGRAM), args);
    CliRun r;
    // Every command ends within seconds; a hang is a failure, not a wait.
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.errLines = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return r;
}
