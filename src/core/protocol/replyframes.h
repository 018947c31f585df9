// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Reply frames from the transmitter: 12 bytes, group ID in byte 3, up to eight
// one-byte values in bytes 4..11. No checksum, no delimiter: frames are cut by
// count alone.
namespace ReplyFrames {

constexpr int kFrameLength = 12;
constexpr int kGroupIdByte = 3;
// The firmware version's control: the answer carries it, no record does.
inline constexpr const char kFirmwareControl[] = "spinBox_46";

enum class SlotKind {
    Value,    // one byte, bias subtracted, into a spin box
    Index,    // one byte as a combo box's current index
    Tenths,   // one byte in tenths of a volt
    Word,     // two bytes, high byte first (the firmware version)
    DualRate, // one byte, shown only for the dual-rate channel selected at decode time
};

struct Slot
{
    quint8 group;
    int byte;
    SlotKind kind;
    int bias;
    const char *control;
    int channel; // DualRate: the channel (0..3) this byte belongs to
};

// The fourteen groups, in the order the transmitter sends them.
const QList<quint8> &groups();
bool isKnownGroup(quint8 group);

// What the user calls the values of a group, in the current language.
QString groupName(quint8 group);
// The groups not among seen, in the order the transmitter sends them.
QList<quint8> missingGroups(const QList<quint8> &seen);

// The slots of one group, in decoding order; empty for an unknown group.
QList<Slot> slotsOf(quint8 group);

// Decodes one complete frame given as 24 hex digits (two per byte) into the
// controls. Returns false, setting nothing, when the group is unknown.
bool decode(const QString &frameHex, ParamAccess &access);

// Builds the frame of a group from control values (the transmitter's side).
// valueOf returns the control value a slot stands for; bytes 0..2 carry a
// fixed header and unused bytes are 0.
QByteArray encode(quint8 group, const std::function<double(const Slot &)> &valueOf);

} // namespace ReplyFrames
