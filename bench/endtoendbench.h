// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report.h"

namespace Bench {

// The window against the simulator paced at 115200 baud, on a thread of its
// own: click "读取数据" to the last control set, and click "写入数据" to the
// last byte of the T record at the simulator, each against its wire time.
QList<Row> endToEndRows(int runs);

} // namespace Bench
