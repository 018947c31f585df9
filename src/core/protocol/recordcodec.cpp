// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordcodec.h"

#include <QCoreApplication>

#include <cmath>

namespace Records {

namespace {

using K = FieldKind;

// S record: positions written out, bias given once per field.
const Field kSFields[] = {
    {1, 1, K::Digit, 0, "spinBox", "Rev1", QT_TRANSLATE_NOOP("Records", "CH1 舵机相位")},
    {2, 1, K::Digit, 0, "spinBox_2", "Rev2", QT_TRANSLATE_NOOP("Records", "CH2 舵机相位")},
    {3, 1, K::Digit, 0, "spinBox_3", "Rev3", QT_TRANSLATE_NOOP("Records", "CH3 舵机相位")},
    {4, 1, K::Digit, 0, "spinBox_4", "Rev4", QT_TRANSLATE_NOOP("Records", "CH4 舵机相位")},
    {5, 1, K::Digit, 0, "spinBox_5", "Rev5", QT_TRANSLATE_NOOP("Records", "CH5 舵机相位")},
    {6, 1, K::Digit, 0, "spinBox_6", "Rev6", QT_TRANSLATE_NOOP("Records", "CH6 舵机相位")},
    {7, 1, K::Digit, 0, "spinBox_7", "Rev7", QT_TRANSLATE_NOOP("Records", "CH7 舵机相位")},
    {8, 1, K::Digit, 0, "spinBox_8", "Rev8", QT_TRANSLATE_NOOP("Records", "CH8 舵机相位")},
    {9, 2, K::Hex, 120, "spinBox_9", "SUB1", QT_TRANSLATE_NOOP("Records", "CH1 中点微调")},
    {11, 2, K::Hex, 120, "spinBox_10", "SUB2", QT_TRANSLATE_NOOP("Records", "CH2 中点微调")},
    {13, 2, K::Hex, 120, "spinBox_11", "SUB3", QT_TRANSLATE_NOOP("Records", "CH3 中点微调")},
    {15, 2, K::Hex, 120, "spinBox_12", "SUB4", QT_TRANSLATE_NOOP("Records", "CH4 中点微调")},
    {17, 2, K::Hex, 120, "spinBox_13", "SUB5", QT_TRANSLATE_NOOP("Records", "CH5 中点微调")},
    {19, 2, K::Hex, 120, "spinBox_14", "SUB6", QT_TRANSLATE_NOOP("Records", "CH6 中点微调")},
    {21, 2, K::Hex, 120, "spinBox_15", "SUB7", QT_TRANSLATE_NOOP("Records", "CH7 中点微调")},
    {23, 2, K::Hex, 120, "spinBox_16", "SUB8", QT_TRANSLATE_NOOP("Records", "CH8 中点微调")},
    {25, 2, K::Hex, 16, "spinBox_17", "EPA_L1", QT_TRANSLATE_NOOP("Records", "CH1 舵机行程量（左）")},
    {27, 2, K::Hex, 16, "spinBox_18", "EPA_L2", QT_TRANSLATE_NOOP("Records", "CH2 舵机行程量（左）")},
    {29, 2, K::Hex, 16, "spinBox_19", "EPA_L3", QT_TRANSLATE_NOOP("Records", "CH3 舵机行程量（左）")},
    {31, 2, K::Hex, 16, "spinBox_20", "EPA_L4", QT_TRANSLATE_NOOP("Records", "CH4 舵机行程量（左）")},
    {33, 2, K::Hex, 16, "spinBox_21", "EPA_L5", QT_TRANSLATE_NOOP("Records", "CH5 舵机行程量（左）")},
    {35, 2, K::Hex, 16, "spinBox_22", "EPA_L6", QT_TRANSLATE_NOOP("Records", "CH6 舵机行程量（左）")},
    {37, 2, K::Hex, 16, "spinBox_23", "EPA_L7", QT_TRANSLATE_NOOP("Records", "CH7 舵机行程量（左）")},
    {39, 2, K::Hex, 16, "spinBox_24", "EPA_L8", QT_TRANSLATE_NOOP("Records", "CH8 舵机行程量（左）")},
    {41, 2, K::Hex, 16, "spinBox_25", "EPA_R1", QT_TRANSLATE_NOOP("Records", "CH1 舵机行程量（右）")},
    {43, 2, K::Hex, 16, "spinBox_26", "EPA_R2", QT_TRANSLATE_NOOP("Records", "CH2 舵机行程量（右）")},
    {45, 2, K::Hex, 16, "spinBox_27", "EPA_R3", QT_TRANSLATE_NOOP("Records", "CH3 舵机行程量（右）")},
    {47, 2, K::Hex, 16, "spinBox_28", "EPA_R4", QT_TRANSLATE_NOOP("Records", "CH4 舵机行程量（右）")},
    {49, 2, K::Hex, 16, "spinBox_29", "EPA_R5", QT_TRANSLATE_NOOP("Records", "CH5 舵机行程量（右）")},
    {51, 2, K::Hex, 16, "spinBox_30", "EPA_R6", QT_TRANSLATE_NOOP("Records", "CH6 舵机行程量（右）")},
    {53, 2, K::Hex, 16, "spinBox_31", "EPA_R7", QT_TRANSLATE_NOOP("Records", "CH7 舵机行程量（右）")},
    {55, 2, K::Hex, 16, "spinBox_32", "EPA_R8", QT_TRANSLATE_NOOP("Records", "CH8 舵机行程量（右）")},
    {57, 2, K::Hex, 16, "spinBox_33", "FS1", QT_TRANSLATE_NOOP("Records", "CH1 失控保护")},
    {59, 2, K::Hex, 16, "spinBox_34", "FS2", QT_TRANSLATE_NOOP("Records", "CH2 失控保护")},
    {61, 2, K::Hex, 16, "spinBox_35", "FS3", QT_TRANSLATE_NOOP("Records", "CH3 失控保护")},
    {63, 2, K::Hex, 16, "spinBox_36", "FS4", QT_TRANSLATE_NOOP("Records", "CH4 失控保护")},
    {65, 2, K::Hex, 16, "spinBox_37", "FS5", QT_TRANSLATE_NOOP("Records", "CH5 失控保护")},
    {67, 2, K::Hex, 16, "spinBox_38", "FS6", QT_TRANSLATE_NOOP("Records", "CH6 失控保护")},
    {69, 2, K::Hex, 16, "spinBox_39", "FS7", QT_TRANSLATE_NOOP("Records", "CH7 失控保护")},
    {71, 2, K::Hex, 16, "spinBox_40", "FS8", QT_TRANSLATE_NOOP("Records", "CH8 失控保护")},
    {73, 1, K::Digit, 0, "spinBox_41", "AUX5", QT_TRANSLATE_NOOP("Records", "CH5 辅助通道")},
    {74, 1, K::Digit, 0, "spinBox_42", "AUX6", QT_TRANSLATE_NOOP("Records", "CH6 辅助通道")},
    {75, 1, K::Digit, 0, "spinBox_43", "AUX7", QT_TRANSLATE_NOOP("Records", "CH7 辅助通道")},
    {76, 1, K::Digit, 0, "spinBox_44", "AUX8", QT_TRANSLATE_NOOP("Records", "CH8 辅助通道")},
    {77, 2, K::Tenths, 16, "doubleSpinBox", "LB", QT_TRANSLATE_NOOP("Records", "报警电压")},
    {79, 1, K::Digit, 0, "spinBox_45", "STmode", QT_TRANSLATE_NOOP("Records", "摇杆模式")},
};

// T record. Position 36 ("6") and 77..79 ("6D2") are fixed template characters.
const Field kTFields[] = {
    {1, 1, K::Digit, 0, "comboBox_4", "CraftCH", QT_TRANSLATE_NOOP("Records", "姿态选择 通道选择")},
    {2, 2, K::Hex, 16, "spinBox_81", "CraftRate0", QT_TRANSLATE_NOOP("Records", "姿态1")},
    {4, 2, K::Hex, 16, "spinBox_82", "CraftRate1", QT_TRANSLATE_NOOP("Records", "姿态2")},
    {6, 2, K::Hex, 16, "spinBox_83", "CraftRate2", QT_TRANSLATE_NOOP("Records", "姿态3")},
    {8, 2, K::Hex, 16, "spinBox_84", "CraftRate3", QT_TRANSLATE_NOOP("Records", "姿态4")},
    {10, 2, K::Hex, 16, "spinBox_85", "CraftRate4", QT_TRANSLATE_NOOP("Records", "姿态5")},
    {12, 2, K::Hex, 16, "spinBox_86", "CraftRate5", QT_TRANSLATE_NOOP("Records", "姿态6")},
    {14, 1, K::Digit, 0, "comboBox_5", "ElevonMix", QT_TRANSLATE_NOOP("Records", "升降副翼混控 混控")},
    {15, 2, K::Hex, 120, "spinBox_87", "ElevonAil1_L", QT_TRANSLATE_NOOP("Records", "升降副翼混控 副翼一（左）")},
    {17, 2, K::Hex, 120, "spinBox_88", "ElevonAil1_R", QT_TRANSLATE_NOOP("Records", "升降副翼混控 副翼一（右）")},
    {19, 2, K::Hex, 120, "spinBox_89", "ElevonAil2_L", QT_TRANSLATE_NOOP("Records", "升降副翼混控 副翼二（左）")},
    {21, 2, K::Hex, 120, "spinBox_90", "ElevonAil2_R", QT_TRANSLATE_NOOP("Records", "升降副翼混控 副翼二（右）")},
    {23, 2, K::Hex, 120, "spinBox_91", "ElevonEle2", QT_TRANSLATE_NOOP("Records", "升降副翼混控 升降二")},
    {25, 2, K::Hex, 120, "spinBox_92", "ElevonEle1", QT_TRANSLATE_NOOP("Records", "升降副翼混控 升降一")},
    {27, 1, K::Digit, 0, "comboBox_6", "VTailMix", QT_TRANSLATE_NOOP("Records", "V型尾翼混控 混控")},
    {28, 2, K::MixHex, 0, "spinBox_93", "VTailEle1", QT_TRANSLATE_NOOP("Records", "V型尾翼混控 升降一")},
    {30, 2, K::MixHex, 0, "spinBox_94", "VTailEle2", QT_TRANSLATE_NOOP("Records", "V型尾翼混控 升降二")},
    {32, 2, K::MixHex, 0, "spinBox_95", "VTailRud2", QT_TRANSLATE_NOOP("Records", "V型尾翼混控 尾舵二")},
    {34, 2, K::MixHex, 0, "spinBox_96", "VTailRud1", QT_TRANSLATE_NOOP("Records", "V型尾翼混控 尾舵一")},
    {37, 2, K::Hex, 16, "spinBox_71", "BCdelay0", QT_TRANSLATE_NOOP("Records", "CH1 舵机延迟")},
    {39, 2, K::Hex, 16, "spinBox_72", "BCdelay1", QT_TRANSLATE_NOOP("Records", "CH2 舵机延迟")},
    {41, 2, K::Hex, 16, "spinBox_73", "BCdelay2", QT_TRANSLATE_NOOP("Records", "CH3 舵机延迟")},
    {43, 2, K::Hex, 16, "spinBox_74", "BCdelay3", QT_TRANSLATE_NOOP("Records", "CH4 舵机延迟")},
    {45, 2, K::Hex, 16, "spinBox_75", "BCdelay4", QT_TRANSLATE_NOOP("Records", "CH5 舵机延迟")},
    {47, 2, K::Hex, 16, "spinBox_76", "BCdelay5", QT_TRANSLATE_NOOP("Records", "CH6 舵机延迟")},
    {49, 2, K::Hex, 16, "spinBox_77", "BCdelay6", QT_TRANSLATE_NOOP("Records", "CH7 舵机延迟")},
    {51, 2, K::Hex, 16, "spinBox_78", "BCdelay7", QT_TRANSLATE_NOOP("Records", "CH8 舵机延迟")},
    {53, 1, K::Digit, 0, "comboBox", "DRMix", QT_TRANSLATE_NOOP("Records", "大小舵 混控")},
    {54, 1, K::Digit, 0, kDualRateChannel, "DRCH", QT_TRANSLATE_NOOP("Records", "大小舵 通道")},
    {55, 2, K::DualRate, 16, "spinBox_79", "DR_L_UP", QT_TRANSLATE_NOOP("Records", "大小舵 比例-UP")},
    {57, 2, K::DualRate, 16, "spinBox_80", "DR_L_DN", QT_TRANSLATE_NOOP("Records", "大小舵 比例-DOWN")},
    {59, 2, K::MixHex, 0, "spinBox_98", "ProgMix14Rate_U0", QT_TRANSLATE_NOOP("Records", "可编程混控一 UP")},
    {61, 2, K::MixHex, 0, "spinBox_101", "ProgMix14Rate_U1", QT_TRANSLATE_NOOP("Records", "可编程混控二 UP")},
    {63, 2, K::MixHex, 0, "spinBox_99", "ProgMix14Rate_D0", QT_TRANSLATE_NOOP("Records", "可编程混控一 DOWN")},
    {65, 2, K::MixHex, 0, "spinBox_102", "ProgMix14Rate_D1", QT_TRANSLATE_NOOP("Records", "可编程混控二 DOWN")},
    {67, 2, K::MixHex, 0, "spinBox_97", "ProgMix14Offset0", QT_TRANSLATE_NOOP("Records", "可编程混控一 偏置")},
    {69, 2, K::MixHex, 0, "spinBox_100", "ProgMix14Offset1", QT_TRANSLATE_NOOP("Records", "可编程混控二 偏置")},
    {71, 1, K::Digit, 0, "comboBox_11", "ProgMix14Master0", QT_TRANSLATE_NOOP("Records", "可编程混控一 主控")},
    {72, 1, K::Digit, 0, "comboBox_9", "ProgMix14Master1", QT_TRANSLATE_NOOP("Records", "可编程混控二 主控")},
    {73, 1, K::Digit, 0, "comboBox_12", "ProgMix14Slave0", QT_TRANSLATE_NOOP("Records", "可编程混控一 被控")},
    {74, 1, K::Digit, 0, "comboBox_10", "ProgMix14Slave1", QT_TRANSLATE_NOOP("Records", "可编程混控二 被控")},
    {75, 1, K::Digit, 0, "comboBox_7", "ProgMix14Mix0", QT_TRANSLATE_NOOP("Records", "可编程混控一 混控")},
    {76, 1, K::Digit, 0, "comboBox_8", "ProgMix14Mix1", QT_TRANSLATE_NOOP("Records", "可编程混控二 混控")},
};

const Format kS{QLatin1Char('S'), QLatin1Char('Y'),
                "S00000000787878787878787876767676767676767575757575757875323232323264323201236D2Y",
                kSFields, int(std::size(kSFields))};
const Format kT{QLatin1Char('T'), QLatin1Char('Z'),
                "T41E2D3C4855680DCDCDCDCDC14096329696674747474747474740074746464646464640135006D2Z",
                kTFields, int(std::size(kTFields))};

int biasOf(const Field &f, int mixBias)
{
    return f.kind == K::MixHex ? mixBias : f.bias;
}

// The alarm voltage in whole tenths as the user reads it: 11.1 and 11.15 give
// 111, 9.99 gives 99. Rounding to hundredths first keeps 11.1 (stored as
// 11.0999...) from losing a tenth.
qint64 wholeTenths(double volts)
{
    const qint64 hundredths = qRound64(volts * 100.0);
    return hundredths >= 0 ? hundredths / 10 : -((-hundredths + 9) / 10);
}

// The number written into the field for the control's value. Values no
// control can hold (not finite, beyond any range) come out of range too.
qint64 encodedNumber(const Field &f, double value, int mixBias)
{
    value = std::isfinite(value) ? qBound(-1e9, value, 1e9) : -1e9;
    switch (f.kind) {
    case K::Digit:
        return qint64(std::floor(value));
    case K::Tenths:
        return wholeTenths(value) + f.bias;
    default:
        return qint64(std::floor(value)) + biasOf(f, mixBias);
    }
}

bool dualRateWritten(const ParamAccess &access)
{
    const double channel = access.value(QLatin1String(kDualRateChannel));
    return channel >= 0 && channel <= 3;
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

// Line ends and tabs belong in text, and so does a Ctrl-Z end-of-file mark;
// other control characters and bytes that decode to nothing do not.
bool isTextCharacter(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u'\n':
    case u'\r':
    case 0x1A:
        return true;
    case QChar::ReplacementCharacter:
        return false;
    default:
        return c.category() != QChar::Other_Control;
    }
}

QString tr(const char *text, const char *disambiguation = nullptr, int n = -1)
{
    return QCoreApplication::translate("Records", text, disambiguation, n);
}

} // namespace

const Format &sFormat() { return kS; }
const Format &tFormat() { return kT; }

QString build(const Format &format, const ParamAccess &access, int mixBias)
{
    QString record = QString::fromLatin1(format.templ);
    const bool withDualRate = dualRateWritten(access);
    for (const Field &f : format) {
        if (f.kind == K::DualRate && !withDualRate)
            continue;
        const qint64 n = encodedNumber(f, access.value(QLatin1String(f.control)), mixBias);
        // A value outside its field is refused before building (limitProblems);
        // should one get here anyway it is clipped so the record keeps its shape.
        const qint64 limit = f.width == 1 ? 9 : 255;
        const qint64 clipped = qBound<qint64>(0, n, limit);
        const QString text = f.width == 1
                                 ? QString::number(clipped)
                                 : QString::number(clipped, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        record.replace(f.pos, f.width, text);
    }
    return record;
}

void apply(const Format &format, const QString &record, ParamAccess &access, int mixBias)
{
    for (const Field &f : format) {
        bool ok = false;
        int n = QStringView(record).mid(f.pos, f.width).toInt(&ok, 16);
        if (!ok)
            n = 0;
        double value = 0;
        switch (f.kind) {
        case K::Digit:
            value = n;
            break;
        case K::Tenths:
            value = (n - f.bias) / 10.0;
            break;
        default:
            value = n - biasOf(f, mixBias);
            break;
        }
        access.setValue(QLatin1String(f.control), value);
    }
}

double carriedValue(const Field &field, double value)
{
    if (field.kind != K::Tenths || !std::isfinite(value))
        return value;
    return double(wholeTenths(value)) / 10.0;
}

QString titleOf(const Field &field)
{
    return tr(field.title);
}

QString fieldName(const Field &field)
{
    return QStringLiteral("%1 (%2)").arg(tr(field.title), QLatin1String(field.param));
}

QStringList limitProblems(const Format &format, const ParamAccess &access, int mixBias)
{
    QStringList problems;
    const bool withDualRate = dualRateWritten(access);
    for (const Field &f : format) {
        if (f.kind == K::DualRate && !withDualRate)
            continue;
        const double value = access.value(QLatin1String(f.control));
        const qint64 n = encodedNumber(f, value, mixBias);
        auto name = [&f] { return fieldName(f); };
        if (f.width == 1) {
            if (value < 0 && QByteArray(f.control).startsWith("comboBox"))
                problems << tr("%1：没有选中项，请先选择一项").arg(name());
            else if (n < 0 || n > 9)
                problems << tr("%1：%2 超出范围（0 至 9）").arg(name()).arg(value);
        } else if (n < 0 || n > 255) {
            if (f.kind == K::Tenths)
                problems << tr("%1：%2 超出可写入的范围（0.0 至 23.9）").arg(name()).arg(value, 0, 'f', 2);
            else
                problems << tr("%1：%2 超出可写入的范围（%3 至 %4）")
                                .arg(name()).arg(value).arg(-biasOf(f, mixBias)).arg(255 - biasOf(f, mixBias));
        }
    }
    return problems;
}

bool isWellFormed(const Format &format, const QString &record)
{
    if (record.size() != kRecordLength || record.at(0) != format.letter
        || record.at(kRecordLength - 1) != format.endLetter)
        return false;
    for (const Field &f : format) {
        for (int i = f.pos; i < f.pos + f.width; ++i) {
            if (!isHexDigit(record.at(i)))
                return false;
        }
    }
    return true;
}

bool isParameterFile(const QString &text, QString *reason)
{
    auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (text.isEmpty())
        return fail(tr("没有读取到文件内容"));
    // Binary bytes decode to fewer characters than there were bytes; their
    // count would only mislead.
    for (int i = 0; i < qMin(text.size(), qsizetype(kFileLength)); ++i) {
        if (!isTextCharacter(text.at(i)))
            return fail(tr("这不是文本文件：第 %1 个字符是控制字符或不能解读的字节").arg(i + 1));
    }
    if (text.size() < kFileLength)
        return fail(tr("文件太短：%n 个字符，参数文件应有 %1 个", nullptr, int(text.size())).arg(kFileLength));
    // Whatever follows the first 162 characters (a line end, a Ctrl-Z
    // end-of-file mark, NUL padding, a note) is not part of the records. A
    // line end among them that breaks the records is what the user needs to
    // hear about, rather than the letter or digit it pushed out of place.
    const QString records = text.left(kFileLength);
    auto failAt = [&](const QString &why) {
        for (int i = 0; i < kFileLength; ++i) {
            if (records.at(i) == QLatin1Char('\n') || records.at(i) == QLatin1Char('\r'))
                return fail(tr("第 %1 个字符是换行符：两条记录应连续写在一起，中间不换行").arg(i + 1));
        }
        return fail(why);
    };
    const QString s = records.left(kRecordLength);
    const QString t = records.mid(kRecordLength);
    if (s.at(0) != kS.letter || s.at(kRecordLength - 1) != kS.endLetter)
        return failAt(tr("S 记录的起止字母不在位置 0 和 80"));
    if (t.at(0) != kT.letter || t.at(kRecordLength - 1) != kT.endLetter)
        return failAt(tr("T 记录的起止字母不在位置 81 和 161"));
    if (!isWellFormed(kS, s))
        return failAt(tr("S 记录中有不是十六进制数字的字段"));
    if (!isWellFormed(kT, t))
        return failAt(tr("T 记录中有不是十六进制数字的字段"));
    return true;
}

void applyStartingValues(ParamAccess &access)
{
    // The S record a fresh window builds; the S template holds other values.
    static const char kStartingS[] = "S00100000787878787878787870707070707070707070707070707070424210424242424213027F2Y";
    apply(sFormat(), QString::fromLatin1(kStartingS), access);
    apply(tFormat(), QString::fromLatin1(tFormat().templ), access, kMixBiasFile);
}

} // namespace Records
