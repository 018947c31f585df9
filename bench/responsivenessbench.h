// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report.h"

namespace Bench {

// The longest gap in the window's event processing around a click on
// "写入数据", with the port opened at 115200 and at 2400 baud, against the
// longest gap of the same 1 ms timer while the window is idle.
QList<Row> responsivenessRows(int runs);

} // namespace Bench
