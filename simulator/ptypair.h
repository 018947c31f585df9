// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// A pseudo-terminal pair standing in for a serial link: whoever holds the
// slave path sees a serial port, whoever holds the master plays the other
// end. Both sides are raw, so no echo or line discipline touches the bytes.
//
// The pair keeps its own slave descriptor open until closeSlave(): while no
// descriptor of the slave is open, reading the master fails with EIO and
// polling it reports a hang-up.
class PtyPair final
{
public:
    PtyPair() = default;
    ~PtyPair();
    Q_DISABLE_COPY_MOVE(PtyPair)

    bool open(QString *error = nullptr);

    int masterFd() const { return m_master; }
    int slaveFd() const { return m_slave; }
    QString slavePath() const { return m_slavePath; }

    void closeMaster();
    void closeSlave();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
