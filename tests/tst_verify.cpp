// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparedialog.h"
#include "controls.h"
#include "dlgload.h"
#include "formsnapshot.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "simulatorhost.h"
#include "transmitter.h"
#include "windowprobe.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

struct Shown
{
    QString summary;
    QStringList differingTitles;
    bool noted = false;
    QString note;
    QStringList alarmCells; // the window's and the other side's cell
};

// Answers the dialogs of 校验数据: the load dialog browses to file, the
// result dialog is read and closed.
void answerVerify(ModalWatcher &watcher, Shown &shown, const QString &file = QString())
{
    if (!file.isEmpty())
        watcher.fileAnswers << file;
    watcher.onDialog = [&shown, file](QDialog *d) {
        if (qobject_cast<DlgLoad *>(d)) {
            d->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
            d->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
            return;
        }
        if (!qobject_cast<CompareDialog *>(d))
            return;
        shown.summary = d->findChild<QLabel *>(QStringLiteral("labelSummary"))->text();
        const auto *note = d->findChild<QLabel *>(QStringLiteral("labelNote"));
        shown.noted = note != nullptr;
        shown.note = note ? note->text() : QString();
        const auto *table = d->findChild<QTableWidget *>(QStringLiteral("tableCompare"));
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->font().bold())
                shown.differingTitles << table->item(row, 0)->text();
            if (table->item(row, 0)->text() == QStringLiteral("报警电压"))
                shown.alarmCells = QStringList{table->item(row, 1)->text(), table->item(row, 2)->text()};
        }
        d->accept();
    };
}

} // namespace

class TestVerify : public QObject
{
    Q_OBJECT

private slots:
    // A write the transmitter took compares equal; a field it keeps shows up
    // as exactly that row. The window's values never change.
    void againstTransmitterAfterWrite_data()
    {
        QTest::addColumn<QString>("ignored");
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("alarm");
        QTest::addColumn<QStringList>("differing");
        QTest::addColumn<QString>("summary");
        QTest::newRow("all taken") << QString() << 0 << 11.0 << QStringList() << "全部 87 项一致";
        QTest::newRow("travel CH1 L kept")
            << "spinBox_17" << 3 << 11.0 << QStringList{"CH1 舵机行程量（左）"} << "有 1 项不一致";
        QTest::newRow("mix kept") << "spinBox_93" << 0 << 11.0 << QStringList{"V型尾翼混控 升降一"} << "有 1 项不一致";
        // The record carries whole tenths: 11.15 is written, and reported, as 11.1.
        QTest::newRow("alarm 11.15 written as 11.1") << QString() << 0 << 11.15 << QStringList() << "全部 87 项一致";
        QTest::newRow("alarm 10.57 not taken")
            << "doubleSpinBox" << 0 << 10.57 << QStringList{"报警电压"} << "有 1 项不一致";
    }

    void againstTransmitterAfterWrite()
    {
        QFETCH(QString, ignored);
        QFETCH(int, channel);
        QFETCH(double, alarm);
        QFETCH(QStringList, differing);
        QFETCH(QString, summary);
        SimulatorHost sim;
        QVERIFY(sim.open());
        if (!ignored.isEmpty())
            sim.transmitter().ignoreWrites(ignored);
        QSignalSpy accepted(&sim, &SimulatorHost::recordsAccepted);
        MainWindow w;
        ModalWatcher watcher;
        openPort(w, sim.slavePath());
        setControl(w, QStringLiteral("spinBox_17"), 120);
        setControl(w, QStringLiteral("spinBox_93"), -20);
        setControl(w, QStringLiteral("comboBox_2"), channel);
        setControl(w, QStringLiteral("doubleSpinBox"), alarm);
        click(w, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 1);
        QVERIFY(shownMessage(w).contains(QStringLiteral("校验数据")));

        const auto before = recordValues(&w);
        Shown shown;
        answerVerify(watcher, shown);
        click(w, "pushButtonVerify");
        QCOMPARE(watcher.errors().size(), 0);
        QCOMPARE(shown.differingTitles, differing);
        QCOMPARE(shown.summary, summary);
        QVERIFY(shown.noted);
        QCOMPARE(recordValues(&w), before);
        if (!differing.isEmpty() && differing[0] == QStringLiteral("报警电压"))
            QCOMPARE(shown.alarmCells, (QStringList{"10.57（写入为 10.5）", "9.3"}));
    }

