// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portnames.h"
#include "portsettings.h"

#include <QCoreApplication>
#include <QTest>

using PortNames::Platform;
Q_DECLARE_METATYPE(Platform)

class TestPortNames : public QObject
{
    Q_OBJECT

private slots:
    void listing_data()
    {
        QTest::addColumn<Platform>("platform");
        QTest::addColumn<QStringList>("enumerated");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("windows keeps COM ports as named")
            << Platform::Windows << QStringList{"COM10", "LPT1", "com3", "Com7", "USB1"}
            << QStringList{"COM10", "com3", "Com7"};
        QTest::newRow("windows with no COM port lists nothing")
            << Platform::Windows << QStringList{"LPT1"} << QStringList{};
        QTest::newRow("unix lists every enumerated port in order")
            << Platform::Unix << QStringList{"ttyUSB0", "ttyS0", "ttyACM1"}
            << QStringList{"ttyUSB0", "ttyS0", "ttyACM1"};
    }

    void listing()
    {
        QFETCH(Platform, platform);
        QFETCH(QStringList, enumerated);
        QFETCH(QStringList, listed);
        QCOMPARE(PortNames::listed(enumerated, platform), listed);
    }

    void device_data()
    {
        QTest::addColumn<Platform>("platform");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("device");

        QTest::newRow("COM3") << Platform::Windows << "COM3" << "COM3";
        QTest::newRow("com3 opens COM3") << Platform::Windows << "com3" << "COM3";
        QTest::newRow("COM9 stays short") << Platform::Windows << "COM9" << "COM9";
        QTest::newRow("COM10 takes the device form") << Platform::Windows << "COM10" << "\\\\.\\COM10";
        QTest::newRow("COM12 takes the device form") << Platform::Windows << "COM12" << "\\\\.\\COM12";
        QTest::newRow("rest not a number") << Platform::Windows << "COMX" << "";
        QTest::newRow("empty item on windows") << Platform::Windows << "" << "";
        QTest::newRow("listed name under /dev") << Platform::Unix << "ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("absolute path as it stands") << Platform::Unix << "/dev/pts/3" << "/dev/pts/3";
        QTest::newRow("empty item on unix") << Platform::Unix << "" << "";
        QTest::newRow("no climbing out of /dev") << Platform::Unix << "../etc/passwd" << "";
    }

    void device()
    {
        QFETCH(Platform, platform);
        QFETCH(QString, item);
        QFETCH(QString, device);
        QCOMPARE(PortNames::deviceName(item, platform), device);
    }

    void settings_data()
    {
        QTest::addColumn<QStringList>("panel");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<int>("flow");

        QTest::newRow("form defaults")
            << QStringList{"115200", "8", "None", "1", "OFF"} << 115200 << int(QSerialPort::Data8)
            << int(QSerialPort::NoParity) << int(QSerialPort::OneStop) << int(QSerialPort::NoFlowControl);
        QTest::newRow("9600 through the fallback")
            << QStringList{"9600", "7", "EVEN", "2", "HARDWARE"} << 9600 << int(QSerialPort::Data7)
            << int(QSerialPort::EvenParity) << int(QSerialPort::TwoStop) << int(QSerialPort::HardwareControl);
        QTest::newRow("odd rates as plain integers")
            << QStringList{"14400", "5", "MARK", "1.5", "XONXOFF"} << 14400 << int(QSerialPort::Data5)
            << int(QSerialPort::MarkParity) << int(QSerialPort::OneAndHalfStop) << int(QSerialPort::SoftwareControl);
        QTest::newRow("56000 and SPACE")
            << QStringList{"56000", "6", "SPACE", "1", "OFF"} << 56000 << int(QSerialPort::Data6)
            << int(QSerialPort::SpaceParity) << int(QSerialPort::OneStop) << int(QSerialPort::NoFlowControl);
        QTest::newRow("ODD and 2400")
            << QStringList{"2400", "8", "ODD", "1", "OFF"} << 2400 << int(QSerialPort::Data8)
            << int(QSerialPort::OddParity) << int(QSerialPort::OneStop) << int(QSerialPort::NoFlowControl);
        QTest::newRow("unknown texts take the last row")
            << QStringList{"", "x", "", "", ""} << 9600 << int(QSerialPort::Data8)
            << int(QSerialPort::NoParity) << int(QSerialPort::OneStop) << int(QSerialPort::NoFlowControl);
    }

    void settings()
    {
        QFETCH(QStringList, panel);
        QFETCH(int, baud);
        QFETCH(int, dataBits);
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        QFETCH(int, flow);
        const PortSettings s = PortSettings::fromPanel(panel[0], panel[1], panel[2], panel[3], panel[4]);
        QCOMPARE(s.baudRate, baud);
        QCOMPARE(int(s.dataBits), dataBits);
        QCOMPARE(int(s.parity), parity);
        QCOMPARE(int(s.stopBits), stopBits);
        QCOMPARE(int(s.flowControl), flow);
    }
};

QTEST_GUILESS_MAIN(TestPortNames)
#include "tst_portnames.moc"
