// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramaccess.h"
#include "ptypair.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "simulatorhost.h"
#include "transmitter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <cmath>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

using LogKind = Transmitter::LogKind;

namespace {

// The two records a freshly opened window writes.
const QString kFreshWindowS =
    QStringLiteral("S00100000787878787878787870707070707070707070707070707070424210424242424213027F2Y");
const QString kFreshWindowT =
    QStringLiteral("T41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z");
const QString kFirmware = QStringLiteral("spinBox_46");
const QString kDualRateChannel = QLatin1String(Records::kDualRateChannel);
const QString kRateUp = QStringLiteral("spinBox_79");
const QString kRateDown = QStringLiteral("spinBox_80");

QStringList recordControls()
{
    QStringList controls;
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &f : *format)
            controls << QLatin1String(f.control);
    }
    return controls;
}

QStringList frameControls()
{
    QStringList controls;
    for (const quint8 group : ReplyFrames::groups()) {
        for (const ReplyFrames::Slot &s : ReplyFrames::slotsOf(group)) {
            if (s.kind != ReplyFrames::SlotKind::DualRate)
                controls << QLatin1String(s.control);
        }
    }
    return controls;
}

// Every value the transmitter holds apart from the dual rates.
QStringList heldControls()
{
    QStringList controls = recordControls();
    controls.removeAll(kRateUp);
    controls.removeAll(kRateDown);
    return controls << kFirmware;
}

MapParamAccess freshWindow()
{
    MapParamAccess window;
    Records::apply(Records::sFormat(), kFreshWindowS, window);
    Records::apply(Records::tFormat(), kFreshWindowT, window);
    window.setValue(kFirmware, 0);
    return window;
}

// What the window makes of an answer while its dual-rate box shows channel.
MapParamAccess decodeAnswer(const QByteArray &answer, int channel)
{
    MapParamAccess window;
    window.setValue(kDualRateChannel, channel);
    for (int i = 0; i + ReplyFrames::kFrameLength <= answer.size(); i += ReplyFrames::kFrameLength)
        ReplyFrames::decode(QString::fromLatin1(answer.mid(i, ReplyFrames::kFrameLength).toHex()), window);
    return window;
}

// A parameter set unlike the factory one in every value, with range ends
// where they test the biases.
MapParamAccess changedSet(int dualRateChannel)
{
    MapParamAccess set = freshWindow();
    set.values.remove(kFirmware);
    set.setValue(QStringLiteral("spinBox_9"), -100);
    set.setValue(QStringLiteral("spinBox_10"), 100);
    set.setValue(QStringLiteral("spinBox_17"), 120);
    set.setValue(QStringLiteral("spinBox_93"), -100);
    set.setValue(QStringLiteral("spinBox_98"), 100);
    set.setValue(QStringLiteral("doubleSpinBox"), 23.9);
    set.setValue(QStringLiteral("spinBox_45"), 4);
    set.setValue(QStringLiteral("comboBox_12"), 7);
    set.setValue(kDualRateChannel, dualRateChannel);
    set.setValue(kRateUp, 33);
    set.setValue(kRateDown, 44);
    return set;
}

QByteArray sRecord(const ParamAccess &set)
{
    return Records::build(Records::sFormat(), set).toLatin1();
}

QByteArray tRecord(const ParamAccess &set)
{
    return Records::build(Records::tFormat(), set, Records::kMixBiasTransmitter).toLatin1();
}

// Empty when both hold the same parameter set, else the first difference.
QString firstDifference(const Transmitter &a, const Transmitter &b)
{
    for (const QString &control : heldControls()) {
        if (!qFuzzyCompare(a.value(control), b.value(control)))
            return QStringLiteral("%1: %2 against %3").arg(control).arg(a.value(control)).arg(b.value(control));
    }
    for (int ch = 0; ch < Transmitter::kDualRateChannels; ++ch) {
        if (!(a.dualRate(ch) == b.dualRate(ch)))
            return QStringLiteral("dual rates of CH%1").arg(ch + 1);
    }
    return {};
}

