// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

class QAction;
class QPushButton;
class QWidget;

// Small hands for the tests: the window's buttons and controls by objectName,
// and reply frames as the transmitter sends them.
QPushButton *button(QWidget &window, const char *name);
// The entries of the 更多 menu by objectName ("actionRevert").
QAction *action(QWidget &window, const char *name);
// A button's click, or an action's trigger for a name "action…".
void click(QWidget &window, const char *name);

// The window's message as a whole: its text, the details and the advice, a
// line each (what its tooltip shows).
QString shownMessage(QWidget &window);

// Puts the port at the head of the port list and chooses it; openPort also
// clicks "打开".
void choosePort(QWidget &window, const QString &port);
void openPort(QWidget &window, const QString &port);

// A spin box's value, the double spin box's value or a combo box's index.
double controlValue(QWidget &window, const QString &name);
void setControl(QWidget &window, const QString &name, double value);

// A 12-byte reply frame: header, group ID in byte 3, values from byte 4.
QByteArray frame(quint8 group, std::initializer_list<int> values);
