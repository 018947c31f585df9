#include "paramaccess.h"
#include "ptypair.h"
#include "recordcodec.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QStringList errLines;
};

Result cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(K6_CLI_PROGRAM), args);
    Result r;
    // Every command ends within seconds; a hang is a failure, not a wait.
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.errLines = QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return r;
}

// The simulator program as a user starts it; its first line names the port.
class Simulator
{
public:
    explicit Simulator(const QStringList &args = {})
    {
        m_process.start(QStringLiteral(K6_SIMULATOR_PROGRAM), args);
        if (m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }
    QString port() const { return m_port; }

private:
    QProcess m_process;
    QString m_port;
};

// A parameter file of the starting values, with some values changed.
QByteArray fileWith(const QHash<QString, double> &changes)
{
    MapParamAccess values;
    Records::applyStartingValues(values);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.setValue(it.key(), it.value());
    return (Records::build(Records::sFormat(), values)
            + Records::build(Records::tFormat(), values, Records::kMixBiasFile))
        .toLatin1();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString put(const QString &name, const QByteArray &data)
    {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return f.fileName();
    }

private slots:
    void readSavesWhatShowReads()
    {
        Simulator sim;
        QVERIFY(!sim.port().isEmpty());
        const QString path = m_dir.filePath(QStringLiteral("read.dat"));
        const Result saved = cli({QStringLiteral("read"), sim.port(), QStringLiteral("-o"), path});
        QCOMPARE(saved.code, 0);
        QCOMPARE(QFileInfo(path).size(), qint64(Records::kFileLength));
        const Result json = cli({QStringLiteral("read"), sim.port(), QStringLiteral("--json")});
        const Result shown = cli({QStringLiteral("show"), path, QStringLiteral("--json")});
        QCOMPARE(json.code, 0);
        QCOMPARE(shown.code, 0);
        const QJsonObject read = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(read.size(), 89);
        QCOMPARE(QJsonDocument::fromJson(shown.out.toUtf8()).object(), read);
        // The simulator's travel differs from the starting values.
        QVERIFY(read.value(QStringLiteral("EPA_L1")).toDouble() != 96);
    }

    void writeVerify_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<double>("channel");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown");
        QTest::newRow("all taken") << QStringList() << 0.0 << 0 << "全部 87 项一致";
        QTest::newRow("EPA_L1 kept") << QStringList{"--ignore", "EPA_L1"} << 3.0 << 1 << "EPA_L1";
        QTest::newRow("channel CH6: no dual rates to compare") << QStringList() << 5.0 << 0 << "全部 85 项一致";
    }

