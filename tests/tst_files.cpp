// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "dlgload.h"
#include "formsnapshot.h"
#include "mainwindow.h"
#include "messagelog.h"
#include "modalwatcher.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

const QByteArray kFreshS = "S00100000787878787878787870707070707070707070707070707070424210424242424213027F2Y";
const QByteArray kTTemplate = "T41E2D3C4855680DCDCDCDCDC14096329696674747474747474740074746464646464640135006D2Z";

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}


// Runs "加载数据" the way a user does: browse to the file (or not), then OK.
void loadThroughDialog(MainWindow &w, ModalWatcher &watcher, const QString &path, bool accept = true)
{
    watcher.fileAnswers << path;
    watcher.onDialog = [path, accept](QDialog *d) {
        if (!qobject_cast<DlgLoad *>(d))
            return;
        if (!path.isEmpty())
            d->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
        d->findChild<QPushButton *>(accept ? QStringLiteral("pushButtonOK") : QStringLiteral("pushButton"))->click();
    };
    click(w, "pushButtonLoad");
}


} // namespace

class TestFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void savesTheFreshWindow()
    {
        MainWindow w;
        ModalWatcher watcher;
        watcher.fileAnswers << path("fresh.txt");
        click(w, "pushButtonSave");
        const QByteArray data = readFile(path("fresh.txt"));
        QCOMPARE(data.size(), 162);
        QCOMPARE(data, kFreshS + kTTemplate);
        QVERIFY(watcher.boxes.isEmpty());
        QCOMPARE(shownMessage(w), QStringLiteral("已保存到 ") + QDir::toNativeSeparators(path("fresh.txt")));
    }

    // The chosen name goes to the "k6qx.files" category, off unless enabled.
    void savedNameIsLoggedOnlyWhenAsked_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("quiet by default") << QString() << QStringList();
        QTest::newRow("k6qx.files enabled") << "k6qx.files.debug=true" << QStringList{"k6qx.files"};
    }

    void savedNameIsLoggedOnlyWhenAsked()
    {
        QFETCH(QString, rules);
        QFETCH(QStringList, categories);
        const QString file = path(QStringLiteral("logged-%1.txt").arg(QTest::currentDataTag()));
        MainWindow w;
        ModalWatcher watcher;
        watcher.fileAnswers << file;
        QLoggingCategory::setFilterRules(rules);
        MessageLog log;
        click(w, "pushButtonSave");
        QLoggingCategory::setFilterRules(QString());
        QStringList told;
        for (const MessageLog::Entry &e : std::as_const(log.entries)) {
            if (e.text.contains(file))
                told << e.category;
        }
        QCOMPARE(told, categories);
        QCOMPARE(readFile(file).size(), 162);
    }

    void mixesInAFile_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("V-tail -84 is 10") << "spinBox_93" << -84 << 81 + 28 << QByteArray("10");
        QTest::newRow("V-tail 100 is C8") << "spinBox_96" << 100 << 81 + 34 << QByteArray("C8");
        QTest::newRow("offset -100 is 00") << "spinBox_97" << -100 << 81 + 67 << QByteArray("00");
        QTest::newRow("rate -90 is 0A") << "spinBox_102" << -90 << 81 + 65 << QByteArray("0A");
        QTest::newRow("dual rate 0 is 10") << "spinBox_80" << 0 << 81 + 57 << QByteArray("10");
    }

    // Values from -100 to -85 keep two characters, so no later field moves,
    // and load back exactly.
    void mixesInAFile()
    {
        QFETCH(QString, control);
        QFETCH(int, value);
        QFETCH(int, offset);
        QFETCH(QByteArray, text);
        MainWindow w;
        ModalWatcher watcher;
        setControl(w, control, value);
        const QString file = path(QStringLiteral("mix%1.txt").arg(QTest::currentDataTag()));
        watcher.fileAnswers << file;
        click(w, "pushButtonSave");
        const QByteArray data = readFile(file);
        QCOMPARE(data.size(), 162);
        QCOMPARE(data.mid(offset, 2), text);
        QCOMPARE(data.mid(offset + 2), (kFreshS + kTTemplate).mid(offset + 2));

        MainWindow fresh;
        loadThroughDialog(fresh, watcher, file);
        QCOMPARE(recordValues(&fresh), recordValues(&w));
    }

    void savingAgainReplacesTheFile()
    {
        MainWindow w;
        ModalWatcher watcher;
        const QString file = path("twice.dat");
        watcher.fileAnswers << file << file;
        click(w, "pushButtonSave");
        setControl(w, "spinBox_9", 100);
        click(w, "pushButtonSave");
        const QByteArray data = readFile(file);
        QCOMPARE(data.size(), 162);
        QCOMPARE(data.mid(9, 2), QByteArray("DC"));
        QVERIFY(watcher.errors().isEmpty());
    }

    void cancelWritesNothing()
    {
        MainWindow w;
        ModalWatcher watcher;
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        watcher.fileAnswers << QString();
        click(w, "pushButtonSave");
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
        QVERIFY(watcher.boxes.isEmpty());
    }

    void missingFolderIsReported()
    {
        MainWindow w;
        ModalWatcher watcher;
        watcher.fileAnswers << path("no/such/folder/x.txt");
        click(w, "pushButtonSave");
        QTRY_COMPARE(watcher.errors().size(), 1);
        QVERIFY2(watcher.errors()[0].text.startsWith(QStringLiteral("不能写入指定的文件")), qPrintable(watcher.errors()[0].text));
        QVERIFY(!QFile::exists(path("no/such/folder/x.txt")));
    }

    // A write that fails part-way (here: the file size limit) is reported
    // and leaves the previous file as it was.
    void failedWriteKeepsTheOldFile()
    {
        const QString file = path("old.txt");
        writeFile(file, "previous contents");
        MainWindow w;
        ModalWatcher watcher;
        watcher.fileAnswers << file;

#ifndef Q_OS_UNIX
        QSKIP("needs a file size limit (setrlimit) to make the write fail part-way");
#else
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 100;
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        click(w, "pushButtonSave");
        setrlimit(RLIMIT_FSIZE, &saved);
#endif

        QTRY_COMPARE(watcher.errors().size(), 1);
        QVERIFY2(watcher.errors()[0].text.startsWith(QStringLiteral("不能写入指定的文件")), qPrintable(watcher.errors()[0].text));
        QCOMPARE(readFile(file), QByteArray("previous contents"));
    }

    void refusesValuesThatDoNotFit()
    {
        MainWindow w;
        ModalWatcher watcher;
        setControl(w, "doubleSpinBox", 30.0);
        watcher.fileAnswers << path("toolarge.txt");
        click(w, "pushButtonSave");
        QTRY_COMPARE(watcher.errors().size(), 1);
        QVERIFY(watcher.errors()[0].text.contains(QStringLiteral("LB")));
        QVERIFY(!QFile::exists(path("toolarge.txt")));
    }

    // Random values within every control's range survive save and load.
    void saveThenLoadGivesEveryValueBack()
    {
        QRandomGenerator rng(7);
        for (int round = 0; round < 5; ++round) {
            MainWindow w;
            ModalWatcher watcher;
            const QHash<QString, double> start = recordValues(&w);
            for (auto it = start.cbegin(); it != start.cend(); ++it) {
                if (auto *s = w.findChild<QSpinBox *>(it.key()))
                    s->setValue(s->minimum() + int(rng.bounded(s->maximum() - s->minimum() + 1)));
                else if (auto *c = w.findChild<QComboBox *>(it.key()))
                    c->setCurrentIndex(int(rng.bounded(c->count())));
                else
                    setControl(w, it.key(), rng.bounded(240) / 10.0);
            }
            const QString file = path(QStringLiteral("round%1.txt").arg(round));
            watcher.fileAnswers << file;
            click(w, "pushButtonSave");

            MainWindow fresh;
            fresh.findChild<QSpinBox *>(QStringLiteral("spinBox_46"))->setValue(4242);
            loadThroughDialog(fresh, watcher, file);
            QVERIFY(watcher.errors().isEmpty());
            QCOMPARE(recordValues(&fresh), recordValues(&w));
            QCOMPARE(fresh.findChild<QSpinBox *>(QStringLiteral("spinBox_46"))->value(), 4242);
        }
    }

    void loadsAHexListingAndTrailingLineEnd_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QByteArray file = kFreshS + kTTemplate;
        file.replace(9, 2, "DC");
        QTest::newRow("parameter file with CRLF") << file + "\r\n";
        QTest::newRow("hex listing of a parameter file") << file.toHex(' ');
    }

    void loadsAHexListingAndTrailingLineEnd()
    {
        QFETCH(QByteArray, contents);
        const QString file = path("listing.txt");
        writeFile(file, contents);
        MainWindow w;
        ModalWatcher watcher;
        loadThroughDialog(w, watcher, file);
        QVERIFY(watcher.errors().isEmpty());
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("spinBox_9"))->value(), 100);
    }

    void refusesWhatIsNotAParameterFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QByteArray file = kFreshS + kTTemplate;
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("S record only") << kFreshS;
        QTest::newRow("truncated by one") << file.left(161);
        QTest::newRow("line end between the records") << kFreshS + "\n" + kTTemplate;
        QTest::newRow("not hexadecimal") << QByteArray(file).replace(20, 2, "XY");
        QTest::newRow("NUL bytes") << QByteArray(162, '\0');
        QTest::newRow("random text") << QByteArray("hello, transmitter");
        QTest::newRow("larger than any parameter file") << QByteArray(2 * 1024 * 1024, 'S');
    }

    void refusesWhatIsNotAParameterFile()
    {
        QFETCH(QByteArray, contents);
        const QString file = path("bad.txt");
        writeFile(file, contents);
        MainWindow w;
        ModalWatcher watcher;
        setControl(w, "spinBox_9", 33);
        const QHash<QString, double> before = recordValues(&w);
        loadThroughDialog(w, watcher, file);
        // One refusal; a file too large to be one is refused by the dialog
        // first, and the empty text it leaves is refused again.
        QTRY_VERIFY(!watcher.errors().isEmpty());
        QVERIFY(watcher.errors().size() <= 2);
        for (const ModalWatcher::Box &box : watcher.errors())
            QCOMPARE(box.title, QStringLiteral("错误"));
        QCOMPARE(recordValues(&w), before);
    }

    void okBeforeAnyFileIsRefused()
    {
        MainWindow w;
        ModalWatcher watcher;
        const QHash<QString, double> before = recordValues(&w);
        loadThroughDialog(w, watcher, QString());
        QTRY_COMPARE(watcher.errors().size(), 1);
        QCOMPARE(recordValues(&w), before);
    }

    void cancelledLoadChangesNothing()
    {
        const QString file = path("cancel.txt");
        QByteArray data = kFreshS + kTTemplate;
        writeFile(file, data.replace(9, 2, "DC"));
        MainWindow w;
        ModalWatcher watcher;
        const QHash<QString, double> before = recordValues(&w);
        loadThroughDialog(w, watcher, file, false);
        QCOMPARE(recordValues(&w), before);
        QVERIFY(watcher.boxes.isEmpty());
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
