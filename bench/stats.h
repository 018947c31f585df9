// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QtGlobal>

#include <functional>

namespace Bench {

// Steady-clock time in nanoseconds; comparable across threads.
qint64 nowNs();

double median(QList<double> values);
double maximum(const QList<double> &values);

// Operations per second of work(n), which performs n operations: n grows
// until one call takes at least minSeconds, then the median of `samples`
// calls of that size.
double rate(const std::function<void(qint64 n)> &work, double minSeconds = 0.2, int samples = 5);

// Operations per second of several operations timed one call at a time, in
// turn, round after round, so that a slow spell of the machine falls on all
// of them: one over the median time of each.
QList<double> interleavedRates(const QList<std::function<void()>> &operations, int rounds);

} // namespace Bench
