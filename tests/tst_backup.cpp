// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window keeps what it has seen: the transmitter's set before the first
// write of a session, every complete read, what a write sent, and changes
// about to be replaced; a history that cannot be kept stops nothing.
#include "controls.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "paramhistory.h"
#include "replyframes.h"
#include "simulatorhost.h"
#include "transmitter.h"
#include "windowprobe.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using Kind = ParamHistory::Kind;

namespace {

QList<Kind> kinds(const ParamHistory &history)
{
    QList<Kind> k;
    for (const ParamHistory::Entry &e : history.entries())
        k.prepend(e.kind); // oldest first
    return k;
}

QByteArray entryBytes(const ParamHistory &history, Kind kind)
{
    for (const ParamHistory::Entry &e : history.entries()) {
        if (e.kind == kind) {
            QFile f(e.path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }
    }
    return {};
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder;

private slots:
    void init()
    {
        static int n = 0;
        m_folder = m_dir.filePath(QStringLiteral("history-%1").arg(++n));
        qputenv("K6QX_HISTORY_DIR", m_folder.toLocal8Bit());
    }

    // The first write of a session reads first: R, then S and T; the
    // transmitter's old set and the set sent are kept; the next write of
    // the session sends the records only.
    void firstWriteBacksUp()
    {
        SimulatorHost sim;
        QVERIFY(sim.open());
        const QByteArray oldAnswer = sim.transmitter().replyFrames();
        QByteArray received;
        connect(&sim, &SimulatorHost::bytesReceived, this, [&](const QByteArray &b) { received += b; });
        QSignalSpy accepted(&sim, &SimulatorHost::recordsAccepted);
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        openPort(w, sim.slavePath());
        setControl(w, QStringLiteral("spinBox_17"), 99);
        const QByteArray records = (probe.buildS() + probe.buildT(116)).toLatin1();
        click(w, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 1);
        QCOMPARE(received, "RR" + records); // the backup is a confirmed read

        QCOMPARE(controlValue(w, "spinBox_17"), 99.0); // the backup never reaches the window
        ParamHistory history(m_folder);
        QCOMPARE(kinds(history), (QList<Kind>{Kind::BeforeWrite, Kind::Written}));
        // What the transmitter reports, the rest (the dual-rate switch) the window's.
        MapParamAccess backup;
        QString error;
        QVERIFY(ParamHistory::load(history.entries().last().path, &backup, &error));
        MapParamAccess reported = backup;
        const QByteArray answer = oldAnswer;
        for (int i = 0; i + ReplyFrames::kFrameLength <= answer.size(); i += ReplyFrames::kFrameLength)
            ReplyFrames::decode(QString::fromLatin1(answer.mid(i, ReplyFrames::kFrameLength).toHex()), reported);
        reported.values.remove(QStringLiteral("spinBox_46")); // the firmware version: in no record
        QCOMPARE(backup.values, reported.values);
        QVERIFY(entryBytes(history, Kind::BeforeWrite) != entryBytes(history, Kind::Written));
        QCOMPARE(entryBytes(history, Kind::Written), (probe.buildS() + probe.buildT(100)).toLatin1());

        click(w, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 2);
        QCOMPARE(received, "RR" + records + records);
        QVERIFY(watcher.errors().isEmpty());
    }

    // A complete read is kept once, as the transmitter reported it; changes
    // it replaces are kept first.
    void readKeepsWhatCame()
    {
        SimulatorHost sim;
        QVERIFY(sim.open());
        sim.transmitter().setValue(QStringLiteral("spinBox_17"), 130); // beyond the control's 120
        MainWindow w;
        openPort(w, sim.slavePath());
        setControl(w, QStringLiteral("spinBox_9"), 33);
        click(w, "pushButtonRead");
        QTRY_VERIFY(shownMessage(w).startsWith(QStringLiteral("已读取全部")));
        ParamHistory history(m_folder);
        QCOMPARE(kinds(history), (QList<Kind>{Kind::Edits, Kind::Read}));
        MapParamAccess read;
        QString error;
        QVERIFY(ParamHistory::load(history.entries().first().path, &read, &error));
        QCOMPARE(read.value(QStringLiteral("spinBox_17")), 130.0);
        QCOMPARE(controlValue(w, "spinBox_17"), 120.0);
        // The window cannot hold 130: the account says so, and the control is
        // marked, as a write would send 120.
        QVERIFY2(shownMessage(w).contains(QStringLiteral("CH1 舵机行程量（左） 130 → 120")),
                 qPrintable(shownMessage(w)));
        QVERIFY(w.findChild<QWidget *>(QStringLiteral("spinBox_17"))->property("k6Changed").toBool());
        QVERIFY(w.isWindowModified());
        // The sheet of this set marks what the transmitter does not report.
        QCOMPARE(w.transmitterWork().origin().unreported,
                 (QStringList{QStringLiteral("comboBox"), QStringLiteral("comboBox_2")}));
        MapParamAccess edits;
        QVERIFY(ParamHistory::load(history.entries().last().path, &edits, &error));
        QCOMPARE(edits.value(QStringLiteral("spinBox_9")), 33.0);
    }

    // Before every write the transmitter's set as it was is in the history:
    // from the backup, or from a read or verify of this opening of the port.
    // A read that brings the set the last read of the port kept keeps no
    // second entry, and that entry counts as kept.
    void setBeforeWritingIsKept_data()
    {
        QTest::addColumn<QString>("before"); // steps: verify, read, reopen, change (the transmitter's set)
        QTest::addColumn<QList<Kind>>("kept");
        QTest::newRow("write alone") << "" << QList<Kind>{Kind::BeforeWrite, Kind::Written};
        QTest::newRow("verify, then write") << "verify" << QList<Kind>{Kind::Read, Kind::Written};
        QTest::newRow("read, then write") << "read" << QList<Kind>{Kind::Read, Kind::Written};
        QTest::newRow("read, reopen, then write")
            << "read reopen" << QList<Kind>{Kind::Read, Kind::BeforeWrite, Kind::Written};
        QTest::newRow("read, reopen, the same set read, then write")
            << "read reopen read" << QList<Kind>{Kind::Read, Kind::Written};
        QTest::newRow("read, another set read, then write")
            << "read change read" << QList<Kind>{Kind::Read, Kind::Read, Kind::Written};
    }
    void setBeforeWritingIsKept()
    {
        QFETCH(QString, before);
        QFETCH(QList<Kind>, kept);
        SimulatorHost sim;
        QVERIFY(sim.open());
        sim.transmitter().setValue(QStringLiteral("spinBox_10"), 17);
        MainWindow w;
        ModalWatcher watcher;
        watcher.onDialog = [](QDialog *d) { d->reject(); }; // the comparison
        openPort(w, sim.slavePath());
        for (const QString &step : before.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("verify")) {
                click(w, "pushButtonVerify");
            } else if (step == QLatin1String("read")) {
                click(w, "pushButtonRead");
                QTRY_VERIFY(shownMessage(w).startsWith(QStringLiteral("已读取全部")));
            } else if (step == QLatin1String("reopen")) {
                click(w, "pushButtonOpen");
                click(w, "pushButtonOpen");
            } else {
                sim.transmitter().setValue(QStringLiteral("spinBox_10"), 18);
            }
        }
        const double old = sim.transmitter().value(QStringLiteral("spinBox_10"));
        setControl(w, QStringLiteral("spinBox_10"), -33);
        QSignalSpy accepted(&sim, &SimulatorHost::recordsAccepted);
        click(w, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 1);
        QCOMPARE(sim.transmitter().value(QStringLiteral("spinBox_10")), -33.0);
        ParamHistory history(m_folder);
        QCOMPARE(kinds(history), kept);
        MapParamAccess backup;
        QString error;
        QVERIFY(ParamHistory::load(history.entries().at(1).path, &backup, &error));
        QCOMPARE(backup.value(QStringLiteral("spinBox_10")), old);
        QVERIFY(watcher.errors().isEmpty());
    }

    // A write while a read's answer still arrives ends the read first: its
    // account says so, nothing of it is kept, its late frames land nowhere,
    // what is sent is what the window showed at the click, and the window
    // stands as written.
    void writeDuringARead()
    {
        SimulatorHost sim;
        QVERIFY(sim.open());
        sim.setBaudRate(9600); // an answer takes 175 ms
        sim.transmitter().setValue(QStringLiteral("spinBox_10"), 17);
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        w.findChild<QComboBox *>(QStringLiteral("comboBoxBaudRate"))->setCurrentText(QStringLiteral("9600"));
        openPort(w, sim.slavePath());
        setControl(w, QStringLiteral("spinBox_10"), -33);
        QSignalSpy accepted(&sim, &SimulatorHost::recordsAccepted);
        click(w, "pushButtonRead");
        QTest::qWait(60); // some frames have come, shown as they came
        const QByteArray records = (probe.buildS() + probe.buildT(116)).toLatin1();
        const double shown = controlValue(w, "spinBox_10");
        click(w, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 1);
        QTest::qWait(400); // whatever was still on its way
        QVERIFY2(!shownMessage(w).startsWith(QStringLiteral("已读取全部")),
                 qPrintable(shownMessage(w)));
        QCOMPARE(controlValue(w, "spinBox_10"), shown);
        QVERIFY(!w.isWindowModified());
        QCOMPARE((probe.buildS() + probe.buildT(116)).toLatin1(), records);
        QCOMPARE(sim.transmitter().value(QStringLiteral("spinBox_10")), shown);
        // The edits the read was to replace, the backup, the set written;
        // the read was kept nowhere.
        QCOMPARE(kinds(ParamHistory(m_folder)), (QList<Kind>{Kind::Edits, Kind::BeforeWrite, Kind::Written}));
        QVERIFY(watcher.errors().isEmpty());
    }

    // Answers that never agree: the window says so and names what differed;
    // nothing becomes the baseline or goes into the history.
    void disagreeingAnswers()
    {
        MainWindow w;
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        Answerer transmitter(link, [](int request) {
            Transmitter t;
            t.setValue(QStringLiteral("spinBox_9"), 10 + request);
            return t.replyFrames();
        });
        const double own = controlValue(w, QStringLiteral("spinBox_9"));
        click(w, "pushButtonRead");
        QTRY_VERIFY_WITH_TIMEOUT(shownMessage(w).contains(QStringLiteral("没有两次相同")), 5000);
        QVERIFY2(shownMessage(w).contains(QStringLiteral("CH1 中点微调")),
                 qPrintable(shownMessage(w)));
        QCOMPARE(transmitter.requests(), 4);
        // None was taken: the window shows its own values again.
        QVERIFY(!w.isWindowModified());
        QCOMPARE(controlValue(w, QStringLiteral("spinBox_9")), own);
        QVERIFY(ParamHistory(m_folder).entries().isEmpty());
        QVERIFY(watcher.errors().isEmpty());
    }

    // A transmitter that reports nothing: the question, default 否. 否 sends
    // nothing after the request; 是 writes without a backup.
    void silentTransmitterAsks_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("否") << false;
        QTest::newRow("是") << true;
    }
    void silentTransmitterAsks()
    {
        QFETCH(bool, yes);
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        watcher.boxAnswers << (yes ? QMessageBox::Yes : QMessageBox::No);
        LinkEnd link;
        link.openIn(w);
        click(w, "pushButtonSend2");
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].text, QStringLiteral("发射机没有回报当前参数，写入前无法备份。\n仍然写入？"));
        const QByteArray sent = link.drain(200);
        QCOMPARE(sent, yes ? "R" + (probe.buildS() + probe.buildT(116)).toLatin1() : QByteArray("R"));
        QCOMPARE(kinds(ParamHistory(m_folder)), yes ? QList<Kind>{Kind::Written} : QList<Kind>{});
    }

    // A history folder that cannot be made: the warning stays in the status
    // bar until an entry is kept, and a write whose backup cannot be kept is
    // a question first (默认 否): nothing is written on the assumption that a
    // backup exists.
    void unkeptBackupIsAQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void unkeptBackupIsAQuestion()
    {
        QFETCH(bool, yes);
        QFile blocker(m_folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        auto *warning = w.findChild<QLabel *>(QStringLiteral("historyWarning"));
        QVERIFY(warning->isVisibleTo(&w));
        QVERIFY(warning->toolTip().contains(QStringLiteral("参数历史没有保存")));
        watcher.boxAnswers << (yes ? QMessageBox::Yes : QMessageBox::No);
        Answerer transmitter(link, [](int) { return Transmitter().replyFrames(); });
        const QByteArray records = (probe.buildS() + probe.buildT(116)).toLatin1();
        click(w, "pushButtonSend2");
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QVERIFY(watcher.boxes.first().text.startsWith(QStringLiteral("备份没有保存：")));
        link.drain(200);
        QCOMPARE(transmitter.received(), yes ? "RR" + records : QByteArray("RR"));
        QVERIFY(warning->isVisibleTo(&w));

        // Kept again: the warning goes.
        QFile::remove(m_folder);
        click(w, "pushButtonRead");
        QTRY_VERIFY_WITH_TIMEOUT(!warning->isVisibleTo(&w), 5000);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
