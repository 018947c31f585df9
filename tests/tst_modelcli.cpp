// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliprocess.h"
#include "modellibrary.h"
#include "recordcodec.h"
#include "simprocess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

MapParamAccess startingWith(const QHash<QString, double> &changes)
{
    MapParamAccess values;
    Records::applyStartingValues(values);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        values.setValue(it.key(), it.value());
    return values;
}

QByteArray fileOf(const ParamAccess &values)
{
    return (Records::build(Records::sFormat(), values)
            + Records::build(Records::tFormat(), values, Records::kMixBiasFile))
        .toLatin1();
}

QJsonObject object(const CliRun &r)
{
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

} // namespace

// k6qx-cli model …, against the simulator on a pseudo-terminal.
class TestModelCli : public QObject
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

    // A library of the test's own, for this and later runs of the CLI.
    QString freshLibrary()
    {
        const QString folder = m_dir.filePath(QStringLiteral("models-%1-%2")
                                                  .arg(QTest::currentTestFunction())
                                                  .arg(QTest::currentDataTag()));
        qputenv("K6QX_MODELS_DIR", QFile::encodeName(folder));
        return folder;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("K6QX_HISTORY_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("history"))));
    }

    // A model saved from what the transmitter reports is the model it holds;
    // one saved from a file differs where the file does.
    void saveAndIdentify()
    {
        const QString folder = freshLibrary();
        Simulator sim;
        QVERIFY(!sim.port().isEmpty());
        QCOMPARE(cli({"model", "identify", sim.port()}).out, QStringLiteral("模型库中没有可以比较的模型\n"));

        const CliRun fromPort = cli({"model", "save", "幼兽 Cub", sim.port()});
        QCOMPARE(fromPort.code, 0);
        QCOMPARE(fromPort.out, QStringLiteral("已建立模型「幼兽 Cub」：%1\n")
                                   .arg(QDir::toNativeSeparators(folder + QStringLiteral("/幼兽 Cub.dat"))));
        const CliRun same = cli({"model", "identify", sim.port()});
        QCOMPARE(same.code, 0);
        QCOMPARE(same.out, QStringLiteral("发射机中的参数与模型「幼兽 Cub」一致\n"));

        // Saved over from a file (the name in another case), three values off.
        const QJsonObject values = object(cli({"model", "show", "幼兽 Cub", "--json"})).value("values").toObject();
        MapParamAccess changed;
        Records::applyStartingValues(changed);
        for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
            for (const Records::Field &f : *format)
                changed.setValue(QLatin1String(f.control), values.value(QLatin1String(f.param)).toDouble());
        }
        for (const char *control : {"spinBox_17", "spinBox_18", "spinBox_19"})
            changed.setValue(QLatin1String(control), 50);
        const CliRun fromFile = cli({"model", "save", "幼兽 CUB", put(QStringLiteral("cub.dat"), fileOf(changed))});
        QCOMPARE(fromFile.code, 0);
        QVERIFY2(fromFile.out.startsWith(QStringLiteral("模型「幼兽 Cub」已更新：")), qPrintable(fromFile.out));
        const CliRun near = cli({"model", "identify", sim.port()});
        QCOMPARE(near.code, 1);
        QCOMPARE(near.out, QStringLiteral("发射机中的参数与模型「幼兽 Cub」有 3 项不同\n"));

        const QJsonArray listed = QJsonDocument::fromJson(cli({"model", "list", "--json"}).out.toUtf8()).array();
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed[0].toObject().value("name").toString(), QStringLiteral("幼兽 Cub"));
        QCOMPARE(listed[0].toObject().value("state").toString(), QStringLiteral("ok"));
    }

    // model write is write: the backup read, then the records; the model
    // notes the port and time once they went out.
    void writeNotesTheWrite()
    {
        freshLibrary();
        const QString state = m_dir.filePath(QStringLiteral("write-state"));
        Simulator sim({QStringLiteral("--state"), state});
        QVERIFY(!sim.port().isEmpty());
        const MapParamAccess values = startingWith({{"spinBox_17", 110}});
        QVERIFY(ModelLibrary().create(QStringLiteral("Cub"), values));

        const CliRun r = cli({"model", "write", "cub", sim.port()});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("参数已写入串口 %1（162 字节），发射机不回报是否收下\n写入前发射机的参数备份在 ")
                                      .arg(sim.port())),
                 qPrintable(r.out));
        const QByteArray records =
            (Records::build(Records::sFormat(), values) + Records::build(Records::tFormat(), values)).toLatin1();
        QTRY_VERIFY_WITH_TIMEOUT(Simulator::receivedBy(state).endsWith(records), 3000);
        QVERIFY(Simulator::receivedBy(state).startsWith('R'));

        const QJsonObject shown = object(cli({"model", "show", "Cub", "--json"}));
        const QJsonObject last = shown.value("lastWrite").toObject();
        QCOMPARE(last.value("port").toString(), sim.port());
        QVERIFY(!last.value("time").toString().isEmpty());
        QCOMPARE(cli({"model", "identify", sim.port()}).code, 0);
    }

    // A write that sent nothing notes nothing.
    void refusedWriteNotesNothing()
    {
        freshLibrary();
        QVERIFY(ModelLibrary().create(QStringLiteral("Cub"), startingWith({})));
        const CliRun r = cli({"model", "write", "Cub", m_dir.filePath(QStringLiteral("no-such-port"))});
        QCOMPARE(r.code, 2);
        QVERIFY(ModelLibrary().find(QStringLiteral("Cub"))->lastWritePort.isEmpty());
    }

    void exportImportDelete()
    {
        const QString folder = freshLibrary();
        QVERIFY(ModelLibrary().create(QStringLiteral("滑翔机 2m"), startingWith({{"spinBox_17", 100}}), nullptr,
                                      QStringLiteral("滑翔机")));
        const QString pair = m_dir.filePath(QStringLiteral("glider"));
        const CliRun exported = cli({"model", "export", "滑翔机 2M", pair});
        QCOMPARE(exported.code, 0);
        QCOMPARE(exported.out, QStringLiteral("模型「滑翔机 2m」已导出到 %1.dat 和 %1.json\n").arg(QDir::toNativeSeparators(pair)));
        QCOMPARE(cli({"model", "import", pair + QStringLiteral(".dat")}).code, 2);
        const CliRun imported = cli({"model", "import", pair + QStringLiteral(".dat"), "--name", "复制的滑翔机"});
        QCOMPARE(imported.code, 0);
        QVERIFY2(imported.out.startsWith(QStringLiteral("已导入为模型「复制的滑翔机」：")), qPrintable(imported.out));
        QCOMPARE(object(cli({"model", "show", "复制的滑翔机", "--json"})).value("aircraft").toString(),
                 QStringLiteral("滑翔机"));

        const CliRun deleted = cli({"model", "delete", "滑翔机 2m"});
        QCOMPARE(deleted.code, 0);
        QCOMPARE(deleted.out, QStringLiteral("模型「滑翔机 2m」已移到 %1，可以从那里恢复\n")
                                  .arg(QDir::toNativeSeparators(folder + QStringLiteral("/.deleted"))));
        const CliRun listed = cli({"model", "list"});
        QCOMPARE(listed.code, 0);
        QVERIFY2(listed.out.startsWith(QStringLiteral("复制的滑翔机\t滑翔机\t")), qPrintable(listed.out));
        QCOMPARE(listed.out.count(QLatin1Char('\n')), 1);
    }

    // Trouble is one line on stderr and exit status 2.
    void trouble_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("said");
        QTest::newRow("no subcommand") << QStringList{"model"} << "model 需要子命令";
        QTest::newRow("unknown subcommand") << QStringList{"model", "rm", "Cub"} << "未知的 model 子命令“rm”";
        QTest::newRow("arguments") << QStringList{"model", "show"} << "model show 需要 1 个参数，给出了 0 个";
        QTest::newRow("option") << QStringList{"model", "list", "--verify"} << "model list 不接受选项 --verify";
        QTest::newRow("--name elsewhere") << QStringList{"show", "x.dat", "--name", "x"} << "show 不接受选项 --name";
        QTest::newRow("not by prefix") << QStringList{"model", "show", "Cu"} << "没有名为「Cu」的模型";
        QTest::newRow("ambiguous") << QStringList{"model", "delete", "cub"} << "「Cub」（Cub.dat）、「CUB」（other.dat）";
        QTest::newRow("damaged") << QStringList{"model", "show", "broken"} << "模型「broken」已损坏";
        QTest::newRow("not a parameter file") << QStringList{"model", "import", "BROKEN"} << "不是有效的参数文件";
        QTest::newRow("save over damaged") << QStringList{"model", "save", "broken", "GOOD"} << "不是有效的参数文件";
    }

    void trouble()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, said);
        const QString folder = freshLibrary();
        ModelLibrary library;
        QVERIFY(library.create(QStringLiteral("Cub"), startingWith({})));
        // Names that differ in case only, as another program or a hand may leave them.
        QFile::copy(folder + QStringLiteral("/Cub.dat"), folder + QStringLiteral("/other.dat"));
        QFile json(folder + QStringLiteral("/Cub.json"));
        QVERIFY(json.open(QIODevice::ReadOnly));
        put(QStringLiteral("other.json"), json.readAll().replace("\"Cub\"", "\"CUB\""));
        QFile::copy(m_dir.filePath(QStringLiteral("other.json")), folder + QStringLiteral("/other.json"));
        const QString broken = put(QStringLiteral("broken.dat"), "no records here");
        QFile::copy(broken, folder + QStringLiteral("/broken.dat"));
        args.replaceInStrings(QStringLiteral("BROKEN"), broken);
        args.replaceInStrings(QStringLiteral("GOOD"), put(QStringLiteral("good.dat"), fileOf(startingWith({}))));
        const QStringList before = QDir(folder).entryList(QDir::Files);

        const CliRun r = cli(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines.size(), 1);
        QVERIFY2(r.errLines[0].contains(said), qPrintable(r.errLines[0]));
        QCOMPARE(QDir(folder).entryList(QDir::Files), before);
    }
};

QTEST_GUILESS_MAIN(TestModelCli)
#include "tst_modelcli.moc"
