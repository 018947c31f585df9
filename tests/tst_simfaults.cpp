// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramaccess.h"
#include "recordcodec.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

// The simulator program's line faults, seen from the far end of its
// pseudo-terminal as a serial tool sees them.
namespace {

constexpr int kAnswerLength = 14 * 12;

struct Heard
{
    QByteArray bytes;
    qint64 firstMs = -1;
    qint64 lastMs = -1;
    bool hungUp = false;
};

class Sim
{
public:
    explicit Sim(const QStringList &args)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(K6_SIMULATOR_PROGRAM), args);
        if (!m_process.waitForStarted(5000) || !m_process.waitForReadyRead(5000))
            return;
        const QByteArray port = m_process.readLine().trimmed();
        m_fd = ::open(port.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios tio{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~Sim()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }
    bool isOpen() const { return m_fd >= 0; }

    bool send(const QByteArray &bytes) { return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size(); }

    // Everything that arrives until the line has been quiet for quietMs (or
    // hangs up), never longer than three seconds.
    Heard listen(int quietMs = 300)
    {
        Heard heard;
        QElapsedTimer clock;
        clock.start();
        qint64 lastActivity = 0;
        while (clock.elapsed() < 3000 && clock.elapsed() - lastActivity < quietMs) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0) {
                heard.bytes.append(buffer, int(n));
                lastActivity = heard.lastMs = clock.elapsed();
                if (heard.firstMs < 0)
                    heard.firstMs = heard.lastMs;
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                heard.hungUp = true;
                break;
            }
        }
        return heard;
    }

    Heard answerTo(const QByteArray &request, int quietMs = 300)
    {
        if (!send(request))
            return {};
        return listen(quietMs);
    }

private:
    QProcess m_process;
    int m_fd = -1;
};

QByteArray cleanAnswer()
{
    Sim sim({});
    return sim.isOpen() ? sim.answerTo("R").bytes : QByteArray();
}

// The bytes of a and b that differ, or -1 when their lengths differ.
int differingBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        n += a.at(i) != b.at(i);
    return n;
}

bool isWithOneByteLess(const QByteArray &whole, const QByteArray &part)
{
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (QByteArray(whole).remove(i, 1) == part)
            return true;
    }
    return false;
}

} // namespace

class TestSimFaults : public QObject
{
    Q_OBJECT

private slots:
    // kind: "prefix" (the first length bytes of the clean answer), "one less"
    // (the first length bytes of it with one byte taken out), "one changed".
    void answerFaults_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("hangUp");
        QTest::newRow("no faults") << QStringList() << "prefix" << kAnswerLength << false;
        QTest::newRow("cut after 30") << QStringList{"--cut-after", "30"} << "prefix" << 30 << false;
        QTest::newRow("cut after 0") << QStringList{"--cut-after", "0"} << "prefix" << 0 << false;
        QTest::newRow("cut beyond the answer") << QStringList{"--cut-after", "500"} << "prefix" << kAnswerLength << false;
        QTest::newRow("drop never") << QStringList{"--drop", "0"} << "prefix" << kAnswerLength << false;
        QTest::newRow("drop always") << QStringList{"--drop", "1", "--seed", "4"} << "one less" << kAnswerLength - 1 << false;
        QTest::newRow("drop, then cut") << QStringList{"--drop", "1", "--cut-after", "100"} << "one less" << 100 << false;
        QTest::newRow("corrupt always") << QStringList{"--corrupt", "1", "--seed", "4"} << "one changed" << kAnswerLength << false;
        QTest::newRow("hang up after 50") << QStringList{"--hang-up-after", "50"} << "prefix" << 50 << true;
    }

    void answerFaults()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, kind);
        QFETCH(int, length);
        QFETCH(bool, hangUp);
        const QByteArray clean = cleanAnswer();
        QCOMPARE(clean.size(), kAnswerLength);
        Sim sim(args);
        QVERIFY(sim.isOpen());
        const Heard heard = sim.answerTo("R");
        QCOMPARE(heard.hungUp, hangUp);
        QCOMPARE(heard.bytes.size(), length);
        if (kind == QLatin1String("prefix"))
            QCOMPARE(heard.bytes, clean.left(length));
        else if (kind == QLatin1String("one less"))
            QVERIFY(isWithOneByteLess(clean.left(length + 1), heard.bytes));
        else
            QCOMPARE(differingBytes(heard.bytes, clean), 1);
    }

    void seedRepeatsTheFaults()
    {
        const QStringList faults{"--drop", "0.5", "--corrupt", "0.5"};
        const auto run = [&](const char *seed) {
            Sim sim(faults + QStringList{"--seed", QLatin1String(seed)});
            QByteArray all;
            for (int i = 0; i < 6 && sim.isOpen(); ++i)
                all += sim.answerTo("R", 150).bytes;
            return all;
        };
        const QByteArray first = run("7");
        QVERIFY(!first.isEmpty());
        QCOMPARE(run("7"), first);
        QVERIFY(run("8") != first);
    }

    void frameGapPausesBetweenFrames()
    {
        const QByteArray clean = cleanAnswer();
        Sim sim({"--frame-gap", "30"});
        QVERIFY(sim.isOpen());
        const Heard heard = sim.answerTo("R");
        QCOMPARE(heard.bytes, clean);
        // Thirteen pauses between the fourteen frames.
        QVERIFY2(heard.lastMs - heard.firstMs >= 13 * 30 - 10, qPrintable(QString::number(heard.lastMs - heard.firstMs)));
    }

    void strayBytesOnlyWhileIdle()
    {
        const QByteArray clean = cleanAnswer();
        Sim sim({"--stray-every", "20", "--seed", "3"});
        QVERIFY(sim.isOpen());
        const Heard idle = sim.listen(400);
        QVERIFY(!idle.bytes.isEmpty());
        // Never inside an answer: the whole answer arrives in one piece.
        const Heard busy = sim.answerTo("R", 200);
        QVERIFY(busy.bytes.contains(clean));
    }

    void dumpFollowsWrites()
    {
        QTemporaryDir dir;
        const QString dump = dir.filePath(QStringLiteral("set.dat"));
        Sim sim({"--dump", dump});
        QVERIFY(sim.isOpen());
        QFile factory(dump);
        QVERIFY(factory.open(QIODevice::ReadOnly));
        const QByteArray before = factory.readAll();
        QVERIFY(Records::isParameterFile(QString::fromLatin1(before)));

        MapParamAccess values;
        Records::applyStartingValues(values);
        values.setValue(QStringLiteral("spinBox_17"), 111);
        values.setValue(QStringLiteral("spinBox_93"), -20);
        values.setValue(QLatin1String(Records::kDualRateChannel), 2);
        QVERIFY(sim.send((Records::build(Records::sFormat(), values) + Records::build(Records::tFormat(), values))
                             .toLatin1()));
        const QByteArray written = (Records::build(Records::sFormat(), values)
                                    + Records::build(Records::tFormat(), values, Records::kMixBiasFile))
                                       .toLatin1();
        QByteArray after;
        QTRY_VERIFY_WITH_TIMEOUT((after = [&] {
                                     QFile f(dump);
                                     return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
                                 }()) != before,
                                 3000);
        QCOMPARE(after, written);
    }
};

QTEST_GUILESS_MAIN(TestSimFaults)
#include "tst_simfaults.moc"
