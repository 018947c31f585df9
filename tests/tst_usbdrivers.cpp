// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Adapters plugged in that give no serial port: fake sysfs trees for Linux,
// recorded SetupAPI records for Windows, the doctor and k6qx-cli doctor.
#include "cliprocess.h"
#include "portdoctor.h"
#include "usbdrivers.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using UsbDrivers::Cause;

namespace {

// One adapter in a tree standing for /sys: bus/usb/devices/1-1 with its
// numbers and an interface 1-1:1.0 (in the device's folder, as sysfs has
// it, or beside it), the interface's driver link, a tty under it, and
// whether module/<module> is there.
struct Adapter
{
    QString vid;              // empty: 1a86 (a CH340)
    QString pid;              // empty: 7523
    QString driver;           // the interface's driver: "usbfs", "ch341"; empty: none
    QString tty;              // "ttyUSB0", "tty/ttyACM0"; empty: none
    QString module;           // loaded module; empty: none
    bool interfaceBeside = false;
};

bool write(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

bool buildTree(const QString &root, const Adapter &a)
{
    const QString devices = root + QStringLiteral("/bus/usb/devices/");
    const QString device = devices + QStringLiteral("1-1");
    const QString iface = (a.interfaceBeside ? devices : device + QLatin1Char('/')) + QStringLiteral("1-1:1.0");
    const QByteArray vid = a.vid.isEmpty() ? QByteArray("1a86") : a.vid.toLatin1();
    const QByteArray pid = a.pid.isEmpty() ? QByteArray("7523") : a.pid.toLatin1();
    bool ok = QDir().mkpath(iface) && QDir().mkpath(device) && write(device + QStringLiteral("/idVendor"), vid + '\n')
              && write(device + QStringLiteral("/idProduct"), pid + '\n');
    if (!a.tty.isEmpty())
        ok = ok && QDir().mkpath(iface + QLatin1Char('/') + a.tty);
    if (!a.driver.isEmpty()) {
        const QString driver = root + QStringLiteral("/bus/usb/drivers/") + a.driver;
        ok = ok && QDir().mkpath(driver) && QFile::link(driver, iface + QStringLiteral("/driver"));
    }
    if (!a.module.isEmpty())
        ok = ok && QDir().mkpath(root + QStringLiteral("/module/") + a.module);
    return ok;
}

Adapter withoutModule()
{
    return Adapter{};
}

} // namespace

Q_DECLARE_METATYPE(Adapter)
Q_DECLARE_METATYPE(UsbDrivers::WindowsRecord)

class TestUsbDrivers : public QObject
{
    Q_OBJECT

private slots:
    void linuxTree_data()
    {
        QTest::addColumn<Adapter>("adapter");
        QTest::addColumn<int>("cause"); // -1: nothing told
        QTest::addColumn<QString>("told");

        QTest::newRow("CH340 without tty, ch341 not loaded")
            << withoutModule() << int(Cause::ModuleMissing)
            << "检测到 USB 串口芯片 CH340（USB 设备 1-1，1a86:7523），但没有串口设备：内核模块 ch341 没有加载。"
               "请运行 sudo modprobe ch341，然后重新插上。";
        QTest::newRow("claimed through usbfs")
            << Adapter{{}, {}, QStringLiteral("usbfs"), {}, QStringLiteral("ch341")} << int(Cause::Claimed)
            << "检测到 USB 串口芯片 CH340（USB 设备 1-1，1a86:7523），但没有串口设备：一个程序通过 usbfs 接管了它（常见的是 brltty）。"
               "不用盲文显示器时：sudo apt-get remove brltty，然后重新插上。";
        QTest::newRow("interface beside the device, another driver")
            << Adapter{QStringLiteral("10c4"), QStringLiteral("ea60"), QStringLiteral("usbhid"), {}, QStringLiteral("cp210x"), true}
            << int(Cause::OtherDriver)
            << "检测到 USB 串口芯片 CP2102（USB 设备 1-1，10c4:ea60），但没有串口设备：它绑定在驱动 usbhid 上，而不是 cp210x。"
               "请拔下后重新插上；仍不行时查看 sudo dmesg 中这个设备的消息。";
        QTest::newRow("module loaded, nothing bound")
            << Adapter{{}, {}, {}, {}, QStringLiteral("ch341")} << int(Cause::Unbound)
            << "检测到 USB 串口芯片 CH340（USB 设备 1-1，1a86:7523），但没有串口设备：内核模块 ch341 已经加载，却没有接管它。"
               "请拔下后重新插上；仍不行时查看 sudo dmesg 中这个设备的消息。";
        QTest::newRow("fine: ttyUSB0") << Adapter{{}, {}, QStringLiteral("ch341"), QStringLiteral("ttyUSB0"), QStringLiteral("ch341")}
                                       << -1 << "";
        QTest::newRow("fine: CDC-ACM tty folder")
            << Adapter{QStringLiteral("1a86"), QStringLiteral("55d4"), QStringLiteral("cdc_acm"), QStringLiteral("tty/ttyACM0"),
                       QStringLiteral("cdc_acm")}
            << -1 << "";
        QTest::newRow("not a chip of the table") << Adapter{QStringLiteral("046d"), QStringLiteral("c52b")} << -1 << "";
    }

    void linuxTree()
    {
        QFETCH(Adapter, adapter);
        QFETCH(int, cause);
        QFETCH(QString, told);
        QTemporaryDir root;
        QVERIFY(buildTree(root.path(), adapter));
        const QList<UsbDrivers::Device> found = UsbDrivers::classify(UsbDrivers::readSysfs(root.path()));
        QCOMPARE(found.size(), cause < 0 ? 0 : 1);
        if (cause < 0)
            return;
        QCOMPARE(int(found.first().cause), cause);
        QCOMPARE(UsbDrivers::text(found.first()), told);
    }

