// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replyframes.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>

namespace ReplyFrames {

namespace {

using K = SlotKind;

// Towards the window the values come without the records' +16: travel,
// failsafe, attitude values, servo delay and dual rates are plain, the alarm
// voltage is plain tenths, sub-trim and elevon carry +120 and the mixes +100.
const Slot kSlots[] = {
    {0x44, 4, K::Value, 0, "spinBox", 0},
    {0x44, 5, K::Value, 0, "spinBox_2", 0},
    {0x44, 6, K::Value, 0, "spinBox_3", 0},
    {0x44, 7, K::Value, 0, "spinBox_4", 0},
    {0x44, 8, K::Value, 0, "spinBox_5", 0},
    {0x44, 9, K::Value, 0, "spinBox_6", 0},
    {0x44, 10, K::Value, 0, "spinBox_7", 0},
    {0x44, 11, K::Value, 0, "spinBox_8", 0},

    {0x55, 4, K::Value, 120, "spinBox_9", 0},
    {0x55, 5, K::Value, 120, "spinBox_10", 0},
    {0x55, 6, K::Value, 120, "spinBox_11", 0},
    {0x55, 7, K::Value, 120, "spinBox_12", 0},
    {0x55, 8, K::Value, 120, "spinBox_13", 0},
    {0x55, 9, K::Value, 120, "spinBox_14", 0},
    {0x55, 10, K::Value, 120, "spinBox_15", 0},
    {0x55, 11, K::Value, 120, "spinBox_16", 0},

    {0x66, 4, K::Value, 0, "spinBox_17", 0},
    {0x66, 5, K::Value, 0, "spinBox_18", 0},
    {0x66, 6, K::Value, 0, "spinBox_19", 0},
    {0x66, 7, K::Value, 0, "spinBox_20", 0},
    {0x66, 8, K::Value, 0, "spinBox_21", 0},
    {0x66, 9, K::Value, 0, "spinBox_22", 0},
    {0x66, 10, K::Value, 0, "spinBox_23", 0},
    {0x66, 11, K::Value, 0, "spinBox_24", 0},

    {0x77, 4, K::Value, 0, "spinBox_25", 0},
    {0x77, 5, K::Value, 0, "spinBox_26", 0},
    {0x77, 6, K::Value, 0, "spinBox_27", 0},
    {0x77, 7, K::Value, 0, "spinBox_28", 0},
    {0x77, 8, K::Value, 0, "spinBox_29", 0},
    {0x77, 9, K::Value, 0, "spinBox_30", 0},
    {0x77, 10, K::Value, 0, "spinBox_31", 0},
    {0x77, 11, K::Value, 0, "spinBox_32", 0},

    {0x88, 4, K::Value, 0, "spinBox_33", 0},
    {0x88, 5, K::Value, 0, "spinBox_34", 0},
    {0x88, 6, K::Value, 0, "spinBox_35", 0},
    {0x88, 7, K::Value, 0, "spinBox_36", 0},
    {0x88, 8, K::Value, 0, "spinBox_37", 0},
    {0x88, 9, K::Value, 0, "spinBox_38", 0},
    {0x88, 10, K::Value, 0, "spinBox_39", 0},
    {0x88, 11, K::Value, 0, "spinBox_40", 0},

    {0x99, 5, K::Tenths, 0, "doubleSpinBox", 0},
    {0x99, 7, K::Value, 0, "spinBox_45", 0},
    {0x99, 8, K::Word, 0, kFirmwareControl, 0},

    {0xA1, 4, K::Index, 0, "comboBox_4", 0},
    {0xA1, 5, K::Value, 0, "spinBox_81", 0},
    {0xA1, 6, K::Value, 0, "spinBox_82", 0},
    {0xA1, 7, K::Value, 0, "spinBox_83", 0},
    {0xA1, 8, K::Value, 0, "spinBox_84", 0},
    {0xA1, 9, K::Value, 0, "spinBox_85", 0},
    {0xA1, 10, K::Value, 0, "spinBox_86", 0},

    {0xA2, 4, K::Index, 0, "comboBox_5", 0},
    {0xA2, 5, K::Value, 120, "spinBox_87", 0},
    {0xA2, 6, K::Value, 120, "spinBox_88", 0},
    {0xA2, 7, K::Value, 120, "spinBox_89", 0},
    {0xA2, 8, K::Value, 120, "spinBox_90", 0},
    {0xA2, 9, K::Value, 120, "spinBox_91", 0},
    {0xA2, 10, K::Value, 120, "spinBox_92", 0},

    {0xA3, 4, K::Index, 0, "comboBox_6", 0},
    {0xA3, 5, K::Value, 100, "spinBox_93", 0},
    {0xA3, 6, K::Value, 100, "spinBox_94", 0},
    {0xA3, 7, K::Value, 100, "spinBox_95", 0},
    {0xA3, 8, K::Value, 100, "spinBox_96", 0},

    {0xA4, 4, K::Value, 0, "spinBox_71", 0},
    {0xA4, 5, K::Value, 0, "spinBox_72", 0},
    {0xA4, 6, K::Value, 0, "spinBox_73", 0},
    {0xA4, 7, K::Value, 0, "spinBox_74", 0},
    {0xA4, 8, K::Value, 0, "spinBox_75", 0},
    {0xA4, 9, K::Value, 0, "spinBox_76", 0},
    {0xA4, 10, K::Value, 0, "spinBox_77", 0},
    {0xA4, 11, K::Value, 0, "spinBox_78", 0},

    // UP rates of CH1..CH4 in bytes 4..7, DOWN rates in bytes 8..11.
    {0xA5, 4, K::DualRate, 0, "spinBox_79", 0},
    {0xA5, 5, K::DualRate, 0, "spinBox_79", 1},
    {0xA5, 6, K::DualRate, 0, "spinBox_79", 2},
    {0xA5, 7, K::DualRate, 0, "spinBox_79", 3},
    {0xA5, 8, K::DualRate, 0, "spinBox_80", 0},
    {0xA5, 9, K::DualRate, 0, "spinBox_80", 1},
    {0xA5, 10, K::DualRate, 0, "spinBox_80", 2},
    {0xA5, 11, K::DualRate, 0, "spinBox_80", 3},

    {0xA6, 4, K::Value, 100, "spinBox_98", 0},
    {0xA6, 5, K::Value, 100, "spinBox_101", 0},
    {0xA6, 6, K::Value, 100, "spinBox_99", 0},
    {0xA6, 7, K::Value, 100, "spinBox_102", 0},
    {0xA6, 8, K::Value, 100, "spinBox_97", 0},
    {0xA6, 9, K::Value, 100, "spinBox_100", 0},
    {0xA6, 10, K::Index, 0, "comboBox_11", 0},
    {0xA6, 11, K::Index, 0, "comboBox_9", 0},

    {0xA7, 4, K::Index, 0, "comboBox_12", 0},
    {0xA7, 5, K::Index, 0, "comboBox_10", 0},
    {0xA7, 6, K::Index, 0, "comboBox_7", 0},
    {0xA7, 7, K::Index, 0, "comboBox_8", 0},

    {0xAA, 4, K::Value, 0, "spinBox_41", 0},
    {0xAA, 5, K::Value, 0, "spinBox_42", 0},
    {0xAA, 6, K::Value, 0, "spinBox_43", 0},
    {0xAA, 7, K::Value, 0, "spinBox_44", 0},
};

constexpr char kDualRateChannel[] = "comboBox_2";

const struct
{
    quint8 group;
    const char *name; // in the "ReplyFrames" translation context
} kGroupNames[] = {
    {0x44, QT_TRANSLATE_NOOP("ReplyFrames", "舵机相位")},
    {0x55, QT_TRANSLATE_NOOP("ReplyFrames", "中点微调")},
    {0x66, QT_TRANSLATE_NOOP("ReplyFrames", "舵机行程量 L")},
    {0x77, QT_TRANSLATE_NOOP("ReplyFrames", "舵机行程量 R")},
    {0x88, QT_TRANSLATE_NOOP("ReplyFrames", "失控保护")},
    {0x99, QT_TRANSLATE_NOOP("ReplyFrames", "报警电压、摇杆模式和版本")},
    {0xA1, QT_TRANSLATE_NOOP("ReplyFrames", "姿态选择")},
    {0xA2, QT_TRANSLATE_NOOP("ReplyFrames", "升降副翼混控")},
    {0xA3, QT_TRANSLATE_NOOP("ReplyFrames", "V型尾翼混控")},
    {0xA4, QT_TRANSLATE_NOOP("ReplyFrames", "舵机延迟")},
    {0xA5, QT_TRANSLATE_NOOP("ReplyFrames", "大小舵比例")},
    {0xA6, QT_TRANSLATE_NOOP("ReplyFrames", "可编程混控比例和主控")},
    {0xA7, QT_TRANSLATE_NOOP("ReplyFrames", "可编程混控被控和开关")},
    {0xAA, QT_TRANSLATE_NOOP("ReplyFrames", "辅助通道")},
};

struct GroupIndex
{
    QList<quint8> order;
    QHash<quint8, QList<Slot>> slotsByGroup;
    GroupIndex()
    {
        for (const Slot &s : kSlots) {
            if (!slotsByGroup.contains(s.group))
                order << s.group;
            slotsByGroup[s.group] << s;
        }
    }
};

const GroupIndex &index()
{
    static const GroupIndex idx;
    return idx;
}

int hexNibble(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return 0;
}

int byteAt(const QString &hex, int byte)
{
    return hexNibble(hex.at(2 * byte)) * 16 + hexNibble(hex.at(2 * byte + 1));
}

} // namespace

const QList<quint8> &groups() { return index().order; }

bool isKnownGroup(quint8 group) { return index().slotsByGroup.contains(group); }

QList<Slot> slotsOf(quint8 group) { return index().slotsByGroup.value(group); }

QString groupName(quint8 group)
{
    for (const auto &g : kGroupNames) {
        if (g.group == group)
            return QCoreApplication::translate("ReplyFrames", g.name);
    }
    return QStringLiteral("0x%1").arg(group, 2, 16, QLatin1Char('0'));
}

QList<quint8> missingGroups(const QList<quint8> &seen)
{
    QList<quint8> missing;
    for (const quint8 g : groups()) {
        if (!seen.contains(g))
            missing << g;
    }
    return missing;
}

bool decode(const QString &frameHex, ParamAccess &access)
{
    if (frameHex.size() < 2 * kFrameLength)
        return false;
    const auto it = index().slotsByGroup.constFind(quint8(byteAt(frameHex, kGroupIdByte)));
    if (it == index().slotsByGroup.constEnd())
        return false;
    for (const Slot &s : it.value()) {
        const int raw = byteAt(frameHex, s.byte);
        const QString control = QLatin1String(s.control);
        switch (s.kind) {
        case K::Value:
        case K::Index:
            access.setValue(control, raw - s.bias);
            break;
        case K::Tenths:
            access.setValue(control, raw / 10.0);
            break;
        case K::Word:
            access.setValue(control, raw * 256 + byteAt(frameHex, s.byte + 1));
            break;
        case K::DualRate:
            if (int(access.value(QLatin1String(kDualRateChannel))) == s.channel)
                access.setValue(control, raw);
            break;
        }
    }
    return true;
}

QByteArray encode(quint8 group, const std::function<double(const Slot &)> &valueOf)
{
    QByteArray frame(kFrameLength, '\0');
    frame[0] = char(0x55);
    frame[1] = char(0xAA);
    frame[2] = char(kFrameLength);
    frame[kGroupIdByte] = char(group);
    for (const Slot &s : slotsOf(group)) {
        const double v = valueOf(s);
        switch (s.kind) {
        case K::Tenths:
            frame[s.byte] = char(qBound(0, int(std::lround(v * 10)), 255));
            break;
        case K::Word: {
            const int w = qBound(0, int(std::lround(v)), 0xFFFF);
            frame[s.byte] = char(w >> 8);
            frame[s.byte + 1] = char(w & 0xFF);
            break;
        }
        default:
            frame[s.byte] = char(qBound(0, int(std::lround(v)) + s.bias, 255));
            break;
        }
    }
    return frame;
}

} // namespace ReplyFrames
