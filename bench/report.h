// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

class QTextStream;

namespace Bench {

struct Goal
{
    enum Kind { None, AtMost, AtLeast };
    Kind kind = None;
    double bound = 0;

    static Goal atMost(double bound) { return {AtMost, bound}; }
    static Goal atLeast(double bound) { return {AtLeast, bound}; }
};

// One line of the table: a measured value against its baseline. The goal
// applies to the ratio value / baseline.
struct Row
{
    QString figure;
    QString value;
    QString baseline;
    double ratio = 0;
    Goal goal;
};

QString fixed(double value, int decimals);
QString milliseconds(double ms);

void printTable(const QList<Row> &rows, QTextStream &out);

// CPU model, cores, system and Qt version, one Markdown line each.
QStringList machineLines();

} // namespace Bench