struct LogCapture
{
    explicit LogCapture(Transmitter &tx)
    {
        tx.setLogger([this](LogKind kind, const QString &line) {
            kinds << kind;
            lines << line;
        });
    }
    int count(LogKind kind) const { return int(kinds.count(kind)); }

    QList<LogKind> kinds;
    QStringList lines;
};

QByteArray feed(Transmitter &tx, const QByteArray &bytes, const QList<int> &chunkSizes)
{
    QByteArray answer;
    for (int at = 0, i = 0; at < bytes.size(); at += chunkSizes.at(i++ % chunkSizes.size()))
        answer += tx.receive(bytes.mid(at, chunkSizes.at(i % chunkSizes.size())));
    return answer;
}

// The window's end of the link: the slave opened by path, as a serial port is.
class Client
{
public:
    explicit Client(const QString &path)
        : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
    {
    }
    ~Client() { close(); }
    Q_DISABLE_COPY_MOVE(Client)

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    bool write(const QByteArray &bytes)
    {
        return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    // Reads until count bytes have come, running the event loop meanwhile.
    // The times are taken from clock when the first and the last byte came.
    QByteArray read(int count, int timeoutMs, const QElapsedTimer &clock = {}, qint64 *firstNs = nullptr,
                    qint64 *lastNs = nullptr)
    {
        QByteArray bytes;
        QElapsedTimer waited;
        waited.start();
        while (bytes.size() < count && waited.elapsed() < timeoutMs) {
            QCoreApplication::processEvents();
            char buffer[512];
            const ssize_t n = ::read(m_fd, buffer, qMin<size_t>(sizeof buffer, size_t(count - bytes.size())));
            if (n <= 0) {
                QThread::usleep(100);
                continue;
            }
            if (bytes.isEmpty() && firstNs && clock.isValid())
                *firstNs = clock.nsecsElapsed();
            bytes.append(buffer, int(n));
            if (lastNs && clock.isValid())
                *lastNs = clock.nsecsElapsed();
        }
        return bytes;
    }

private:
    int m_fd;
};

qint64 cpuMicroseconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec
           + usage.ru_stime.tv_usec;
}

} // namespace

class TestTransmitter : public QObject
{
    Q_OBJECT

private slots:
    void factorySettingsDifferFromFreshWindow();
    void readRequestsAreAnswered_data();
    void readRequestsAreAnswered();
    void answerCarriesEveryValue_data();
    void answerCarriesEveryValue();
    void writtenPairIsTaken_data();
    void writtenPairIsTaken();
    void brokenInputIsIgnored_data();
    void brokenInputIsIgnored();
    void dualRatesGoToNamedChannel_data();
    void dualRatesGoToNamedChannel();

    void ptyPairPassesEveryByteUntouched();
    void ptyPairReportsTheOtherSideGoing_data();
    void ptyPairReportsTheOtherSideGoing();

    void hostAnswersAndTakesRecordsThroughPty();
    void hostLinkSurvivesClientReopening();
    void hostPacesAnswersAtBaudRate_data();
    void hostPacesAnswersAtBaudRate();
    void hostStopsWatchingAfterHangUp();
};

// Were a value the same on both sides, a read that never reached the window
// would still look right.
void TestTransmitter::factorySettingsDifferFromFreshWindow()
{
    const Transmitter tx;
    const MapParamAccess window = freshWindow();
    for (const QString &control : heldControls()) {
        QVERIFY2(!std::isnan(tx.value(control)), qPrintable(control + QStringLiteral(" has no factory value")));
        QVERIFY2(tx.value(control) != window.value(control), qPrintable(control));
    }
    for (int ch = 0; ch < Transmitter::kDualRateChannels; ++ch) {
        QVERIFY(tx.dualRate(ch).up != window.value(kRateUp));
        QVERIFY(tx.dualRate(ch).down != window.value(kRateDown));
        for (int other = 0; other < ch; ++other)
            QVERIFY2(!(tx.dualRate(ch) == tx.dualRate(other)), "channels must be told apart");
    }
}

