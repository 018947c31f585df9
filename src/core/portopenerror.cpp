// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portopenerror.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <cerrno>
#include <unistd.h>
#endif

namespace PortOpenError {

bool accessDenied(const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return false;
#else
    if (device.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}

bool wantsGroupHint(QSerialPort::SerialPortError error, PortNames::Platform platform, bool accessDenied)
{
    return error == QSerialPort::PermissionError && platform == PortNames::Platform::Unix && accessDenied;
}

} // namespace PortOpenError
