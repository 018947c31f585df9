// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "setupsheet.h"

#include <QCoreApplication>
#include <QString>

class QWidget;
class TransmitterWork;

// 导出: asks where the setup sheet goes and writes it there; a failure is
// told in a message box.
class SheetExport
{
    Q_DECLARE_TR_FUNCTIONS(SheetExport)

public:
    // What the status bar says after the sheet was written; empty when the
    // user cancelled or the sheet could not be written.
    static QString run(QWidget *parent, const SetupSheet::Input &input);
    // The sheet of the work's values, named by where they came from.
    static QString run(QWidget *parent, const TransmitterWork &work);
};
