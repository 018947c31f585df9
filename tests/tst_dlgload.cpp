// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dlgload.h"
#include "messagelog.h"
#include "modalwatcher.h"
#include "namedpipe.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTranslator>

namespace {

const QByteArray kParameterFile =
    "S00000000787878787878787876767676767676767575757575757875323232323264323201236D2Y"
    "T41E2D3C4855680DCDCDCDCDC14096329696674747474747474740074746464646464640135006D2Z";

struct Dialog
{
    DlgLoad dlg;
    ModalWatcher watcher;

    Dialog() { dlg.show(); }
    // "浏览", answered with the given path ("" cancels).
    void browse(const QString &path)
    {
        watcher.fileAnswers << path;
        dlg.findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
    }
    // The path typed into 文件名, then 确定.
    void typeAndConfirm(const QString &path)
    {
        dlg.findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(path);
        dlg.findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
    }
    void clickCheckBox() { dlg.findChild<QCheckBox *>(QStringLiteral("checkBox"))->click(); }
    QString length() { return dlg.findChild<QLabel *>(QStringLiteral("labelFileLength"))->text(); }
    QString preview() { return dlg.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))->toPlainText(); }
    QString shownName() { return dlg.findChild<QLineEdit *>(QStringLiteral("lineEdit"))->text(); }
};

} // namespace

