// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modellibrary.h"
#include "paramcompare.h"
#include "paramhistory.h"
#include "recordcodec.h"
#include "replyframes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Model = ModelLibrary::Model;
using Status = ModelLibrary::Status;
using Kind = ModelLibrary::Identification::Kind;

MapParamAccess startingValues()
{
    MapParamAccess values;
    Records::applyStartingValues(values);
    return values;
}

// The starting values with the first count byte-wide values the
// transmitter reports moved by one.
MapParamAccess shifted(int count)
{
    MapParamAccess values = startingValues();
    for (const Records::Field *f : ParamCompare::fields(ParamCompare::Against::Transmitter)) {
        if (count == 0)
            break;
        if (f->kind != Records::FieldKind::Hex && f->kind != Records::FieldKind::MixHex)
            continue;
        const QString control = QLatin1String(f->control);
        values.setValue(control, values.value(control) + (values.value(control) > 0 ? -1 : 1));
        --count;
    }
    return values;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList namesOf(const QList<Model> &models)
{
    QStringList names;
    for (const Model &m : models)
        names << m.name;
    return names;
}

} // namespace

Q_DECLARE_METATYPE(ModelLibrary::Identification::Kind)
Q_DECLARE_METATYPE(ModelLibrary::Model::State)

class TestModels : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A library folder of the test's own, as K6QX_MODELS_DIR names it.
    QString freshFolder()
    {
        const QString folder =
            m_dir.filePath(QStringLiteral("%1-%2").arg(QTest::currentTestFunction()).arg(QTest::currentDataTag()));
        qputenv("K6QX_MODELS_DIR", QFile::encodeName(folder));
        return folder;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Any typed name is kept as typed; its files carry a name every system takes.
    void nameRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stem");
        QTest::newRow("latin") << "Cub 1.2m" << "Cub 1.2m";
        QTest::newRow("chinese") << "赛斯纳 182 练习机" << "赛斯纳 182 练习机";
        QTest::newRow("CON") << "CON" << "_CON";
        QTest::newRow("nul.txt") << "nul.txt" << "_nul.txt";
        QTest::newRow("com1 with extensions") << "Com1.tar.gz" << "_Com1.tar.gz";
        QTest::newRow("LPT9") << "LPT9" << "_LPT9";
        QTest::newRow("COM10 is a name") << "COM10" << "COM10";
        QTest::newRow("reserved characters") << "a<b>:c\"d/e\\f|g?h*" << "a_b__c_d_e_f_g_h_";
        QTest::newRow("control character") << QStringLiteral("tab\there") << "tab_here";
        QTest::newRow("trailing dots and spaces") << "end. . " << "end";
        QTest::newRow("leading dot") << ".hidden" << "_hidden";
        QTest::newRow("only dots") << "..." << "_";
    }

    void nameRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QString, stem);
        ModelLibrary library(freshFolder());
        QCOMPARE(library.folder(), ModelLibrary::defaultFolder());
        const MapParamAccess values = shifted(2);
        Model made;
        QVERIFY(library.create(name, values, &made, QStringLiteral("滑翔机"), QStringLiteral("第一行\n第二行")));
        QCOMPARE(made.stem, stem);
        QCOMPARE(QFileInfo(made.datPath).fileName(), stem + QStringLiteral(".dat"));
        QCOMPARE(QFileInfo(made.datPath).size(), qint64(Records::kFileLength));

        // Another library object reads it back: name, notes and values.
        const std::optional<Model> found = ModelLibrary().find(name);
        QVERIFY(found);
        QCOMPARE(found->name, name);
        QCOMPARE(found->state, Model::State::Ok);
        QCOMPARE(found->aircraft, QStringLiteral("滑翔机"));
        QCOMPARE(found->notes, QStringLiteral("第一行\n第二行"));
        QVERIFY(found->created.isValid());
        MapParamAccess loaded;
        QString error;
        QVERIFY(library.load(*found, &loaded, &error));
        QCOMPARE(ParamCompare::differences(ParamCompare::compare(values, loaded, ParamCompare::Against::File)), 0);
        // The file is an ordinary parameter file.
        QVERIFY(ParamHistory::load(found->datPath, &loaded, &error));
    }

    // Names that make the same file name get files of their own; a name
    // twice (in any case) is refused; lookups never go by prefix.
    void namesStayApart()
    {
        ModelLibrary library(freshFolder());
        Model a;
        Model b;
        QVERIFY(library.create(QStringLiteral("a?"), startingValues(), &a));
        QVERIFY(library.create(QStringLiteral("a*"), shifted(1), &b));
        QCOMPARE(a.stem, QStringLiteral("a_"));
        QCOMPARE(b.stem, QStringLiteral("a_ (2)"));
        QCOMPARE(library.create(QStringLiteral("A?"), startingValues()).status, Status::Exists);
        QCOMPARE(library.find(QStringLiteral("A*"))->stem, b.stem);
        ModelLibrary::Result why;
        QVERIFY(!library.find(QStringLiteral("a"), &why));
        QCOMPARE(why.text, QStringLiteral("没有名为「a」的模型"));
    }

    // Two models whose names differ only in case: an exact name finds
    // one, another spelling is named as ambiguous.
    void ambiguousCase()
    {
        const QString folder = freshFolder();
        ModelLibrary library(folder);
        QVERIFY(library.create(QStringLiteral("Cub"), startingValues()));
        // As another copy of the program (or a hand) could leave it.
        put(folder + QStringLiteral("/other.dat"), contents(folder + QStringLiteral("/Cub.dat")));
        put(folder + QStringLiteral("/other.json"),
            contents(folder + QStringLiteral("/Cub.json")).replace("\"Cub\"", "\"CUB\""));
        QCOMPARE(library.find(QStringLiteral("CUB"))->stem, QStringLiteral("other"));
        ModelLibrary::Result why;
        QVERIFY(!library.find(QStringLiteral("cub"), &why));
        QCOMPARE(why.text, QStringLiteral("有几个模型的名字与「cub」相同或只差大小写：「Cub」（Cub.dat）、「CUB」（other.dat），请写出准确的名字"));
        // One name twice, as two programs creating at once may leave it.
        put(folder + QStringLiteral("/twice.dat"), contents(folder + QStringLiteral("/Cub.dat")));
        put(folder + QStringLiteral("/twice.json"), contents(folder + QStringLiteral("/Cub.json")));
        QVERIFY(!library.find(QStringLiteral("Cub")));
    }

    void renameCopyDeleteRestore()
    {
        const QString folder = freshFolder();
        ModelLibrary library(folder);
        QSignalSpy changed(&library, &ModelLibrary::changed);
        Model m;
        QVERIFY(library.create(QStringLiteral("Cub"), shifted(4), &m));
        const QByteArray dat = contents(m.datPath);

        QVERIFY(library.rename(m, QStringLiteral("幼兽 Cub")));
        QCOMPARE(m.name, QStringLiteral("幼兽 Cub"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({"幼兽 Cub.dat", "幼兽 Cub.json"}));
        QCOMPARE(contents(m.datPath), dat);
        // Only the case: the files stay.
        QVERIFY(library.rename(m, QStringLiteral("幼兽 CUB")));
        QCOMPARE(m.stem, QStringLiteral("幼兽 Cub"));
        QCOMPARE(namesOf(library.models()), QStringList{"幼兽 CUB"});

        Model copy;
        QVERIFY(library.copy(m, QStringLiteral("Cub 2"), &copy));
        QCOMPARE(contents(copy.datPath), dat);
        QCOMPARE(library.copy(m, QStringLiteral("cub 2")).status, Status::Exists);

        QVERIFY(library.remove(m));
        QCOMPARE(namesOf(library.models()), QStringList{"Cub 2"});
        QCOMPARE(namesOf(library.deleted()), QStringList{"幼兽 CUB"});
        // A model of that name made since keeps its name; the restored one is numbered.
        QVERIFY(library.rename(copy, QStringLiteral("幼兽 CUB")));
        Model back;
        QVERIFY(library.restore(library.deleted().first(), &back));
        QCOMPARE(back.name, QStringLiteral("幼兽 CUB (2)"));
        QCOMPARE(contents(back.datPath), dat);
        QVERIFY(library.deleted().isEmpty());

        QVERIFY(library.remove(back));
        QVERIFY(!library.purge(library.models().first()));
        QVERIFY(library.purgeAll());
        QVERIFY(library.deleted().isEmpty());
        QCOMPARE(namesOf(library.models()), QStringList{"幼兽 CUB"});
        QCOMPARE(changed.size(), 9);
    }

    // A .json that cannot be read leaves the model listed from its .dat;
    // a .dat that is no parameter file is listed damaged and left alone.
    void garbledFiles_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("damagedDat");
        QTest::addColumn<Model::State>("state");
        QTest::newRow("json missing") << QByteArray() << false << Model::State::NoInfo;
        QTest::newRow("json garbled") << QByteArray("{\"name\": \"Cu") << false << Model::State::NoInfo;
        QTest::newRow("json of something else") << QByteArray("{\"name\": \"x\"}") << false << Model::State::NoInfo;
        QTest::newRow("dat damaged") << QByteArray() << true << Model::State::Damaged;
    }

    void garbledFiles()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, damagedDat);
        QFETCH(Model::State, state);
        const QString folder = freshFolder();
        ModelLibrary library(folder);
        Model m;
        QVERIFY(library.create(QStringLiteral("Cub"), shifted(3), &m));
        QFile::remove(m.jsonPath);
        if (!json.isEmpty())
            put(m.jsonPath, json);
        const QByteArray dat = damagedDat ? QByteArray("not a parameter file") : contents(m.datPath);
        put(m.datPath, dat);

        const QList<Model> listed = library.models();
        QCOMPARE(listed.size(), 1);
        Model found = listed.first();
        QCOMPARE(found.name, QStringLiteral("Cub"));
        QCOMPARE(found.state, state);
        const ModelLibrary::Result saved = library.save(found, shifted(5));
        QCOMPARE(bool(saved), !damagedDat);
        if (damagedDat) {
            QCOMPARE(contents(m.datPath), dat);
            QVERIFY(!library.exportTo(found, m_dir.filePath(QStringLiteral("damaged.dat"))));
            QCOMPARE(library.identify(shifted(5), ReplyFrames::groups()).text,
                     QStringLiteral("模型库中没有可以比较的模型"));
        } else {
            // Saving writes a fresh .json.
            QCOMPARE(library.find(QStringLiteral("Cub"))->state, Model::State::Ok);
        }
    }

    // Two windows, or a window and k6qx-cli, on one folder: the later change
    // to a model someone changed since it was read is refused and told.
    void staleModelRefused_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("save") << 0;
        QTest::newRow("save info") << 1;
        QTest::newRow("rename") << 2;
        QTest::newRow("delete") << 3;
    }

    void staleModelRefused()
    {
        QFETCH(int, operation);
        const QString folder = freshFolder();
        ModelLibrary first(folder);
        ModelLibrary second(folder);
        Model mine;
        QVERIFY(first.create(QStringLiteral("Cub"), shifted(1), &mine));
        Model theirs = *second.find(QStringLiteral("Cub"));
        QVERIFY(second.isCurrent(theirs));
        QVERIFY(first.save(mine, shifted(6)));
        const QByteArray dat = contents(mine.datPath);
        QVERIFY(!second.isCurrent(theirs));

        theirs.notes = QStringLiteral("改过");
        ModelLibrary::Result result;
        switch (operation) {
        case 0:
            result = second.save(theirs, shifted(7));
            break;
        case 1:
            result = second.saveInfo(theirs);
            break;
        case 2:
            result = second.rename(theirs, QStringLiteral("Cub 2"));
            break;
        default:
            result = second.remove(theirs);
            break;
        }
        QCOMPARE(result.status, Status::Conflict);
        QCOMPARE(result.text,
                 QStringLiteral("模型「Cub」读取之后已被其他窗口或程序改动或删除，这次没有改动它；请重新读取模型库"));
        QCOMPARE(namesOf(first.models()), QStringList{"Cub"});
        QCOMPARE(contents(mine.datPath), dat);
        QVERIFY(first.isCurrent(mine));
        // Read again, the change goes through.
        theirs = *second.find(QStringLiteral("Cub"));
        QVERIFY(second.save(theirs, shifted(7)));
    }

    // A pair exported by one library is the same model imported by another;
    // a .dat alone carries the values only.
    void exportImport_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("importedName");
        QTest::newRow("pair") << "out/cub" << QStringList{"cub.dat", "cub.json"} << "幼兽";
        QTest::newRow("dat alone") << "out/cub.DAT" << QStringList{"cub.DAT"} << "cub";
    }

    void exportImport()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, files);
        QFETCH(QString, importedName);
        const QString folder = freshFolder();
        QDir(folder).mkpath(QStringLiteral("../out-") + QTest::currentDataTag());
        const QString base = folder + QStringLiteral("/../out-") + QTest::currentDataTag();
        target.replace(QStringLiteral("out"), base);
        ModelLibrary library(folder);
        Model m;
        QVERIFY(library.create(QStringLiteral("幼兽"), shifted(3), &m, QStringLiteral("上单翼")));
        QVERIFY(library.exportTo(m, target));
        QCOMPARE(QDir(base).entryList(QDir::Files), files);

        ModelLibrary other(folder + QStringLiteral("-other"));
        Model imported;
        QVERIFY(other.importFile(QDir(base).filePath(files.first()), QString(), &imported));
        QCOMPARE(imported.name, importedName);
        QCOMPARE(imported.aircraft, files.size() == 2 ? QStringLiteral("上单翼") : QString());
        QCOMPARE(contents(imported.datPath), contents(m.datPath));
        QCOMPARE(other.importFile(QDir(base).filePath(files.first())).status, Status::Exists);
        QVERIFY(other.importFile(QDir(base).filePath(files.first()), QStringLiteral("再来一个")));
        QVERIFY(!other.importFile(m_dir.filePath(QStringLiteral("missing.dat"))));
    }

    // The templates are a library of their own.
    void templatesApart()
    {
        ModelLibrary library(freshFolder());
        ModelLibrary templates(library.templatesFolder());
        QVERIFY(templates.create(QStringLiteral("滑翔机"), startingValues()));
        QVERIFY(library.models().isEmpty());
        QCOMPARE(namesOf(templates.models()), QStringList{"滑翔机"});
    }

    // The model the transmitter holds: the nearest by what it reported.
    void identify_data()
    {
        QTest::addColumn<int>("shift");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("same") << 10 << Kind::Same << "发射机中的参数与模型「Cub」一致";
        QTest::newRow("three differ") << 13 << Kind::Nearest << "发射机中的参数与模型「Cub」有 3 项不同";
        QTest::newRow("nearest is the other") << 0 << Kind::Nearest << "发射机中的参数与模型「Glider」有 1 项不同";
        QTest::newRow("all different") << 80 << Kind::None << "发射机中的参数与模型库中的模型都不同";
    }

    void identify()
    {
        QFETCH(int, shift);
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        const QString folder = freshFolder();
        ModelLibrary library(folder);
        QVERIFY(library.create(QStringLiteral("Cub"), shifted(10)));
        QVERIFY(library.create(QStringLiteral("Glider"), shifted(1)));
        put(folder + QStringLiteral("/damaged.dat"), "damaged");
        const ModelLibrary::Identification id = library.identify(shifted(shift), ReplyFrames::groups());
        QCOMPARE(id.text, text);
        QCOMPARE(id.kind, kind);
        QCOMPARE(id.model.has_value(), kind != Kind::None);
    }
};

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
