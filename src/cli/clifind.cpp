// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// k6qx-cli find: which port the transmitter answers on.

#include "cliapp.h"

#include "portsettings.h"
#include "transmitterfinder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>


// Standard output names the ports that answered, one a line, the first the
// one to use; each port's account goes to standard error as it is known.
// With --json, standard output holds one object and nothing else.
int CliApp::find()
{
    PortSettings settings; // 8N1 without flow control, as the panel opens
    settings.baudRate = baudRate();
    const bool all = m_parser.isSet(m_all);
    const bool json = m_parser.isSet(m_json);
    TransmitterFinder finder;
    if (!json) {
        QObject::connect(&finder, &TransmitterFinder::portDone, &finder, [](const TransmitterFinder::Attempt &a) {
            err(a.text() + QLatin1Char('\n'));
        });
    }
    finder.run(TransmitterFinder::candidates(all), settings);

    const QStringList answered = finder.answered();
    if (json) {
        QJsonArray ports;
        for (const TransmitterFinder::Attempt &a : finder.attempts())
            ports.append(a.json());
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("answered"), QJsonArray::fromStringList(answered)},
                                                         {QStringLiteral("ports"), ports}})
                                  .toJson()));
    } else {
        for (const QString &port : answered)
            out(port + QLatin1Char('\n'));
    }
    if (!answered.isEmpty())
        return Success;
    if (finder.attempts().isEmpty()) {
        throw Failure{all ? tr("串口列表是空的，没有要试的串口")
                          : tr("串口列表中没有 USB 串口芯片表中的串口；--all 试列表中的每个串口")};
    }
    if (!finder.askedAny())
        throw Failure{tr("没有一个串口能打开，没有问到发射机")};
    return Differences;
}
