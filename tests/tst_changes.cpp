// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's values against its baseline: what differs is marked, closing
// with changes asks, 还原 goes back.
#include "appsetup.h"
#include "controls.h"
#include "dlgload.h"
#include "formsnapshot.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "paramhistory.h"
#include "windowprobe.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "transmitter.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QString kMarker = QStringLiteral(" *");

QStringList tabTexts(MainWindow &w)
{
    auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget_2"));
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

QStringList markedControls(MainWindow &w)
{
    QStringList marked;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f) {
            const QString name = QLatin1String(field.control);
            if (w.findChild<QWidget *>(name)->property("k6Changed").toBool() && !marked.contains(name))
                marked << name;
        }
    }
    return marked;
}

bool revertOffered(MainWindow &w)
{
    return action(w, "actionRevert")->isEnabled();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

// 加载数据 the way a user runs it: browse to the file, then OK.
void loadThroughDialog(MainWindow &w, ModalWatcher &watcher, const QString &path)
{
    watcher.fileAnswers << path;
    watcher.onDialog = [](QDialog *d) {
        if (!qobject_cast<DlgLoad *>(d))
            return;
        d->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
        d->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
    };
    click(w, "pushButtonLoad");
}

enum class Action { Load, Save, CompleteRead, PartialRead, Write };

} // namespace

