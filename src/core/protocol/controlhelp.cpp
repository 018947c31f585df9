// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controlhelp.h"

#include "formlimits.h"

#include <QCoreApplication>
#include <QStringList>

namespace ControlHelp {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ControlHelp", text);
}

// "范围：-100 … 100", or the items of a choice box.
QString rangeOf(const Records::Field &field)
{
    const FormLimits::Limits *limits = FormLimits::of(QLatin1String(field.control));
    if (!limits)
        return QString();
    if (limits->items) {
        QStringList items;
        for (int i = int(limits->minimum); i <= int(limits->maximum); ++i)
            items << FormLimits::choice(QLatin1String(field.control), i);
        return tr("可选：%1").arg(items.join(tr("、")));
    }
    return tr("范围：%1 … %2").arg(QString::number(limits->minimum), QString::number(limits->maximum));
}

} // namespace

QString toolTip(const Records::Field &field)
{
    QStringList lines{Records::titleOf(field)};
    const QString range = rangeOf(field);
    if (!range.isEmpty())
        lines << range;
    if (field.kind == Records::FieldKind::Tenths)
        lines << tr("记录中以 0.1 V 为单位，零头舍去，最高 23.9 V");
    lines << tr("发射机中的名称：%1").arg(QLatin1String(field.param));
    return lines.join(QLatin1Char('\n'));
}

} // namespace ControlHelp
