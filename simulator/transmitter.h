// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The transmitter's side of the link, without any I/O: it keeps its own
// parameter set, answers every read request "R" with the fourteen reply
// frames, and takes an S record followed directly by a T record into its
// parameter set. Bytes may arrive split anywhere.
//
// Values are keyed by the window's control objectNames. The dual rates are
// kept per channel (CH1..CH4) and are reached through dualRate(), not value().
class Transmitter final
{
public:
    enum class LogKind { Request, Accepted, Ignored };
    using Logger = std::function<void(LogKind, const QString &)>;

    struct DualRate
    {
        double up = 0;
        double down = 0;
        bool operator==(const DualRate &o) const { return up == o.up && down == o.down; }
    };

    static constexpr int kDualRateChannels = 4;

    Transmitter();

    void setLogger(Logger logger) { m_logger = std::move(logger); }

    // Consumes bytes from the link; returns the bytes to send back.
    QByteArray receive(const QByteArray &bytes);

    // The answer to one read request: the fourteen frames in group order.
    QByteArray replyFrames() const;
    static int answerLength();

    // The parameter set as a parameter file, as 保存数据 writes it (the T
    // record's mixes + 100), the dual rates those of the channel it names.
    QByteArray parameterFile() const;

    // NaN for a control the transmitter does not hold.
    double value(const QString &control) const;
    void setValue(const QString &control, double value);
    DualRate dualRate(int channel) const;
    void setDualRate(int channel, DualRate rate);

    // Written records leave this control's value as it was: a transmitter
    // that does not take one field. The dual rates cannot be ignored.
    void ignoreWrites(const QString &control) { m_ignored << control; }

    int acceptedPairs() const { return m_acceptedPairs; }
    qint64 bytesReceived() const { return m_bytesReceived; }

private:
    enum class State { Idle, InS, AwaitT, InT };

    void consume(char c);
    void startRecord(char letter);
    void finishRecord();
    void dropPendingS(const QString &why);
    void takePair(const QString &s, const QString &t);
    void flushStray();
    void log(LogKind kind, const QString &text) const;

    MapParamAccess m_params;
    QStringList m_ignored;
    std::array<DualRate, kDualRateChannels> m_dualRates{};
    Logger m_logger;

    State m_state = State::Idle;
    QByteArray m_record;
    QString m_pendingS;
    QByteArray m_stray;
    QByteArray m_answer;
    int m_acceptedPairs = 0;
    qint64 m_bytesReceived = 0;
};
