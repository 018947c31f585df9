// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portnames.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The items of the port list: paths offered through K6QX_EXTRA_PORTS first,
// then the ports the enumerator reports, as the panel lists them.
namespace PortList {

// A port as the system reports it.
struct Port
{
    QString name; // ttyUSB0, COM3 ...
    QString description;
    std::optional<quint16> vendorId; // USB adapters only
    std::optional<quint16> productId;
};

using Enumerator = std::function<QStringList()>;
using PortEnumerator = std::function<QList<Port>()>;

// The serial ports the system reports.
QList<Port> systemPorts();

// Replaces the enumerator behind enumerate(); an empty one restores
// systemPorts(). Set it before a window asks for its ports. The names-only
// form reports ports of which nothing else is known.
void setEnumerator(Enumerator enumerator);
void setPortEnumerator(PortEnumerator enumerator);
QList<Port> enumeratePorts();
QStringList enumerate();

QStringList names(const QList<Port> &ports);
// The port of that name (as listed or as its path under /dev); nullptr when
// the system did not report it.
const Port *find(const QList<Port> &ports, const QString &itemText);

// What a port is, in a word: the USB chip ("CH340"), "USB 串口" for a chip
// not known here, "主板串口" for a serial port of the computer itself
// (ttyS0); else the system's description, which may be empty.
QString kind(const Port &port, PortNames::Platform platform = PortNames::host());
// What the drop-down shows after the name. Windows names say nothing of USB,
// so a chip there is "CH340（USB 串口）"; ttyUSB0 needs no such word.
QString description(const Port &port, PortNames::Platform platform = PortNames::host());

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
