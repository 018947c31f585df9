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
        const double va = a.value(control);
        const double vb = b.value(control);
        // The alarm voltage is in tenths; nothing finer is a difference.
        rows << Row{f, va, vb, qAbs(va - vb) >= 0.005};
    }
    return rows;
}

int ParamCompare::differences(const QList<Row> &rows)
{
    return int(std::count_if(rows.cbegin(), rows.cend(), [](const Row &r) { return r.differs; }));
}

QString ParamCompare::summary(const QList<Row> &rows)
{
    const int differing = differences(rows);
    if (differing == 0)
        return tr("全部 %1 项一致").arg(rows.size());
    return tr("有 %1 项不一致").arg(differing);
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
