// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portlist.h"

#include <QMutex>
#include <QSerialPortInfo>

namespace PortList {

namespace {

constexpr char kExtraPortsVariable[] = "K6QX_EXTRA_PORTS";

// The start-up enumeration runs on a worker thread.
QMutex enumeratorLock;
Enumerator replacement;

} // namespace

QStringList systemPorts()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return names;
}

void setEnumerator(Enumerator enumerator)
{
    QMutexLocker locker(&enumeratorLock);
    replacement = std::move(enumerator);
}

QStringList enumerate()
{
    Enumerator e;
    {
        QMutexLocker locker(&enumeratorLock);
        e = replacement;
    }
    return e ? e() : systemPorts();
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
