// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linkend.h"
#include "mainwindow.h"
#include "messageline.h"
#include "portcombobox.h"
#include "portlist.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Opens the drop-down as a user does, and closes it again.
void openDropDown(QComboBox *box)
{
    box->showPopup();
    box->hidePopup();
}

} // namespace

class TestPortList : public QObject
{
    Q_OBJECT

    // What the enumerator reports; the window asks from a worker thread.
    QMutex pluggedLock;
    QList<PortList::Port> pluggedPorts;

    void plug(const QList<PortList::Port> &ports)
    {
        QMutexLocker locker(&pluggedLock);
        pluggedPorts = ports;
    }
    void plug(const QStringList &names)
    {
        QList<PortList::Port> ports;
        for (const QString &name : names)
            ports << PortList::Port{name, QString(), std::nullopt, std::nullopt};
        plug(ports);
    }
    void enumeratePlugged()
    {
        PortList::setPortEnumerator([this] {
            QMutexLocker locker(&pluggedLock);
            return pluggedPorts;
        });
    }

private slots:
    void initTestCase() { enumeratePlugged(); }

    void cleanupTestCase() { PortList::setEnumerator({}); }

    void cleanup() { qunsetenv("K6QX_EXTRA_PORTS"); }

    // The drop-down opened while the port is closed shows the ports of now.
    void refreshOnDropDown_data()
    {
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<QStringList>("atStart");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("atOpening");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("selected");

        QTest::newRow("plugged-in adapter appears, choice kept")
            << QByteArray() << QStringList{"ttyS0", "ttyUSB0"} << "ttyUSB0"
            << QStringList{"ttyS0", "ttyUSB0", "ttyACM0"} << QStringList{"ttyS0", "ttyUSB0", "ttyACM0"} << "ttyUSB0";
        QTest::newRow("pulled adapter goes, the first port is chosen")
            << QByteArray() << QStringList{"ttyS0", "ttyUSB0"} << "ttyUSB0"
            << QStringList{"ttyS0"} << QStringList{"ttyS0"} << "ttyS0";
        QTest::newRow("extra paths stay at the head")
            << QByteArray("/dev/pts/71") << QStringList{"ttyS0"} << "ttyS0"
            << QStringList{"ttyUSB1", "ttyS0"} << QStringList{"/dev/pts/71", "ttyUSB1", "ttyS0"} << "ttyS0";
        QTest::newRow("every port gone leaves an empty list")
            << QByteArray() << QStringList{"ttyUSB0"} << "ttyUSB0" << QStringList{} << QStringList{} << "";
    }

    void refreshOnDropDown()
    {
        QFETCH(QByteArray, extra);
        QFETCH(QStringList, atStart);
        QFETCH(QString, chosen);
        QFETCH(QStringList, atOpening);
        QFETCH(QStringList, expected);
        QFETCH(QString, selected);

        if (!extra.isEmpty())
            qputenv("K6QX_EXTRA_PORTS", extra);
        plug(atStart);
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        w.show();
        // The system's ports join the list once the window is up.
        QVERIFY(listed.wait(5000));
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        QCOMPARE(items(ports), PortList::compose(PortList::extraPorts(), atStart));
        ports->setCurrentText(chosen);
        QCOMPARE(ports->currentText(), chosen);

        plug(atOpening);
        openDropDown(ports);
        QCOMPARE(items(ports), expected);
        QCOMPARE(ports->currentText(), selected);
    }

    void nothingChangesWhileOpen()
    {
        plug(QStringList{QStringLiteral("ttyS0")});
        LinkEnd link; // outlives the window, which holds the port's lock file
        MainWindow w;
        w.show();
        link.openIn(w);
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        const QStringList before = items(ports);
        QCOMPARE(ports->currentText(), link.pty.slavePath());

        plug(QStringList{QStringLiteral("ttyUSB0")});
        openDropDown(ports);
        QCOMPARE(items(ports), before);
        QCOMPARE(ports->currentText(), link.pty.slavePath());
        QTest::qWait(1500); // nor the poll
        QCOMPARE(items(ports), before);
    }

    // A start-up scan that answers only after the drop-down has refreshed
    // the list leaves the refreshed list as it is.
    void lateStartupScanKeepsRefresh()
    {
        QSemaphore scanStarted;
        QSemaphore scanMayAnswer;
        PortList::setEnumerator([&]() -> QStringList {
            if (QThread::currentThread() == thread())
                return {QStringLiteral("ttyUSB0")};
            scanStarted.release();
            scanMayAnswer.tryAcquire(1, 5000);
            return {QStringLiteral("ttyS0")};
        });
        const auto restore = qScopeGuard([this] { enumeratePlugged(); });
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(scanStarted.available(), 1, 5000);
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        openDropDown(ports);
        QCOMPARE(items(ports), QStringList{QStringLiteral("ttyUSB0")});

        scanMayAnswer.release();
        QVERIFY(listed.wait(5000));
        QCOMPARE(items(ports), QStringList{QStringLiteral("ttyUSB0")});
    }