void TestTransmitter::readRequestsAreAnswered_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("ignored");

    QTest::newRow("one R") << QByteArray("R") << 1 << 0;
    QTest::newRow("two R in one chunk") << QByteArray("RR") << 2 << 0;
    QTest::newRow("stray bytes before R") << QByteArray("\x00\xff\r\nR", 5) << 1 << 1;
    QTest::newRow("lower-case r is no request") << QByteArray("r") << 0 << 1;
    QTest::newRow("nothing") << QByteArray() << 0 << 0;
}

void TestTransmitter::readRequestsAreAnswered()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, answers);
    QFETCH(int, ignored);

    Transmitter tx;
    LogCapture log(tx);
    const QByteArray answer = tx.receive(bytes);

    QCOMPARE(answer, tx.replyFrames().repeated(answers));
    QCOMPARE(log.count(LogKind::Request), answers);
    QCOMPARE(log.count(LogKind::Ignored), ignored);
    QCOMPARE(tx.bytesReceived(), qint64(bytes.size()));
}

void TestTransmitter::answerCarriesEveryValue_data()
{
    QTest::addColumn<int>("channel");
    for (int ch = 0; ch < Transmitter::kDualRateChannels; ++ch)
        QTest::addRow("window shows dual rates of CH%d", ch + 1) << ch;
}

void TestTransmitter::answerCarriesEveryValue()
{
    QFETCH(int, channel);

    Transmitter tx;
    const QByteArray answer = tx.receive("R");
    QCOMPARE(answer.size(), 14 * 12);
    QCOMPARE(Transmitter::answerLength(), answer.size());
    for (int i = 0; i < int(ReplyFrames::groups().size()); ++i)
        QCOMPARE(quint8(answer.at(i * 12 + ReplyFrames::kGroupIdByte)), ReplyFrames::groups().at(i));

    const MapParamAccess window = decodeAnswer(answer, channel);
    for (const QString &control : frameControls())
        QVERIFY2(qFuzzyCompare(window.value(control), tx.value(control)),
                 qPrintable(QStringLiteral("%1: %2, transmitter holds %3")
                                .arg(control).arg(window.value(control)).arg(tx.value(control))));
    QCOMPARE(window.value(kFirmware), 300.0);
    QCOMPARE(window.value(kRateUp), tx.dualRate(channel).up);
    QCOMPARE(window.value(kRateDown), tx.dualRate(channel).down);
}

void TestTransmitter::writtenPairIsTaken_data()
{
    QTest::addColumn<QList<int>>("chunks");

    QTest::newRow("both records in one write") << QList<int>{162};
    QTest::newRow("one write per record") << QList<int>{81};
    QTest::newRow("byte by byte") << QList<int>{1};
    QTest::newRow("chunks of 7") << QList<int>{7};
    QTest::newRow("80, 1, 80, 1") << QList<int>{80, 1};
    QTest::newRow("1, 7, 80, then the rest") << QList<int>{1, 7, 80, 200};
}

