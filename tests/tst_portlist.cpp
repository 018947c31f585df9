// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linkend.h"
#include "mainwindow.h"
#include "portlist.h"

#include <QComboBox>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
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

    QStringList plugged; // what the enumerator reports

private slots:
    void initTestCase()
    {
        PortList::setEnumerator([this] { return plugged; });
    }

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
        plugged = atStart;
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        w.show();
        // The system's ports join the list once the window is up.
        QVERIFY(listed.wait(5000));
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        QCOMPARE(items(ports), PortList::compose(PortList::extraPorts(), atStart));
        ports->setCurrentText(chosen);
        QCOMPARE(ports->currentText(), chosen);

        plugged = atOpening;
        openDropDown(ports);
        QCOMPARE(items(ports), expected);
        QCOMPARE(ports->currentText(), selected);
    }

    void nothingChangesWhileOpen()
    {
        plugged = {QStringLiteral("ttyS0")};
        LinkEnd link; // outlives the window, which holds the port's lock file
        MainWindow w;
        w.show();
        link.openIn(w);
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        const QStringList before = items(ports);
        QCOMPARE(ports->currentText(), link.pty.slavePath());

        plugged = {QStringLiteral("ttyUSB0")};
        openDropDown(ports);
        QCOMPARE(items(ports), before);
        QCOMPARE(ports->currentText(), link.pty.slavePath());
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
        const auto restore = qScopeGuard([this] { PortList::setEnumerator([this] { return plugged; }); });
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
};

QTEST_MAIN(TestPortList)
#include "tst_portlist.moc"
