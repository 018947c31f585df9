// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class MainWindow;
class QPushButton;
class QSerialPort;
class QWidget;

namespace Bench {

QPushButton *button(MainWindow &w, const char *name);

// Shows the window and returns once it has been painted.
void showPainted(QWidget &w);

// Puts path at the head of the port list, picks the baud rate and presses
// "打开", as a user would. The window's open port, or nullptr.
QSerialPort *openPort(MainWindow &w, const QString &path, const QString &baud = QStringLiteral("115200"));

// Runs the event loop for the given time.
void runFor(int ms);

} // namespace Bench
