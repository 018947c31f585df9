// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// What the window keeps between starts: the serial panel, the folder of the
// file dialogs, its position; and the file its title names.

#include "controls.h"
#include "dlgload.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "portlist.h"
#include "remembered.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QString settingsFile()
{
    return Remembered::fileName();
}

// A window started with these system ports, once it has listed them.
std::unique_ptr<MainWindow> start(const QStringList &ports)
{
    PortList::setEnumerator([ports] { return ports; });
    auto w = std::make_unique<MainWindow>();
    QSignalSpy listed(w.get(), &MainWindow::portsListed);
    if (!listed.wait(5000))
        qWarning("the window did not list its ports");
    return w;
}

QComboBox *box(MainWindow &w, const char *name)
{
    return w.findChild<QComboBox *>(QLatin1String(name));
}

} // namespace

class TestRemembered : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
#ifdef Q_OS_WIN
    const QStringList m_ports{QStringLiteral("COM4"), QStringLiteral("COM7")};
#else
    const QStringList m_ports{QStringLiteral("/dev/ttyS4"), QStringLiteral("/dev/ttyUSB7")};
#endif

private slots:
    void init() { QFile::remove(settingsFile()); }

    void panelAndPositionComeBack()
    {
        QString port;
        const bool dtrAtFirst = MainWindow().findChild<QCheckBox *>(QStringLiteral("checkBoxDTR"))->isChecked();
        {
            auto w = start(m_ports);
            QComboBox *comm = box(*w, "comboBoxComm");
            comm->setCurrentIndex(comm->count() - 1);
            port = comm->currentText();
            QVERIFY(port.contains(QFileInfo(m_ports.last()).fileName()));
            box(*w, "comboBoxBaudRate")->setCurrentText(QStringLiteral("2400"));
            box(*w, "comboBoxParity")->setCurrentIndex(2);
            box(*w, "comboBoxStopBit")->setCurrentIndex(1);
            w->findChild<QCheckBox *>(QStringLiteral("checkBoxDTR"))->toggle();
            w->move(123, 45);
            QVERIFY(w->close());
        }
        auto w = start(m_ports);
        QCOMPARE(box(*w, "comboBoxComm")->currentText(), port);
        QCOMPARE(box(*w, "comboBoxBaudRate")->currentText(), QStringLiteral("2400"));
        QCOMPARE(box(*w, "comboBoxParity")->currentIndex(), 2);
        QCOMPARE(box(*w, "comboBoxStopBit")->currentIndex(), 1);
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("checkBoxDTR"))->isChecked(), !dtrAtFirst);
        QCOMPARE(w->pos(), QPoint(123, 45));
        QCOMPARE(w->size(), QSize(1000, 525));

        // The port unplugged since: the first one is offered.
        QVERIFY(w->close());
        w = start({m_ports.first()});
        QCOMPARE(box(*w, "comboBoxComm")->currentIndex(), 0);
        QCOMPARE(box(*w, "comboBoxBaudRate")->currentText(), QStringLiteral("2400"));
    }

    // A kept position that would put part of the window off its screen (a
    // screen of 1600×1000 here) is moved so all of it shows; one on a screen
    // that is gone lands on the primary screen.
    void positionComesOnScreen_data()
    {
        QTest::addColumn<QPoint>("kept");
        QTest::addColumn<bool>("stays");
        QTest::newRow("on the screen") << QPoint(123, 45) << true;
        QTest::newRow("right and bottom off") << QPoint(1400, 900) << false;
        QTest::newRow("left and top off") << QPoint(-300, -40) << false;
        QTest::newRow("screen gone") << QPoint(5000, 3000) << false;
    }

    void positionComesOnScreen()
    {
        QFETCH(QPoint, kept);
        QFETCH(bool, stays);
        Remembered::keepPosition(kept);
        auto w = start(m_ports);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY2(w->screen()->availableGeometry().contains(w->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3×%4").arg(w->x()).arg(w->y()).arg(w->frameGeometry().width()).arg(w->frameGeometry().height())));
        QCOMPARE(w->pos() == kept, stays);
    }

    // Both file dialogs start where the last file was saved or loaded, also
    // after a restart; the title names that file.
    void fileDialogsStartInTheFolderLastUsed()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("models/glider")));
        const QString saved = m_dir.filePath(QStringLiteral("models/glider/k6.txt"));
        ModalWatcher watcher;
        {
            auto w = start(m_ports);
            watcher.fileAnswers << saved;
            click(*w, "pushButtonSave");
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 5000);
            QVERIFY2(w->windowTitle().endsWith(QLatin1String(" - k6.txt[*]")), qPrintable(w->windowTitle()));
        }
        auto w = start(m_ports);
        watcher.fileAnswers << saved;
        watcher.onDialog = [](QDialog *d) {
            if (!qobject_cast<DlgLoad *>(d))
                return;
            d->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
            d->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        };
        click(*w, "pushButtonLoad");
        QTRY_COMPARE_WITH_TIMEOUT(watcher.fileFolders.size(), 2, 5000);
        QCOMPARE(watcher.fileFolders.last(), QFileInfo(saved).absolutePath());
        QTRY_VERIFY_WITH_TIMEOUT(w->windowTitle().endsWith(QLatin1String(" - k6.txt[*]")), 5000);
        QCOMPARE(w->windowFilePath(), saved);

        // A file loaded from elsewhere moves the folder the next save starts in.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("models/heli")));
        const QString other = m_dir.filePath(QStringLiteral("models/heli/k6.txt"));
        QVERIFY(QFile::copy(saved, other));
        watcher.fileAnswers << other;
        click(*w, "pushButtonLoad");
        QTRY_COMPARE_WITH_TIMEOUT(watcher.fileFolders.size(), 3, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w->windowFilePath(), other, 5000);
        click(*w, "pushButtonSave");
        QTRY_COMPARE_WITH_TIMEOUT(watcher.fileFolders.size(), 4, 5000);
        QCOMPARE(watcher.fileFolders.last(), QFileInfo(other).absolutePath());
    }

    // A port the user picks before the system's ports are listed stays.
    void aPortPickedAtOnceStays()
    {
        {
            auto w = start(m_ports);
            box(*w, "comboBoxComm")->setCurrentIndex(box(*w, "comboBoxComm")->count() - 1);
            QVERIFY(w->close()); // the last port of the list is kept...
        }
        qputenv("K6QX_EXTRA_PORTS", "/dev/ttyK6adapter");
        PortList::setEnumerator([this] { return m_ports; });
        MainWindow w;
        QComboBox *comm = box(w, "comboBoxComm");
        emit comm->activated(0); // ...and the one the list starts with picked
        QSignalSpy listed(&w, &MainWindow::portsListed);
        QVERIFY(listed.wait(5000));
        qunsetenv("K6QX_EXTRA_PORTS");
        QCOMPARE(comm->currentIndex(), 0);
        QCOMPARE(comm->count(), 3);
    }

    void unreadableSettingsStopNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("binary junk") << QByteArray("\x00\xff\x01[[[=\n\x80\x81", 11);
        QTest::newRow("values of the wrong kind")
            << QByteArray("[panel]\ncomboBoxBaudRate=fast\ncheckBoxDTR=maybe\n[window]\nx=left\ny=\n"
                          "[files]\nfolder=/nonexistent/folder\n");
    }

    void unreadableSettingsStopNothing()
    {
        QFETCH(QByteArray, content);
        MainWindow fresh;
        QDir().mkpath(QFileInfo(settingsFile()).absolutePath());
        QFile f(settingsFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();

        auto w = start(m_ports);
        for (const char *name : {"comboBoxBaudRate", "comboBoxParity"})
            QCOMPARE(box(*w, name)->currentIndex(), box(fresh, name)->currentIndex());
        QCOMPARE(box(*w, "comboBoxComm")->currentIndex(), 0);
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("checkBoxDTR"))->isChecked(),
                 fresh.findChild<QCheckBox *>(QStringLiteral("checkBoxDTR"))->isChecked());
        // With no folder kept, the file dialog starts in the user's documents.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(QDir().mkpath(documents));
        ModalWatcher watcher;
        click(*w, "pushButtonSave");
        QTRY_COMPARE_WITH_TIMEOUT(watcher.fileFolders.size(), 1, 5000);
        QCOMPARE(watcher.fileFolders.first(), documents);
        QCOMPARE(Remembered::folder(), QString()); // a folder that is gone is none

        // The next choices are kept all the same.
        box(*w, "comboBoxBaudRate")->setCurrentText(QStringLiteral("9600"));
        QVERIFY(w->close());
        QCOMPARE(box(*start(m_ports), "comboBoxBaudRate")->currentText(), QStringLiteral("9600"));
    }
};

QTEST_MAIN(TestRemembered)
#include "tst_remembered.moc"
