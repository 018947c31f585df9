// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "windowprobe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using Values = QList<std::pair<QString, double>>;
Q_DECLARE_METATYPE(Values)

namespace {



const char *const kPanel[] = {"comboBoxBaudRate", "comboBoxComm", "comboBoxDataBit", "comboBoxStopBit",
                              "comboBoxFlowCtrl", "comboBoxParity", "checkBoxDTR", "checkBoxRTS"};

bool panelEnabled(MainWindow &w, bool enabled)
{
    for (const char *name : kPanel) {
        if (w.findChild<QWidget *>(QLatin1String(name))->isEnabled() != enabled)
            return false;
    }
    return true;
}


} // namespace

class TestSerial : public QObject
{
    Q_OBJECT

private slots:
    void infoLabelAtStart()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        QCOMPARE(probe.info(), QStringLiteral("串口未打开 | 发送：0B | 接收：0B"));
        QVERIFY(probe.secLabel()->text().isEmpty());
    }

    void openAndClose()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        QVERIFY(probe.isComOpen());
        QVERIFY(panelEnabled(w, false));
        QCOMPARE(button(w, "pushButtonOpen")->text(), QStringLiteral("关闭"));
        QCOMPARE(probe.info(), link.pty.slavePath() + QStringLiteral("已打开 115200 8 1 | 发送：0B | 接收：0B"));

        button(w, "pushButtonOpen")->click();
        QVERIFY(!probe.isComOpen());
        QVERIFY(panelEnabled(w, true));
        QCOMPARE(button(w, "pushButtonOpen")->text(), QStringLiteral("打开"));
        QCOMPARE(probe.info(), QStringLiteral("串口未打开 | 发送：0B | 接收：0B"));
    }

    void openFails_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("why");
        QTest::newRow("no such device") << "/dev/pts/does-not-exist" << "串口 /dev/pts/does-not-exist 不存在（已拔出？）";
        QTest::newRow("no port listed") << "" << "没有选择串口";
        QTest::newRow("a file that is not a port") << "/proc/version" << "/proc/version 不是串口设备";
    }

    void openFails()
    {
        QFETCH(QString, item);
        QFETCH(QString, why);
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        ports->clear();
        if (!item.isEmpty())
            ports->addItem(item);
        button(w, "pushButtonOpen")->click();
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("错误"));
        QCOMPARE(watcher.boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(watcher.boxes[0].text, QStringLiteral("不能打开指定串口\n") + why);
        QVERIFY(!probe.isComOpen());
        QVERIFY(panelEnabled(w, true));
        QCOMPARE(button(w, "pushButtonOpen")->text(), QStringLiteral("打开"));
        QCOMPARE(probe.info(), QStringLiteral("串口未打开 | 发送：0B | 接收：0B"));
    }

    void readRequest()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        button(w, "pushButtonRead")->click(); // closed: nothing at all
        QCOMPARE(probe.transCount(), 0);
        link.openIn(w);
        button(w, "pushButtonRead")->click();
        QCOMPARE(link.receive(1), QByteArray("R"));
        QCOMPARE(link.drain(), QByteArray());
        QVERIFY(probe.info().endsWith(QStringLiteral("发送：1B | 接收：0B")));

        link.send(frame(0x44, {1}));
        QTRY_COMPARE(probe.recvCount(), 12);
        button(w, "pushButtonOpen")->click();
        QCOMPARE(probe.info(), QStringLiteral("串口未打开 | 发送：1B | 接收：12B"));
    }

    void framesFillControls_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("drChannel");
        QTest::addColumn<Values>("expected");

        QTest::newRow("phase CH1, CH3, CH8 reversed")
            << frame(0x44, {1, 0, 1, 0, 0, 0, 0, 1}) << 0
            << Values{{"spinBox", 1}, {"spinBox_2", 0}, {"spinBox_3", 1}, {"spinBox_7", 0}, {"spinBox_8", 1}};
        QTest::newRow("sub-trim 0x78 is 0, 0x00 clamps to -100")
            << frame(0x55, {0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x00}) << 0
            << Values{{"spinBox_9", 0}, {"spinBox_15", 0}, {"spinBox_16", -100}};
        QTest::newRow("travel 130 clamps to 120")
            << frame(0x66, {130, 0, 0, 0, 0, 0, 0, 60}) << 0 << Values{{"spinBox_17", 120}, {"spinBox_24", 60}};
        QTest::newRow("travel right")
            << frame(0x77, {1, 2, 3, 4, 5, 6, 7, 8}) << 0 << Values{{"spinBox_25", 1}, {"spinBox_32", 8}};
        QTest::newRow("failsafe")
            << frame(0x88, {0, 10, 20, 30, 40, 50, 60, 100}) << 0 << Values{{"spinBox_33", 0}, {"spinBox_40", 100}};
        QTest::newRow("alarm 11.1, stick 2, firmware 300")
            << frame(0x99, {0, 0x6F, 0, 2, 0x01, 0x2C}) << 0
            << Values{{"doubleSpinBox", 11.1}, {"spinBox_45", 2}, {"spinBox_46", 300}};
        QTest::newRow("attitude")
            << frame(0xA1, {1, 1, 2, 3, 4, 5, 6}) << 0 << Values{{"comboBox_4", 1}, {"spinBox_81", 1}, {"spinBox_86", 6}};
        QTest::newRow("elevon")
            << frame(0xA2, {1, 20, 220, 120, 121, 119, 100}) << 0
            << Values{{"comboBox_5", 1}, {"spinBox_87", -100}, {"spinBox_88", 100}, {"spinBox_92", -20}};
        QTest::newRow("V-tail")
            << frame(0xA3, {1, 0, 200, 100, 101}) << 0
            << Values{{"comboBox_6", 1}, {"spinBox_93", -100}, {"spinBox_94", 100}, {"spinBox_96", 1}};
        QTest::newRow("servo delay")
            << frame(0xA4, {0, 1, 2, 3, 4, 5, 6, 7}) << 0 << Values{{"spinBox_71", 0}, {"spinBox_78", 7}};
        QTest::newRow("dual rates of CH3")
            << frame(0xA5, {1, 2, 3, 4, 5, 6, 7, 8}) << 2 << Values{{"spinBox_79", 3}, {"spinBox_80", 7}};
        QTest::newRow("mix rates and masters")
            << frame(0xA6, {90, 110, 80, 120, 0, 200, 7, 2}) << 0
            << Values{{"spinBox_98", -10}, {"spinBox_101", 10}, {"spinBox_97", -100}, {"spinBox_100", 100},
                      {"comboBox_11", 7}, {"comboBox_9", 2}};
        QTest::newRow("mix slaves and states; index beyond the items")
            << frame(0xA7, {6, 9, 2, 1}) << 0
            << Values{{"comboBox_12", 6}, {"comboBox_10", -1}, {"comboBox_7", 2}, {"comboBox_8", 1}};
        QTest::newRow("aux sources")
            << frame(0xAA, {4, 0, 1, 2}) << 0 << Values{{"spinBox_41", 4}, {"spinBox_44", 2}};
        QTest::newRow("unknown group changes nothing")
            << frame(0x45, {1, 1, 1, 1, 1, 1, 1, 1}) << 0 << Values{{"spinBox", 0}, {"spinBox_3", 1}};
    }

    void framesFillControls()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, drChannel);
        QFETCH(Values, expected);
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        w.findChild<QComboBox *>(QStringLiteral("comboBox_2"))->setCurrentIndex(drChannel);
        link.send(bytes);
        QTRY_COMPARE(probe.recvCount(), 12);
        for (const auto &[name, value] : expected)
            QVERIFY2(qAbs(controlValue(w, name) - value) < 1e-9, qPrintable(name));
        QCOMPARE(probe.rxFlag(), 0);
        QVERIFY(probe.strHex().isEmpty());
    }

    void framing_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("pendingBytes");
        QTest::addColumn<QString>("pendingHex");
        QTest::addColumn<Values>("expected");

        const QByteArray phase = frame(0x44, {1, 1, 0, 0, 0, 0, 0, 0});
        const QByteArray travel = frame(0x66, {0x80, 0xFF, 0, 0, 0, 0, 0, 0});
        QTest::newRow("5 then 7 bytes decode once")
            << QList<QByteArray>{phase.left(5), phase.mid(5)} << 0 << QString() << Values{{"spinBox", 1}, {"spinBox_2", 1}};
        QTest::newRow("24 bytes decode as two frames")
            << QList<QByteArray>{phase + travel} << 0 << QString()
            << Values{{"spinBox", 1}, {"spinBox_17", 120}, {"spinBox_18", 120}};
        QTest::newRow("13 bytes leave one pending")
            << QList<QByteArray>{phase + QByteArray("\xab", 1)} << 1 << QStringLiteral("ab") << Values{{"spinBox", 1}};
        QTest::newRow("bytes 0x80 and above are unsigned")
            << QList<QByteArray>{QByteArray("\x80\xff", 2)} << 2 << QStringLiteral("80ff") << Values{};
        QTest::newRow("byte at a time")
            << [&] { QList<QByteArray> l; for (char c : travel) l << QByteArray(1, c); return l; }()
            << 0 << QString() << Values{{"spinBox_17", 120}, {"spinBox_19", 0}};
    }

    void framing()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, pendingBytes);
        QFETCH(QString, pendingHex);
        QFETCH(Values, expected);
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        int total = 0;
        for (const QByteArray &chunk : chunks) {
            link.send(chunk);
            total += int(chunk.size());
            QTRY_COMPARE(probe.recvCount(), total);
        }
        QCOMPARE(probe.rxFlag(), pendingBytes);
        QCOMPARE(probe.strHex(), pendingHex);
        for (const auto &[name, value] : expected)
            QVERIFY2(qAbs(controlValue(w, name) - value) < 1e-9, qPrintable(name));
    }

    // Each byte is delivered once across sessions, and bytes left from an
    // earlier session do not shift the frames of the next.
    void reopenStartsAFreshFrame()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        link.send(QByteArray(5, '\x01'));
        QTRY_COMPARE(probe.recvCount(), 5);
        button(w, "pushButtonOpen")->click();
        button(w, "pushButtonOpen")->click();
        QVERIFY(probe.isComOpen());
        QCOMPARE(probe.rxFlag(), 0);
        link.send(frame(0x44, {0, 0, 0, 0, 0, 0, 0, 1}));
        QTRY_COMPARE(probe.recvCount(), 17);
        QTest::qWait(50);
        QCOMPARE(probe.recvCount(), 17);
        QCOMPARE(controlValue(w, "spinBox_8"), 1.0);
        QCOMPARE(controlValue(w, "spinBox_3"), 0.0);
    }

    void farEndGoesAway()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        link.send(frame(0x44, {1}).left(6));
        QTRY_COMPARE(probe.recvCount(), 6);
        link.pty.closeMaster();
        QTRY_VERIFY(!probe.isComOpen());
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QTest::qWait(100);
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("错误"));
        QCOMPARE(watcher.boxes[0].icon, QMessageBox::Critical);
        QVERIFY(panelEnabled(w, true));
        QCOMPARE(button(w, "pushButtonOpen")->text(), QStringLiteral("打开"));
        QCOMPARE(probe.info(), QStringLiteral("串口未打开 | 发送：0B | 接收：6B"));

        // Nothing goes to the dead port afterwards.
        button(w, "pushButtonRead")->click();
        button(w, "pushButtonSend2")->click();
        QCOMPARE(probe.transCount(), 0);
    }
};

QTEST_MAIN(TestSerial)
#include "tst_serial.moc"
