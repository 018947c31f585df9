// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// The simulator program as a user starts it; its first line names the port.
// Header-only, as K6_SIMULATOR_PROGRAM is a test program's define.
class Simulator
{
public:
    explicit Simulator(const QStringList &args = {})
    {
        m_process.start(QStringLiteral(K6_SIMULATOR_PROGRAM), args);
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }
    QString port() const { return m_port; }

    // What the simulator started with --state noted it heard.
    static QByteArray receivedBy(const QString &statePath)
    {
        QFile f(statePath);
        const QByteArray state = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        const qsizetype at = state.indexOf("received-hex ");
        return at < 0 ? QByteArray() : QByteArray::fromHex(state.mid(at + 13).trimmed());
    }

private:
    QProcess m_process;
    QString m_port;
};
