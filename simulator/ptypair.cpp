// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ptypair.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool fail(QString *error, const char *what)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

bool makeRaw(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool addFdFlag(int fd, int getCmd, int setCmd, int flag)
{
    const int flags = ::fcntl(fd, getCmd);
    return flags >= 0 && ::fcntl(fd, setCmd, flags | flag) == 0;
}

} // namespace

PtyPair::~PtyPair()
{
    closeMaster();
    closeSlave();
}

bool PtyPair::open(QString *error)
{
    closeMaster();
    closeSlave();

    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return fail(error, "openpty");
    m_master = master;
    m_slave = slave;

    char name[128] = {};
    const int nameError = ::ptsname_r(m_master, name, sizeof name);
    if (nameError != 0)
        errno = nameError;
    const bool ok = nameError == 0 && makeRaw(m_slave) && makeRaw(m_master)
                    && addFdFlag(m_master, F_GETFL, F_SETFL, O_NONBLOCK)
                    && addFdFlag(m_master, F_GETFD, F_SETFD, FD_CLOEXEC)
                    && addFdFlag(m_slave, F_GETFD, F_SETFD, FD_CLOEXEC);
    if (!ok) {
        const int saved = errno;
        closeMaster();
        closeSlave();
        errno = saved;
        return fail(error, "setting up the pseudo-terminal");
    }
    m_slavePath = QString::fromLocal8Bit(name);
    return true;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void PtyPair::closeSlave()
{
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
}
