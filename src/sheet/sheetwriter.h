// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "setupsheet.h"

#include <QCoreApplication>
#include <QString>

// Writes the setup sheet into a file, as PDF (A4) or as HTML, chosen by the
// file name's suffix. Needs a QGuiApplication: the PDF is laid out with
// the system's fonts.
class SheetWriter
{
    Q_DECLARE_TR_FUNCTIONS(SheetWriter)

public:
    enum class Format { Unknown, Pdf, Html };

    // .pdf, .html or .htm in any case; anything else is Unknown.
    static Format formatOf(const QString &path);
    // What formatOf refuses, for the user.
    static QString unknownSuffix(const QString &path);

    // The file is written whole or not at all: a failed write leaves what
    // was there. *error says why it failed.
    static bool write(const QString &path, const SetupSheet::Input &input, QString *error);

    // The sheet as a PDF document.
    static QByteArray pdf(const SetupSheet::Input &input);
};