void TestTransmitter::writtenPairIsTaken()
{
    QFETCH(QList<int>, chunks);

    constexpr int kChannel = 2;
    const MapParamAccess written = changedSet(kChannel);
    Transmitter tx;
    LogCapture log(tx);

    QCOMPARE(feed(tx, sRecord(written) + tRecord(written), chunks), QByteArray());
    QCOMPARE(tx.acceptedPairs(), 1);
    QCOMPARE(log.count(LogKind::Accepted), 1);
    QCOMPARE(log.count(LogKind::Ignored), 0);

    for (const QString &control : recordControls()) {
        if (control == kRateUp || control == kRateDown)
            continue;
        QVERIFY2(qFuzzyCompare(tx.value(control), written.value(control)),
                 qPrintable(QStringLiteral("%1: %2, written %3")
                                .arg(control).arg(tx.value(control)).arg(written.value(control))));
    }
    const MapParamAccess window = decodeAnswer(tx.receive("R"), kChannel);
    for (const QString &control : frameControls()) {
        if (control == kFirmware)
            continue;
        QVERIFY2(qFuzzyCompare(window.value(control), written.value(control)),
                 qPrintable(QStringLiteral("%1 reads back %2, written %3")
                                .arg(control).arg(window.value(control)).arg(written.value(control))));
    }
    QCOMPARE(window.value(kFirmware), 300.0);
    QCOMPARE(window.value(kRateUp), 33.0);
    QCOMPARE(window.value(kRateDown), 44.0);
}

void TestTransmitter::brokenInputIsIgnored_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("answers");

    const MapParamAccess set = changedSet(1);
    const QByteArray s = sRecord(set);
    const QByteArray t = tRecord(set);
    const auto with = [](QByteArray record, int pos, char c) {
        record[pos] = c;
        return record;
    };

    QTest::newRow("S one character short") << QByteArray(s).remove(40, 1) + t << 0;
    QTest::newRow("S one character long") << QByteArray(s).insert(40, '7') + t << 0;
    QTest::newRow("S ends in Z") << with(s, 80, 'Z') + t << 0;
    QTest::newRow("S sub-trim field not hex") << with(s, 9, 'G') + t << 0;
    QTest::newRow("S letter in lower case") << with(s, 0, 's') + t << 0;
    QTest::newRow("T alone") << t << 0;
    QTest::newRow("T before S") << t + s << 0;
    QTest::newRow("CR LF between S and T") << s + "\r\n" + t << 0;
    QTest::newRow("NUL byte between S and T") << s + QByteArray(1, '\0') + t << 0;
    QTest::newRow("T dual-rate field not hex") << s + with(t, 55, 'X') << 0;
    QTest::newRow("T one character short") << s + QByteArray(t).remove(60, 1) << 0;
    QTest::newRow("T ends in Y") << s + with(t, 80, 'Y') << 0;
    QTest::newRow("R between S and T") << s + "R" + t << 1;
    QTest::newRow("S cut short by R") << s.left(40) + "R" + t << 1;
    QTest::newRow("garbage only") << QByteArray("\x00\xff\x80hello\r\n", 10) << 0;
}

void TestTransmitter::brokenInputIsIgnored()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, answers);

    const Transmitter factory;
    for (const int chunk : {int(bytes.size()), 1}) {
        Transmitter tx;
        LogCapture log(tx);
        QCOMPARE(feed(tx, bytes, {chunk}), factory.replyFrames().repeated(answers));
        QCOMPARE(tx.acceptedPairs(), 0);
        QVERIFY(log.count(LogKind::Ignored) > 0);
        const QString difference = firstDifference(tx, factory);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));

        const MapParamAccess good = changedSet(3);
        tx.receive(sRecord(good) + tRecord(good));
        QCOMPARE(tx.acceptedPairs(), 1);
        QCOMPARE(tx.value(QStringLiteral("spinBox_9")), -100.0);
    }
}

void TestTransmitter::dualRatesGoToNamedChannel_data()
{
    QTest::addColumn<char>("channelDigit");
    QTest::addColumn<int>("channel");

    QTest::newRow("0 names CH1") << '0' << 0;
    QTest::newRow("1 names CH2") << '1' << 1;
    QTest::newRow("2 names CH3") << '2' << 2;
    QTest::newRow("3 names CH4") << '3' << 3;
    QTest::newRow("4 names no channel") << '4' << -1;
    QTest::newRow("9 names no channel") << '9' << -1;
    QTest::newRow("A names no channel") << 'A' << -1;
}

