// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portlist.h"

#include "usbchips.h"

#include <QCoreApplication>
#include <QMutex>
#include <QRegularExpression>
#include <QSerialPortInfo>

namespace PortList {

namespace {

constexpr char kExtraPortsVariable[] = "K6QX_EXTRA_PORTS";

// The start-up enumeration runs on a worker thread.
QMutex enumeratorLock;
PortEnumerator replacement;

const UsbChips::Chip *chipOf(const Port &port)
{
    return port.vendorId && port.productId ? UsbChips::find(*port.vendorId, *port.productId) : nullptr;
}

} // namespace

QList<Port> systemPorts()
{
    QList<Port> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        Port port{info.portName(), info.description(), std::nullopt, std::nullopt};
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            port.vendorId = info.vendorIdentifier();
            port.productId = info.productIdentifier();
        }
        ports << port;
    }
    return ports;
}

void setPortEnumerator(PortEnumerator enumerator)
{
    QMutexLocker locker(&enumeratorLock);
    replacement = std::move(enumerator);
}

void setEnumerator(Enumerator enumerator)
{
    if (!enumerator) {
        setPortEnumerator({});
        return;
    }
    setPortEnumerator([enumerator] {
        QList<Port> ports;
        for (const QString &name : enumerator())
            ports << Port{name, QString(), std::nullopt, std::nullopt};
        return ports;
    });
}

QList<Port> enumeratePorts()
{
    PortEnumerator e;
    {
        QMutexLocker locker(&enumeratorLock);
        e = replacement;
    }
    return e ? e() : systemPorts();
}

QStringList enumerate()
{
    return names(enumeratePorts());
}

QStringList names(const QList<Port> &ports)
{
    QStringList list;
    for (const Port &port : ports)
        list << port.name;
    return list;
}

const Port *find(const QList<Port> &ports, const QString &itemText)
{
    for (const Port &port : ports) {
        if (port.name == itemText || QStringLiteral("/dev/") + port.name == itemText)
            return &port;
    }
    return nullptr;
}

QString kind(const Port &port, PortNames::Platform platform)
{
    if (const UsbChips::Chip *chip = chipOf(port))
        return QLatin1String(chip->name);
    if (port.vendorId)
        return QCoreApplication::translate("PortList", "USB 串口");
    static const QRegularExpression boardPort(QStringLiteral("^ttyS[0-9]+$"));
    if (platform != PortNames::Platform::Windows && boardPort.match(port.name).hasMatch())
        return QCoreApplication::translate("PortList", "主板串口");
    return port.description;
}

QString description(const Port &port, PortNames::Platform platform)
{
    const QString what = kind(port, platform);
    if (platform == PortNames::Platform::Windows && chipOf(port))
        return QCoreApplication::translate("PortList", "%1（USB 串口）").arg(what);
    return what;
}

QStringList extraPorts()
{
    QStringList paths;
    const QString value = qEnvironmentVariable(kExtraPortsVariable);
    for (const QString &path : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (path.startsWith(QLatin1Char('/')))
            paths << path;
    }
    return paths;
}

QStringList compose(const QStringList &extra, const QStringList &enumerated, PortNames::Platform platform)
{
    return extra + PortNames::listed(enumerated, platform);
}

QStringList current()
{
    return compose(extraPorts(), enumerate());
}

int keepChoice(const QStringList &items, const QString &chosen)
{
    if (items.isEmpty())
        return -1;
    return qMax(0, items.indexOf(chosen));
}

} // namespace PortList
