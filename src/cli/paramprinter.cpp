// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramprinter.h"

#include "formlimits.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace ParamPrinter {

namespace {

// Titles are Chinese: their width in columns is not their length, so the
// columns are separated by tabs rather than padded.
QString line(const QStringList &cells)
{
    return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

QString json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

QString timeText(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

} // namespace

QString valueText(const Records::Field &field, double value)
{
    return ParamCompare::valueText(field, value);
}

QString table(const QList<const Records::Field *> &fields, const ParamAccess &values)
{
    QString text;
    for (const Records::Field *f : fields) {
        const QString control = QLatin1String(f->control);
        const double value = values.value(control);
        QStringList cells{QLatin1String(f->param), Records::titleOf(*f), valueText(*f, value)};
        // A combo box's choice as the window shows it, after the index.
        const QString choice = FormLimits::choice(control, value);
        if (!choice.isEmpty())
            cells << choice;
        text += line(cells);
    }
    return text;
}

QString json(const QList<const Records::Field *> &fields, const ParamAccess &values)
{
    QJsonObject object;
    for (const Records::Field *f : fields)
        object.insert(QLatin1String(f->param), values.value(QLatin1String(f->control)));
    return json(object);
}

QString differences(const QList<ParamCompare::Row> &rows, const QString &labelA, const QString &labelB)
{
    QString text;
    if (ParamCompare::differences(rows) > 0)
        text += line({QString(), QString(), labelA, labelB});
    for (const ParamCompare::Row &r : rows) {
        if (r.differs) {
            text += line({QLatin1String(r.field->param), Records::titleOf(*r.field),
                          ParamCompare::valueTextA(r), valueText(*r.field, r.b)});
        }
    }
    text += ParamCompare::summary(rows) + QLatin1Char('\n');
    if (ParamCompare::missing(rows) > 0)
        text += ParamCompare::tr("发射机没有回报：%1").arg(ParamCompare::missingNames(rows)) + QLatin1Char('\n');
    return text;
}

QString differencesJson(const QList<ParamCompare::Row> &rows)
{
    QJsonObject object;
    for (const ParamCompare::Row &r : rows) {
        if (r.differs)
            object.insert(QLatin1String(r.field->param), QJsonArray{r.a, r.b});
        else if (r.missing)
            object.insert(QLatin1String(r.field->param), QJsonArray{r.a, QJsonValue()});
    }
    return json(object);
}

QString history(const QList<ParamHistory::Entry> &entries)
{
    QString text;
    for (const ParamHistory::Entry &e : entries)
        text += line({timeText(e.time), ParamHistory::kindText(e.kind), e.port, QDir::toNativeSeparators(e.path)});
    return text;
}

QString historyJson(const QList<ParamHistory::Entry> &entries)
{
    QJsonArray array;
    for (const ParamHistory::Entry &e : entries) {
        array.append(QJsonObject{{QStringLiteral("time"), timeText(e.time)},
                                 {QStringLiteral("kind"), ParamHistory::kindName(e.kind)},
                                 {QStringLiteral("port"), e.port},
                                 {QStringLiteral("path"), QDir::toNativeSeparators(e.path)}});
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}

} // namespace ParamPrinter
