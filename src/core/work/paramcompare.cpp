// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramcompare.h"

#include "replyframes.h"

#include <QSet>

namespace {

// The values the transmitter reports: the controls of the reply frames.
const QSet<QByteArray> &reportedControls()
{
    static const QSet<QByteArray> controls = [] {
        QSet<QByteArray> c;
        for (const quint8 group : ReplyFrames::groups()) {
            for (const ReplyFrames::Slot &slot : ReplyFrames::slotsOf(group))
                c.insert(QByteArray(slot.control));
        }
        return c;
    }();
    return controls;
}

} // namespace

QList<const Records::Field *> ParamCompare::fields(Against against)
{
    QList<const Records::Field *> taking;
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &f : *format) {
            if (against == Against::File || reportedControls().contains(QByteArray(f.control)))
                taking << &f;
        }
    }
    return taking;
}

QList<ParamCompare::Row> ParamCompare::compare(const ParamAccess &a, const ParamAccess &b, Against against)
{
    // The answer carries dual rates for CH1..CH4 only; for another channel
    // it has none to compare.
    const double channel = a.value(QLatin1String(Records::kDualRateChannel));
    const bool dualRates = against == Against::File || (channel >= 0 && channel < kDualRateChannels);
    QList<Row> rows;
    for (const Records::Field *f : fields(against)) {
        if (f->kind == Records::FieldKind::DualRate && !dualRates)
            continue;
        const QString control = QLatin1String(f->control);
        // Compared as the records carry them: 10.57 V is written as 10.5.
        const double va = Records::carriedValue(*f, a.value(control));
        const double vb = Records::carriedValue(*f, b.value(control));
        rows << Row{f, va, vb, qAbs(va - vb) >= 0.005};
        rows.last().ownA = a.value(control);
    }
    return rows;
}

QList<ParamCompare::Row> ParamCompare::compare(const ParamAccess &a, const ParamAccess &b,
                                               const QList<quint8> &groupsReported)
{
    QSet<QByteArray> unreported;
    for (const quint8 group : ReplyFrames::groups()) {
        if (groupsReported.contains(group))
            continue;
        for (const ReplyFrames::Slot &slot : ReplyFrames::slotsOf(group))
            unreported.insert(QByteArray(slot.control));
    }
    QList<Row> rows = compare(a, b, Against::Transmitter);
    for (Row &row : rows) {
        if (unreported.contains(QByteArray(row.field->control))) {
            row.missing = true;
            row.differs = false;
        }
    }
    return rows;
}

int ParamCompare::missing(const QList<Row> &rows)
{
    return int(std::count_if(rows.cbegin(), rows.cend(), [](const Row &r) { return r.missing; }));
}

QString ParamCompare::missingNames(const QList<Row> &rows)
{
    QStringList names;
    for (const Row &r : rows) {
        if (r.missing)
            names << Records::titleOf(*r.field);
    }
    return names.join(tr("、"));
}

QString ParamCompare::valueText(const Records::Field &field, double value)
{
    if (field.kind == Records::FieldKind::Tenths)
        return QString::number(value, 'f', 1);
    return QString::number(value);
}

QString ParamCompare::valueTextA(const Row &row)
{
    const QString carried = valueText(*row.field, row.a);
    if (qAbs(row.ownA - row.a) < 1e-9)
        return carried;
    return tr("%1（写入为 %2）").arg(QString::number(row.ownA)).arg(carried);
}

int ParamCompare::differences(const QList<Row> &rows)
{
    return int(std::count_if(rows.cbegin(), rows.cend(), [](const Row &r) { return r.differs; }));
}

QString ParamCompare::summary(const QList<Row> &rows)
{
    const int differing = differences(rows);
    const int unreported = missing(rows);
    const int all = int(rows.size());
    if (unreported > 0) {
        const QString compared = differing == 0 ? tr("回报的 %n 项一致", nullptr, all - unreported)
                                                : tr("有 %n 项不一致", nullptr, differing);
        return compared + tr("，") + tr("有 %n 项发射机没有回报", nullptr, unreported);
    }
    if (differing == 0)
        return tr("全部 %n 项一致", nullptr, all);
    return tr("有 %n 项不一致", nullptr, differing);
}

QString ParamCompare::transmitterNote(int channel)
{
    if (channel < 0 || channel >= kDualRateChannels)
        return tr("只比较发射机回报的参数：大小舵混控开关不参与比较；大小舵设置 → 通道 没有选中 CH1 到 CH4，"
                  "大小舵比例也不参与比较。");
    return tr("只比较发射机回报的参数：大小舵混控开关不参与比较，大小舵比例只比较通道 CH%1 的一对"
              "（大小舵设置 → 通道 所选的通道）。")
        .arg(channel + 1);
}
