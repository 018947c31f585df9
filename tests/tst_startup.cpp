// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::install(*qApp); }

    // Qt's own catalogue is built in: standard buttons speak Chinese.
    void standardButtonsInChinese()
    {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QStringLiteral("x"), QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        QMessageBox question(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
    }

    void windowFrame()
    {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Korvan电子K6QX调参软件V2.0[*]"));
        QVERIFY(!w.windowIcon().isNull());
        QCOMPARE(w.size(), QSize(1000, 525));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void actionImages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("read") << "pushButtonRead";
        QTest::newRow("load") << "pushButtonLoad";
        QTest::newRow("write") << "pushButtonSend2";
        QTest::newRow("save") << "pushButtonSave";
    }

    // Started away from images/, the buttons still show their pictures.
    void actionImages()
    {
        QFETCH(QString, button);
        QTemporaryDir elsewhere;
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        MainWindow w;
        QDir::setCurrent(before);
        QVERIFY(!w.findChild<QPushButton *>(button)->icon().pixmap(16, 16).isNull());
    }

    // Ports the enumerator cannot see (the simulator's) can be offered, and
    // head the list.
    void extraPortsHeadTheList()
    {
        qputenv("K6QX_EXTRA_PORTS", "/dev/pts/77:relative/ignored:/dev/pts/78");
        MainWindow w;
        qunsetenv("K6QX_EXTRA_PORTS");
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        QVERIFY(ports->count() >= 2);
        QCOMPARE(ports->itemText(0), QStringLiteral("/dev/pts/77"));
        QCOMPARE(ports->itemText(1), QStringLiteral("/dev/pts/78"));
        QCOMPARE(ports->currentIndex(), 0);
        QCOMPARE(ports->findText(QStringLiteral("relative/ignored")), -1);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