void TestTransmitter::dualRatesGoToNamedChannel()
{
    QFETCH(char, channelDigit);
    QFETCH(int, channel);

    const MapParamAccess set = changedSet(0);
    QByteArray t = tRecord(set);
    QCOMPARE(t.mid(54, 5), QByteArray("0313C"));
    t[54] = channelDigit;

    Transmitter tx;
    tx.receive(sRecord(set) + t);
    QCOMPARE(tx.acceptedPairs(), 1);
    const Transmitter factory;
    for (int ch = 0; ch < Transmitter::kDualRateChannels; ++ch) {
        const Transmitter::DualRate expected = ch == channel ? Transmitter::DualRate{33, 44} : factory.dualRate(ch);
        QCOMPARE(tx.dualRate(ch).up, expected.up);
        QCOMPARE(tx.dualRate(ch).down, expected.down);
    }
}

void TestTransmitter::ptyPairPassesEveryByteUntouched()
{
    PtyPair pty;
    QString error;
    QVERIFY2(pty.open(&error), qPrintable(error));
    QVERIFY(pty.slavePath().startsWith(QLatin1String("/dev/pts/")));
    Client client(pty.slavePath());
    QVERIFY(client.isOpen());

    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));

    QCOMPARE(::write(pty.masterFd(), all.constData(), size_t(all.size())), ssize_t(all.size()));
    QCOMPARE(client.read(all.size(), 2000), all);

    QVERIFY(client.write(all));
    QByteArray atMaster;
    QElapsedTimer waited;
    waited.start();
    while (atMaster.size() < all.size() && waited.elapsed() < 2000) {
        char buffer[512];
        const ssize_t n = ::read(pty.masterFd(), buffer, sizeof buffer);
        if (n > 0)
            atMaster.append(buffer, int(n));
        else
            QThread::usleep(100);
    }
    QCOMPARE(atMaster, all);

    QTest::qWait(20);
    char echoed = 0;
    QCOMPARE(::read(pty.masterFd(), &echoed, 1), ssize_t(-1));
    QCOMPARE(errno, EAGAIN);
}

void TestTransmitter::ptyPairReportsTheOtherSideGoing_data()
{
    QTest::addColumn<bool>("closeMaster");
    QTest::newRow("master closed: the client sees a hang-up") << true;
    QTest::newRow("last slave descriptor closed: the master sees a hang-up") << false;
}

void TestTransmitter::ptyPairReportsTheOtherSideGoing()
{
    QFETCH(bool, closeMaster);

    PtyPair pty;
    QVERIFY(pty.open());
    Client client(pty.slavePath());
    QVERIFY(client.isOpen());

    pollfd watched{};
    watched.events = POLLIN;
    if (closeMaster) {
        pty.closeMaster();
        watched.fd = client.fd();
    } else {
        pty.closeSlave();
        pollfd still{pty.masterFd(), POLLIN, 0};
        QCOMPARE(::poll(&still, 1, 50), 0);
        client.close();
        watched.fd = pty.masterFd();
    }
    QCOMPARE(::poll(&watched, 1, 2000), 1);
    QVERIFY(watched.revents & POLLHUP);
}

void TestTransmitter::hostAnswersAndTakesRecordsThroughPty()
{
    SimulatorHost host;
    QString error;
    QVERIFY2(host.open(&error), qPrintable(error));
    QSignalSpy received(&host, &SimulatorHost::bytesReceived);
    QSignalSpy accepted(&host, &SimulatorHost::recordsAccepted);
    QSignalSpy answered(&host, &SimulatorHost::answerSent);
    Client client(host.slavePath());
    QVERIFY(client.isOpen());

    QVERIFY(client.write("R"));
    QCOMPARE(client.read(168, 2000), host.transmitter().replyFrames());
    QTRY_COMPARE(answered.count(), 1);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.first().first().toByteArray(), QByteArray("R"));

    const MapParamAccess written = changedSet(3);
    QVERIFY(client.write(sRecord(written)));
    QTest::qWait(20);
    QVERIFY(client.write(tRecord(written)));
    QVERIFY(accepted.wait(2000));
    QCOMPARE(host.transmitter().acceptedPairs(), 1);
    QCOMPARE(host.transmitter().bytesReceived(), qint64(163));

    QVERIFY(client.write("R"));
    const MapParamAccess window = decodeAnswer(client.read(168, 2000), 3);
    QCOMPARE(window.value(QStringLiteral("spinBox_9")), -100.0);
    QCOMPARE(window.value(QStringLiteral("spinBox_98")), 100.0);
    QCOMPARE(window.value(kRateUp), 33.0);
    QCOMPARE(answered.count(), 2);
}

