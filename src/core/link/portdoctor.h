// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portlist.h"
#include "usbdrivers.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <optional>

// What can be found out about a serial port without opening it: what the
// system says of the device, whether this user may use it, who else holds
// it, and the services known to take serial adapters for their own. The
// window's and k6qx-cli's message about a port that would not open is made
// from it, as are `k6qx-cli doctor` and `ports --verbose`.
class PortDoctor
{
    Q_DECLARE_TR_FUNCTIONS(PortDoctor)

public:
    struct Process
    {
        qint64 pid = 0;
        QString name;
    };

    struct LockFile
    {
        QString path;
        qint64 pid = 0; // 0: no process number could be read from it
        bool alive = false;
        bool ours = false;
        QString name; // of the live process
    };

    enum class Access { Unknown, Granted, Denied };

    struct Findings
    {
        QString port;   // as the port list shows it, or as typed
        QString device; // the node that would be opened
        bool exists = false;
        bool characterDevice = true; // false: a file or folder, no port

        QString description;
        QString manufacturer;
        QString serialNumber;
        std::optional<quint16> vendorId;
        std::optional<quint16> productId;

        Access access = Access::Unknown;
        QString owner;               // user and group owning the node
        QString group;               //
        QString mode;                // "0660"
        bool groupMayUse = false;    // the group's bits grant reading and writing
        bool inGroup = false;        // this process has the group
        bool joinedGroup = false;    // the group database lists the user, this login does not have it yet

        QList<Process> holders;      // other processes with the device open
        bool exclusive = false;      // one of them asked for sole use (TIOCEXCL): opening fails busy
        QList<Process> farEnds;      // hold the pseudo-terminal's master too: the other end of the link
        int unreadable = 0;          // processes whose open files this user may not see
        std::optional<LockFile> lock;
        QList<Process> grabbers;     // ModemManager, brltty running on this machine
        bool modemCandidate = false; // udev marks the device for ModemManager to probe
        // USB-serial adapters plugged in that give no port: no driver, a
        // broken one, or claimed by brltty. Told for a port that is missing
        // or would not open.
        QList<UsbDrivers::Device> adapters;

        // What Qt said when the port was opened, if that was tried (the
        // window and the CLI after a failed open). The doctor itself never
        // opens a port.
        QSerialPort::SerialPortError reported = QSerialPort::NoError;
        quint32 systemError = 0;     // Windows' error number of that open, when known
    };

    // The folders Qt Serial Port takes its lock files in, in its order.
    static QStringList defaultLockDirs();
    // The lock file Qt takes for the device: in the first readable folder
    // that has it already or may be written to; empty when there is none.
    static QString lockPath(const QString &device, const QStringList &lockDirs = defaultLockDirs());
    // Where udev keeps the properties of each device (c<major>:<minor>).
    static QString defaultUdevData();

    explicit PortDoctor(const QStringList &lockDirs = defaultLockDirs(), const QString &udevData = defaultUdevData());

    // reported and systemError: what Qt and Windows said when the port was
    // opened, if that was tried.
    Findings examine(const QString &port, QSerialPort::SerialPortError reported = QSerialPort::NoError,
                     quint32 systemError = 0) const;

    // What stands in the way, most specific first; empty when nothing does.
    // Another process with the device open stands in the way only when it
    // keeps this one out: the open failed busy, it asked for sole use, or
    // it holds a live lock file.
    static QStringList problems(const Findings &f);
    // What may get in the way without doing so now (a service that would
    // probe this device, a stale lock file), and who else has it open.
    static QStringList warnings(const Findings &f);
    static bool usable(const Findings &f) { return problems(f).isEmpty(); }

    // The lines after "cannot open the port": problems and warnings, or the
    // plain "is it in use?" when the doctor found nothing.
    static QStringList openFailure(const Findings &f);

    // Every finding, one a line, for `ports --verbose` and `doctor`.
    static QStringList report(const Findings &f);
    static QJsonObject json(const Findings &f);

    // Windows' own text for an error number, with the number: "拒绝访问。（错误 5）".
    static QString systemErrorText(quint32 code);

    // Description, VID:PID and device path, one a line: the port list's
    // tooltip for an item.
    static QString toolTip(const PortList::Port &port, const QString &device);

private:
    QStringList m_lockDirs;
    QString m_udevData;
};