    void windowsRecords_data()
    {
        QTest::addColumn<QList<UsbDrivers::WindowsRecord>>("records");
        QTest::addColumn<QStringList>("told");
        using R = UsbDrivers::WindowsRecord;
        const QString ch340 = QStringLiteral("USB\\VID_1A86&PID_7523&REV_0254");

        QTest::newRow("code 28") << QList<R>{{ch340, 28, false}}
                                 << QStringList{"检测到 USB 串口芯片 CH340（USB\\VID_1A86&PID_7523），但它的驱动没有安装（设备管理器问题代码 28）。"
                                                "请安装 WCH 的 CH340/CH341 驱动后重新插上。"};
        QTest::newRow("code 10")
            << QList<R>{{QStringLiteral("USB\\VID_067B&PID_2303&REV_0300"), 10, false}}
            << QStringList{"检测到 USB 串口芯片 PL2303（USB\\VID_067B&PID_2303），但它不能启动（设备管理器问题代码 10）。"
                           "请在设备管理器中卸载它，重新安装 Prolific 的 PL2303 驱动后重新插上。"};
        QTest::newRow("a code of no known meaning")
            << QList<R>{{ch340, 12, false}}
            << QStringList{"检测到 USB 串口芯片 CH340（USB\\VID_1A86&PID_7523），但它有问题（设备管理器问题代码 12）。"
                           "请在设备管理器中卸载它，重新安装 WCH 的 CH340/CH341 驱动后重新插上。"};
        QTest::newRow("present with a COM port") << QList<R>{{ch340, 0, true}} << QStringList{};
        QTest::newRow("FTDI: the port under its USB device's interface")
            << QList<R>{{QStringLiteral("USB\\VID_0403&PID_6010&REV_0700"), 0, false},
                        {QStringLiteral("USB\\VID_0403&PID_6010&MI_00"), 0, true}}
            << QStringList{};
        QTest::newRow("started, no port")
            << QList<R>{{QStringLiteral("USB\\VID_10C4&PID_EA60"), 0, false}}
            << QStringList{"检测到 USB 串口芯片 CP2102（USB\\VID_10C4&PID_EA60），但它没有 COM 口。"
                           "请在设备管理器中卸载它，重新安装 Silicon Labs 的 CP210x 驱动后重新插上。"};
        QTest::newRow("a mouse and a hub") << QList<R>{{QStringLiteral("USB\\VID_046D&PID_C52B"), 28, false},
                                                       {QStringLiteral("USB\\ROOT_HUB30"), 0, false}}
                                           << QStringList{};
    }

    void windowsRecords()
    {
        QFETCH(QList<UsbDrivers::WindowsRecord>, records);
        QFETCH(QStringList, told);
        QStringList texts;
        for (const UsbDrivers::Device &d : UsbDrivers::classify(records))
            texts << UsbDrivers::text(d);
        QCOMPARE(texts, told);
    }

    // A port that is missing names the adapter brltty took; the JSON has it too.
    void doctorOnAMissingPort()
    {
        QTemporaryDir root;
        QVERIFY(buildTree(root.path(), Adapter{{}, {}, QStringLiteral("usbfs"), {}, QStringLiteral("ch341")}));
        qputenv("K6QX_SYSFS_ROOT", QFile::encodeName(root.path()));
        const auto f = PortDoctor().examine(QStringLiteral("/dev/ttyUSB-k6qx-missing"));
        qunsetenv("K6QX_SYSFS_ROOT");
        QVERIFY2(PortDoctor::warnings(f).join('\n').contains(QStringLiteral("通过 usbfs 接管了它")),
                 qPrintable(PortDoctor::warnings(f).join('\n')));
        const QJsonArray json = PortDoctor::json(f).value(QStringLiteral("missingDrivers")).toArray();
        QCOMPARE(json.size(), 1);
        QCOMPARE(json.first()[QStringLiteral("cause")].toString(), QStringLiteral("claimed"));
    }

    void cliDoctorWithoutPort_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::addColumn<bool>("json");
        QTest::newRow("missing driver") << true << false;
        QTest::newRow("missing driver, json") << true << true;
        QTest::newRow("clean tree") << false << false;
    }

    void cliDoctorWithoutPort()
    {
        QFETCH(bool, missing);
        QFETCH(bool, json);
        QTemporaryDir root;
        Adapter adapter;
        if (!missing) {
            adapter.driver = adapter.module = QStringLiteral("ch341");
            adapter.tty = QStringLiteral("ttyUSB0");
        }
        QVERIFY(buildTree(root.path(), adapter));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("K6QX_SYSFS_ROOT"), root.path());
        QStringList args{QStringLiteral("doctor")};
        if (json)
            args << QStringLiteral("--json");
        const CliRun r = cli(args, QString(), env);
        QCOMPARE(r.code, missing ? 2 : 0);
        if (json) {
            const QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8())[QStringLiteral("missingDrivers")].toArray();
            QCOMPARE(list.size(), 1);
            QCOMPARE(list.first()[QStringLiteral("chip")].toString(), QStringLiteral("CH340"));
            QCOMPARE(list.first()[QStringLiteral("vendorId")].toString(), QStringLiteral("1a86"));
            QCOMPARE(list.first()[QStringLiteral("cause")].toString(), QStringLiteral("moduleMissing"));
            QVERIFY(list.first()[QStringLiteral("advice")].toString().contains(QStringLiteral("modprobe ch341")));
        } else {
            QCOMPARE(r.out.contains(QStringLiteral("内核模块 ch341 没有加载")), missing);
            QCOMPARE(r.errLines.size(), missing ? 1 : 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestUsbDrivers)
#include "tst_usbdrivers.moc"
