// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "recordcodec.h"
#include "sheetexport.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

// 导出 from the window: the name's suffix chooses, the status bar tells
// where the sheet went, a failure gets a message box and no file.
class TestSheetExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void exportBySuffix_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("pdf") << QStringLiteral("a.pdf") << QStringLiteral("a.pdf") << QByteArray("%PDF-");
        QTest::newRow("html") << QStringLiteral("b.html") << QStringLiteral("b.html") << QByteArray("<!DOCTYPE html>");
        QTest::newRow("no suffix takes the filter's") << QStringLiteral("c") << QStringLiteral("c.pdf") << QByteArray("%PDF-");
        QTest::newRow("unknown suffix") << QStringLiteral("d.txt") << QString() << QByteArray();
        QTest::newRow("missing folder") << QStringLiteral("none/e.pdf") << QString() << QByteArray();
    }

    void exportBySuffix()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QByteArray, start);
        MainWindow w;
        ModalWatcher watcher;
        setControl(w, QStringLiteral("spinBox_17"), 77);
        watcher.fileAnswers << m_dir.filePath(answer);
        click(w, "actionExport");
        if (written.isEmpty()) {
            QCOMPARE(watcher.errors().size(), 1);
            QVERIFY(!QFile::exists(m_dir.filePath(answer)));
            QVERIFY(shownMessage(w).isEmpty());
            return;
        }
        QVERIFY(watcher.errors().isEmpty());
        QFile file(m_dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(start));
        QVERIFY2(shownMessage(w).endsWith(written), qPrintable(shownMessage(w)));
        if (written.endsWith(QLatin1String(".html"))) {
            const QString html = QString::fromUtf8(bytes);
            QVERIFY(html.contains(QStringLiteral("title=\"EPA_L1\">77<")));
            // Changed since start-up, and said so.
            QVERIFY(html.contains(QStringLiteral("程序的初始值，窗口中已修改")));
        }
    }

    // A name typed without its suffix may name a file that is there: it is
    // replaced only when the user says so, and 否 goes back to the dialog.
    void replacesOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("是") << true;
        QTest::newRow("否") << false;
    }

    void replacesOnlyWhenAsked()
    {
        QFETCH(bool, replace);
        const QString existing = m_dir.filePath(QStringLiteral("there-%1.pdf").arg(int(replace)));
        QFile old(existing);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        MapParamAccess values;
        Records::applyStartingValues(values);
        SetupSheet::Input input;
        input.values = &values;
        ModalWatcher watcher;
        watcher.fileAnswers << existing.chopped(4); // the dialog opened again after 否 is cancelled
        watcher.boxAnswers << (replace ? QMessageBox::Yes : QMessageBox::No);
        const QString said = SheetExport::run(nullptr, input);
        QCOMPARE(watcher.boxes.size(), 1);
        QVERIFY2(watcher.boxes[0].text.contains(QDir::toNativeSeparators(existing)), qPrintable(watcher.boxes[0].text));
        QCOMPARE(watcher.fileFolders.size(), replace ? 1 : 2);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll().startsWith("%PDF-"), replace);
        QCOMPARE(said.isEmpty(), !replace);
    }
};

QTEST_MAIN(TestSheetExport)
#include "tst_sheetexport.moc"
