// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window explains its controls and answers its keys.

#include "controls.h"
#include "dlgload.h"
#include "mainwindow.h"
#include "messageline.h"
#include "modalwatcher.h"
#include "recordcodec.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

class TestWindowHelp : public QObject
{
    Q_OBJECT

private slots:
    void everyRecordControlSaysWhatItIs()
    {
        MainWindow w;
        for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
            for (const Records::Field &field : *format) {
                auto *control = w.findChild<QWidget *>(QLatin1String(field.control));
                QVERIFY2(control, field.control);
                const QString tip = control->toolTip();
                QVERIFY2(tip.startsWith(Records::titleOf(field) + QLatin1Char('\n')), qPrintable(tip));
                QVERIFY2(tip.endsWith(QLatin1Char(':') + QLatin1String(field.param))
                             || tip.endsWith(QStringLiteral("：") + QLatin1String(field.param)),
                         qPrintable(tip));
                QCOMPARE(control->accessibleName(), Records::titleOf(field));
            }
        }
        // The range comes from the form's limits, a choice box lists its items.
        QCOMPARE(w.findChild<QWidget *>(QStringLiteral("spinBox_17"))->toolTip(),
                 QStringLiteral("CH1 舵机行程量（左）\n范围：0 … 120\n发射机中的名称：EPA_L1"));
        QCOMPARE(w.findChild<QWidget *>(QStringLiteral("comboBox_7"))->toolTip(),
                 QStringLiteral("可编程混控一 混控\n可选：禁止、关闭、打开\n发射机中的名称：ProgMix14Mix0"));
        QCOMPARE(w.findChild<QWidget *>(QStringLiteral("spinBox_93"))->toolTip(),
                 QStringLiteral("V型尾翼混控 升降一\n范围：-100 … 100\n发射机中的名称：VTailEle1"));
    }

    void keysTriggerTheirActions_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("outcome"); // a status text, or what opens

        const QString closed = QStringLiteral("串口未打开，请先打开串口");
        QTest::newRow("Ctrl+R") << QKeySequence(Qt::CTRL | Qt::Key_R) << "pushButtonRead" << closed;
        QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << "pushButtonRead" << closed;
        QTest::newRow("Ctrl+Shift+W") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W) << "pushButtonSend2" << closed;
        QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << "pushButtonSave" << "file dialog";
        QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << "pushButtonLoad" << "load dialog";
        // With the port closed 校验数据 compares with a file.
        QTest::newRow("Ctrl+E") << QKeySequence(Qt::CTRL | Qt::Key_E) << "pushButtonVerify" << "load dialog";
    }

    void keysTriggerTheirActions()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, button);
        QFETCH(QString, outcome);

        ModalWatcher watcher;
        QString opened;
        watcher.onDialog = [&opened](QDialog *d) {
            if (qobject_cast<DlgLoad *>(d))
                opened = QStringLiteral("load dialog");
            d->reject();
        };
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QString keyText = key.toString(QKeySequence::NativeText);
        QVERIFY2(w.findChild<QPushButton *>(button)->toolTip().contains(keyText),
                 qPrintable(w.findChild<QPushButton *>(button)->toolTip()));

        QTest::keySequence(&w, key);
        if (outcome == QLatin1String("file dialog"))
            QTRY_COMPARE_WITH_TIMEOUT(watcher.fileFolders.size(), 1, 3000);
        else if (outcome == QLatin1String("load dialog"))
            QTRY_COMPARE_WITH_TIMEOUT(opened, outcome, 3000);
        else
            QCOMPARE(shownMessage(w), outcome);
    }

    // The window's message stays through the mouse passing over every
    // button (a status tip shows only while the mouse is on its button);
    // one longer than the bar is cut, and whole in its tooltip and in the
    // window a click on it opens.
    void messageStays()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *line = w.findChild<MessageLine *>();
        const QStringList missing{QStringLiteral("舵机延迟"), QStringLiteral("大小舵比例"),
                                  QStringLiteral("可编程混控比例和主控")};
        const QString account = QStringLiteral("只收到 11 组参数（共 14 组），未收到的参数仍是窗口原来的值：")
                                + missing.join(QStringLiteral("、")) + QString(40, QChar(0x3001));
        line->say(account, missing);
        QVERIFY(line->text().endsWith(QChar(0x2026)));
        QVERIFY(line->text().size() < account.size());
        QVERIFY(line->toolTip().startsWith(account));

        for (QAbstractButton *b : w.findChildren<QAbstractButton *>()) {
            if (!b->isVisible())
                continue;
            QTest::mouseMove(b);
            // The form's own hover text for 打开 shows meanwhile.
            if (b->objectName() == QLatin1String("pushButtonOpen"))
                QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("打开/关闭串口"));
            QTest::mouseMove(line);
            QVERIFY2(line->isVisible(), qPrintable(b->objectName()));
            QCOMPARE(line->fullText(), account);
        }

        QTest::mouseClick(line, Qt::LeftButton);
        auto *details = w.findChild<QDialog *>(QStringLiteral("accountDetails"));
        QTRY_VERIFY(details && details->isVisible());
        QCOMPARE(details->findChild<QLabel *>(QStringLiteral("labelAccount"))->text(), account);
        QCOMPARE(details->findChild<QListWidget *>()->count(), missing.size());
        details->close();
    }
};

QTEST_MAIN(TestWindowHelp)
#include "tst_windowhelp.moc"
