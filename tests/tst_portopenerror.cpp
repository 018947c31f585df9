#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "portopenerror.h"

#include <QComboBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTest>

using PortNames::Platform;
Q_DECLARE_METATYPE(Platform)
Q_DECLARE_METATYPE(QSerialPort::SerialPortError)

class TestPortOpenError : public QObject
{
    Q_OBJECT

private slots:
    void groupHint_data()
    {
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<Platform>("platform");
        QTest::addColumn<bool>("denied");
        QTest::addColumn<bool>("hint");

        QTest::newRow("no access to the device: hint")
            << QSerialPort::PermissionError << Platform::Unix << true << true;
        QTest::newRow("busy port (lock file, exclusive use): no hint")
            << QSerialPort::PermissionError << Platform::Unix << false << false;
        QTest::newRow("windows never gets the hint")
            << QSerialPort::PermissionError << Platform::Windows << true << false;
        QTest::newRow("missing device: no hint")
            << QSerialPort::DeviceNotFoundError << Platform::Unix << true << false;
        QTest::newRow("not a serial port: no hint")
            << QSerialPort::OpenError << Platform::Unix << true << false;
    }

    void groupHint()
    {
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(Platform, platform);
        QFETCH(bool, denied);
        QFETCH(bool, hint);
        QCOMPARE(PortOpenError::wantsGroupHint(error, platform, denied), hint);
    }

    // Only EACCES is a refusal; a missing node is not one.
    void missingNodeIsNoRefusal() { QVERIFY(!PortOpenError::accessDenied(QStringLiteral("/dev/pts/no-such-port"))); }

    // A port another program holds gets the two-line message alone.
    void busyPortWithoutHint()
    {
        LinkEnd link;
        QSerialPort holder(link.pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QSerialPort second(link.pty.slavePath());
        QVERIFY(!second.open(QIODevice::ReadWrite));
        QCOMPARE(second.error(), QSerialPort::PermissionError); // the case the hint must not follow

        MainWindow w;
        ModalWatcher watcher;
        link.openIn(w);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes.size(), 1, 5000);
        QCOMPARE(watcher.boxes[0].text, QStringLiteral("不能打开指定串口\n请检查串口是否被占用"));
    }
};

QTEST_MAIN(TestPortOpenError)
#include "tst_portopenerror.moc"
