// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "otherprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

OtherProcess::OtherProcess(const QString &device, const QString &lockFile, const Holding &how)
    : m_lockFile(lockFile)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    const QByteArray path = QFile::encodeName(device);
    const QByteArray lock = QFile::encodeName(lockFile);
    // Qt's own lock format: a lock whose program name is not the live
    // process's counts as stale to Qt.
    const QByteArray owner = '\n' + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n'
                             + QSysInfo::machineHostName().toUtf8() + '\n';
    m_pid = ::fork();
    if (m_pid == 0) {
        // Nothing of the test's: not its pseudo-terminal's ends.
        for (int fd = 3; fd < 1024; ++fd) {
            if (fd != ready[1])
                ::close(fd);
        }
        if (!how.name.isEmpty())
            ::prctl(PR_SET_NAME, how.name.constData());
        const int fd = path.isEmpty() ? -1 : ::open(path.constData(), O_RDWR | O_NOCTTY);
        bool ok = path.isEmpty() || (fd >= 0 && (!how.exclusive || ::ioctl(fd, TIOCEXCL) == 0));
        if (ok && !lock.isEmpty()) {
            const QByteArray pid = QByteArray::number(qint64(::getpid())) + owner;
            const int lockFd = ::open(lock.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            ok = lockFd >= 0 && ::write(lockFd, pid.constData(), size_t(pid.size())) == pid.size();
        }
        const char answer = ok ? '1' : '0';
        (void)!::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    pollfd p{ready[0], POLLIN, 0};
    char answer = '0';
    m_ready = ::poll(&p, 1, 5000) == 1 && ::read(ready[0], &answer, 1) == 1 && answer == '1';
    ::close(ready[0]);
}

OtherProcess::~OtherProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (!m_lockFile.isEmpty())
        QFile::remove(m_lockFile);
}
