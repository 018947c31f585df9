// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formlimits.h"

#include "recordcodec.h"

#include <QCoreApplication>

#include <cmath>

namespace FormLimits {

namespace {

const char *const kOffOn[] = {QT_TRANSLATE_NOOP("MainWindow", "关闭"), QT_TRANSLATE_NOOP("MainWindow", "打开")};
const char *const kMixState[] = {QT_TRANSLATE_NOOP("MainWindow", "禁止"), QT_TRANSLATE_NOOP("MainWindow", "关闭"),
                                 QT_TRANSLATE_NOOP("MainWindow", "打开")};
const char *const kChannels[] = {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"};
const char *const kAttitudeChannels[] = {"CH5", "CH6", "CH7", "CH8", QT_TRANSLATE_NOOP("MainWindow", "关闭")};

// As mainwindow.ui sets them; tst_form holds the two together.
const QList<Limits> kLimits = {
    // 参数设置: servo phase, sub-trim, travel L and R, failsafe per channel
    {"spinBox", 0, 1}, {"spinBox_2", 0, 1}, {"spinBox_3", 0, 1}, {"spinBox_4", 0, 1},
    {"spinBox_5", 0, 1}, {"spinBox_6", 0, 1}, {"spinBox_7", 0, 1}, {"spinBox_8", 0, 1},
    {"spinBox_9", -100, 100}, {"spinBox_10", -100, 100}, {"spinBox_11", -100, 100}, {"spinBox_12", -100, 100},
    {"spinBox_13", -100, 100}, {"spinBox_14", -100, 100}, {"spinBox_15", -100, 100}, {"spinBox_16", -100, 100},
    {"spinBox_17", 0, 120}, {"spinBox_18", 0, 120}, {"spinBox_19", 0, 120}, {"spinBox_20", 0, 120},
    {"spinBox_21", 0, 120}, {"spinBox_22", 0, 120}, {"spinBox_23", 0, 120}, {"spinBox_24", 0, 120},
    {"spinBox_25", 0, 120}, {"spinBox_26", 0, 120}, {"spinBox_27", 0, 120}, {"spinBox_28", 0, 120},
    {"spinBox_29", 0, 120}, {"spinBox_30", 0, 120}, {"spinBox_31", 0, 120}, {"spinBox_32", 0, 120},
    {"spinBox_33", 0, 100}, {"spinBox_34", 0, 100}, {"spinBox_35", 0, 100}, {"spinBox_36", 0, 100},
    {"spinBox_37", 0, 100}, {"spinBox_38", 0, 100}, {"spinBox_39", 0, 100}, {"spinBox_40", 0, 100},
    // auxiliary channel sources, alarm voltage, stick mode
    {"spinBox_41", 0, 4}, {"spinBox_42", 0, 4}, {"spinBox_43", 0, 4}, {"spinBox_44", 0, 4},
    {"doubleSpinBox", 0, 199.99},
    {"spinBox_45", 1, 4},
    // servo delay
    {"spinBox_71", 0, 100}, {"spinBox_72", 0, 100}, {"spinBox_73", 0, 100}, {"spinBox_74", 0, 100},
    {"spinBox_75", 0, 100}, {"spinBox_76", 0, 100}, {"spinBox_77", 0, 100}, {"spinBox_78", 0, 100},
    // 高级菜单: dual rates
    {"comboBox", 0, 1, kOffOn},
    {Records::kDualRateChannel, 0, 3, kChannels},
    {"spinBox_79", 0, 100}, {"spinBox_80", 0, 100},
    // attitude channel
    {"comboBox_4", 0, 4, kAttitudeChannels},
    {"spinBox_81", 0, 100}, {"spinBox_82", 0, 100}, {"spinBox_83", 0, 100},
    {"spinBox_84", 0, 100}, {"spinBox_85", 0, 100}, {"spinBox_86", 0, 100},
    // elevon mix
    {"comboBox_5", 0, 1, kOffOn},
    {"spinBox_87", -100, 100}, {"spinBox_88", -100, 100}, {"spinBox_89", -100, 100},
    {"spinBox_90", -100, 100}, {"spinBox_91", -100, 100}, {"spinBox_92", -100, 100},
    // V-tail mix
    {"comboBox_6", 0, 1, kOffOn},
    {"spinBox_93", -100, 100}, {"spinBox_94", -100, 100}, {"spinBox_95", -100, 100}, {"spinBox_96", -100, 100},
    // programmable mixes one and two: state, master, slave, offset, rates
    {"comboBox_7", 0, 2, kMixState}, {"comboBox_8", 0, 2, kMixState},
    {"comboBox_11", 0, 7, kChannels}, {"comboBox_9", 0, 7, kChannels},
    {"comboBox_12", 0, 7, kChannels}, {"comboBox_10", 0, 7, kChannels},
    {"spinBox_97", -100, 100}, {"spinBox_98", -100, 100}, {"spinBox_99", -100, 100},
    {"spinBox_100", -100, 100}, {"spinBox_101", -100, 100}, {"spinBox_102", -100, 100},
};

QString tr(const char *text)
{
    return QCoreApplication::translate("FormLimits", text);
}

QString itemText(const Limits &limits, int index)
{
    return QCoreApplication::translate("MainWindow", limits.items[index]);
}

} // namespace

const QList<Limits> &all()
{
    return kLimits;
}

const Limits *of(const QString &control)
{
    for (const Limits &l : kLimits) {
        if (control == QLatin1String(l.control))
            return &l;
    }
    return nullptr;
}

QString choice(const QString &control, double index)
{
    const Limits *l = of(control);
    if (!l || !l->items || index != std::floor(index) || index < l->minimum || index > l->maximum)
        return QString();
    return itemText(*l, int(index));
}

QStringList problems(const ParamAccess &access)
{
    QStringList lines;
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &f : *format) {
            const Limits *l = of(QLatin1String(f.control));
            if (!l)
                continue;
            const double value = access.value(QLatin1String(f.control));
            // Whole-number controls hold the whole part, as FormAccess sets them.
            const double held = f.kind == Records::FieldKind::Tenths ? value : std::floor(value);
            if (held >= l->minimum && held <= l->maximum)
                continue;
            if (l->items) {
                lines << tr("%1：%2 不是窗口中的选项（0 至 %3）")
                             .arg(Records::fieldName(f)).arg(value).arg(l->maximum);
            } else {
                lines << tr("%1：%2 超出窗口允许的范围（%3 至 %4）")
                             .arg(Records::fieldName(f)).arg(value).arg(l->minimum).arg(l->maximum);
            }
        }
    }
    return lines;
}

} // namespace FormLimits
