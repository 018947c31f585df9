// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The receive path of the window: every byte becomes two lower-case hex
// digits, and every twelfth byte completes a frame that is decoded into the
// controls. Checks each decoded frame against its raw bytes.

#include "fuzzcheck.h"
#include "paramaccess.h"
#include "replyframes.h"

#include <QHash>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace {

using ReplyFrames::kFrameLength;
using ReplyFrames::Slot;
using ReplyFrames::SlotKind;

constexpr quint8 kGroups[] = {0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xA1,
                              0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xAA};

const QString kDualRateChannel = QStringLiteral("comboBox_2");

bool isListedGroup(quint8 group)
{
    return std::find(std::begin(kGroups), std::end(kGroups), group) != std::end(kGroups);
}

int widthOf(const Slot &s)
{
    return s.kind == SlotKind::Word ? 2 : 1;
}

double decodedValue(const Slot &s, const quint8 *frame)
{
    switch (s.kind) {
    case SlotKind::Tenths:
        return frame[s.byte] / 10.0;
    case SlotKind::Word:
        return frame[s.byte] * 256 + frame[s.byte + 1];
    case SlotKind::DualRate:
        return frame[s.byte];
    case SlotKind::Value:
    case SlotKind::Index:
        break;
    }
    return frame[s.byte] - s.bias;
}

bool inRange(const Slot &s, double v)
{
    switch (s.kind) {
    case SlotKind::Tenths:
        return v >= 0 && v <= 25.5;
    case SlotKind::Word:
        return v >= 0 && v <= 65535;
    default:
        return v >= -s.bias && v <= 255 - s.bias;
    }
}

// Values sit in bytes 4..11, each byte read by at most one slot of its group
// (the dual-rate bytes by one slot per channel).
bool checkTable()
{
    FUZZ_CHECK(ReplyFrames::groups().size() == int(std::size(kGroups)));
    FUZZ_CHECK(std::equal(std::begin(kGroups), std::end(kGroups), ReplyFrames::groups().begin()));
    for (int g = 0; g < 256; ++g) {
        const QList<Slot> groupSlots = ReplyFrames::slotsOf(quint8(g));
        FUZZ_CHECK(groupSlots.isEmpty() != isListedGroup(quint8(g)));
        bool used[kFrameLength] = {};
        for (const Slot &s : groupSlots) {
            FUZZ_CHECK(s.group == g);
            FUZZ_CHECK(s.byte > ReplyFrames::kGroupIdByte && s.byte + widthOf(s) <= kFrameLength);
            for (int b = s.byte; b < s.byte + widthOf(s); ++b) {
                FUZZ_CHECK(!used[b]);
                used[b] = true;
            }
        }
    }
    return true;
}

void checkFrame(const QString &hex, const quint8 *frame, int channel, MapParamAccess &access)
{
    const QHash<QString, double> before = access.values;
    const quint8 group = frame[ReplyFrames::kGroupIdByte];
    const bool decoded = ReplyFrames::decode(hex, access);
    FUZZ_CHECK(decoded == isListedGroup(group));
    FUZZ_CHECK(decoded == ReplyFrames::isKnownGroup(group));
    if (!decoded) {
        FUZZ_CHECK(access.values == before);
        return;
    }

    const QList<Slot> groupSlots = ReplyFrames::slotsOf(group);
    QHash<QString, double> expected = before;
    for (const Slot &s : groupSlots) {
        if (s.kind == SlotKind::DualRate && s.channel != channel)
            continue;
        expected.insert(QLatin1String(s.control), decodedValue(s, frame));
    }
    FUZZ_CHECK(access.values == expected);
    for (const Slot &s : groupSlots) {
        if (s.kind != SlotKind::DualRate || s.channel == channel)
            FUZZ_CHECK(inRange(s, access.value(QLatin1String(s.control))));
    }

    MapParamAccess upper;
    upper.values = before;
    FUZZ_CHECK(ReplyFrames::decode(hex.toUpper(), upper));
    FUZZ_CHECK(upper.values == access.values);

    QByteArray want(kFrameLength, '\0');
    want[0] = char(0x55);
    want[1] = char(0xAA);
    want[2] = char(kFrameLength);
    want[ReplyFrames::kGroupIdByte] = char(group);
    for (const Slot &s : groupSlots) {
        for (int b = s.byte; b < s.byte + widthOf(s); ++b)
            want[b] = char(frame[b]);
    }
    const QByteArray encoded =
        ReplyFrames::encode(group, [frame](const Slot &s) { return decodedValue(s, frame); });
    FUZZ_CHECK(encoded == want);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool tableChecked = checkTable();
    FUZZ_CHECK(tableChecked);

    // Byte 0 of a frame is never examined; the first one picks the dual-rate
    // channel selected in the window: -1 (none), CH1..CH4, or 4 (out of range).
    const int channel = size > 0 ? data[0] % 6 - 1 : 0;
    MapParamAccess access;
    access.setValue(kDualRateChannel, channel);

    static const char digits[] = "0123456789abcdef";
    QString strHex;
    int rxFlag = 0;
    quint8 frame[kFrameLength] = {};
    for (size_t i = 0; i < size; ++i) {
        const quint8 b = data[i];
        frame[rxFlag] = b;
        strHex += QLatin1Char(digits[b >> 4]);
        strHex += QLatin1Char(digits[b & 0x0F]);
        if (++rxFlag == kFrameLength) {
            rxFlag = 0;
            checkFrame(strHex, frame, channel, access);
            strHex.clear();
        }
    }

    const QHash<QString, double> before = access.values;
    FUZZ_CHECK(!ReplyFrames::decode(strHex, access));
    FUZZ_CHECK(access.values == before);
    FUZZ_CHECK(access.value(kDualRateChannel) == channel);
    return 0;
}
