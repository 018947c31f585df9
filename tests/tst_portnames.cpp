// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portlist.h"
#include "portnames.h"
#include "portsettings.h"
#include "usbchips.h"

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

    // A few adapters as their makers and the Linux drivers know them.
    void chips_data()
    {
        QTest::addColumn<quint16>("vid");
        QTest::addColumn<quint16>("pid");
        QTest::addColumn<QString>("maker");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("windows");

        QTest::newRow("CH340") << quint16(0x1a86) << quint16(0x7523) << "WCH" << "CH340" << "ch341" << "CH341SER";
        QTest::newRow("CH9102 is CDC-ACM") << quint16(0x1a86) << quint16(0x55d4) << "WCH" << "CH9102" << "cdc_acm" << "CH343SER";
        QTest::newRow("CP2102") << quint16(0x10c4) << quint16(0xea60) << "Silicon Labs" << "CP2102" << "cp210x" << "CP210x VCP";
        QTest::newRow("CP2108") << quint16(0x10c4) << quint16(0xea71) << "Silicon Labs" << "CP2108" << "cp210x" << "CP210x VCP";
        QTest::newRow("FT232R") << quint16(0x0403) << quint16(0x6001) << "FTDI" << "FT232R" << "ftdi_sio" << "FTDI VCP";
        QTest::newRow("FT231X") << quint16(0x0403) << quint16(0x6015) << "FTDI" << "FT231X" << "ftdi_sio" << "FTDI VCP";
        QTest::newRow("PL2303") << quint16(0x067b) << quint16(0x2303) << "Prolific" << "PL2303" << "pl2303" << "PL23XX";
        QTest::newRow("PL2303GC") << quint16(0x067b) << quint16(0x23a3) << "Prolific" << "PL2303GC" << "pl2303" << "PL23XX";
        QTest::newRow("an FTDI number not in the table") << quint16(0x0403) << quint16(0x6000) << "" << "" << "" << "";
    }

    void chips()
    {
        QFETCH(quint16, vid);
        QFETCH(quint16, pid);
        QFETCH(QString, maker);
        QFETCH(QString, name);
        QFETCH(QString, module);
        QFETCH(QString, windows);
        const UsbChips::Chip *chip = UsbChips::find(vid, pid);
        QCOMPARE(chip != nullptr, !name.isEmpty());
        if (!chip)
            return;
        QCOMPARE(QLatin1String(chip->maker), maker);
        QCOMPARE(QLatin1String(chip->name), name);
        QCOMPARE(QLatin1String(chip->linuxModule), module);
        QCOMPARE(QLatin1String(chip->windowsDriver), windows);
    }

    // What the drop-down says after a port's name.
    void description_data()
    {
        QTest::addColumn<Platform>("platform");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("vid"); // -1: no USB numbers
        QTest::addColumn<int>("pid");
        QTest::addColumn<QString>("described");
        QTest::addColumn<QString>("kind");

        QTest::newRow("CH340 on windows says USB") << Platform::Windows << "COM3" << 0x1a86 << 0x7523
                                                    << "CH340（USB 串口）" << "CH340";
        QTest::newRow("ttyUSB says USB itself") << Platform::Unix << "ttyUSB0" << 0x10c4 << 0xea60 << "CP2102" << "CP2102";
        QTest::newRow("unknown chip") << Platform::Unix << "ttyACM0" << 0x2341 << 0x0043 << "USB 串口" << "USB 串口";
        QTest::newRow("the computer's own port") << Platform::Unix << "ttyS0" << -1 << -1 << "主板串口" << "主板串口";
        QTest::newRow("no numbers, no tty name") << Platform::Unix << "rfcomm0" << -1 << -1 << "" << "";
    }

    void description()
    {
        QFETCH(Platform, platform);
        QFETCH(QString, name);
        QFETCH(int, vid);
        QFETCH(int, pid);
        QFETCH(QString, described);
        QFETCH(QString, kind);
        PortList::Port port{name, QString(), std::nullopt, std::nullopt};
        if (vid >= 0) {
            port.vendorId = quint16(vid);
            port.productId = quint16(pid);
        }
        QCOMPARE(PortList::description(port, platform), described);
        QCOMPARE(PortList::kind(port, platform), kind);
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
