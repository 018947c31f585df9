// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transmitter.h"

#include "recordcodec.h"
#include "replyframes.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

struct Setting
{
    const char *control;
    double value;
};

// Factory settings. Every one differs from the value a freshly opened window
// shows, so a read that reaches the window is visible in every control.
const Setting kFactory[] = {
    {"spinBox", 1}, {"spinBox_2", 1}, {"spinBox_3", 0}, {"spinBox_4", 1},
    {"spinBox_5", 1}, {"spinBox_6", 1}, {"spinBox_7", 1}, {"spinBox_8", 1},
    {"spinBox_9", -20}, {"spinBox_10", 15}, {"spinBox_11", -7}, {"spinBox_12", 4},
    {"spinBox_13", 9}, {"spinBox_14", -12}, {"spinBox_15", 3}, {"spinBox_16", -5},
    {"spinBox_17", 100}, {"spinBox_18", 110}, {"spinBox_19", 90}, {"spinBox_20", 105},
    {"spinBox_21", 120}, {"spinBox_22", 80}, {"spinBox_23", 99}, {"spinBox_24", 85},
    {"spinBox_25", 98}, {"spinBox_26", 115}, {"spinBox_27", 92}, {"spinBox_28", 101},
    {"spinBox_29", 118}, {"spinBox_30", 84}, {"spinBox_31", 97}, {"spinBox_32", 88},
    {"spinBox_33", 45}, {"spinBox_34", 55}, {"spinBox_35", 5}, {"spinBox_36", 60},
    {"spinBox_37", 30}, {"spinBox_38", 70}, {"spinBox_39", 20}, {"spinBox_40", 80},
    {"spinBox_41", 0}, {"spinBox_42", 1}, {"spinBox_43", 2}, {"spinBox_44", 3},
    {"doubleSpinBox", 9.3}, {"spinBox_45", 1}, {"spinBox_46", 300},
    {"comboBox_4", 1},
    {"spinBox_81", 10}, {"spinBox_82", 25}, {"spinBox_83", 40},
    {"spinBox_84", 60}, {"spinBox_85", 75}, {"spinBox_86", 90},
    {"comboBox_5", 1},
    {"spinBox_87", 80}, {"spinBox_88", -80}, {"spinBox_89", 60},
    {"spinBox_90", -60}, {"spinBox_91", 70}, {"spinBox_92", -90},
    {"comboBox_6", 1},
    {"spinBox_93", 40}, {"spinBox_94", -40}, {"spinBox_95", 35}, {"spinBox_96", 45},
    {"spinBox_71", 95}, {"spinBox_72", 90}, {"spinBox_73", 85}, {"spinBox_74", 80},
    {"spinBox_75", 75}, {"spinBox_76", 70}, {"spinBox_77", 65}, {"spinBox_78", 60},
    {"comboBox", 1}, {"comboBox_2", 1},
    {"comboBox_7", 2}, {"spinBox_97", 10}, {"spinBox_98", 60}, {"spinBox_99", -40},
    {"comboBox_11", 2}, {"comboBox_12", 6},
    {"comboBox_8", 1}, {"spinBox_100", -15}, {"spinBox_101", 30}, {"spinBox_102", -70},
    {"comboBox_9", 3}, {"comboBox_10", 7},
};

const Transmitter::DualRate kFactoryDualRates[Transmitter::kDualRateChannels] = {
    {90, 85}, {80, 75}, {70, 65}, {60, 55},
};

// The T record carries the UP rate (position 55) before the DOWN rate (57).
struct DualRateControls
{
    QString up;
    QString down;
};

const DualRateControls &dualRateControls()
{
    static const DualRateControls controls = [] {
        QStringList names;
        for (const Records::Field &f : Records::tFormat()) {
            if (f.kind == Records::FieldKind::DualRate)
                names << QLatin1String(f.control);
        }
        return DualRateControls{names.value(0), names.value(1)};
    }();
    return controls;
}

QString printable(const QByteArray &bytes)
{
    constexpr int kShown = 96;
    QString text;
    for (const char c : bytes.left(kShown)) {
        const uchar u = uchar(c);
        text += (u >= 0x20 && u < 0x7F) ? QString(QLatin1Char(c))
                                        : QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    if (bytes.size() > kShown)
        text += QStringLiteral("...");
    return text;
}

bool isStartLetter(char c)
{
    return c == 'R' || c == 'S' || c == 'T';
}

} // namespace

Transmitter::Transmitter()
{
    for (const Setting &s : kFactory)
        m_params.setValue(QLatin1String(s.control), s.value);
    std::copy(std::begin(kFactoryDualRates), std::end(kFactoryDualRates), m_dualRates.begin());
}

int Transmitter::answerLength()
{
    return int(ReplyFrames::groups().size()) * ReplyFrames::kFrameLength;
}

QByteArray Transmitter::replyFrames() const
{
    const DualRateControls &rates = dualRateControls();
    const auto valueOf = [&](const ReplyFrames::Slot &slot) {
        const QString control = QLatin1String(slot.control);
        if (slot.kind == ReplyFrames::SlotKind::DualRate) {
            const DualRate r = dualRate(slot.channel);
            return control == rates.up ? r.up : r.down;
        }
        return m_params.value(control);
    };
    QByteArray frames;
    for (const quint8 group : ReplyFrames::groups())
        frames += ReplyFrames::encode(group, valueOf);
    return frames;
}

