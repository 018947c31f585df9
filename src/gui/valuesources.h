// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QString>
#include <QStringList>

class QWidget;
class TransmitterWork;

// Where the window's values come from besides the transmitter: a parameter
// file or an entry of the history, loaded into the window or compared with
// it. Failures are told in a message box; what was done is returned for the
// status bar.
namespace ValueSources {

// The load dialog, then the file's records; false when cancelled or refused
// (refusal names what was not done: "没有加载任何参数").
// title replaces the dialog's own ("加载文件") when given.
bool recordsFromDialog(QWidget *parent, const QString &refusal, QString *records, QString *fileName,
                       const QString &title = QString());

// base with the values both records carry (mixes + 100, as in a file).
MapParamAccess withRecords(const MapParamAccess &base, const QString &records);

// The window against records, in the comparison dialog; ticked values are
// taken into the window. Returns what the window could not hold.
QString compare(QWidget *parent, TransmitterWork &work, const QString &records, const QString &origin);

// "已载入 3 项（尚未写入发射机）" for values taken from a comparison, with
// what the window could not hold; empty when nothing was taken.
QString takenText(qsizetype taken, const QStringList &notes);
// "已载入 文件 k6.dat（尚未写入发射机）", with what the window could not hold.
QString loadedText(const QString &origin, const QStringList &notes);

// The history dialog: compare with an entry, or load one into the window.
QString showHistory(QWidget *parent, TransmitterWork &work);

} // namespace ValueSources
