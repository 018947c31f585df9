// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report.h"

namespace Bench {

// Builds and applies of the S and T records per second, with a plain map and
// through the window, against the records the link carries per second at
// 115200 baud; save → load round trips per second in a temporary directory,
// against a plain write and read of 162 bytes there.
QList<Row> recordRows();

} // namespace Bench