QByteArray Transmitter::parameterFile() const
{
    MapParamAccess set = m_params;
    const DualRateControls &rates = dualRateControls();
    const DualRate rate = dualRate(int(m_params.value(QLatin1String(Records::kDualRateChannel))));
    set.setValue(rates.up, rate.up);
    set.setValue(rates.down, rate.down);
    return (Records::build(Records::sFormat(), set) + Records::build(Records::tFormat(), set, Records::kMixBiasFile))
        .toLatin1();
}

double Transmitter::value(const QString &control) const
{
    return m_params.values.value(control, std::nan(""));
}

void Transmitter::setValue(const QString &control, double value)
{
    m_params.setValue(control, value);
}

Transmitter::DualRate Transmitter::dualRate(int channel) const
{
    if (channel < 0 || channel >= kDualRateChannels)
        return {};
    return m_dualRates[channel];
}

void Transmitter::setDualRate(int channel, DualRate rate)
{
    if (channel >= 0 && channel < kDualRateChannels)
        m_dualRates[channel] = rate;
}

QByteArray Transmitter::receive(const QByteArray &bytes)
{
    m_bytesReceived += bytes.size();
    for (const char c : bytes)
        consume(c);
    flushStray();
    return std::exchange(m_answer, {});
}

// Records hold only hex digits between their letters, so "R", "S" or "T"
// inside a record means the record was cut short and something new begins.
void Transmitter::consume(char c)
{
    switch (m_state) {
    case State::InS:
    case State::InT: {
        if (isStartLetter(c)) {
            finishRecord();
            break;
        }
        m_record.append(c);
        const QChar end = (m_state == State::InS ? Records::sFormat() : Records::tFormat()).endLetter;
        if (c == end || m_record.size() == Records::kRecordLength)
            finishRecord();
        return;
    }
    case State::AwaitT:
        if (c != 'T')
            dropPendingS(QStringLiteral("it was not followed directly by a T record"));
        break;
    case State::Idle:
        break;
    }

    switch (c) {
    case 'R':
        flushStray();
        log(LogKind::Request, QStringLiteral("read request: answering with %1 frames")
                                  .arg(ReplyFrames::groups().size()));
        m_answer += replyFrames();
        break;
    case 'S':
    case 'T':
        flushStray();
        startRecord(c);
        break;
    default:
        m_stray.append(c);
        break;
    }
}

void Transmitter::startRecord(char letter)
{
    m_record = QByteArray(1, letter);
    m_state = letter == 'S' ? State::InS : State::InT;
}

void Transmitter::finishRecord()
{
    const bool isS = m_state == State::InS;
    const Records::Format &format = isS ? Records::sFormat() : Records::tFormat();
    const QByteArray bytes = std::exchange(m_record, {});
    const QString record = QString::fromLatin1(bytes);
    m_state = State::Idle;

    if (!Records::isWellFormed(format, record)) {
        const QString why = record.size() != Records::kRecordLength
                                ? QStringLiteral("%1 characters instead of %2").arg(record.size()).arg(Records::kRecordLength)
                                : QStringLiteral("a field or the end letter is out of place");
        log(LogKind::Ignored, QStringLiteral("ignored malformed %1 record (%2): %3")
                                  .arg(format.letter).arg(why, printable(bytes)));
        if (!isS)
            dropPendingS(QStringLiteral("its T record was malformed"));
        return;
    }
    if (isS) {
        m_pendingS = record;
        m_state = State::AwaitT;
        return;
    }
    if (m_pendingS.isEmpty()) {
        log(LogKind::Ignored, QStringLiteral("ignored T record without an S record before it: %1").arg(record));
        return;
    }
    takePair(std::exchange(m_pendingS, {}), record);
}

void Transmitter::dropPendingS(const QString &why)
{
    m_state = State::Idle;
    if (m_pendingS.isEmpty())
        return;
    log(LogKind::Ignored, QStringLiteral("ignored S record, %1: %2").arg(why, m_pendingS));
    m_pendingS.clear();
}

// The T record's dual-rate pair belongs to the channel at position 54; the
// other channels keep theirs, and an index beyond CH4 changes none.
void Transmitter::takePair(const QString &s, const QString &t)
{
    QHash<QString, double> kept;
    for (const QString &control : std::as_const(m_ignored))
        kept.insert(control, m_params.value(control));
    Records::apply(Records::sFormat(), s, m_params);
    Records::apply(Records::tFormat(), t, m_params, Records::kMixBiasTransmitter);
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        m_params.setValue(it.key(), it.value());

    const DualRateControls &controls = dualRateControls();
    const DualRate rate{m_params.values.take(controls.up), m_params.values.take(controls.down)};
    const double channel = m_params.value(QLatin1String(Records::kDualRateChannel));
    QString rates;
    if (channel >= 0 && channel < kDualRateChannels) {
        m_dualRates[int(channel)] = rate;
        rates = QStringLiteral("dual rates of CH%1 now UP %2 DOWN %3").arg(int(channel) + 1).arg(rate.up).arg(rate.down);
    } else {
        rates = QStringLiteral("dual-rate channel index %1 names no channel, dual rates unchanged").arg(channel);
    }
    ++m_acceptedPairs;
    log(LogKind::Accepted, QStringLiteral("accepted S and T records (pair %1), %2").arg(m_acceptedPairs).arg(rates));
}

void Transmitter::flushStray()
{
    if (m_stray.isEmpty())
        return;
    const QByteArray stray = std::exchange(m_stray, {});
    log(LogKind::Ignored, QStringLiteral("ignored %1 stray byte(s): %2").arg(stray.size()).arg(printable(stray)));
}

void Transmitter::log(LogKind kind, const QString &text) const
{
    if (m_logger)
        m_logger(kind, text);
}
