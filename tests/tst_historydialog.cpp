// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The history in the window: the list of entries, 载入窗口, 比较, and taking
// the values ticked in a comparison.
#include "comparedialog.h"
#include "controls.h"
#include "historydialog.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "paramhistory.h"
#include "recordcodec.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

const QString kTravel = QStringLiteral("spinBox_17"); // CH1 舵机行程量（左）, 96 at start
const QString kMix = QStringLiteral("spinBox_93");    // V型尾翼混控 升降一, 50 at start

MapParamAccess startingValues()
{
    MapParamAccess values;
    Records::applyStartingValues(values);
    return values;
}

// A dialog left open by a failing handler is closed, so the test fails
// instead of waiting.
void closeAtLast(QDialog *d)
{
    QTimer::singleShot(5000, d, &QDialog::reject);
}

void press(QDialog *d, const char *name)
{
    auto *b = d->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(b, name);
    QVERIFY2(b->isEnabled(), name);
    QTimer::singleShot(0, b, &QPushButton::click);
}

// Selects the history dialog's first (newest) entry.
void selectNewest(QDialog *d)
{
    auto *list = d->findChild<QTreeWidget *>(QStringLiteral("treeHistory"));
    QVERIFY(list && list->topLevelItemCount() > 0);
    list->setCurrentItem(list->topLevelItem(0));
}

int rowOf(const QTableWidget *table, const QString &title)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == title)
            return row;
    }
    return -1;
}

} // namespace

class TestHistoryDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        qputenv("K6QX_HISTORY_DIR", folder->path().toLocal8Bit());
        window = std::make_unique<MainWindow>();
        watcher = std::make_unique<ModalWatcher>();
    }

    void cleanup()
    {
        watcher.reset();
        window.reset();
        folder.reset();
    }

    void listsNewestFirst()
    {
        ParamHistory history(folder->path());
        QVERIFY(history.keep(ParamHistory::Kind::Read, startingValues(), QStringLiteral("/dev/ttyUSB0")));
        QVERIFY(history.keep(ParamHistory::Kind::Written, startingValues(), QStringLiteral("/dev/ttyUSB0")));
        QVERIFY(history.keep(ParamHistory::Kind::Edits, startingValues(), QString()));
        QList<QStringList> rows;
        watcher->onDialog = [&rows](QDialog *d) {
            closeAtLast(d);
            const auto *list = d->findChild<QTreeWidget *>(QStringLiteral("treeHistory"));
            for (int i = 0; list && i < list->topLevelItemCount(); ++i)
                rows << QStringList{list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1),
                                    list->topLevelItem(i)->text(2)};
            d->reject();
        };
        click(*window, "actionHistory");
        QCOMPARE(rows.size(), 3);
        const QStringList kinds{rows[0][1], rows[1][1], rows[2][1]};
        QCOMPARE(kinds, (QStringList{"窗口中的修改", "已写入", "读取"}));
        QCOMPARE(rows[1][2], QStringLiteral("ttyUSB0"));
        QCOMPARE(rows[0][2], QString());
        const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
        for (const QStringList &row : rows)
            QVERIFY2(stamp.match(row[0]).hasMatch(), qPrintable(row[0]));
        QVERIFY(rows[0][0] >= rows[2][0]);
    }

    // The dialog opens with the newest entry selected, ready for 比较.
    void opensOnTheNewest_data()
    {
        QTest::addColumn<int>("entries");
        QTest::newRow("none") << 0;
        QTest::newRow("two") << 2;
    }

    void opensOnTheNewest()
    {
        QFETCH(int, entries);
        ParamHistory history(folder->path());
        for (int i = 0; i < entries; ++i) {
            MapParamAccess values = startingValues();
            values.setValue(kTravel, 70 + i);
            QVERIFY(history.keep(ParamHistory::Kind::Read, values, QStringLiteral("/dev/ttyUSB0")));
        }
        HistoryDialog d(history.entries(), nullptr);
        const auto *list = d.findChild<QTreeWidget *>(QStringLiteral("treeHistory"));
        QVERIFY(list);
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        QCOMPARE(list->selectedItems().size(), entries > 0 ? 1 : 0);
        QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("pushButtonCompare"))->isEnabled(), entries > 0);
    }

    // 载入窗口 puts the entry's values into the window, which then stands as
    // loaded; changes it held are kept as an edits entry first.
    void loadIntoWindow_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::newRow("window unchanged") << false;
        QTest::newRow("window changed") << true;
    }

    void loadIntoWindow()
    {
        QFETCH(bool, edited);
        ParamHistory history(folder->path());
        MapParamAccess kept = startingValues();
        kept.setValue(kTravel, 77);
        QVERIFY(history.keep(ParamHistory::Kind::Read, kept, QStringLiteral("/dev/ttyUSB0")));
        if (edited)
            setControl(*window, kMix, -20);
        QVERIFY(window->isWindowModified() == edited);
        watcher->onDialog = [](QDialog *d) {
            if (!qobject_cast<HistoryDialog *>(d))
                return;
            closeAtLast(d);
            selectNewest(d);
            press(d, "pushButtonLoadEntry");
        };
        click(*window, "actionHistory");
        QCOMPARE(controlValue(*window, kTravel), 77.0);
        QCOMPARE(controlValue(*window, kMix), 50.0);
        QVERIFY(!window->isWindowModified());
        const QList<ParamHistory::Entry> entries = history.entries();
        QCOMPARE(entries.size(), edited ? 2 : 1);
        if (edited) {
            QCOMPARE(entries[0].kind, ParamHistory::Kind::Edits);
            MapParamAccess edits;
            QString error;
            QVERIFY2(ParamHistory::load(entries[0].path, &edits, &error), qPrintable(error));
            QCOMPARE(edits.value(kMix), -20.0);
            QCOMPARE(edits.value(kTravel), 96.0);
        }
    }

    // 比较 names the entry in the header; 载入选中的值 takes exactly the
    // ticked rows into the window, as changes.
    void compareAndTakeTicked()
    {
        ParamHistory history(folder->path());
        MapParamAccess kept = startingValues();
        kept.setValue(kTravel, 77);
        kept.setValue(kMix, -20);
        QVERIFY(history.keep(ParamHistory::Kind::Read, kept, QStringLiteral("/dev/ttyUSB0")));
        const ParamHistory::Entry entry = history.entries().value(0);
        QString header;
        int ticked = 0;
        QPointer<QDialog> list;
        watcher->onDialog = [&](QDialog *d) {
            closeAtLast(d);
            if (qobject_cast<HistoryDialog *>(d)) {
                list = d;
                selectNewest(d);
                press(d, "pushButtonCompare");
                return;
            }
            auto *table = d->findChild<QTableWidget *>(QStringLiteral("tableCompare"));
            QVERIFY(table && list);
            header = table->horizontalHeaderItem(2)->text();
            for (int row = 0; row < table->rowCount(); ++row)
                ticked += table->item(row, 0)->checkState() == Qt::Checked;
            const int mixRow = rowOf(table, QStringLiteral("V型尾翼混控 升降一"));
            QVERIFY(mixRow >= 0);
            table->item(mixRow, 0)->setCheckState(Qt::Unchecked);
            press(d, "pushButtonTake");
            QTimer::singleShot(20, list, &QDialog::reject);
        };
        click(*window, "actionHistory");
        QCOMPARE(header, QStringLiteral("历史记录 %1（读取）").arg(entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
        QCOMPARE(ticked, 2);
        QCOMPARE(shownMessage(*window), QStringLiteral("已载入 1 项（尚未写入发射机）"));
        QCOMPARE(controlValue(*window, kTravel), 77.0);
        QCOMPARE(controlValue(*window, kMix), 50.0);
        QVERIFY(window->isWindowModified());
        QCOMPARE(history.entries().size(), 1); // nothing kept, nothing sent
    }

private:
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ModalWatcher> watcher;
};

QTEST_MAIN(TestHistoryDialog)
#include "tst_historydialog.moc"
