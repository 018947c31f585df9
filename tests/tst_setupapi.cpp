// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// SetupAPI's device list as the doctor reads it, on Windows (under Wine in
// scripts/windows.sh --test): it lists the machine's devices without
// crashing, and the doctor finds out about a port without opening it.
#include "portdoctor.h"
#include "usbdrivers.h"

#include <QTest>

class TestSetupApi : public QObject
{
    Q_OBJECT

private slots:
    void listsPresentDevices()
    {
        const QList<UsbDrivers::WindowsRecord> records = UsbDrivers::readSetupApi();
        for (const UsbDrivers::WindowsRecord &r : records)
            QVERIFY2(r.hardwareId.startsWith(QLatin1String("USB\\"), Qt::CaseInsensitive), qPrintable(r.hardwareId));
        // What is told of them is whole sentences with advice.
        for (const UsbDrivers::Device &d : UsbDrivers::classify(records))
            QVERIFY(!UsbDrivers::advice(d).isEmpty());
        qInfo("%lld USB devices listed", qlonglong(records.size()));
    }

    // A port that cannot be there is told missing, and nothing was opened
    // (the doctor has no open to report).
    void doctorOnAMissingPort()
    {
        const auto f = PortDoctor().examine(QStringLiteral("COM219"));
        QVERIFY(!f.exists);
        QCOMPARE(f.reported, QSerialPort::NoError);
        QCOMPARE(PortDoctor::problems(f), QStringList{QStringLiteral("串口 COM219 不存在（已拔出？）")});
    }

    // Windows' own words and the number.
    void systemErrorText()
    {
        const QString text = PortDoctor::systemErrorText(5);
        QVERIFY2(text.endsWith(QStringLiteral("（错误 5）")) && text.size() > 8, qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestSetupApi)
#include "tst_setupapi.moc"
