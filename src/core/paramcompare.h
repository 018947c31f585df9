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

    struct Row
    {
        const Records::Field *field;
        double a;
        double b;
        bool differs;
    };

    // The fields that take part, S record first.
    static QList<const Records::Field *> fields(Against against);
    // Against the transmitter, the dual rates take part only while a's
    // dual-rate channel is one the answer carries.
    static QList<Row> compare(const ParamAccess &a, const ParamAccess &b, Against against);
    static int differences(const QList<Row> &rows);

    // "全部 N 项一致" or "有 M 项不一致".
    static QString summary(const QList<Row> &rows);
    // What takes part against the transmitter; channel 0..3 is CH1..CH4.
    static QString transmitterNote(int channel);
};
