// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the transmitter's link carries at 115200 baud: ten bits a byte
// (start bit, eight data bits, stop bit).
namespace Bench {

constexpr int kBaud = 115200;
constexpr int kBitsPerByte = 10;
constexpr double kBytesPerSecond = double(kBaud) / kBitsPerByte; // 11,520
constexpr double kFramesPerSecond = kBytesPerSecond / 12;        // 960
constexpr double kRecordsPerSecond = kBytesPerSecond / 81;       // 142.2

constexpr double wireMs(double bytes, int baud = kBaud)
{
    return bytes * kBitsPerByte * 1000.0 / baud;
}

} // namespace Bench
