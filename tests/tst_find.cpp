// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliprocess.h"
#include "linkend.h"
#include "mainwindow.h"
#include "messageline.h"
#include "otherprocess.h"
#include "portdoctor.h"
#include "simprocess.h"
#include "transmitter.h"
#include "transmitterfinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <poll.h>
#include <unistd.h>

namespace {

// Whatever reached the far end of a pseudo-terminal by now.
QByteArray heard(const PtyPair &pty)
{
    QByteArray bytes;
    char buffer[256];
    pollfd p{pty.masterFd(), POLLIN, 0};
    while (::poll(&p, 1, 50) > 0 && (p.revents & POLLIN)) {
        const ssize_t n = ::read(pty.masterFd(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

QString ownName()
{
    QFile f(QStringLiteral("/proc/self/comm"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).trimmed() : QString();
}

PortList::Port usbPort(const QString &name, quint16 vid, quint16 pid)
{
    return PortList::Port{name, QString(), vid, pid};
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
    }

    void cleanup()
    {
        qunsetenv("K6QX_EXTRA_PORTS");
        PortList::setPortEnumerator({});
    }

    // Ports whose adapter is in the chip table come first; the others, the
    // extra ports among them, only when all are asked for.
    void candidates_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<int>("platform");
        QTest::addColumn<QStringList>("expected");
        const int posix = int(PortNames::Platform::Unix);
        const int windows = int(PortNames::Platform::Windows);
        QTest::newRow("chips only") << false << posix << QStringList{"ttyUSB1", "ttyUSB0"};
        QTest::newRow("then every other") << true << posix
                                          << QStringList{"ttyUSB1", "ttyUSB0", "/dev/pts/7", "ttyS0", "ttyACM0"};
        QTest::newRow("Windows lists COM ports only") << true << windows << QStringList{"COM3", "/dev/pts/7", "COM1"};
    }
    void candidates()
    {
        QFETCH(bool, all);
        QFETCH(int, platform);
        QFETCH(QStringList, expected);
        const bool windows = PortNames::Platform(platform) == PortNames::Platform::Windows;
        const QList<PortList::Port> system =
            windows ? QList<PortList::Port>{{"COM1", {}, {}, {}}, usbPort("COM3", 0x1a86, 0x7523), {"LPT1", {}, {}, {}}}
                    : QList<PortList::Port>{{"ttyS0", {}, {}, {}}, usbPort("ttyUSB1", 0x1a86, 0x7523),
                                            usbPort("ttyUSB0", 0x0403, 0x6001),
                                            usbPort("ttyACM0", 0x2341, 0x0043)}; // an Arduino: no chip of the table
        QCOMPARE(TransmitterFinder::candidates(system, {"/dev/pts/7"}, all, PortNames::Platform(platform)), expected);
    }

    // k6qx-cli find among ports that stay silent: the simulator's port is
    // named on stdout, each port's account on stderr, and every port heard
    // the read request and nothing else.
    void cliFinds_data()
    {
        QTest::addColumn<bool>("simulator");
        QTest::addColumn<bool>("json");
        QTest::addColumn<int>("code");
        QTest::newRow("the simulator answers") << true << false << 0;
        QTest::newRow("--json") << true << true << 0;
        QTest::newRow("nothing answers") << false << false << 1;
    }
    void cliFinds()
    {
        QFETCH(bool, simulator);
        QFETCH(bool, json);
        QFETCH(int, code);
        PtyPair silent[2];
        QVERIFY(silent[0].open() && silent[1].open());
        const QString state = m_dir.filePath(QStringLiteral("state-%1").arg(QTest::currentDataTag()));
        std::unique_ptr<Simulator> sim;
        QStringList extra{silent[0].slavePath()};
        if (simulator) {
            sim = std::make_unique<Simulator>(QStringList{QStringLiteral("--state"), state});
            QVERIFY(!sim->port().isEmpty());
            extra << sim->port();
        }
        extra << silent[1].slavePath();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("K6QX_EXTRA_PORTS"), extra.join(QLatin1Char(':')));
        QStringList args{QStringLiteral("find"), QStringLiteral("--all")};
        if (json)
            args << QStringLiteral("--json");
        const CliRun r = cli(args, QString(), env);
        QCOMPARE(r.code, code);
        if (json) {
            const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
            QCOMPARE(o.value(QStringLiteral("answered")).toArray(), QJsonArray{sim->port()});
            QStringList results;
            for (const QJsonValue &port : o.value(QStringLiteral("ports")).toArray()) {
                if (extra.contains(port[QStringLiteral("port")].toString()))
                    results << port[QStringLiteral("result")].toString();
            }
            QCOMPARE(results, QStringList({"silent", "answered", "silent"}));
        } else {
            QCOMPARE(r.out, simulator ? sim->port() + QLatin1Char('\n') : QString());
            for (const PtyPair &pty : silent)
                QVERIFY2(r.errLines.contains(pty.slavePath() + QStringLiteral("：没有回报")), qPrintable(r.errLines.join('\n')));
            if (simulator)
                QVERIFY(r.errLines.contains(sim->port() + QStringLiteral("：发射机回报了全部参数（固件 300）")));
        }
        for (const PtyPair &pty : silent)
            QCOMPARE(heard(pty), QByteArray("R"));
        if (simulator)
            QCOMPARE(Simulator::receivedBy(state), QByteArray("R"));
    }

    // A port another process has open is not opened, nothing reaches it,
    // and its account says who holds it: one that keeps others out (sole
    // use and Qt's lock) as the doctor words it, one merely open by name.
    void heldPortIsNotTried_data()
    {
        QTest::addColumn<bool>("exclusive");
        QTest::addColumn<QString>("why");
        QTest::newRow("sole use and Qt's lock") << true << QStringLiteral("串口被其他程序占用：%1（进程 %2）");
        QTest::newRow("open only") << false << QStringLiteral("其他程序打开着这个串口：%1（进程 %2）");
    }
    void heldPortIsNotTried()
    {
        QFETCH(bool, exclusive);
        QFETCH(QString, why);
        PtyPair pty;
        QVERIFY(pty.open());
        OtherProcess other(pty.slavePath(), exclusive ? PortDoctor::lockPath(pty.slavePath()) : QString(),
                           {exclusive, QByteArray()});
        QVERIFY(other.ready());
        TransmitterFinder finder;
        finder.setAnswerTimeout(300);
        PortSettings settings;
        settings.baudRate = 115200;
        finder.run({pty.slavePath()}, settings);
        QCOMPARE(finder.attempts().size(), 1);
        QCOMPARE(finder.attempts()[0].result, TransmitterFinder::Result::NotTried);
        QCOMPARE(finder.account(), pty.slavePath() + QStringLiteral("：没有试：") + why.arg(ownName()).arg(other.pid()));
        QVERIFY(!finder.askedAny());
        QCOMPARE(heard(pty), QByteArray());
    }

    // 查找发射机 with 所有串口 ticked finds the transmitter among ports that
    // stay silent, chooses its port and opens it as the open button does;
    // 停止查找 while the first port is asked closes it and tries no other.
    void windowFinds_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("finds and opens") << false;
        QTest::newRow("stopped") << true;
    }
    void windowFinds()
    {
        QFETCH(bool, stop);
        PortList::setPortEnumerator([] { return QList<PortList::Port>(); });
        LinkEnd silentA, transmitter, silentB;
        Transmitter t;
        Answerer answerer(transmitter, [&t](int) { return t.replyFrames(); });
        const QString a = silentA.pty.slavePath(), tx = transmitter.pty.slavePath(), b = silentB.pty.slavePath();
        qputenv("K6QX_EXTRA_PORTS", QStringList{a, tx, b}.join(QLatin1Char(':')).toLocal8Bit());
        MainWindow w;
        QSignalSpy listed(&w, &MainWindow::portsListed);
        QVERIFY(listed.wait(5000));
        w.findChild<TransmitterFinder *>()->setAnswerTimeout(300);
        w.findChild<QCheckBox *>(QStringLiteral("checkBoxFindAll"))->setChecked(true);
        auto *find = w.findChild<QPushButton *>(QStringLiteral("pushButtonFind"));
        auto *open = w.findChild<QPushButton *>(QStringLiteral("pushButtonOpen"));
        auto *box = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        auto *message = w.findChild<MessageLine *>();
        find->click();
        QCOMPARE(find->text(), QStringLiteral("停止查找"));
        QVERIFY(!open->isEnabled());
        QVERIFY(!box->isEnabled());
        if (stop) {
            QTRY_VERIFY_WITH_TIMEOUT(message->fullText().startsWith(QStringLiteral("正在查找发射机：试 ") + a), 3000);
            find->click();
            QCOMPARE(find->text(), QStringLiteral("查找发射机"));
            QVERIFY(open->isEnabled() && box->isEnabled() && find->isEnabled());
            QCOMPARE(message->fullText(), QStringLiteral("%1：查找被停止，没有等到回报；查找已停止，其余 2 个串口没有试").arg(a));
            QTest::qWait(400); // past the answer time of the port given up on
            QCOMPARE(open->text(), QStringLiteral("打开"));
            QCOMPARE(answerer.received(), QByteArray());
            QCOMPARE(heard(silentB.pty), QByteArray());
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(open->text(), QStringLiteral("关闭"), 5000);
        QCOMPARE(box->currentText(), tx);
        QCOMPARE(message->fullText(),
                 QStringLiteral("%1：没有回报；%2：发射机回报了全部参数（固件 300）；%3：没有回报").arg(a, tx, b));
        QVERIFY(!find->isEnabled());
        QCOMPARE(answerer.received(), QByteArray("R"));
        QCOMPARE(heard(silentA.pty), QByteArray("R"));
        QCOMPARE(heard(silentB.pty), QByteArray("R"));
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
