// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Answers to the read request as the window and the answer wait see them:
// cut into frames from the request on, whatever came before, and accounted
// for once they are complete or their time is over.
#include "controls.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "answercollector.h"
#include "transmitter.h"
#include "transmittersession.h"
#include "windowprobe.h"

#include <QStatusBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The account is due after the answer time (about 1 s at 115200 baud); a
// broken session fails well within seconds.
constexpr int kAccountMs = 2000;

// A transmitter whose eight sub-trims all differ, so a frame cut from the
// wrong byte shows at once.
Transmitter transmitter()
{
    Transmitter t;
    const char *const subTrims[] = {"spinBox_9", "spinBox_10", "spinBox_11", "spinBox_12",
                                    "spinBox_13", "spinBox_14", "spinBox_15", "spinBox_16"};
    int v = -35;
    for (const char *c : subTrims)
        t.setValue(QLatin1String(c), v += 9);
    t.setValue(QStringLiteral("spinBox_17"), 77);
    return t;
}

bool showsSubTrims(MainWindow &w, const Transmitter &t)
{
    for (int i = 9; i <= 16; ++i) {
        const QString name = QStringLiteral("spinBox_%1").arg(i);
        if (controlValue(w, name) != t.value(name))
            return false;
    }
    return true;
}

// The account's first line, without its details.
QString statusOf(MainWindow &w)
{
    return shownMessage(w).section(QLatin1Char('\n'), 0, 0);
}

// Sends chunks to the far end one after another with gaps, from the event
// loop, while the code under test waits in its own.
void sendLater(LinkEnd &link, const QList<QByteArray> &chunks, int gapMs)
{
    for (int i = 0; i < chunks.size(); ++i)
        QTimer::singleShot(gapMs * (i + 1), [&link, c = chunks[i]] { link.send(c); });
}

} // namespace

class TestAnswers : public QObject
{
    Q_OBJECT

private slots:
    // Bytes before the request never shift the answer's frames: stray bytes
    // while the port is open, bytes waiting in the driver when it is opened,
    // the cut-off start of an earlier answer.
    void bytesBeforeTheRequestAreDropped_data()
    {
        QTest::addColumn<int>("stray");
        QTest::addColumn<bool>("beforeOpening");
        QTest::newRow("1 stray byte") << 1 << false;
        QTest::newRow("5 stray bytes") << 5 << false;
        QTest::newRow("7 stray bytes") << 7 << false;
        QTest::newRow("13 stray bytes") << 13 << false;
        QTest::newRow("7 bytes waiting when opened") << 7 << true;
        QTest::newRow("stale 5 bytes of an earlier answer") << -5 << false;
    }
    void bytesBeforeTheRequestAreDropped()
    {
        QFETCH(int, stray);
        QFETCH(bool, beforeOpening);
        const Transmitter t = transmitter();
        const QByteArray answer = t.replyFrames();
        const QByteArray before = stray > 0 ? QByteArray(stray, '\0') : answer.left(-stray);
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        if (beforeOpening)
            link.send(before);
        link.openIn(w);
        if (!beforeOpening) {
            link.send(before);
            QTRY_COMPARE(probe.recvCount(), int(before.size()));
        }
        // Requested at once after opening, as the command-line tool does.
        click(w, "pushButtonRead");
        QCOMPARE(link.receive(1), QByteArray("R"));
        link.send(answer);
        link.confirm(answer);
        QTRY_VERIFY_WITH_TIMEOUT(statusOf(w).startsWith(QStringLiteral("已读取全部 14 组参数")), kAccountMs);
        QVERIFY(showsSubTrims(w, t));
        QCOMPARE(controlValue(w, "spinBox_17"), 77.0);
        QCOMPARE(probe.rxFlag(), 0);
        if (!beforeOpening)
            QCOMPARE(probe.recvCount(), int(before.size() + 2 * answer.size()));
    }

    // USB and Bluetooth adapters deliver an answer in chunks with gaps.
    void answerSplitAcrossDeliveriesDecodes()
    {
        const Transmitter t = transmitter();
        const QByteArray answer = t.replyFrames();
        MainWindow w;
        LinkEnd link;
        link.openIn(w);
        click(w, "pushButtonRead");
        QCOMPARE(link.receive(1), QByteArray("R"));
        sendLater(link, {answer.left(17), answer.mid(17, 50), answer.mid(67, 1), answer.mid(68)}, 40);
        link.confirm(answer);
        QTRY_VERIFY_WITH_TIMEOUT(statusOf(w).startsWith(QStringLiteral("已读取全部")), kAccountMs);
        QVERIFY(showsSubTrims(w, t));
    }

