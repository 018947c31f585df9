// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"
#include "recordcodec.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// Two parameter sets side by side, field by field of the two records.
class ParamCompare
{
    Q_DECLARE_TR_FUNCTIONS(ParamCompare)

public:
    // The transmitter reports dual rates for CH1..CH4.
    static constexpr int kDualRateChannels = 4;

    enum class Against {
        File,        // every field of both records
        Transmitter, // only what the reply frames carry: not the dual-rate switch
                     // nor the channel, the dual rates of that channel only
    };

    // a and b are the values as the records carry them (the alarm voltage
    // in whole tenths); ownA is a's value before that, 10.57 beside 10.5.
    struct Row
    {
        const Records::Field *field;
        double a;
        double b;
        bool differs;
        double ownA = 0;
        bool missing = false; // the transmitter did not report it: not compared
    };

    // The fields that take part, S record first.
    static QList<const Records::Field *> fields(Against against);
    // Against the transmitter, the dual rates take part only while a's
    // dual-rate channel is one the answer carries.
    static QList<Row> compare(const ParamAccess &a, const ParamAccess &b, Against against);
    // Against the answer of a transmitter that reported only these groups:
    // the fields of the others are rows marked missing.
    static QList<Row> compare(const ParamAccess &a, const ParamAccess &b, const QList<quint8> &groupsReported);
    static int differences(const QList<Row> &rows);
    static int missing(const QList<Row> &rows);
    // "CH1 中点微调、CH2 中点微调 …" of the rows marked missing.
    static QString missingNames(const QList<Row> &rows);

    // "全部 N 项一致" or "有 M 项不一致"; never "一致" for what is missing:
    // "… 有 K 项发射机没有回报".
    static QString summary(const QList<Row> &rows);
    // a's value as shown: "10.57（写入为 10.5）" where the record carries less.
    static QString valueTextA(const Row &row);
    static QString valueText(const Records::Field &field, double value);
    // What takes part against the transmitter; channel 0..3 is CH1..CH4.
    static QString transmitterNote(int channel);
};
