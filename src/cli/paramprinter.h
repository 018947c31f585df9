// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"
#include "paramcompare.h"
#include "paramhistory.h"

#include <QList>
#include <QString>

// What k6qx-cli prints: a parameter set or a comparison, as a table for
// people (transmitter name, Chinese title, value, and for a combo box the
// choice the window shows) or as one JSON object keyed by transmitter names.
namespace ParamPrinter {

QString valueText(const Records::Field &field, double value);

QString table(const QList<const Records::Field *> &fields, const ParamAccess &values);
QString json(const QList<const Records::Field *> &fields, const ParamAccess &values);

// The differing rows and the summary line; labels head the two value columns.
QString differences(const QList<ParamCompare::Row> &rows, const QString &labelA, const QString &labelB);
// The differing rows as {"EPA_L1": [a, b], ...}.
QString differencesJson(const QList<ParamCompare::Row> &rows);

// One line per entry, as given: time, kind, port, path.
QString history(const QList<ParamHistory::Entry> &entries);
// [{"time": ..., "kind": ..., "port": ..., "path": ...}, ...]
QString historyJson(const QList<ParamHistory::Entry> &entries);

} // namespace ParamPrinter
