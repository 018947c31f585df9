// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aircraftsetup.h"
#include "recordcodec.h"

#include <QtTest>

using Aircraft = AircraftSetup::Aircraft;
using Expected = QMap<int, QString>; // record position → characters

// The wizard's sets, read off the records it makes: every character equals
// a fresh window's record except at the positions listed, which hold what
// the record layout says they must.
class TestWizard : public QObject
{
    Q_OBJECT

private slots:
    void sets_data();
    void sets();
};

void TestWizard::sets_data()
{
    QTest::addColumn<int>("aircraft");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("cells");
    QTest::addColumn<double>("perCell");
    QTest::addColumn<int>("failsafe");
    QTest::addColumn<Expected>("s"); // S positions: 61 FS3 (+16 hex), 77 LB (tenths +16 hex), 79 STmode
    QTest::addColumn<Expected>("t"); // T positions: 14 ElevonMix, 27 VTailMix

    // A fresh window: FS3 0 → "10", 11.1 V → 111 + 16 = 0x7F, mode 2.
    QTest::newRow("conventional, as a fresh window") << int(Aircraft::Conventional) << 2 << 3 << 3.7 << 0
                                                     << Expected{} << Expected{};
    QTest::newRow("flying wing, mode 1, 2 cells") << int(Aircraft::FlyingWing) << 1 << 2 << 3.7 << 0
                                                  << Expected{{77, "5A"}, {79, "1"}} << Expected{{14, "1"}};
    QTest::newRow("v-tail, mode 3, 4 cells at 3.6, failsafe 5") << int(Aircraft::VTail) << 3 << 4 << 3.6 << 5
                                                                << Expected{{61, "15"}, {77, "A0"}, {79, "3"}}
                                                                << Expected{{27, "1"}};
    // 6 × 3.9 = 23.4 V → 234 + 16 = 250 = 0xFA; 3.85 × 5 = 19.25 → 19.2 V, never above.
    QTest::newRow("other, mode 4, 6 cells at the most") << int(Aircraft::Other) << 4 << 6 << 3.9 << 0
                                                        << Expected{{77, "FA"}, {79, "4"}} << Expected{};
    QTest::newRow("alarm rounded down") << int(Aircraft::Conventional) << 2 << 5 << 3.85 << 0
                                        << Expected{{77, "D0"}} << Expected{};
}

void TestWizard::sets()
{
    QFETCH(int, aircraft);
    QFETCH(int, mode);
    QFETCH(int, cells);
    QFETCH(double, perCell);
    QFETCH(int, failsafe);
    QFETCH(Expected, s);
    QFETCH(Expected, t);

    MapParamAccess fresh;
    Records::applyStartingValues(fresh);
    const MapParamAccess made = AircraftSetup::values({Aircraft(aircraft), mode, cells, perCell, failsafe});

    const QList<std::tuple<const Records::Format *, Expected, int>> records = {
        {&Records::sFormat(), s, Records::kMixBiasTransmitter}, {&Records::tFormat(), t, Records::kMixBiasFile}};
    for (const auto &[format, expected, bias] : records) {
        const QString before = Records::build(*format, fresh, bias);
        const QString after = Records::build(*format, made, bias);
        QCOMPARE(after.size(), Records::kRecordLength);
        QString want = before;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            want.replace(it.key(), it.value().size(), it.value());
        QCOMPARE(after, want);
    }
    // The summary names every value set, and nothing the records do not carry.
    QCOMPARE(AircraftSetup::settings({Aircraft(aircraft), mode, cells, perCell, failsafe}).size(), 5);
}

QTEST_GUILESS_MAIN(TestWizard)
#include "tst_wizard.moc"