// The window opens and closes its port as the user likes; the pair's own
// slave descriptor keeps the master from seeing a hang-up meanwhile.
void TestTransmitter::hostLinkSurvivesClientReopening()
{
    SimulatorHost host;
    QVERIFY(host.open());
    QSignalSpy lost(&host, &SimulatorHost::linkLost);
    for (int round = 0; round < 3; ++round) {
        Client client(host.slavePath());
        QVERIFY(client.isOpen());
        QVERIFY(client.write("R"));
        QCOMPARE(client.read(168, 2000).size(), 168);
    }
    QTest::qWait(50);
    QCOMPARE(lost.count(), 0);
    QVERIFY(host.isLinkUp());
}

void TestTransmitter::hostPacesAnswersAtBaudRate_data()
{
    QTest::addColumn<int>("baud");
    QTest::newRow("115200 baud: 14.6 ms") << 115200;
    QTest::newRow("38400 baud: 43.8 ms") << 38400;
    QTest::newRow("9600 baud: 175 ms") << 9600;
}

void TestTransmitter::hostPacesAnswersAtBaudRate()
{
    QFETCH(int, baud);

    SimulatorHost host;
    host.setBaudRate(baud);
    QVERIFY(host.open());
    QSignalSpy answered(&host, &SimulatorHost::answerSent);
    Client client(host.slavePath());
    QVERIFY(client.isOpen());

    const double expectedMs = 168 * 10 * 1000.0 / baud;
    QElapsedTimer clock;
    clock.start();
    qint64 firstNs = 0;
    qint64 lastNs = 0;
    QVERIFY(client.write("R"));
    QCOMPARE(client.read(168, 3000, clock, &firstNs, &lastNs).size(), 168);
    QTRY_COMPARE(answered.count(), 1);

    // Paced, not sent in one burst: the last byte cannot arrive before the
    // answer's wire time. Only a lower bound: a loaded machine may deliver
    // late, never early.
    const double lastMs = lastNs / 1e6;
    QVERIFY2(lastMs >= expectedMs * 0.95,
             qPrintable(QStringLiteral("last byte after %1 ms, expected %2 ms").arg(lastMs).arg(expectedMs)));
    QVERIFY(firstNs <= lastNs);
}

void TestTransmitter::hostStopsWatchingAfterHangUp()
{
    SimulatorHost host;
    QVERIFY(host.open());
    QSignalSpy lost(&host, &SimulatorHost::linkLost);
    {
        Client client(host.slavePath());
        QVERIFY(client.isOpen());
        host.closeSlave();
        QVERIFY(client.write("R"));
        QTest::qWait(20);
    }
    QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 2000);
    QVERIFY(!host.isLinkUp());

    const qint64 cpuBefore = cpuMicroseconds();
    QTest::qWait(300);
    const qint64 cpuSpent = cpuMicroseconds() - cpuBefore;
    QVERIFY2(cpuSpent < 100000, qPrintable(QStringLiteral("%1 ms of CPU while idle").arg(cpuSpent / 1000)));
    QCOMPARE(lost.count(), 1);
}

QTEST_GUILESS_MAIN(TestTransmitter)
#include "tst_transmitter.moc"