class TestDlgLoad : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &contents)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(contents) != contents.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void readsAndPreviews_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("preview");

        QTest::newRow("parameter file") << kParameterFile << "文件长度：162B" << QString::fromLatin1(kParameterFile)
                                        << "S000000007878787";
        QTest::newRow("hex listing becomes its bytes") << QByteArray("53 30 30") << "文件长度：8B" << "S00" << "S00";
        QTest::newRow("any white space separates") << QByteArray("53\r\n30\t30\n") << "文件长度：10B" << "S00" << "S00";
        QTest::newRow("line end after the records is kept")
            << kParameterFile + "\r\n" << "文件长度：164B" << QString::fromLatin1(kParameterFile + "\r\n") << "S000000007878787";
        QTest::newRow("short text") << QByteArray("hello") << "文件长度：5B" << "hello" << "hello";
    }

    void readsAndPreviews()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, length);
        QFETCH(QString, context);
        QFETCH(QString, preview);
        Dialog d;
        const QString path = file(QStringLiteral("read.txt"), contents);
        d.browse(path);
        QCOMPARE(d.shownName(), path);
        QCOMPARE(d.length(), length);
        QCOMPARE(d.dlg.getContext(), context);
        QCOMPARE(d.preview(), preview);
    }

    // The check box converts again only what is itself a listing: "41" is,
    // and so is "A" (the byte 0x0A); a line end alone is not.
    void checkBoxConvertsAgain()
    {
        Dialog d;
        d.browse(file(QStringLiteral("twice.txt"), "34 31"));
        QCOMPARE(d.dlg.getContext(), QStringLiteral("41"));
        d.clickCheckBox();
        QCOMPARE(d.dlg.getContext(), QStringLiteral("A"));
        QCOMPARE(d.preview(), QStringLiteral("A"));
        d.clickCheckBox();
        QCOMPARE(d.dlg.getContext(), QStringLiteral("\n"));
        d.clickCheckBox();
        QCOMPARE(d.dlg.getContext(), QStringLiteral("\n"));
        QVERIFY(!d.dlg.findChild<QCheckBox *>(QStringLiteral("checkBox"))->isChecked());
    }

    void plainTextIsLeftAlone()
    {
        Dialog d;
        d.browse(file(QStringLiteral("plain.txt"), kParameterFile));
        for (int i = 0; i < 3; ++i)
            d.clickCheckBox();
        QCOMPARE(d.dlg.getContext(), QString::fromLatin1(kParameterFile));
    }

    void emptyFileKeepsThePreview()
    {
        Dialog d;
        d.browse(file(QStringLiteral("first.txt"), "53 30 30"));
        d.browse(file(QStringLiteral("empty.txt"), QByteArray()));
        QCOMPARE(d.length(), QStringLiteral("文件长度：0B"));
        QCOMPARE(d.preview(), QStringLiteral("S00"));
        QCOMPARE(d.dlg.getContext(), QString());
    }

    void cancelledChoiceKeepsTheFirstFile()
    {
        Dialog d;
        const QString first = file(QStringLiteral("keep.txt"), kParameterFile);
        d.browse(first);
        d.browse(QString());
        QCOMPARE(d.dlg.getContext(), QString::fromLatin1(kParameterFile));
        QCOMPARE(d.shownName(), first);
    }

    // Nothing larger than a sane bound is read into memory.
    void oversizedFileIsRefused()
    {
        Dialog d;
        d.browse(file(QStringLiteral("first.txt"), "53 30 30"));
        d.browse(file(QStringLiteral("big.bin"), QByteArray(DlgLoad::kMaxFileBytes + 1, 'S')));
        QTRY_COMPARE(d.watcher.errors().size(), 1);
        QCOMPARE(d.watcher.errors()[0].title, QStringLiteral("错误"));
        QVERIFY(d.watcher.errors()[0].text.startsWith(QStringLiteral("不能读取指定的文件")));
        QCOMPARE(d.dlg.getContext(), QString());
        QCOMPARE(d.shownName(), QString());
        QCOMPARE(d.length(), QStringLiteral("文件长度：8B"));
    }

    void unreadableFileIsRefused()
    {
#ifndef Q_OS_LINUX
        QSKIP("needs a file that opens but cannot be read: /proc/self/mem");
#endif
        Dialog d;
        d.browse(file(QStringLiteral("first.txt"), "53 30 30"));
        d.browse(QStringLiteral("/proc/self/mem"));
        QTRY_COMPARE(d.watcher.errors().size(), 1);
        QCOMPARE(d.watcher.errors()[0].text, QStringLiteral("不能读取指定的文件"));
        QCOMPARE(d.length(), QStringLiteral("文件长度：8B"));
        QCOMPARE(d.dlg.getContext(), QString());
    }

    void pipeIsRefusedUnopened()
    {
#ifndef Q_OS_UNIX
        QSKIP("named pipes are made with mkfifo");
#else
        Dialog d;
        d.browse(file(QStringLiteral("first.txt"), "53 30 30"));
        NamedPipe pipe(m_dir.filePath(QStringLiteral("pipe")));
        QVERIFY(pipe.made());
        d.browse(m_dir.filePath(QStringLiteral("pipe")));
        QTRY_COMPARE(d.watcher.errors().size(), 1);
        QCOMPARE(d.watcher.errors()[0].text, QStringLiteral("不能读取指定的文件\n这是设备或管道，不是普通文件"));
        QCOMPARE(d.dlg.getContext(), QString());
        QCOMPARE(d.length(), QStringLiteral("文件长度：8B"));
#endif
    }

    // 确定 reads a typed name as 浏览 reads a chosen one; the name last read
    // is not read again.
    void okReadsTheTypedName_data()
    {
        QTest::addColumn<QByteArray>("browsed"); // "" browses nothing first
        QTest::addColumn<QByteArray>("typed");   // contents of the typed file; "-" types a missing name
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QString>("error");

        QTest::newRow("typed parameter file") << QByteArray() << kParameterFile << true
                                              << QString::fromLatin1(kParameterFile) << "S000000007878787" << "";
        QTest::newRow("typed hex listing") << QByteArray() << QByteArray("53 30 30") << true << "S00" << "S00" << "";
        QTest::newRow("typed over a browsed file") << QByteArray("53 30 30") << kParameterFile << true
                                                   << QString::fromLatin1(kParameterFile) << "S000000007878787" << "";
        QTest::newRow("typed missing file") << QByteArray() << QByteArray("-") << false << "" << ""
                                            << "不能读取指定的文件\n文件不存在";
    }

    void okReadsTheTypedName()
    {
        QFETCH(QByteArray, browsed);
        QFETCH(QByteArray, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, context);
        QFETCH(QString, preview);
        QFETCH(QString, error);
        Dialog d;
        if (!browsed.isEmpty())
            d.browse(file(QStringLiteral("browsed.txt"), browsed));
        const QString path = typed == "-" ? m_dir.filePath(QStringLiteral("missing.txt"))
                                          : file(QStringLiteral("typed.txt"), typed);
        d.typeAndConfirm(path);
        if (!error.isEmpty()) {
            QTRY_COMPARE(d.watcher.errors().size(), 1);
            QCOMPARE(d.watcher.errors()[0].text, error);
        }
        QCOMPARE(d.dlg.result() == QDialog::Accepted, accepted);
        QCOMPARE(d.dlg.isVisible(), !accepted);
        QCOMPARE(d.dlg.getContext(), context);
        QCOMPARE(d.preview(), preview);
        QVERIFY(d.watcher.errors().size() == (error.isEmpty() ? 0 : 1));
    }

    // The name browsed to and read is not read again by 确定: the check box's
    // conversion stands.
    void okKeepsWhatWasRead()
    {
        Dialog d;
        d.browse(file(QStringLiteral("twice.txt"), "34 31"));
        d.clickCheckBox();
        d.dlg.findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        QCOMPARE(d.dlg.result(), int(QDialog::Accepted));
        QCOMPARE(d.dlg.getContext(), QStringLiteral("A"));
    }

    // The preview goes to the "k6qx.files" category, off unless enabled, and
    // is told once.
    void previewIsLoggedOnlyWhenAsked()
    {
        const QString path = file(QStringLiteral("logged.txt"), "53 30 30");
        auto previews = [](const MessageLog &log) {
            QList<MessageLog::Entry> found;
            for (const MessageLog::Entry &e : log.entries) {
                if (e.text.contains(QStringLiteral("S00")))
                    found << e;
            }
            return found;
        };
        {
            MessageLog log;
            Dialog d;
            d.browse(path);
            QCOMPARE(previews(log).size(), 0);
        }
        QLoggingCategory::setFilterRules(QStringLiteral("k6qx.files.debug=true"));
        MessageLog log;
        {
            Dialog d;
            d.browse(path);
        }
        QLoggingCategory::setFilterRules(QString());
        const auto told = previews(log);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].category, QStringLiteral("k6qx.files"));
    }

    void languageChangeResetsTheTexts()
    {
        Dialog d;
        d.browse(file(QStringLiteral("lang.txt"), "53 30 30"));
        QTranslator translator;
        QCoreApplication::installTranslator(&translator);
        QCoreApplication::removeTranslator(&translator);
        QTRY_COMPARE(d.length(), QStringLiteral("文件长度：0"));
        QCOMPARE(d.preview(), QStringLiteral("S00"));
        QCOMPARE(d.dlg.getContext(), QStringLiteral("S00"));
    }
};

QTEST_MAIN(TestDlgLoad)
#include "tst_dlgload.moc"
