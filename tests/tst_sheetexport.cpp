// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "mainwindow.h"
#include "modalwatcher.h"

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
};

QTEST_MAIN(TestSheetExport)
#include "tst_sheetexport.moc"
