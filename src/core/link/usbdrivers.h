// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "usbchips.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QList>
#include <QString>

// USB-serial adapters of the chip table that are plugged in but give no
// serial port: the driver is missing or broken, or another program has
// taken the adapter. What the system shows of its USB devices (sysfs on
// Linux, SetupAPI on Windows) is read into plain records; classify() turns
// them into what to tell, the same for the doctor, the window and the CLI.
namespace UsbDrivers {

enum class Cause {
    ModuleMissing, // Linux: the chip's kernel module is not loaded
    Claimed,       // Linux: an interface is bound to usbfs (brltty takes adapters that way)
    OtherDriver,   // Linux: an interface is bound to a driver that gives no port
    Unbound,       // Linux: the module is loaded, yet nothing is bound
    Problem,       // Windows: Device Manager shows a problem code
    NoPort,        // Windows: started without a problem, but no COM port
};

// One USB device (or interface) as sysfs shows it.
struct LinuxRecord
{
    QString name;               // the sysfs name: "1-1"
    quint16 vendorId = 0;
    quint16 productId = 0;
    bool hasTty = false;        // a ttyUSB*/ttyACM* under one of its interfaces
    QStringList drivers;        // the drivers its interfaces are bound to: "usbfs", "ch341"
    bool moduleLoaded = false;  // /sys/module/<the chip's module> exists
    QList<qint64> brltty;       // brltty processes holding its /dev/bus/usb node
};

// One present device as SetupAPI lists it.
struct WindowsRecord
{
    QString hardwareId;  // the first hardware ID: "USB\VID_1A86&PID_7523&REV_0254"
    quint32 problem = 0; // CM_Get_DevNode_Status's problem code when DN_HAS_PROBLEM, else 0
    bool hasPort = false; // it, or a device under it, has a COM port name
};

// What is told of an adapter.
struct Device
{
    const UsbChips::Chip *chip = nullptr;
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString where;           // "1-1" on Linux, "USB\VID_1A86&PID_7523" on Windows
    Cause cause = Cause::NoPort;
    quint32 problem = 0;     // Windows' problem code
    QString driver;          // Linux: the driver bound instead
    QList<qint64> brltty;    // Linux: the brltty processes holding it
};

QList<Device> classify(const QList<LinuxRecord> &records);
QList<Device> classify(const QList<WindowsRecord> &records);

// The folder that stands for /sys: K6QX_SYSFS_ROOT when set.
QString sysfsRoot();

// The USB devices under root/bus/usb/devices, with brltty's holds on
// them from /proc (Linux only).
QList<LinuxRecord> readSysfs(const QString &root = sysfsRoot());
// The present devices with a USB hardware ID (Windows only; empty elsewhere).
QList<WindowsRecord> readSetupApi();

// The adapters of this machine that give no serial port.
QList<Device> found();

// "检测到 USB 串口芯片 CH340（USB\VID_1A86&PID_7523），但它的驱动没有安装（设备管理器问题代码 28）。"
// and what to do, as one text, and each part alone.
QString text(const Device &device);
QString finding(const Device &device);
QString advice(const Device &device);
// One line for the window's message: the first device, and how many more.
QString summary(const QList<Device> &devices);
QJsonArray json(const QList<Device> &devices);

} // namespace UsbDrivers
