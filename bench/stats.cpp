// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stats.h"

#include <algorithm>
#include <chrono>

namespace Bench {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double maximum(const QList<double> &values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

double rate(const std::function<void(qint64 n)> &work, double minSeconds, int samples)
{
    const auto seconds = [&work](qint64 n) {
        const qint64 start = nowNs();
        work(n);
        return (nowNs() - start) * 1e-9;
    };
    qint64 n = 1;
    for (double s = seconds(n); s < minSeconds; s = seconds(n))
        n = s > minSeconds / 20 ? qint64(n * minSeconds / s * 1.1) + 1 : n * 10;
    QList<double> rates;
    for (int i = 0; i < samples; ++i)
        rates << n / seconds(n);
    return median(rates);
}

QList<double> interleavedRates(const QList<std::function<void()>> &operations, int rounds)
{
    QList<QList<double>> seconds(operations.size());
    for (int round = 0; round < rounds; ++round) {
        // Each round starts with another one: none always follows the same.
        for (qsizetype k = 0; k < operations.size(); ++k) {
            const qsizetype i = (round + k) % operations.size();
            const qint64 start = nowNs();
            operations[i]();
            seconds[i] << (nowNs() - start) * 1e-9;
        }
    }
    QList<double> rates;
    for (const QList<double> &s : seconds)
        rates << 1 / median(s);
    return rates;
}

} // namespace Bench