    // A transmitter that answers some groups only: what came is compared,
    // the rest is named and never counted as equal.
    void partialAnswerNamesWhatIsMissing()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        setControl(w, QStringLiteral("spinBox_17"), 99);
        Transmitter t;
        t.receive(probe.buildS().toLatin1() + probe.buildT(116).toLatin1());
        t.setValue(QStringLiteral("spinBox_17"), 98);
        const QByteArray answer = t.replyFrames().left(13 * 12); // all but the aux sources
        QTimer answerer;
        answerer.callOnTimeout([&] {
            if (link.drain(1).contains('R'))
                link.send(answer);
        });
        answerer.start(5);
        Shown shown;
        answerVerify(watcher, shown);
        click(w, "pushButtonVerify");
        QCOMPARE(watcher.errors().size(), 0);
        QCOMPARE(shown.summary, QStringLiteral("有 1 项不一致，有 4 项发射机没有回报"));
        QCOMPARE(shown.differingTitles, QStringList{"CH1 舵机行程量（左）"});
        QVERIFY(shown.note.contains(QStringLiteral("CH5 辅助通道、CH6 辅助通道、CH7 辅助通道、CH8 辅助通道")));
    }

    // A transmitter that stops answering: a message within seconds, the
    // partial answer and its late rest dropped, the window unchanged.
    void silentTransmitterTimesOut()
    {
        MainWindow w;
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        const QByteArray answer = frame(0xA3, {1, 0, 0, 0, 0});
        link.send(answer.left(6));
        QTest::qWait(50);
        const auto before = recordValues(&w);
        QElapsedTimer clock;
        clock.start();
        click(w, "pushButtonVerify");
        QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
        QTRY_COMPARE(watcher.errors().size(), 1);
        QVERIFY(watcher.errors()[0].text.contains(QStringLiteral("没有回报参数")));
        QCOMPARE(link.drain(50), QByteArray("R"));
        link.send(answer); // a whole frame, late: dropped
        QTest::qWait(100);
        QCOMPARE(recordValues(&w), before);
    }

    // The port goes while the question is open: choosing 发射机 afterwards
    // says the port is closed, after the one loss message, and sends nothing.
    void portLostWhileAsking()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        bool closed = false;
        QStringList others;
        int losses = 0;
        QTimer user;
        user.callOnTimeout([&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (box->text().contains(QStringLiteral("串口连接已断开"))) {
                ++losses;
                box->accept();
            } else if (box->text() == QStringLiteral("把窗口中的参数与哪一方比较？")) {
                if (!closed) {
                    link.pty.closeMaster();
                    closed = true;
                } else if (!probe.isComOpen() && losses > 0) {
                    for (QAbstractButton *b : box->buttons()) {
                        if (b->text() == QStringLiteral("发射机"))
                            b->click();
                    }
                }
            } else {
                others << box->text();
                box->accept();
            }
        });
        user.start(10);
        click(w, "pushButtonVerify");
        QTest::qWait(100);
        QCOMPARE(losses, 1);
        QCOMPARE(others, QStringList());
        QCOMPARE(shownMessage(w), QStringLiteral("串口未打开，请先打开串口"));
    }

    // Without an open port only a file is offered: the load dialog's rules,
    // mixes + 100.
    void againstFileWithoutPort()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        MainWindow w;
        ModalWatcher watcher;
        watcher.fileAnswers << path;
        click(w, "pushButtonSave");
        QVERIFY(QFile::exists(path));
        setControl(w, QStringLiteral("spinBox_93"), -20);

        Shown shown;
        answerVerify(watcher, shown, path);
        click(w, "pushButtonVerify");
        QCOMPARE(watcher.errors().size(), 0);
        QCOMPARE(shown.differingTitles, QStringList{"V型尾翼混控 升降一"});
        QVERIFY(!shown.noted);
    }
};

QTEST_MAIN(TestVerify)
#include "tst_verify.moc"
