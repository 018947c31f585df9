// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

struct Holding
{
    bool exclusive = false; // asks for sole use of the device (TIOCEXCL)
    QByteArray name;        // the process's name, when not the test's
};

// A second process: opens the device (when given) and writes a lock file
// with its number (when given), then waits until the test is done with it.
class OtherProcess final
{
public:
    explicit OtherProcess(const QString &device, const QString &lockFile = QString(), const Holding &how = {});
    ~OtherProcess();
    bool ready() const { return m_ready; }
    qint64 pid() const { return m_pid; }

private:
    QString m_lockFile;
    pid_t m_pid = -1;
    bool m_ready = false;
};