    void writeVerify()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(double, channel);
        QFETCH(int, code);
        QFETCH(QString, shown);
        Simulator sim(simArgs);
        QVERIFY(!sim.port().isEmpty());
        const QString file = put(QStringLiteral("w.dat"),
                                 fileWith({{"spinBox_17", 120}, {"spinBox_93", -20}, {"comboBox_2", channel}}));
        const Result r = cli({QStringLiteral("write"), sim.port(), file, QStringLiteral("--verify")});
        QCOMPARE(r.code, code);
        QVERIFY2(r.out.contains(shown), qPrintable(r.out));
        QVERIFY(!r.out.contains(QStringLiteral("VTailEle1")));
        // Written means kept: verifying the same file later says the same.
        QCOMPARE(cli({QStringLiteral("verify"), sim.port(), file}).code, code);
    }

    void verifyDifferingFile()
    {
        Simulator sim;
        const QString file = put(QStringLiteral("start.dat"), fileWith({}));
        const Result r = cli({QStringLiteral("verify"), sim.port(), file, QStringLiteral("--json")});
        QCOMPARE(r.code, 1);
        const QJsonObject differing = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QVERIFY(differing.contains(QStringLiteral("EPA_L1")));
        QVERIFY(!differing.contains(QStringLiteral("DRMix")));
    }

    void diffOfTwoFiles_data()
    {
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("same values, one as a hex listing")
            << fileWith({}).toHex(' ') << 0 << QStringList();
        QTest::newRow("one mix differs") << fileWith({{"spinBox_93", -20}}) << 1 << QStringList{"VTailEle1"};
    }

    void diffOfTwoFiles()
    {
        QFETCH(QByteArray, second);
        QFETCH(int, code);
        QFETCH(QStringList, keys);
        const QString a = put(QStringLiteral("a.dat"), fileWith({}));
        const QString b = put(QStringLiteral("b.txt"), second);
        const Result r = cli({QStringLiteral("diff"), a, b, QStringLiteral("--json")});
        QCOMPARE(r.code, code);
        QCOMPARE(QJsonDocument::fromJson(r.out.toUtf8()).object().keys(), keys);
        QCOMPARE(cli({QStringLiteral("diff"), a, b}).code, code);
    }

    // Trouble: exit 2, one line on stderr, no file left behind.
    void trouble_data()
    {
        QTest::addColumn<QStringList>("args");
        const QString out = QStringLiteral("OUT");
        QTest::newRow("no command") << QStringList();
        QTest::newRow("unknown command") << QStringList{"fly"};
        QTest::newRow("unknown option") << QStringList{"show", "x.dat", "--colour"};
        QTest::newRow("option of another command") << QStringList{"read", "/dev/null", "--verify", "-o", out};
        QTest::newRow("missing argument") << QStringList{"diff", "MALFORMED"};
        QTest::newRow("dual-rate channel 5") << QStringList{"read", "/dev/null", "--dual-rate-channel", "5", "-o", out};
        QTest::newRow("baud not offered") << QStringList{"read", "/dev/null", "--baud", "fast", "-o", out};
        QTest::newRow("malformed file") << QStringList{"show", "MALFORMED"};
        QTest::newRow("missing file") << QStringList{"diff", "MALFORMED", "nothing-here.dat"};
        QTest::newRow("write refuses a malformed file") << QStringList{"write", "/dev/null", "MALFORMED"};
        QTest::newRow("port that cannot open") << QStringList{"read", "/dev/k6qx-no-such-port", "-o", out};
        QTest::newRow("too many arguments") << QStringList{"ports", "extra"};
    }

    void trouble()
    {
        QFETCH(QStringList, args);
        const QString malformed = put(QStringLiteral("malformed.dat"), fileWith({}).replace(81, 1, "\n"));
        const QString out = m_dir.filePath(QStringLiteral("out.dat"));
        args.replaceInStrings(QStringLiteral("MALFORMED"), malformed);
        args.replaceInStrings(QStringLiteral("OUT"), out);
        const Result r = cli(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY(r.errLines[0].startsWith(QStringLiteral("k6qx-cli: ")));
        QVERIFY(!QFile::exists(out));
    }

    // A transmitter that never answers: trouble within seconds, nothing saved.
    void silentTransmitter()
    {
        PtyPair pty;
        QVERIFY(pty.open());
        const QString out = m_dir.filePath(QStringLiteral("silent.dat"));
        // cli() gives up after ten seconds with code -1.
        const Result r = cli({QStringLiteral("read"), pty.slavePath(), QStringLiteral("-o"), out});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY(!QFile::exists(out));
    }

    // A port another program holds: "in use", not the group hint.
    void busyPort()
    {
        PtyPair pty;
        QVERIFY(pty.open());
        QSerialPort holder(pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        const Result r = cli({QStringLiteral("read"), pty.slavePath()});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines, QStringList(QStringLiteral("k6qx-cli: 不能打开串口 %1：请检查串口是否被占用")
                                             .arg(pty.slavePath())));
    }

    // --dual-rate-channel N reads the pair of CHN; the simulator's pairs
    // differ from channel to channel.
    void readDualRatesOfChannel_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<double>("up");
        QTest::addColumn<double>("down");
        QTest::newRow("CH1") << "1" << 90.0 << 85.0;
        QTest::newRow("CH2") << "2" << 80.0 << 75.0;
        QTest::newRow("CH4") << "4" << 60.0 << 55.0;
    }

    void readDualRatesOfChannel()
    {
        QFETCH(QString, channel);
        QFETCH(double, up);
        QFETCH(double, down);
        Simulator sim;
        QVERIFY(!sim.port().isEmpty());
        const Result r = cli({QStringLiteral("read"), sim.port(), QStringLiteral("--json"),
                              QStringLiteral("--dual-rate-channel"), channel});
        QCOMPARE(r.code, 0);
        const QJsonObject read = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(read.value(QStringLiteral("DRCH")).toDouble(), channel.toDouble() - 1);
        QCOMPARE(read.value(QStringLiteral("DR_L_UP")).toDouble(), up);
        QCOMPARE(read.value(QStringLiteral("DR_L_DN")).toDouble(), down);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