    // 读取数据 ends with what came; an incomplete answer keeps the window's
    // values for what did not come, and its late rest changes nothing.
    void readEndsWithAnAccount_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<QString>("account");
        QTest::newRow("nothing") << 0 << QStringLiteral("发射机没有回报参数");
        QTest::newRow("9 of 14")
            << 9 << QStringLiteral("只收到 9 组参数（共 14 组），未收到的参数仍是窗口原来的值："
                                   "舵机延迟、大小舵比例、可编程混控比例和主控、可编程混控被控和开关、辅助通道");
    }
    void readEndsWithAnAccount()
    {
        QFETCH(int, frames);
        QFETCH(QString, account);
        Transmitter t = transmitter();
        t.setValue(QStringLiteral("spinBox_41"), 3); // CH5 source, in the last frame
        const QByteArray answer = t.replyFrames();
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        const double ownSource = controlValue(w, "spinBox_41");
        QVERIFY(ownSource != 3);
        click(w, "pushButtonRead");
        QCOMPARE(link.receive(1), QByteArray("R"));
        link.send(answer.left(12 * frames));
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(w), account, kAccountMs);
        QCOMPARE(showsSubTrims(w, t), frames > 1);
        // What did not come is marked as the window's old value, what came
        // is not; an agreed read takes the marks away.
        auto *source = w.findChild<QWidget *>(QStringLiteral("spinBox_41"));
        auto *subTrim = w.findChild<QWidget *>(QStringLiteral("spinBox_9"));
        QVERIFY(source->property("k6Stale").toBool());
        QCOMPARE(subTrim->property("k6Stale").toBool(), frames == 0);
        QVERIFY(source->toolTip().contains(QStringLiteral("这次读取没有回报")));

        link.send(answer.mid(12 * frames)); // late: dropped, but counted
        QTRY_COMPARE(probe.recvCount(), int(answer.size()));
        QTest::qWait(30);
        QCOMPARE(controlValue(w, "spinBox_41"), ownSource);

        // The next request takes its whole answer.
        click(w, "pushButtonRead");
        QCOMPARE(link.receive(1), QByteArray("R"));
        link.send(answer);
        link.confirm(answer);
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(w), QStringLiteral("已读取全部 14 组参数"), kAccountMs);
        QCOMPARE(controlValue(w, "spinBox_41"), 3.0);
        QVERIFY(!source->property("k6Stale").toBool());
        QVERIFY(!source->toolTip().contains(QStringLiteral("这次读取没有回报")));
    }

    void closedPortIsSaid_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::newRow("读取数据") << QStringLiteral("pushButtonRead");
        QTest::newRow("写入数据") << QStringLiteral("pushButtonSend2");
    }
    void closedPortIsSaid()
    {
        QFETCH(QString, buttonName);
        MainWindow w;
        ModalWatcher watcher;
        click(w, qPrintable(buttonName));
        QCOMPARE(statusOf(w), QStringLiteral("串口未打开，请先打开串口"));
        QTest::qWait(50);
        QVERIFY(watcher.boxes.isEmpty());
    }

    // The answer wait ends when every group came, not at the first frame,
    // and names what did not come once the time is over.
    void answerWaitSeesEveryGroup_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("outcome");
        QTest::newRow("all, frame by frame") << 14 << int(AnswerCollector::Outcome::Complete);
        QTest::newRow("13 of 14") << 13 << int(AnswerCollector::Outcome::Partial);
        QTest::newRow("1 of 14") << 1 << int(AnswerCollector::Outcome::Partial);
        QTest::newRow("none") << 0 << int(AnswerCollector::Outcome::TimedOut);
    }
    void answerWaitSeesEveryGroup()
    {
        QFETCH(int, frames);
        QFETCH(int, outcome);
        Transmitter t = transmitter();
        t.setValue(QStringLiteral("spinBox_44"), 4); // CH8 source, in the last frame
        const QByteArray answer = t.replyFrames();
        LinkEnd link;
        TransmitterSession session;
        QVERIFY(session.open(link.pty.slavePath()));
        QList<QByteArray> chunks;
        for (int i = 0; i < frames; ++i)
            chunks << answer.mid(12 * i, 12);
        sendLater(link, chunks, 15);
        MapParamAccess into;
        into.setValue(QStringLiteral("spinBox_44"), 1);
        AnswerCollector collector(session);
        collector.setAnswerTimeout(600);
        QCOMPARE(int(collector.run(AnswerCollector::Mode::Single, into)), outcome);
        const QList<quint8> groups = collector.groups();
        QCOMPARE(groups.size(), frames);
        into = collector.values();
        QCOMPARE(into.value(QStringLiteral("spinBox_44")), frames == 14 ? 4.0 : 1.0);
        if (frames > 1)
            QCOMPARE(into.value(QStringLiteral("spinBox_10")), t.value(QStringLiteral("spinBox_10")));
    }

    // Bytes that came while a write held the events back are still in Qt's
    // buffer when the next request goes out: counted, then dropped.
    void bytesReadOffAtTheRequestAreCounted()
    {
        LinkEnd link;
        TransmitterSession session;
        QVERIFY(session.open(link.pty.slavePath()));
        link.send(QByteArray(7, '\x55'));
        QCOMPARE(session.writeRecords(QByteArray(81, 'S'), [] { return QByteArray(81, 'T'); }),
                 TransmitterSession::WriteResult::Written);
        QVERIFY(session.requestRead());
        QCOMPARE(session.receivedBytes(), 7);
        QCOMPARE(session.pendingBytes(), 0);
        QTest::qWait(20);
        QCOMPARE(session.receivedBytes(), 7);
    }

    // Frames carry no checksum: a read standing on its own is taken only
    // when two complete answers in a row are alike.
    void confirmedReadNeedsTwoAlike_data()
    {
        QTest::addColumn<QList<int>>("subTrims"); // CH1 sub-trim of each answer
        QTest::addColumn<int>("outcome");
        QTest::addColumn<double>("taken");
        QTest::newRow("alike") << QList<int>{5, 5, 5, 5} << int(AnswerCollector::Outcome::Complete) << 5.0;
        QTest::newRow("first one differs") << QList<int>{9, 5, 5, 5} << int(AnswerCollector::Outcome::Complete) << 5.0;
        QTest::newRow("none alike") << QList<int>{1, 2, 3, 4} << int(AnswerCollector::Outcome::Unconfirmed) << 0.0;
        QTest::newRow("a confirming request unanswered is asked again")
            << QList<int>{5, -1, 5} << int(AnswerCollector::Outcome::Complete) << 5.0;
        QTest::newRow("no first answer ends it") << QList<int>{-1, 5, 5} << int(AnswerCollector::Outcome::TimedOut) << 0.0;
        QTest::newRow("the port lost meanwhile") << QList<int>{5, -2} << int(AnswerCollector::Outcome::Lost) << 0.0;
    }
    void confirmedReadNeedsTwoAlike()
    {
        QFETCH(QList<int>, subTrims);
        QFETCH(int, outcome);
        QFETCH(double, taken);
        LinkEnd link;
        TransmitterSession session;
        QVERIFY(session.open(link.pty.slavePath()));
        Answerer answerer(link, [&](int request) {
            if (request < subTrims.size() && subTrims[request] == -2)
                link.pty.closeMaster(); // the adapter pulled out
            if (request >= subTrims.size() || subTrims[request] < 0)
                return QByteArray();
            Transmitter t;
            t.setValue(QStringLiteral("spinBox_9"), subTrims[request]);
            return t.replyFrames();
        });
        AnswerCollector collector(session);
        collector.setAnswerTimeout(300);
        QCOMPARE(int(collector.run(AnswerCollector::Mode::Confirmed, MapParamAccess())), outcome);
        QCOMPARE(collector.values().value(QStringLiteral("spinBox_9")), taken);
    }

    // The answer time is the wire time of 168 bytes of 12 bits plus a second.
    void answerTimeIsWireTimePlusMargin_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("ms");
        QTest::newRow("1200") << 1200 << 2681;
        QTest::newRow("9600") << 9600 << 1211;
        QTest::newRow("115200") << 115200 << 1018;
    }
    void answerTimeIsWireTimePlusMargin()
    {
        QFETCH(int, baud);
        QFETCH(int, ms);
        QCOMPARE(AnswerCollector::answerTimeoutMs(baud), ms);
    }

    // A read-back right after a write gets a second request when the first
    // one went unanswered (a transmitter still storing what it took).
    void readBackAsksAgain()
    {
        const Transmitter t = transmitter();
        LinkEnd link;
        TransmitterSession session;
        QVERIFY(session.open(link.pty.slavePath()));
        Answerer answerer(link, [&t](int request) { return request == 1 ? t.replyFrames() : QByteArray(); });
        AnswerCollector collector(session);
        collector.setAnswerTimeout(300);
        QCOMPARE(collector.run(AnswerCollector::Mode::ReadBack, MapParamAccess()), AnswerCollector::Outcome::Complete);
        QCOMPARE(answerer.requests(), 2);
        QCOMPARE(collector.values().value(QStringLiteral("spinBox_16")), t.value(QStringLiteral("spinBox_16")));
    }
};

QTEST_MAIN(TestAnswers)
#include "tst_answers.moc"
