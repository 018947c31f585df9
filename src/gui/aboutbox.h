// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QMessageBox;
class QWidget;

// The About box: program and version, licence, the Qt it is built with and
// where the third-party notices are. Its "关于 Qt" button closes it and opens
// Qt's own box.
namespace AboutBox {

// Made, not shown; deleted when closed.
QMessageBox *create(QWidget *parent);

} // namespace AboutBox