    // Each port is shown with what it is in the drop-down; its item stays
    // the bare name.
    void portsSayWhatTheyAre()
    {
        const QList<PortList::Port> ports{{QStringLiteral("ttyS0"), QString(), std::nullopt, std::nullopt},
                                          {QStringLiteral("ttyUSB0"), QStringLiteral("CP2102 USB to UART"), 0x10c4, 0xea60}};
        plug(ports);
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        w.show();
        QVERIFY(listed.wait(5000));
        auto *box = w.findChild<PortComboBox *>(QStringLiteral("comboBoxComm"));
        QCOMPARE(items(box), (QStringList{"ttyS0", "ttyUSB0"}));
        QCOMPARE(box->itemData(0, PortComboBox::DescriptionRole).toString(), QStringLiteral("主板串口"));
        QCOMPARE(box->itemData(1, PortComboBox::DescriptionRole).toString(), QStringLiteral("CP2102"));
        QVERIFY(box->itemData(1, Qt::ToolTipRole).toString().contains(QStringLiteral("VID:PID 10c4:ea60")));
        box->showPopup();
        QVERIFY(box->view()->width() > box->view()->fontMetrics().horizontalAdvance(QStringLiteral("ttyUSB0 — CP2102")));
        box->hidePopup();
        box->setCurrentIndex(1);
        QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));
    }

    // While no port is open the list follows the system's once a second: a
    // port plugged in is chosen and told of, one pulled out leaves; not
    // while the drop-down is open.
    void pollFollowsPlugging()
    {
        const PortList::Port board{QStringLiteral("ttyS0"), QString(), std::nullopt, std::nullopt};
        const PortList::Port adapter{QStringLiteral("ttyUSB4"), QString(), 0x1a86, 0x7523};
        plug({board});
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        w.show();
        QVERIFY(listed.wait(5000));
        auto *box = w.findChild<PortComboBox *>(QStringLiteral("comboBoxComm"));
        auto *message = w.findChild<MessageLine *>();
        QVERIFY(message);

        box->showPopup();
        plug({board, adapter});
        QTest::qWait(1500);
        QCOMPARE(items(box), QStringList{QStringLiteral("ttyS0")});
        box->hidePopup();

        QTRY_COMPARE_WITH_TIMEOUT(items(box), (QStringList{"ttyS0", "ttyUSB4"}), 3000);
        QCOMPARE(box->currentText(), QStringLiteral("ttyUSB4"));
        QCOMPARE(message->fullText(), QStringLiteral("发现新的串口 ttyUSB4（CH340）"));

        plug({board});
        QTRY_COMPARE_WITH_TIMEOUT(items(box), QStringList{QStringLiteral("ttyS0")}, 3000);
        QCOMPARE(box->currentText(), QStringLiteral("ttyS0"));
    }

    // A CH340 plugged in without its module (a fake sysfs tree) is told
    // when the list is empty at start and when the drop-down opens.
    void adapterWithoutPortTold_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<bool>("openDropDown");
        QTest::newRow("empty list") << QStringList{} << false;
        QTest::newRow("drop-down opened") << QStringList{QStringLiteral("ttyS0")} << true;
    }

    void adapterWithoutPortTold()
    {
        QFETCH(QStringList, ports);
        QFETCH(bool, openDropDown);
        QTemporaryDir root;
        const QString device = root.path() + QStringLiteral("/bus/usb/devices/1-1");
        QVERIFY(QDir().mkpath(device + QStringLiteral("/1-1:1.0")));
        for (const auto &[file, text] : {std::pair{"/idVendor", "1a86\n"}, std::pair{"/idProduct", "7523\n"}}) {
            QFile f(device + QLatin1String(file));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) > 0);
        }
        qputenv("K6QX_SYSFS_ROOT", QFile::encodeName(root.path()));
        plug(ports);
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        w.show();
        QVERIFY(listed.wait(5000));
        auto *message = w.findChild<MessageLine *>();
        auto *box = w.findChild<PortComboBox *>(QStringLiteral("comboBoxComm"));
        QCOMPARE(message->fullText().isEmpty(), openDropDown);
        if (openDropDown) {
            box->showPopup();
            box->hidePopup();
        }
        qunsetenv("K6QX_SYSFS_ROOT");
        QVERIFY2(message->fullText().startsWith(QStringLiteral("检测到 USB 串口芯片 CH340（USB 设备 1-1，1a86:7523），但没有串口设备：内核模块 ch341 没有加载。")),
                 qPrintable(message->fullText()));
    }
};

QTEST_MAIN(TestPortList)
#include "tst_portlist.moc"
