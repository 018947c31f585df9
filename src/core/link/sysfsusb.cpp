// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The USB devices as sysfs shows them, read under UsbDrivers::sysfsRoot().

#include "usbdrivers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace UsbDrivers {

namespace {

QString readLine(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.read(64)).trimmed() : QString();
}

// The brltty processes and the /dev/bus/usb/BBB/DDD nodes they hold, as
// "bus:dev" (both numbers without leading zeros).
QHash<QString, QList<qint64>> brlttyHolds()
{
    QHash<QString, QList<qint64>> holds;
#ifdef Q_OS_LINUX
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : pids) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || readLine(QStringLiteral("/proc/%1/comm").arg(pid)) != QLatin1String("brltty"))
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const QStringList parts = QFileInfo(fds.filePath(fd)).symLinkTarget().split(QLatin1Char('/'));
            // /dev/bus/usb/001/004
            if (parts.size() == 6 && parts[2] == QLatin1String("bus") && parts[3] == QLatin1String("usb"))
                holds[QStringLiteral("%1:%2").arg(parts[4].toInt()).arg(parts[5].toInt())] << pid;
        }
    }
#endif
    return holds;
}

// Its interfaces: "1-1:1.0" under the device's folder, or beside it in
// bus/usb/devices.
QStringList interfaceFolders(const QDir &devices, const QString &name)
{
    const QStringList pattern{name + QStringLiteral(":*")};
    QStringList folders;
    QStringList seen;
    const QDir own(devices.filePath(name));
    for (const QString &i : own.entryList(pattern, QDir::Dirs | QDir::NoDotAndDotDot)) {
        folders << own.filePath(i);
        seen << i;
    }
    for (const QString &i : devices.entryList(pattern, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!seen.contains(i))
            folders << devices.filePath(i);
    }
    return folders;
}

} // namespace

QList<LinuxRecord> readSysfs(const QString &root)
{
    QList<LinuxRecord> records;
    const QDir devices(root + QStringLiteral("/bus/usb/devices"));
    QHash<QString, QList<qint64>> holds;
    bool holdsRead = false;
    for (const QString &name : devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name.contains(QLatin1Char(':')))
            continue;
        const QString dir = devices.filePath(name) + QLatin1Char('/');
        bool vidOk = false;
        bool pidOk = false;
        LinuxRecord r;
        r.name = name;
        r.vendorId = quint16(readLine(dir + QStringLiteral("idVendor")).toUInt(&vidOk, 16));
        r.productId = quint16(readLine(dir + QStringLiteral("idProduct")).toUInt(&pidOk, 16));
        const UsbChips::Chip *chip = vidOk && pidOk ? UsbChips::find(r.vendorId, r.productId) : nullptr;
        if (!chip)
            continue;
        for (const QString &folder : interfaceFolders(devices, name)) {
            const QString driver = QFileInfo(folder + QStringLiteral("/driver")).symLinkTarget();
            if (!driver.isEmpty())
                r.drivers << QFileInfo(driver).fileName();
            // ttyUSB0 for usb-serial drivers, tty/ttyACM0 for cdc_acm.
            r.hasTty = r.hasTty || !QDir(folder).entryList({QStringLiteral("tty*")}, QDir::Dirs | QDir::NoDotAndDotDot).isEmpty();
        }
        r.moduleLoaded = QFileInfo::exists(root + QStringLiteral("/module/") + QLatin1String(chip->linuxModule));
        if (!holdsRead) {
            holds = brlttyHolds();
            holdsRead = true;
        }
        r.brltty = holds.value(QStringLiteral("%1:%2").arg(readLine(dir + QStringLiteral("busnum")).toInt())
                                   .arg(readLine(dir + QStringLiteral("devnum")).toInt()));
        records << r;
    }
    return records;
}

} // namespace UsbDrivers
