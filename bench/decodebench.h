// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report.h"

namespace Bench {

// Reply frames per second through the window (bytes through a
// pseudo-terminal into readMyCom) and through the frame table alone, each
// against the line rate at 115200 baud.
QList<Row> decodeRows();

// The window path alone, for a profiler: frames streamed for about `seconds`.
void profileWindowDecoding(double seconds);

} // namespace Bench
