// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// The setup sheet: a parameter set on two printable pages laid out like the
// window's two pages, for checking a model on the bench and for sharing.
// The layout is a table of sections in setupsheet.cpp; this writes it as
// HTML that a browser shows and QTextDocument prints (sheetwriter.h).
class SetupSheet
{
    Q_DECLARE_TR_FUNCTIONS(SetupSheet)

public:
    struct Input
    {
        const ParamAccess *values = nullptr;
        // Where the values came from: a file's name, a port, the window.
        QString source;
        QDateTime time;
        // The transmitter reports its firmware version with its parameters;
        // no record and no parameter file carries it.
        std::optional<int> firmware;
        // Controls whose values the source did not give (a transmitter does
        // not report the dual-rate switch): shown greyed, "（未读取）".
        QStringList unreported;
    };

    static QString html(const Input &input);

    // The families the sheet asks for, CJK-capable first; the PDF embeds
    // the one that draws.
    static QStringList fontFamilies();
};
