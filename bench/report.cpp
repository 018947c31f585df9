// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTextStream>
#include <QThread>

namespace Bench {

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString milliseconds(double ms)
{
    return fixed(ms, ms < 10 ? 2 : 1) + QStringLiteral(" ms");
}

namespace {

QString goalText(const Goal &goal)
{
    switch (goal.kind) {
    case Goal::AtMost:
        return QStringLiteral("≤ %1×").arg(fixed(goal.bound, 2));
    case Goal::AtLeast:
        return QStringLiteral("≥ %1×").arg(fixed(goal.bound, 0));
    case Goal::None:
        break;
    }
    return QStringLiteral("—");
}

QString metText(const Row &row)
{
    switch (row.goal.kind) {
    case Goal::AtMost:
        return row.ratio <= row.goal.bound ? QStringLiteral("yes") : QStringLiteral("**no**");
    case Goal::AtLeast:
        return row.ratio >= row.goal.bound ? QStringLiteral("yes") : QStringLiteral("**no**");
    case Goal::None:
        break;
    }
    return QStringLiteral("—");
}

QString ratioText(double ratio)
{
    return fixed(ratio, ratio < 10 ? 2 : (ratio < 100 ? 1 : 0)) + QStringLiteral("×");
}

} // namespace

void printTable(const QList<Row> &rows, QTextStream &out)
{
    out << "| figure | value | baseline | ratio | goal | met? |\n"
        << "|---|---:|---:|---:|---:|:---:|\n";
    for (const Row &r : rows) {
        out << "| " << r.figure << " | " << r.value << " | " << r.baseline << " | "
            << ratioText(r.ratio) << " | " << goalText(r.goal) << " | " << metText(r) << " |\n";
    }
    out.flush();
}

QStringList machineLines()
{
    QString model = QStringLiteral("unknown");
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression modelLine(QStringLiteral("^model name\\s*:\\s*(.*)$"),
                                                  QRegularExpression::MultilineOption);
        const QRegularExpressionMatch m = modelLine.match(QString::fromLocal8Bit(cpuinfo.readAll()));
        if (m.hasMatch())
            model = m.captured(1).trimmed();
    }
    return {
        QStringLiteral("- CPU: %1, %2 cores").arg(model).arg(QThread::idealThreadCount()),
        QStringLiteral("- System: %1, kernel %2").arg(QSysInfo::prettyProductName(), QSysInfo::kernelVersion()),
        QStringLiteral("- Qt %1, platform %2").arg(QLatin1String(qVersion()), qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))),
    };
}

} // namespace Bench
