// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparedialog.h"
#include "paramcompare.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using Against = ParamCompare::Against;

namespace {

// The starting values on both sides; the window's dual rates and the given
// channel differ from the other side's.
std::pair<MapParamAccess, MapParamAccess> sidesWithChannel(int channel)
{
    MapParamAccess window;
    Records::applyStartingValues(window);
    MapParamAccess other = window;
    window.setValue(QStringLiteral("spinBox_79"), 14);
    window.setValue(QStringLiteral("spinBox_80"), 24);
    window.setValue(QLatin1String(Records::kDualRateChannel), channel);
    return {window, other};
}

} // namespace

class TestCompare : public QObject
{
    Q_OBJECT

private slots:
    // Against the transmitter the dual rates take part only for CH1..CH4,
    // the channels the answer carries; the note names the channel as the
    // user reads it.
    void dualRatesOfTheChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("differing");
        QTest::addColumn<QString>("note");
        QTest::newRow("CH1") << 0 << 87 << 2 << "大小舵比例只比较通道 CH1 的一对";
        QTest::newRow("CH2") << 1 << 87 << 2 << "大小舵比例只比较通道 CH2 的一对";
        QTest::newRow("CH4") << 3 << 87 << 2 << "大小舵比例只比较通道 CH4 的一对";
        QTest::newRow("CH5: the answer has no dual rates") << 4 << 85 << 0 << "没有选中 CH1 到 CH4";
        QTest::newRow("no channel chosen") << -1 << 85 << 0 << "没有选中 CH1 到 CH4";
    }

    void dualRatesOfTheChannel()
    {
        QFETCH(int, channel);
        QFETCH(int, rows);
        QFETCH(int, differing);
        QFETCH(QString, note);
        const auto [window, other] = sidesWithChannel(channel);
        const QList<ParamCompare::Row> compared = ParamCompare::compare(window, other, Against::Transmitter);
        QCOMPARE(compared.size(), rows);
        QCOMPARE(ParamCompare::differences(compared), differing);
        const bool anyDualRate = std::any_of(compared.cbegin(), compared.cend(), [](const auto &r) {
            return r.field->kind == Records::FieldKind::DualRate;
        });
        QCOMPARE(anyDualRate, rows == 87);
        const QString text = ParamCompare::transmitterNote(channel);
        QVERIFY2(text.contains(note), qPrintable(text));
        // Against a file every field takes part, whatever the channel.
        QCOMPARE(ParamCompare::compare(window, other, Against::File).size(), 89);
    }

    // Differing rows first, in the records' order, the window's value under
    // the window's heading; the equal rows follow.
    void dialogTable()
    {
        MapParamAccess window;
        Records::applyStartingValues(window);
        MapParamAccess other = window;
        window.setValue(QStringLiteral("spinBox_17"), 120); // other side: 96
        window.setValue(QStringLiteral("spinBox_93"), -20); // other side: 50
        const QList<ParamCompare::Row> rows = ParamCompare::compare(window, other, Against::Transmitter);
        CompareDialog dialog(rows, QStringLiteral("发射机 ttyUSB0 12:03:04"), QStringLiteral("note"), nullptr);
        const auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("tableCompare"));
        QVERIFY(table);
        QCOMPARE(table->rowCount(), rows.size());
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("参数"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("窗口"));
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("发射机 ttyUSB0 12:03:04"));
        const QStringList expected[] = {
            {"CH1 舵机行程量（左）", "120", "96"},
            {"V型尾翼混控 升降一", "-20", "50"},
            {"CH1 舵机相位", "0", "0"},
        };
        for (int row = 0; row < int(std::size(expected)); ++row) {
            QStringList cells;
            for (int col = 0; col < 3; ++col)
                cells << table->item(row, col)->text();
            QCOMPARE(cells, expected[row]);
            QCOMPARE(table->item(row, 0)->font().bold(), row < 2);
            // Differing rows are offered ticked, equal ones not at all.
            QCOMPARE(table->item(row, 0)->data(Qt::CheckStateRole).isValid(), row < 2);
            if (row < 2)
                QCOMPARE(table->item(row, 0)->checkState(), Qt::Checked);
        }
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelSummary"))->text(), QStringLiteral("有 2 项不一致"));
    }
};

QTEST_MAIN(TestCompare)
#include "tst_compare.moc"
