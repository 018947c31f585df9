// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The common USB-serial chips by the USB vendor and product numbers their
// makers ship them with, the driver each needs on Windows and the Linux
// kernel module that makes it a serial port.
namespace UsbChips {

struct Chip
{
    quint16 vendorId;
    quint16 productId;
    const char *maker;
    const char *name;          // as the port list shows it: "CH340"
    const char *models;        // every chip sold under these numbers
    const char *windowsDriver; // the maker's driver package
    const char *linuxModule;   // the kernel module that binds it
    const char *linuxPorts;    // the device names it gives: "ttyUSB", "ttyACM"
    const char *driverTitle;   // how the maker names that driver: "CH340/CH341"
};

// The chip with these numbers; nullptr for one not in the table.
const Chip *find(quint16 vendorId, quint16 productId);

} // namespace UsbChips
