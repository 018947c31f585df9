// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portnames.h"

#include <QString>
#include <QStringList>

#include <functional>

// The items of the port list: paths offered through K6QX_EXTRA_PORTS first,
// then the ports the enumerator reports, as the panel lists them.
namespace PortList {

using Enumerator = std::function<QStringList()>;

// The names of the serial ports the system reports (ttyUSB0, COM3 ...).
QStringList systemPorts();

// Replaces the enumerator behind enumerate(); an empty one restores
// systemPorts(). Set it before a window asks for its ports.
void setEnumerator(Enumerator enumerator);
QStringList enumerate();

// Pseudo-terminals and other devices the enumerator cannot see (the
// transmitter simulator's port, for one): the absolute paths of
// K6QX_EXTRA_PORTS, separated by ':'. Anything else in it is ignored.
QStringList extraPorts();

QStringList compose(const QStringList &extra, const QStringList &enumerated,
                    PortNames::Platform platform = PortNames::host());

// extraPorts() and the enumerator's names, composed.
QStringList current();

// The index to select in items so that the choice stays what it was: the
// same text when it is still there, otherwise the first item (-1 for none).
int keepChoice(const QStringList &items, const QString &chosen);

} // namespace PortList
