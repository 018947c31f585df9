// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Which enumerated ports the panel lists, and which device a listed item opens.
namespace PortNames {

enum class Platform { Windows, Unix };

Platform host();

// Windows lists only names beginning with "com" (any case), as enumerated.
// Elsewhere serial ports are ttyUSB0, ttyACM0, ttyS0 ...: every one is listed.
QStringList listed(const QStringList &enumerated, Platform platform = host());

// The device to open for an item text of the port list; empty when the text
// cannot be mapped. Windows: "COM" + number for 1..9, "\\.\COM" + number from
// 10 on. Elsewhere: an absolute path as it stands, a name under /dev.
QString deviceName(const QString &itemText, Platform platform = host());

} // namespace PortNames