class TestChanges : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        AppSetup::install(*qApp);
        // The windows closed here are not the program's last.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void aChangeIsMarked_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("page");
        QTest::newRow("sub-trim CH1") << "spinBox_9" << -100.0 << 0;
        QTest::newRow("travel, bold in the form") << "spinBox_17" << 120.0 << 0;
        QTest::newRow("alarm voltage") << "doubleSpinBox" << 10.5 << 0;
        QTest::newRow("elevon mix") << "comboBox_7" << 2.0 << 1;
        QTest::newRow("dual rate up") << "spinBox_79" << 50.0 << 1;
    }
    void aChangeIsMarked()
    {
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(int, page);
        MainWindow w;
        QWidget *c = w.findChild<QWidget *>(control);
        const QStringList plainTabs = tabTexts(w);
        const QFont formFont = c->font();
        const QColor formBase = c->palette().color(QPalette::Base);
        const double start = controlValue(w, control);
        QVERIFY(!w.isWindowModified());
        QVERIFY(!revertOffered(w));

        setControl(w, control, value);
        QCOMPARE(markedControls(w), QStringList{control});
        QVERIFY(c->font().bold());
        QVERIFY(c->palette().color(QPalette::Base) != formBase);
        QStringList marked = plainTabs;
        marked[page] += kMarker;
        QCOMPARE(tabTexts(w), marked);
        QVERIFY(w.windowTitle().endsWith(QLatin1String("[*]")));
        QVERIFY(w.isWindowModified());
        QVERIFY(revertOffered(w));

        setControl(w, control, start);
        QVERIFY(markedControls(w).isEmpty());
        QCOMPARE(c->font(), formFont);
        QCOMPARE(c->palette().color(QPalette::Base), formBase);
        QCOMPARE(tabTexts(w), plainTabs);
        QVERIFY(!w.isWindowModified());
        QVERIFY(!revertOffered(w));
    }

    // The generated texts replace the tab texts; the mark comes back.
    void tabMarkOutlivesALanguageChange()
    {
        MainWindow w;
        const QString plain = tabTexts(w).first();
        setControl(w, "spinBox_9", -100);
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&w, &change);
        QCOMPARE(tabTexts(w).first(), plain + kMarker);
        QVERIFY(w.windowTitle().endsWith(QLatin1String("[*]")));
        QVERIFY(w.isWindowModified());
    }

    // The baseline is what 还原 returns to.
    void baselineMoves_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("moves");
        QTest::newRow("load") << Action::Load << true;
        QTest::newRow("save") << Action::Save << true;
        QTest::newRow("complete read") << Action::CompleteRead << true;
        QTest::newRow("write") << Action::Write << true;
        QTest::newRow("partial read") << Action::PartialRead << false;
    }
    void baselineMoves()
    {
        QFETCH(Action, action);
        QFETCH(bool, moves);
        MainWindow w;
        ModalWatcher watcher;
        LinkEnd link;
        Transmitter t;
        t.setValue(QStringLiteral("spinBox_9"), 40);
        t.setValue(QStringLiteral("spinBox_90"), -20);
        const auto start = recordValues(&w);
        setControl(w, "spinBox_10", 25);
        QVERIFY(w.isWindowModified());

        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".dat");
        const auto read = [&](int frames, const QString &account) {
            link.openIn(w);
            click(w, "pushButtonRead");
            QCOMPARE(link.receive(1), QByteArray("R"));
            link.send(t.replyFrames().left(frames * ReplyFrames::kFrameLength));
            if (frames == int(ReplyFrames::groups().size()))
                link.confirm(t.replyFrames());
            QTRY_VERIFY_WITH_TIMEOUT(shownMessage(w).startsWith(account), 5000);
        };
        switch (action) {
        case Action::Load:
            writeFile(file, t.parameterFile());
            loadThroughDialog(w, watcher, file);
            QCOMPARE(controlValue(w, "spinBox_9"), 40.0);
            break;
        case Action::Save:
            watcher.fileAnswers << file;
            click(w, "pushButtonSave");
            QVERIFY(QFile::exists(file));
            break;
        case Action::CompleteRead:
            read(int(ReplyFrames::groups().size()), QStringLiteral("已读取全部 14 组参数"));
            break;
        case Action::PartialRead:
            read(9, QStringLiteral("只收到 9 组参数"));
            QCOMPARE(controlValue(w, "spinBox_9"), 40.0);
            break;
        case Action::Write: {
            link.openIn(w);
            // The first write reads the transmitter's own set for the history
            // first; the window's values stay.
            Answerer transmitter(link, [](int) { return Transmitter().replyFrames(); });
            click(w, "pushButtonSend2");
            QTRY_COMPARE(transmitter.received().size(), 2 + 2 * Records::kRecordLength);
            break;
        }
        }
        QVERIFY(watcher.errors().isEmpty());
        const auto after = recordValues(&w);
        QCOMPARE(w.isWindowModified(), !moves);
        QCOMPARE(markedControls(w).isEmpty(), moves);

        setControl(w, "spinBox_11", 33);
        click(w, "actionRevert");
        QCOMPARE(recordValues(&w), moves ? after : start);
        QVERIFY2(shownMessage(w).startsWith(QStringLiteral("已还原 ")), qPrintable(shownMessage(w)));
    }

    // Marks compare what a write would send: the alarm voltage in the
    // tenths the record carries.
    void alarmMarkedByTenths_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("marked");
        QTest::newRow("10.54 is written as 10.5") << 10.54 << false;
        QTest::newRow("10.6") << 10.6 << true;
        QTest::newRow("9.54, within one volt") << 9.54 << true;
    }
    void alarmMarkedByTenths()
    {
        QFETCH(double, value);
        QFETCH(bool, marked);
        MainWindow w;
        MapParamAccess set = w.transmitterWork().values();
        set.setValue(QStringLiteral("doubleSpinBox"), 10.5);
        w.transmitterWork().load(set, TransmitterWork::Origin());
        QVERIFY(markedControls(w).isEmpty());
        setControl(w, "doubleSpinBox", value);
        QCOMPARE(markedControls(w), marked ? QStringList{QStringLiteral("doubleSpinBox")} : QStringList());
        QCOMPARE(w.isWindowModified(), marked);
    }

    // 还原 keeps the edits it drops as an entry of the history first.
    void revertRestoresEveryValue()
    {
        QTemporaryDir history;
        qputenv("K6QX_HISTORY_DIR", QFile::encodeName(history.path()));
        MainWindow w;
        const auto start = recordValues(&w);
        setControl(w, "spinBox", 1);
        setControl(w, "spinBox_45", 4);
        setControl(w, "doubleSpinBox", 9.9);
        setControl(w, "comboBox_2", 3);
        setControl(w, "spinBox_80", 10);
        setControl(w, "comboBox_10", 0);
        QCOMPARE(markedControls(w).size(), 6);
        const QByteArray edited = (MainWindowProbe(w).buildS() + MainWindowProbe(w).buildT(100)).toLatin1();
        click(w, "actionRevert");
        QCOMPARE(recordValues(&w), start);
        const QList<ParamHistory::Entry> kept = ParamHistory(history.path()).entries();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.first().kind, ParamHistory::Kind::Edits);
        QFile entry(kept.first().path);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QCOMPARE(entry.readAll(), edited);
        qunsetenv("K6QX_HISTORY_DIR");
        QVERIFY(markedControls(w).isEmpty());
        QVERIFY(!w.isWindowModified());
        QVERIFY(!revertOffered(w));
    }

    void closing_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("file"); // the save dialog's answer; empty cancels
        QTest::addColumn<bool>("closes");
        QTest::newRow("unchanged: no question") << false << QMessageBox::NoButton << QString() << true;
        QTest::newRow("保存, saved") << true << QMessageBox::Save << "closing.dat" << true;
        QTest::newRow("保存, save dialog cancelled") << true << QMessageBox::Save << QString() << false;
        QTest::newRow("不保存") << true << QMessageBox::Discard << QString() << true;
        QTest::newRow("取消") << true << QMessageBox::Cancel << QString() << false;
        QTest::newRow("Enter: the default stays") << true << QMessageBox::NoButton << QString() << false;
    }
    void closing()
    {
        QFETCH(bool, changed);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, file);
        QFETCH(bool, closes);
        MainWindow w;
        ModalWatcher watcher;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (changed)
            setControl(w, "spinBox_9", -50);
        watcher.boxAnswers << answer;
        const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);
        watcher.fileAnswers << path;

        QCOMPARE(w.close(), closes);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(watcher.boxes.size(), changed ? 1 : 0);
        if (changed) {
            QCOMPARE(watcher.boxes.first().text, QStringLiteral("窗口中的参数已修改，尚未写入发射机或保存到文件。"));
            QCOMPARE(watcher.boxes.first().icon, QMessageBox::Question);
        }
        if (!path.isEmpty()) {
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(saved.size(), qint64(Records::kFileLength));
        }
    }

    // Only a close asks; a window that goes away otherwise does not.
    void destroyingAsksNothing()
    {
        ModalWatcher watcher;
        auto w = std::make_unique<MainWindow>();
        w->show();
        setControl(*w, "spinBox_9", -50);
        w.reset();
        QTest::qWait(50);
        QVERIFY(watcher.boxes.isEmpty());
    }
};

QTEST_MAIN(TestChanges)
#include "tst_changes.moc"
