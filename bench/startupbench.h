// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report.h"

namespace Bench {

// Start-up of k6qx-launch (the program's own start-up) against k6qx-bare,
// both found beside this program: time from spawning to "ready" on the
// child's stdout, and the child's peak resident set. Medians of `runs`
// interleaved runs after one warm-up run each.
QList<Row> startupRows(const QString &programDir, int runs);

} // namespace Bench
