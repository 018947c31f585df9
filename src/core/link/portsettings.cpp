// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portsettings.h"

#include <QCoreApplication>

namespace {

template<typename T>
struct Choice
{
    const char *text;
    T setting;
};

// The texts go through the window's translation context, as the panel's do.
template<typename T, size_t N>
T pick(const QString &current, const Choice<T> (&table)[N], T fallback)
{
    for (const Choice<T> &c : table) {
        if (current == QCoreApplication::translate("MainWindow", c.text))
            return c.setting;
    }
    return fallback;
}

// 14400 and 56000 are not among QSerialPort's named rates; they are set as
// plain integer rates, which the driver may or may not accept.
const Choice<qint32> kBaud[] = {
    {"115200", 115200}, {"57600", 57600}, {"56000", 56000}, {"38400", 38400},
    {"19200", 19200},   {"14400", 14400}, {"4800", 4800},   {"2400", 2400},
};
const Choice<QSerialPort::DataBits> kDataBits[] = {
    {"7", QSerialPort::Data7}, {"6", QSerialPort::Data6}, {"5", QSerialPort::Data5},
};
const Choice<QSerialPort::Parity> kParity[] = {
    {"ODD", QSerialPort::OddParity},
    {"EVEN", QSerialPort::EvenParity},
    {"SPACE", QSerialPort::SpaceParity},
    {"MARK", QSerialPort::MarkParity},
};
const Choice<QSerialPort::StopBits> kStopBits[] = {
    {"2", QSerialPort::TwoStop}, {"1.5", QSerialPort::OneAndHalfStop},
};
const Choice<QSerialPort::FlowControl> kFlow[] = {
    {"XONXOFF", QSerialPort::SoftwareControl}, {"HARDWARE", QSerialPort::HardwareControl},
};

} // namespace

PortSettings PortSettings::fromPanel(const QString &baud, const QString &dataBits, const QString &parity,
                                     const QString &stopBits, const QString &flow)
{
    PortSettings s;
    s.baudRate = pick(baud, kBaud, qint32(9600));
    s.dataBits = pick(dataBits, kDataBits, QSerialPort::Data8);
    s.parity = pick(parity, kParity, QSerialPort::NoParity);
    s.stopBits = pick(stopBits, kStopBits, QSerialPort::OneStop);
    s.flowControl = pick(flow, kFlow, QSerialPort::NoFlowControl);
    return s;
}
