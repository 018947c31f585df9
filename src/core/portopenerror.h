// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portnames.h"

#include <QSerialPort>
#include <QString>

// What the message about a port that would not open says beyond "cannot open,
// is it in use?". Qt reports PermissionError both for a device the user may
// not use and for one another program holds (its lock file, exclusive use);
// only the first is helped by joining the device's group.
namespace PortOpenError {

// access(2) refuses the current user reading and writing the device node
// with EACCES. A missing node, or any other failure, is not a refusal.
bool accessDenied(const QString &device);

bool wantsGroupHint(QSerialPort::SerialPortError error, PortNames::Platform platform, bool accessDenied);

} // namespace PortOpenError
