// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramhistory.h"
#include "recordcodec.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Kind = ParamHistory::Kind;

MapParamAccess startingValues()
{
    MapParamAccess values;
    Records::applyStartingValues(values);
    return values;
}

void touch(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot make %s", qPrintable(path));
}

} // namespace

Q_DECLARE_METATYPE(ParamHistory::Kind)

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    // The name carries all an entry is: time, kind, port.
    void namesRoundTrip_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownPort");
        const QDate day(2026, 12, 8);
        QTest::newRow("read on ttyUSB0") << QDateTime(day, QTime(12, 3, 4, 5)) << Kind::Read << "/dev/ttyUSB0"
                                         << "20261208-120304-005-read-ttyUSB0.dat" << "ttyUSB0";
        QTest::newRow("before-write on a pseudo-terminal")
            << QDateTime(day, QTime(0, 0, 0, 999)) << Kind::BeforeWrite << "/dev/pts/5"
            << "20261208-000000-999-before-write-pts-5.dat" << "pts-5";
        QTest::newRow("written to COM12") << QDateTime(QDate(2027, 1, 31), QTime(23, 59, 59, 0)) << Kind::Written
                                          << "\\\\.\\COM12" << "20270131-235959-000-written-COM12.dat" << "COM12";
        QTest::newRow("edits, no port") << QDateTime(day, QTime(9, 8, 7, 60)) << Kind::Edits << ""
                                        << "20261208-090807-060-edits.dat" << "";
        QTest::newRow("a model's set before a save") << QDateTime(day, QTime(10, 10, 10, 10)) << Kind::BeforeModelSave
                                                     << "Cub 1.2m 机" << "20261208-101010-010-before-model-save-Cub1.2m.dat"
                                                     << "Cub1.2m";
    }

    void namesRoundTrip()
    {
        QFETCH(QDateTime, time);
        QFETCH(Kind, kind);
        QFETCH(QString, port);
        QFETCH(QString, name);
        QFETCH(QString, shownPort);
        QCOMPARE(ParamHistory::fileName(time, kind, port), name);
        QTemporaryDir dir;
        touch(dir.filePath(name));
        const QList<ParamHistory::Entry> entries = ParamHistory(dir.path()).entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].time, time);
        QCOMPARE(entries[0].kind, kind);
        QCOMPARE(entries[0].port, shownPort);
        QCOMPARE(entries[0].path, dir.filePath(name));
    }

    // A read that brings what the newest read of its port holds keeps no
    // second file and names that entry; anything else is a new entry.
    void aReadAlikeIsKeptOnce_data()
    {
        QTest::addColumn<QStringList>("reads"); // "PORT SET" each; SET is CH1's travel
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("namedAs"); // the entry the last keep names, newest first
        QTest::newRow("the same set again") << QStringList{"ttyUSB0 90", "ttyUSB0 90"} << 1 << 0;
        QTest::newRow("the same set on another port") << QStringList{"ttyUSB0 90", "ttyUSB1 90"} << 2 << 0;
        QTest::newRow("another set") << QStringList{"ttyUSB0 90", "ttyUSB0 91"} << 2 << 0;
        QTest::newRow("back to an older set") << QStringList{"ttyUSB0 90", "ttyUSB0 91", "ttyUSB0 90"} << 3 << 0;
        QTest::newRow("the newest read of the port, another port's between")
            << QStringList{"ttyUSB0 90", "ttyUSB1 91", "ttyUSB0 90"} << 2 << 1;
    }

    void aReadAlikeIsKeptOnce()
    {
        QFETCH(QStringList, reads);
        QFETCH(int, files);
        QFETCH(int, namedAs);
        QTemporaryDir dir;
        ParamHistory history(dir.path());
        QString path;
        for (const QString &read : reads) {
            MapParamAccess values = startingValues();
            values.setValue(QStringLiteral("spinBox_17"), read.section(QLatin1Char(' '), 1).toDouble());
            QVERIFY(history.keep(Kind::Read, values, read.section(QLatin1Char(' '), 0, 0), nullptr, &path));
        }
        const QList<ParamHistory::Entry> entries = history.entries();
        QCOMPARE(entries.size(), files);
        QCOMPARE(path, entries.at(namedAs).path);
    }

    void safePortName_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("safe");
        QTest::newRow("device path") << "/dev/ttyUSB0" << "ttyUSB0";
        QTest::newRow("list name") << "ttyACM0" << "ttyACM0";
        QTest::newRow("COM3") << "COM3" << "COM3";
        QTest::newRow("Windows device path") << "\\\\.\\COM12" << "COM12";
        QTest::newRow("pseudo-terminal") << "/dev/pts/5" << "pts-5";
        QTest::newRow("path outside /dev") << "/tmp/my port:1" << "-tmp-myport1";
        QTest::newRow("other letters dropped") << "串口_1.a" << "_1.a";
    }

    void safePortName()
    {
        QFETCH(QString, port);
        QFETCH(QString, safe);
        QCOMPARE(ParamHistory::safePortName(port), safe);
    }

    // A full history loses its oldest entry to a new one, never the new one,
    // also when the clock is behind the entries; what is not an entry stays,
    // and so does a staging file of a keep that may still run.
    void pruningKeepsTheNewest_data()
    {
        QTest::addColumn<bool>("clockBehind");
        QTest::newRow("clock after the entries") << false;
        QTest::newRow("clock behind the entries") << true;
    }
    void pruningKeepsTheNewest()
    {
        QFETCH(bool, clockBehind);
        QTemporaryDir dir;
        const QDateTime first = clockBehind ? QDateTime::currentDateTime().addDays(2)
                                            : QDateTime(QDate(2020, 1, 1), QTime(0, 0));
        for (int i = 0; i < ParamHistory::kMaxEntries; ++i)
            touch(dir.filePath(ParamHistory::fileName(first.addSecs(i), Kind::Read, QStringLiteral("ttyUSB0"))));
        const QStringList foreign{QStringLiteral("notes.txt"), QStringLiteral("20191301-000000-000-read.dat"),
                                  QStringLiteral("20190101-000000-000-fly.dat"),
                                  QStringLiteral("20190101-000000-000-read-tty USB0.dat"),
                                  QStringLiteral("20190101-000000-000-read.dat.bak")};
        for (const QString &name : foreign)
            touch(dir.filePath(name));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("20190101-000000-000-edits.dat")));
        for (const char *staged : {".keeping-1-old", ".keeping-2-new"})
            touch(dir.filePath(QLatin1String(staged)));
        QFile old(dir.filePath(QStringLiteral(".keeping-1-old")));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-61), QFileDevice::FileModificationTime));
        old.close();

        ParamHistory history(dir.path());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral(".keeping-1-old"))));
        QCOMPARE(history.entries().size(), ParamHistory::kMaxEntries);
        QString error;
        QString path;
        QVERIFY2(history.keep(Kind::Written, startingValues(), QStringLiteral("COM3"), &error, &path),
                 qPrintable(error));

        const QList<ParamHistory::Entry> entries = history.entries();
        QCOMPARE(entries.size(), ParamHistory::kMaxEntries);
        QVERIFY(QFile::exists(path));
        QCOMPARE(history.clockNotice().isEmpty(), !clockBehind);
        QCOMPARE(entries.at(clockBehind ? entries.size() - 1 : 0).path, path);
        QCOMPARE(entries.at(clockBehind ? entries.size() - 2 : entries.size() - 1).time, first.addSecs(1));
        QVERIFY(!QFile::exists(dir.filePath(ParamHistory::fileName(first, Kind::Read, QStringLiteral("ttyUSB0")))));
        for (const QString &name : foreign)
            QVERIFY2(QFile::exists(dir.filePath(name)), qPrintable(name));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("20190101-000000-000-edits.dat"))).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 ParamHistory::kMaxEntries + foreign.size() + 1);
    }

    // Entries kept in one burst each get a time of their own, and each file
    // is the parameter file of its values.
    void keptInOneBurst()
    {
        QTemporaryDir dir;
        ParamHistory history(dir.path());
        QList<QString> paths;
        for (int i = 0; i < 20; ++i) {
            MapParamAccess values = startingValues();
            values.setValue(QStringLiteral("spinBox_17"), 80 + i);
            QString path;
            QVERIFY(history.keep(i % 2 ? Kind::Written : Kind::BeforeWrite, values, QStringLiteral("/dev/ttyUSB0"),
                                 nullptr, &path));
            paths.prepend(path);
        }
        const QList<ParamHistory::Entry> entries = history.entries();
        QCOMPARE(entries.size(), 20);
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries[i].path, paths[i]);
            if (i > 0)
                QVERIFY(entries[i].time < entries[i - 1].time);
            MapParamAccess loaded;
            QString error;
            QVERIFY2(ParamHistory::load(entries[i].path, &loaded, &error), qPrintable(error));
            QCOMPARE(loaded.value(QStringLiteral("spinBox_17")), double(80 + 19 - i));
            QCOMPARE(QFileInfo(entries[i].path).size(), qint64(Records::kFileLength));
        }
    }

    // An entry kept in a millisecond that already has one moves on; the
    // entries there stay as they are.
    void takenTimesMoveOn()
    {
        QTemporaryDir dir;
        const QString port = QStringLiteral("ttyUSB0");
        const QDateTime now = QDateTime::currentDateTime();
        QStringList taken;
        for (int ms = -10; ms < 500; ++ms) {
            taken << dir.filePath(ParamHistory::fileName(now.addMSecs(ms), Kind::Read, port));
            touch(taken.last());
        }
        ParamHistory history(dir.path());
        QString path;
        QVERIFY(history.keep(Kind::Read, startingValues(), port, nullptr, &path));
        QVERIFY(!taken.contains(path));
        for (const QString &name : std::as_const(taken))
            QCOMPARE(QFileInfo(name).size(), 0);
        QCOMPARE(history.entries().size(), taken.size() + 1);
        QCOMPARE(history.entries().first().path, path);
    }

    // What a transmitter reported beyond a file field is kept as the
    // nearest value the field carries, and named; the rest as it was.
    void keptClamped()
    {
        QTemporaryDir dir;
        MapParamAccess values = startingValues();
        values.setValue(QStringLiteral("spinBox_17"), 300);
        values.setValue(QStringLiteral("spinBox_18"), 77);
        ParamHistory history(dir.path());
        QString path;
        QStringList clamped;
        QVERIFY(history.keep(Kind::BeforeWrite, values, QStringLiteral("ttyUSB0"), nullptr, &path, &clamped));
        QCOMPARE(clamped.size(), 1);
        QVERIFY2(clamped.first().contains(QLatin1String("EPA_L1")), qPrintable(clamped.first()));
        MapParamAccess kept;
        QString error;
        QVERIFY(ParamHistory::load(path, &kept, &error));
        QCOMPARE(kept.value(QStringLiteral("spinBox_18")), 77.0);
        QVERIFY(kept.value(QStringLiteral("spinBox_17")) >= 120);
    }

    // Nothing is kept, and the reason is given, when the folder cannot hold
    // the entry.
    void notKept_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("said");
        QTest::newRow("folder is a file") << "FILE" << "" << 0.0 << "FILE";
        QTest::newRow("folder inside a file") << "FILE/history" << "" << 0.0 << "FILE";
    }

    void notKept()
    {
        QFETCH(QString, folder);
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("not-a-folder"));
        touch(file);
        folder = dir.filePath(folder.replace(QStringLiteral("FILE"), QStringLiteral("not-a-folder")));
        said.replace(QStringLiteral("FILE"), QStringLiteral("not-a-folder"));
        MapParamAccess values = startingValues();
        if (!control.isEmpty())
            values.setValue(control, value);
        ParamHistory history(folder);
        QString error;
        QString path;
        QVERIFY(!history.keep(Kind::Read, values, QStringLiteral("ttyUSB0"), &error, &path));
        QVERIFY2(error.contains(said), qPrintable(error));
        QVERIFY(!error.contains(QLatin1Char('\n')));
        QVERIFY(path.isEmpty());
        QVERIFY(history.entries().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                 1);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
