// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliprocess.h"
#include "namedpipe.h"
#include "paramaccess.h"
#include "paramcompare.h"
#include "paramhistory.h"
#include "ptypair.h"
#include "recordcodec.h"
#include "simprocess.h"
#include "transmitter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <poll.h>
#include <unistd.h>

namespace {

using Result = CliRun;

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

// What reached the far end of a pseudo-terminal by now.
QByteArray drain(int masterFd)
{
    QByteArray bytes;
    char buffer[512];
    pollfd p{masterFd, POLLIN, 0};
    while (::poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
        const ssize_t n = ::read(masterFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, n);
    }
    return bytes;
}

// The records write sends for a file.
QByteArray recordsOf(const QByteArray &file)
{
    MapParamAccess values;
    Records::applyStartingValues(values);
    Records::apply(Records::sFormat(), QString::fromLatin1(file.left(Records::kRecordLength)), values);
    Records::apply(Records::tFormat(), QString::fromLatin1(file.mid(Records::kRecordLength)), values,
                   Records::kMixBiasFile);
    return (Records::build(Records::sFormat(), values) + Records::build(Records::tFormat(), values)).toLatin1();
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray receivedBy(const QString &statePath)
{
    return Simulator::receivedBy(statePath);
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

    // A history folder of the test's own, for this and later runs of the CLI.
    QString freshHistory()
    {
        const QString folder = m_dir.filePath(QStringLiteral("history-%1-%2")
                                                  .arg(QTest::currentTestFunction())
                                                  .arg(QTest::currentDataTag()));
        qputenv("K6QX_HISTORY_DIR", QFile::encodeName(folder));
        return folder;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("K6QX_HISTORY_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("history"))));
    }

    void readSavesWhatShowReads()
    {
        Simulator sim;
        QVERIFY(!sim.port().isEmpty());
        const QString path = m_dir.filePath(QStringLiteral("read.dat"));
        const Result saved = cli({QStringLiteral("read"), sim.port(), QStringLiteral("-o"), path});
        QCOMPARE(saved.code, 0);
        QCOMPARE(saved.out, QStringLiteral("参数已保存到 %1\n").arg(QDir::toNativeSeparators(path)));
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
    }

    void writeVerify()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(double, channel);
        QFETCH(int, code);
        QFETCH(QString, shown);
        const QString folder = freshHistory();
        Simulator sim(simArgs);
        QVERIFY(!sim.port().isEmpty());
        const QString file = put(QStringLiteral("w.dat"),
                                 fileWith({{"spinBox_17", 120}, {"spinBox_93", -20}, {"comboBox_2", channel}}));
        const Result r = cli({QStringLiteral("write"), sim.port(), file, QStringLiteral("--verify")});
        QCOMPARE(r.code, code);
        // Sent, not taken: the transmitter does not say; where the backup went.
        const QList<ParamHistory::Entry> kept = ParamHistory(folder).entries();
        QCOMPARE(kept.size(), 2);
        QVERIFY2(r.out.startsWith(QStringLiteral("参数已写入串口 %1（162 字节），发射机不回报是否收下\n"
                                                 "写入前发射机的参数备份在 %2\n")
                                      .arg(sim.port(), QDir::toNativeSeparators(kept[1].path))),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains(shown), qPrintable(r.out));
        QVERIFY(!r.out.contains(QStringLiteral("VTailEle1")));
        // Written means kept: verifying the same file later says the same.
        QCOMPARE(cli({QStringLiteral("verify"), sim.port(), file}).code, code);
    }

    // A read keeps one entry: what the transmitter reported; history lists it.
    void readKeepsWhatWasReported()
    {
        const QString folder = freshHistory();
        Simulator sim;
        QVERIFY(!sim.port().isEmpty());
        QCOMPARE(cli({QStringLiteral("read"), sim.port(), QStringLiteral("--json")}).code, 0);
        const QList<ParamHistory::Entry> entries = ParamHistory(folder).entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].kind, ParamHistory::Kind::Read);
        QCOMPARE(entries[0].port, ParamHistory::safePortName(sim.port()));
        const Result verified = cli({QStringLiteral("verify"), sim.port(), entries[0].path});
        QVERIFY2(verified.code == 0, qPrintable(verified.out));

        const Result listed = cli({QStringLiteral("history"), QStringLiteral("--json")});
        QCOMPARE(listed.code, 0);
        const QJsonArray array = QJsonDocument::fromJson(listed.out.toUtf8()).array();
        // The verify's confirmed answer is the set the read kept: no second entry.
        QCOMPARE(array.size(), 1);
        const QJsonObject entry = array[0].toObject();
        QCOMPARE(entry.value(QStringLiteral("kind")).toString(), QStringLiteral("read"));
        QCOMPARE(entry.value(QStringLiteral("port")).toString(), entries[0].port);
        QCOMPARE(entry.value(QStringLiteral("path")).toString(), entries[0].path);
        QCOMPARE(entry.value(QStringLiteral("time")).toString(),
                 entries[0].time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
        QVERIFY(cli({QStringLiteral("history")}).out.endsWith(
                 QStringLiteral("%1\t读取\t%2\t%3\n")
                     .arg(entry.value(QStringLiteral("time")).toString(), entries[0].port, entries[0].path)));
    }

    // A write reads the transmitter's set first and keeps it, then sends the
    // records and keeps what it sent.
    void writeBacksUpFirst()
    {
        const QString folder = freshHistory();
        const QString state = m_dir.filePath(QStringLiteral("backup-state"));
        const QString dump = m_dir.filePath(QStringLiteral("backup-dump"));
        Simulator sim({QStringLiteral("--state"), state, QStringLiteral("--dump"), dump});
        QVERIFY(!sim.port().isEmpty());
        const QByteArray old = contents(dump);
        QCOMPARE(old.size(), Records::kFileLength);
        // The dual rates of the simulator's own channel, as its dump holds them.
        MapParamAccess oldValues;
        QString error;
        QVERIFY(ParamHistory::load(dump, &oldValues, &error));
        const QByteArray file = fileWith({{"spinBox_17", 120},
                                          {"comboBox_2", oldValues.value(QLatin1String(Records::kDualRateChannel))}});
        const Result r = cli({QStringLiteral("write"), sim.port(), put(QStringLiteral("new.dat"), file)});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.errLines, QStringList());

        // The simulator notes what it heard a moment after the CLI is gone.
        const QByteArray records = recordsOf(file);
        QTRY_VERIFY_WITH_TIMEOUT(receivedBy(state).endsWith(records), 3000);
        const QByteArray received = receivedBy(state);
        const QByteArray requests = received.chopped(records.size());
        QVERIFY2(!requests.isEmpty() && requests.count('R') == requests.size(), requests.constData());

        const QList<ParamHistory::Entry> entries = ParamHistory(folder).entries();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].kind, ParamHistory::Kind::Written);
        QCOMPARE(contents(entries[0].path), file);
        QCOMPARE(entries[1].kind, ParamHistory::Kind::BeforeWrite);
        MapParamAccess backup;
        QVERIFY(ParamHistory::load(entries[1].path, &backup, &error));
        const auto rows = ParamCompare::compare(backup, oldValues, ParamCompare::Against::Transmitter);
        QCOMPARE(ParamCompare::differences(rows), 0);
        QVERIFY(backup.value(QStringLiteral("spinBox_17")) != 120);
    }

    // No backup, no write: a silent transmitter hears "R" only, unless the
    // backup is waived.
    void silentTransmitterGetsNoWrite_data()
    {
        QTest::addColumn<bool>("noBackup");
        QTest::newRow("backup first") << false;
        QTest::newRow("--no-backup") << true;
    }

    void silentTransmitterGetsNoWrite()
    {
        QFETCH(bool, noBackup);
        const QString folder = freshHistory();
        PtyPair pty;
        QVERIFY(pty.open());
        const QByteArray file = fileWith({{"spinBox_17", 120}});
        QStringList args{QStringLiteral("write"), pty.slavePath(), put(QStringLiteral("silent-write.dat"), file)};
        if (noBackup)
            args << QStringLiteral("--no-backup");
        const Result r = cli(args);
        const QByteArray sent = drain(pty.masterFd());
        const QList<ParamHistory::Entry> entries = ParamHistory(folder).entries();
        if (noBackup) {
            QCOMPARE(r.code, 0);
            QVERIFY2(r.out.contains(QStringLiteral("没有备份：用了 --no-backup")), qPrintable(r.out));
            QCOMPARE(sent, recordsOf(file));
            QCOMPARE(entries.size(), 1);
            QCOMPARE(entries[0].kind, ParamHistory::Kind::Written);
            return;
        }
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY2(r.errLines[0].contains(QStringLiteral("--no-backup")), qPrintable(r.errLines[0]));
        QVERIFY2(!sent.isEmpty() && sent.count('R') == sent.size(), sent.constData());
        QVERIFY(entries.isEmpty());
    }

    // A history that cannot be kept is said once; it stops a write, whose
    // backup it cannot keep, unless --no-backup says to write without one.
    void unwritableHistory_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("code");
        QTest::newRow("read") << "read" << 0;
        QTest::newRow("write") << "write" << 2;
        QTest::newRow("write --no-backup") << "write --no-backup" << 0;
    }

    void unwritableHistory()
    {
        QFETCH(QString, command);
        QFETCH(int, code);
        const QString folder = put(QStringLiteral("history-is-a-file"), QByteArray());
        qputenv("K6QX_HISTORY_DIR", QFile::encodeName(folder));
        const QString state = m_dir.filePath(QStringLiteral("unwritable-state"));
        Simulator sim({QStringLiteral("--state"), state});
        QVERIFY(!sim.port().isEmpty());
        const QString file = put(QStringLiteral("unwritable.dat"), fileWith({{"spinBox_17", 120}}));
        const Result r = command == QLatin1String("read")
                             ? cli({command, sim.port(), QStringLiteral("--json")})
                             : cli(QStringList{command.split(QLatin1Char(' ')).first(), sim.port(), file}
                                   + command.split(QLatin1Char(' ')).mid(1));
        QCOMPARE(r.code, code);
        QCOMPARE(r.errLines.size(), code == 0 ? 1 : 2);
        QVERIFY2(r.errLines[0].startsWith(QStringLiteral("k6qx-cli: 参数历史没有保存：")), qPrintable(r.errLines[0]));
        QVERIFY2(r.errLines[0].contains(folder), qPrintable(r.errLines[0]));
        if (code != 0) {
            QVERIFY2(r.errLines[1].contains(QStringLiteral("--no-backup")), qPrintable(r.errLines[1]));
            QTest::qWait(200);
            QVERIFY(contents(state).startsWith("accepted 0\n"));
        } else if (command.startsWith(QLatin1String("write")))
            QTRY_VERIFY_WITH_TIMEOUT(contents(state).startsWith("accepted 1\n"), 3000);
        else
            QVERIFY(!QJsonDocument::fromJson(r.out.toUtf8()).object().isEmpty());
    }

    // Values the window's controls would clamp or refuse are refused by name,
    // and the transmitter hears nothing.
    void writeRefusesWhatTheWindowRefuses_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("phase CH1 5") << "spinBox" << 5.0 << "CH1 舵机相位 (Rev1)";
        QTest::newRow("EPA_L1 FF") << "spinBox_17" << 239.0 << "CH1 舵机行程量（左） (EPA_L1)";
        QTest::newRow("sub-trim 00") << "spinBox_9" << -120.0 << "CH1 中点微调 (SUB1)";
        QTest::newRow("stick mode 0") << "spinBox_45" << 0.0 << "摇杆模式 (STmode)";
        QTest::newRow("aux source 5") << "spinBox_41" << 5.0 << "CH5 辅助通道 (AUX5)";
        QTest::newRow("alarm voltage below 0") << "doubleSpinBox" << -1.6 << "报警电压 (LB)";
        QTest::newRow("elevon 7") << "comboBox_5" << 7.0 << "升降副翼混控 混控 (ElevonMix)";
        QTest::newRow("dual-rate channel 5") << "comboBox_2" << 5.0 << "大小舵 通道 (DRCH)";
        QTest::newRow("attitude channel 5") << "comboBox_4" << 5.0 << "姿态选择 通道选择 (CraftCH)";
    }

    void writeRefusesWhatTheWindowRefuses()
    {
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(QString, name);
        const QString folder = freshHistory();
        const QString state = m_dir.filePath(QStringLiteral("state-%1").arg(QTest::currentDataTag()));
        Simulator sim({QStringLiteral("--state"), state});
        QVERIFY(!sim.port().isEmpty());
        QTRY_VERIFY(QFile::exists(state));
        const QString file = put(QStringLiteral("refused.dat"), fileWith({{control, value}}));
        const Result r = cli({QStringLiteral("write"), sim.port(), file});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY2(r.errLines[0].startsWith(QStringLiteral("k6qx-cli: 以下参数超出可写入的范围，没有写入发射机：") + name),
                 qPrintable(r.errLines[0]));
        QFile f(state);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("received-hex \n"));
        QVERIFY(ParamHistory(folder).entries().isEmpty());
    }

    // Each trouble names what was wrong, as the user gave it.
    void troubleSaysWhat_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("unsaid");
        QTest::newRow("unknown option") << QStringList{"show", "x.dat", "--colour"}
                                        << QStringList{"--colour", "见 k6qx-cli --help"} << "“colour”";
        QTest::newRow("unknown short option") << QStringList{"show", "x.dat", "-x"}
                                              << QStringList{"“-x”", "见 k6qx-cli --help"} << "“x”";
        QTest::newRow("option of another command") << QStringList{"show", "x.dat", "-o", "y.dat"}
                                                   << QStringList{"-o", "见 k6qx-cli --help"} << "--o";
        QTest::newRow("random bytes") << QStringList{"show", "NOISE"} << QStringList{"不是文本文件"} << "文件太短";
        QTest::newRow("named pipe") << QStringList{"show", "PIPE"} << QStringList{"不是普通文件"} << "";
        QTest::newRow("device") << QStringList{"show", "/dev/null"} << QStringList{"不是普通文件"} << "";
        QTest::newRow("pipe to write") << QStringList{"write", "/dev/null", "PIPE"} << QStringList{"不是普通文件"} << "";
        QTest::newRow("no such file") << QStringList{"show", "DIR/missing.dat"}
                                      << QStringList{"missing.dat: 不能读取指定的文件：文件不存在"} << "";
        QTest::newRow("a folder") << QStringList{"show", "DIR"} << QStringList{"这是文件夹，不是文件"} << "";
        QTest::newRow("sheet into a missing folder") << QStringList{"sheet", "GOOD", "-o", "DIR/no-such-dir/a.pdf"}
                                                     << QStringList{"文件夹 DIR/no-such-dir 不存在"} << "";
    }

    void troubleSaysWhat()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, said);
        QFETCH(QString, unsaid);
        QRandomGenerator generator(162);
        QByteArray noise(Records::kFileLength, '\0');
        for (char &b : noise)
            b = char(generator.bounded(256));
        args.replaceInStrings(QStringLiteral("NOISE"), put(QStringLiteral("noise.dat"), noise));
        const QString pipePath = m_dir.filePath(QStringLiteral("pipe"));
        NamedPipe pipe(pipePath);
        QVERIFY(pipe.made());
        args.replaceInStrings(QStringLiteral("PIPE"), pipePath);
        args.replaceInStrings(QStringLiteral("GOOD"), put(QStringLiteral("good.dat"), fileWith({})));
        args.replaceInStrings(QStringLiteral("DIR"), m_dir.path());
        said.replaceInStrings(QStringLiteral("DIR"), m_dir.path());
        const Result r = cli(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        for (const QString &text : std::as_const(said))
            QVERIFY2(r.errLines[0].contains(text), qPrintable(r.errLines[0]));
        if (!unsaid.isEmpty())
            QVERIFY2(!r.errLines[0].contains(unsaid), qPrintable(r.errLines[0]));
    }

    // --version: the version and, under it, the licence, in the language asked for.
    void versionNamesTheLicence_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("licence");
        QTest::newRow("Chinese") << QStringList{"--version"} << "许可证：GPL-3.0-or-later";
        QTest::newRow("English") << QStringList{"--version", "--lang", "en"} << "Licence: GPL-3.0-or-later";
    }

    void versionNamesTheLicence()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, licence);
        const Result r = cli(args);
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("k6qx-cli " K6_VERSION));
        QVERIFY2(lines[1].startsWith(licence), qPrintable(lines[1]));
        QVERIFY(lines[2].isEmpty());
    }

    // Output that does not reach its file is trouble, not success.
    void unwritableOutput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("show") << QStringList{"show", "FILE"};
        QTest::newRow("show --json") << QStringList{"show", "FILE", "--json"};
        QTest::newRow("diff") << QStringList{"diff", "FILE", "FILE"};
        QTest::newRow("--help") << QStringList{"--help"};
    }

    void unwritableOutput()
    {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("needs /dev/full");
        QFETCH(QStringList, args);
        args.replaceInStrings(QStringLiteral("FILE"), put(QStringLiteral("full.dat"), fileWith({})));
        const Result r = cli(args, QStringLiteral("/dev/full"));
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY2(r.errLines[0].startsWith(QStringLiteral("k6qx-cli: 不能写入标准输出")), qPrintable(r.errLines[0]));
    }

    // The table names a combo box's choice beside its index, as the window
    // shows it; JSON keeps the index.
    void tableShowsTheChoice_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("param");
        QTest::addColumn<QString>("line");
        QTest::newRow("attitude channel CH6") << "comboBox_4" << 1.0 << "CraftCH"
                                              << "CraftCH\t姿态选择 通道选择\t1\tCH6";
        QTest::newRow("dual-rate mix on") << "comboBox" << 1.0 << "DRMix" << "DRMix\t大小舵 混控\t1\t打开";
        QTest::newRow("program mix inhibited") << "comboBox_7" << 0.0 << "ProgMix14Mix0"
                                               << "ProgMix14Mix0\t可编程混控一 混控\t0\t禁止";
        QTest::newRow("spin box: the number only") << "spinBox_17" << 100.0 << "EPA_L1"
                                                   << "EPA_L1\tCH1 舵机行程量（左）\t100";
    }

    void tableShowsTheChoice()
    {
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(QString, param);
        QFETCH(QString, line);
        const QString file = put(QStringLiteral("choice.dat"), fileWith({{control, value}}));
        const Result table = cli({QStringLiteral("show"), file});
        QCOMPARE(table.code, 0);
        QVERIFY2(table.out.split(QLatin1Char('\n')).contains(line), qPrintable(table.out));
        const Result json = cli({QStringLiteral("show"), file, QStringLiteral("--json")});
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).object().value(param).toDouble(), value);
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
        QTest::newRow("sheet without -o") << QStringList{"sheet", "GOOD"};
        QTest::newRow("sheet of no known format") << QStringList{"sheet", "GOOD", "-o", out};
        QTest::newRow("sheet into a missing folder") << QStringList{"sheet", "GOOD", "-o", "NOFOLDER"};
        QTest::newRow("sheet of a malformed file") << QStringList{"sheet", "MALFORMED", "-o", "SHEET"};
        QTest::newRow("sheet from a port that cannot open") << QStringList{"sheet", "/dev/k6qx-no-such-port", "-o", "SHEET"};
        QTest::newRow("sheet of a missing file") << QStringList{"sheet", "k6qx-no-such-file.dat", "-o", "SHEET"};
        QTest::newRow("sheet with an option of another command") << QStringList{"sheet", "GOOD", "--json", "-o", "SHEET"};
    }

    void trouble()
    {
        QFETCH(QStringList, args);
        const QString malformed = put(QStringLiteral("malformed.dat"), fileWith({}).replace(81, 1, "\n"));
        const QString out = m_dir.filePath(QStringLiteral("out.dat"));
        args.replaceInStrings(QStringLiteral("MALFORMED"), malformed);
        const QString sheet = m_dir.filePath(QStringLiteral("trouble.pdf"));
        args.replaceInStrings(QStringLiteral("GOOD"), put(QStringLiteral("good.dat"), fileWith({})));
        args.replaceInStrings(QStringLiteral("NOFOLDER"), m_dir.filePath(QStringLiteral("no-such-folder/out.pdf")));
        args.replaceInStrings(QStringLiteral("SHEET"), sheet);
        args.replaceInStrings(QStringLiteral("OUT"), out);
        const Result r = cli(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY(r.errLines[0].startsWith(QStringLiteral("k6qx-cli: ")));
        QVERIFY(!QFile::exists(out));
        QVERIFY(!QFile::exists(sheet));
    }

    // The sheet of a file or of what the transmitter reports; its firmware
    // version only the transmitter knows.
    void sheet_data()
    {
        QTest::addColumn<bool>("fromPort");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("firmware");
        QTest::newRow("file, html") << false << QStringLiteral("file.html") << QStringLiteral("（只有发射机回报）");
        QTest::newRow("transmitter, html") << true << QStringLiteral("port.html") << QStringLiteral("300");
        QTest::newRow("file, pdf") << false << QStringLiteral("file.pdf") << QString();
    }

    void sheet()
    {
        QFETCH(bool, fromPort);
        QFETCH(QString, name);
        QFETCH(QString, firmware);
        freshHistory();
        Simulator sim;
        const QString source = fromPort ? sim.port() : put(QStringLiteral("sheet.dat"), fileWith({{"spinBox_17", 77}}));
        QVERIFY(!source.isEmpty());
        const QString path = m_dir.filePath(name);
        const Result r = cli({QStringLiteral("sheet"), source, QStringLiteral("-o"), path});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.errLines.isEmpty(), qPrintable(r.errLines.join(QLatin1Char('\n'))));
        const QByteArray written = contents(path);
        if (firmware.isEmpty()) {
            QVERIFY(written.startsWith("%PDF-"));
            return;
        }
        const QString html = QString::fromUtf8(written);
        QVERIFY2(html.contains(QStringLiteral("title=\"firmware\">%1<").arg(firmware)), qPrintable(html));
        QVERIFY(html.contains((fromPort ? QStringLiteral("发射机 ") : QStringLiteral("文件 ")) + source.toHtmlEscaped()));
        if (!fromPort)
            QVERIFY(html.contains(QStringLiteral("title=\"EPA_L1\">77<")));
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

    // A transmitter that answers 13 of the 14 groups: exit 1, naming what is
    // missing; nothing saved as if it were a parameter set.
    void partialAnswer_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("named");
        QTest::newRow("read") << "read" << "只收到 13 组参数（共 14 组），未收到的参数仍是窗口原来的值：辅助通道";
        QTest::newRow("verify") << "verify" << "发射机没有回报：CH5 辅助通道、CH6 辅助通道、CH7 辅助通道、CH8 辅助通道";
    }
    void partialAnswer()
    {
        QFETCH(QString, command);
        QFETCH(QString, named);
        PtyPair pty;
        QVERIFY(pty.open());
        Transmitter t;
        t.receive(fileWith({}).left(81) + Records::build(Records::tFormat(), [] {
                      MapParamAccess v;
                      Records::applyStartingValues(v);
                      return v;
                  }()).toLatin1());
        const QByteArray answer = t.replyFrames().left(13 * 12);
        std::atomic<bool> stop{false};
        std::thread answerer([&] {
            while (!stop) {
                pollfd p{pty.masterFd(), POLLIN, 0};
                char c = 0;
                if (::poll(&p, 1, 5) > 0 && ::read(pty.masterFd(), &c, 1) == 1 && c == 'R')
                    (void)!::write(pty.masterFd(), answer.constData(), size_t(answer.size()));
            }
        });
        const QString file = put(QStringLiteral("start.dat"), fileWith({}));
        const QString out = m_dir.filePath(QStringLiteral("partial.dat"));
        const Result r = command == QLatin1String("read") ? cli({command, pty.slavePath(), QStringLiteral("-o"), out})
                                                          : cli({command, pty.slavePath(), file});
        stop = true;
        answerer.join();
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(named), qPrintable(r.out));
        QVERIFY(!r.out.contains(QStringLiteral("一致，")) || r.out.contains(QStringLiteral("没有回报")));
        QVERIFY(!QFile::exists(out));
    }

    // A port another program holds (this test, with Qt's lock) is named
    // with that program, not with the group hint.
    void busyPort()
    {
        PtyPair pty;
        QVERIFY(pty.open());
        QSerialPort holder(pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QFile comm(QStringLiteral("/proc/self/comm"));
        QVERIFY(comm.open(QIODevice::ReadOnly));
        const Result r = cli({QStringLiteral("read"), pty.slavePath()});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines, QStringList(QStringLiteral("k6qx-cli: 不能打开串口 %1：串口被其他程序占用：%2（进程 %3）")
                                             .arg(pty.slavePath(), QString::fromLocal8Bit(comm.readAll()).trimmed())
                                             .arg(::getpid())));
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
