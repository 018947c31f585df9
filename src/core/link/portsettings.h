// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSerialPort>
#include <QString>

// The serial panel's choices turned into port settings. Each combo box text
// is compared with the known texts in table order; a text matching none takes
// the fallback (9600 baud, 8 data bits, no parity, 1 stop bit, no flow control).
struct PortSettings
{
    qint32 baudRate = 9600;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;

    static PortSettings fromPanel(const QString &baud, const QString &dataBits, const QString &parity,
                                  const QString &stopBits, const QString &flow);
};
