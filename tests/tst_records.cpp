// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordcodec.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Records;

Q_DECLARE_METATYPE(const Records::Format *)

namespace {

// The form's starting values of every control the records carry.
MapParamAccess startingValues()
{
    MapParamAccess m;
    auto set = [&m](const char *name, double v) { m.values.insert(QLatin1String(name), v); };
    const char *phase[] = {"spinBox", "spinBox_2", "spinBox_3", "spinBox_4",
                           "spinBox_5", "spinBox_6", "spinBox_7", "spinBox_8"};
    for (int ch = 0; ch < 8; ++ch) {
        set(phase[ch], ch == 2 ? 1 : 0);
        set(qPrintable(QStringLiteral("spinBox_%1").arg(9 + ch)), 0);
        set(qPrintable(QStringLiteral("spinBox_%1").arg(17 + ch)), 96);
        set(qPrintable(QStringLiteral("spinBox_%1").arg(25 + ch)), 96);
        set(qPrintable(QStringLiteral("spinBox_%1").arg(33 + ch)), ch == 2 ? 0 : 50);
        set(qPrintable(QStringLiteral("spinBox_%1").arg(71 + ch)), 100);
    }
    const std::pair<const char *, double> others[] = {
        {"spinBox_41", 1}, {"spinBox_42", 3}, {"spinBox_43", 0}, {"spinBox_44", 2},
        {"doubleSpinBox", 11.1}, {"spinBox_45", 2},
        {"comboBox_4", 4}, {"spinBox_81", 14}, {"spinBox_82", 29}, {"spinBox_83", 44},
        {"spinBox_84", 56}, {"spinBox_85", 69}, {"spinBox_86", 88},
        {"comboBox_5", 0}, {"spinBox_87", 100}, {"spinBox_88", 100}, {"spinBox_89", 100},
        {"spinBox_90", 100}, {"spinBox_91", 100}, {"spinBox_92", -100},
        {"comboBox_6", 0}, {"spinBox_93", 50}, {"spinBox_94", -50}, {"spinBox_95", 50}, {"spinBox_96", 50},
        {"comboBox", 0}, {"comboBox_2", 0}, {"spinBox_79", 100}, {"spinBox_80", 100},
        {"comboBox_7", 0}, {"spinBox_97", 0}, {"spinBox_98", 0}, {"spinBox_99", 0}, {"comboBox_11", 0}, {"comboBox_12", 3},
        {"comboBox_8", 0}, {"spinBox_100", 0}, {"spinBox_101", 0}, {"spinBox_102", 0}, {"comboBox_9", 1}, {"comboBox_10", 5},
    };
    for (const auto &[name, v] : others)
        set(name, v);
    return m;
}

// Lowest and highest value each field's control can hold.
std::pair<int, int> controlRange(const Field &f)
{
    const QByteArray c(f.control);
    if (f.kind == FieldKind::Tenths)
        return {0, 239};
    if (c == "spinBox_45")
        return {1, 4};
    if (c == "comboBox_4")
        return {0, 4};
    if (c == "comboBox_2")
        return {0, 3};
    if (c == "comboBox_7" || c == "comboBox_8")
        return {0, 2};
    if (c == "comboBox_11" || c == "comboBox_9" || c == "comboBox_12" || c == "comboBox_10")
        return {0, 7};
    if (c.startsWith("comboBox"))
        return {0, 1};
    if (f.width == 1)
        return {0, c >= "spinBox_41" && c <= "spinBox_44" ? 4 : 1};
    if (f.kind == FieldKind::MixHex || f.bias == 120)
        return {-100, 100};
    if (c >= "spinBox_17" && c <= "spinBox_32" && c.size() == 10)
        return {0, 120};
    return {0, 100};
}

const QString kFreshS = QStringLiteral("S00100000787878787878787870707070707070707070707070707070424210424242424213027F2Y");
const QString kFreshT = QStringLiteral("T41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z");

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void freshWindowRecords()
    {
        const MapParamAccess m = startingValues();
        QCOMPARE(build(sFormat(), m), kFreshS);
        QCOMPARE(build(tFormat(), m, kMixBiasTransmitter), kFreshT);
        // In a file the mixes carry +100, which gives back the T template.
        QCOMPARE(build(tFormat(), m, kMixBiasFile), QString::fromLatin1(tFormat().templ));
        // Decoding the templates gives the starting values back.
        MapParamAccess decoded;
        applyStartingValues(decoded);
        QCOMPARE(decoded.values, m.values);
    }

    void fieldLayout_data()
    {
        QTest::addColumn<const Format *>("format");
        QTest::newRow("S record") << &sFormat();
        QTest::newRow("T record") << &tFormat();
    }

    // Fields lie inside positions 1..79, never overlap, and leave uncovered
    // only the T record's fixed characters at 36 and 77..79.
    void fieldLayout()
    {
        QFETCH(const Format *, format);
        const QString templ = QString::fromLatin1(format->templ);
        QCOMPARE(templ.size(), kRecordLength);
        QCOMPARE(templ.front(), format->letter);
        QCOMPARE(templ.back(), format->endLetter);
        QList<int> owner(kRecordLength, -1);
        int previous = 0;
        for (int i = 0; i < format->count; ++i) {
            const Field &f = format->fields[i];
            QVERIFY2(f.pos > previous, f.control);
            previous = f.pos;
            QVERIFY2(f.pos >= 1 && f.pos + f.width <= kRecordLength - 1, f.control);
            for (int p = f.pos; p < f.pos + f.width; ++p) {
                QVERIFY2(owner[p] == -1, qPrintable(QStringLiteral("%1 overlaps at %2").arg(f.control).arg(p)));
                owner[p] = i;
            }
        }
        QList<int> uncovered;
        for (int p = 1; p < kRecordLength - 1; ++p) {
            if (owner[p] == -1)
                uncovered << p;
        }
        const QList<int> fixed = format->letter == QLatin1Char('T') ? QList<int>{36, 77, 78, 79} : QList<int>{};
        QCOMPARE(uncovered, fixed);
    }

    void encoding_data()
    {
        QTest::addColumn<const Format *>("format");
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("mixBias");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("text");

        const Format *S = &sFormat();
        const Format *T = &tFormat();
        QTest::newRow("sub-trim -100 encodes as 14") << S << "spinBox_9" << -100.0 << 116 << 9 << "14";
        QTest::newRow("sub-trim 100 encodes as DC") << S << "spinBox_16" << 100.0 << 116 << 23 << "DC";
        QTest::newRow("travel 0 encodes as 10") << S << "spinBox_17" << 0.0 << 116 << 25 << "10";
        QTest::newRow("travel 120 encodes as 88") << S << "spinBox_32" << 120.0 << 116 << 55 << "88";
        QTest::newRow("failsafe 100 encodes as 74") << S << "spinBox_40" << 100.0 << 116 << 71 << "74";
        QTest::newRow("stick mode 4") << S << "spinBox_45" << 4.0 << 116 << 79 << "4";
        QTest::newRow("aux source 4") << S << "spinBox_44" << 4.0 << 116 << 76 << "4";
        QTest::newRow("phase reversed") << S << "spinBox_8" << 1.0 << 116 << 8 << "1";
        QTest::newRow("alarm 0.00 encodes as 10") << S << "doubleSpinBox" << 0.0 << 116 << 77 << "10";
        QTest::newRow("alarm 9.3 encodes as 6D") << S << "doubleSpinBox" << 9.3 << 116 << 77 << "6D";
        QTest::newRow("alarm 11.1 keeps its tenth") << S << "doubleSpinBox" << 11.1 << 116 << 77 << "7F";
        QTest::newRow("alarm 11.15 drops hundredths") << S << "doubleSpinBox" << 11.15 << 116 << 77 << "7F";
        QTest::newRow("alarm 9.99 is 99 tenths") << S << "doubleSpinBox" << 9.99 << 116 << 77 << "73";
        QTest::newRow("alarm 23.9 encodes as FF") << S << "doubleSpinBox" << 23.9 << 116 << 77 << "FF";
        QTest::newRow("mix -100 to transmitter is 10") << T << "spinBox_93" << -100.0 << 116 << 28 << "10";
        QTest::newRow("mix 100 to transmitter is D8") << T << "spinBox_100" << 100.0 << 116 << 69 << "D8";
        QTest::newRow("mix -84 in a file is 10") << T << "spinBox_94" << -84.0 << 100 << 30 << "10";
        QTest::newRow("mix 100 in a file is C8") << T << "spinBox_95" << 100.0 << 100 << 32 << "C8";
        QTest::newRow("mix -100 in a file is 00") << T << "spinBox_96" << -100.0 << 100 << 34 << "00";
        QTest::newRow("mix -85 in a file is 0F") << T << "spinBox_97" << -85.0 << 100 << 67 << "0F";
        QTest::newRow("elevon -100 encodes as 14") << T << "spinBox_92" << -100.0 << 116 << 25 << "14";
        QTest::newRow("attitude 100 encodes as 74") << T << "spinBox_86" << 100.0 << 116 << 12 << "74";
        QTest::newRow("delay 0 encodes as 10") << T << "spinBox_78" << 0.0 << 116 << 51 << "10";
        QTest::newRow("attitude off is index 4") << T << "comboBox_4" << 4.0 << 116 << 1 << "4";
        QTest::newRow("mix two slave CH8") << T << "comboBox_10" << 7.0 << 116 << 74 << "7";
        QTest::newRow("dual rate UP 0 for CH1") << T << "spinBox_79" << 0.0 << 116 << 55 << "10";
        QTest::newRow("dual rate DOWN 100 for CH1") << T << "spinBox_80" << 100.0 << 100 << 57 << "74";
    }

    // A changed control changes its own field and nothing else.
    void encoding()
    {
        QFETCH(const Format *, format);
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(int, mixBias);
        QFETCH(int, pos);
        QFETCH(QString, text);

        MapParamAccess m = startingValues();
        const QString before = build(*format, m, mixBias);
        m.values[control] = value;
        const QString after = build(*format, m, mixBias);
        QCOMPARE(after.size(), kRecordLength);
        QCOMPARE(after.mid(pos, text.size()), text);
        QCOMPARE(after.left(pos) + after.mid(pos + text.size()),
                 before.left(pos) + before.mid(pos + text.size()));
        QVERIFY(limitProblems(*format, m, mixBias).isEmpty());
    }

    // Every field at its place with a value of its own, written from the
    // record layout: decoding gives each control its value, building gives
    // the records back.
    void everyFieldInPlace()
    {
        const QString s = QStringLiteral("S12345678" "5A646E78828C96A0" "1112131415161718" "1B1C1D1E1F202122"
                                         "25262728292A2B2C" "4321" "7F" "3Y");
        const QString t = QStringLiteral("T3" "2F3031323334" "1" "46505A646E78" "1" "9D9E9FA0" "6"
                                         "434445464748494A" "12" "4D4E" "2D2C2B2A2928" "765421" "6D2Z");
        QHash<QString, double> expected;
        // spinBox_<first>.. hold first value, first value + step, ...
        auto series = [&expected](int first, int count, double value, double step) {
            for (int i = 0; i < count; ++i)
                expected.insert(QStringLiteral("spinBox_%1").arg(first + i), value + i * step);
        };
        series(2, 7, 2, 1);      // phases of CH2..CH8
        series(9, 8, -30, 10);   // sub-trims
        series(17, 8, 1, 1);     // travel left
        series(25, 8, 11, 1);    // travel right
        series(33, 8, 21, 1);    // failsafe
        series(41, 4, 4, -1);    // auxiliary sources
        series(45, 1, 3, 0);     // stick mode
        series(81, 6, 31, 1);    // attitude values
        series(87, 6, -50, 10);  // elevon
        series(93, 4, 41, 1);    // V-tail
        series(71, 8, 51, 1);    // servo delay
        series(79, 2, 61, 1);    // dual rates
        const std::pair<const char *, double> others[] = {
            {"spinBox", 1}, {"doubleSpinBox", 11.1}, {"comboBox_4", 3}, {"comboBox_5", 1}, {"comboBox_6", 1},
            {"comboBox", 1}, {"comboBox_2", 2},
            {"spinBox_98", -71}, {"spinBox_101", -72}, {"spinBox_99", -73},
            {"spinBox_102", -74}, {"spinBox_97", -75}, {"spinBox_100", -76},
            {"comboBox_11", 7}, {"comboBox_9", 6}, {"comboBox_12", 5}, {"comboBox_10", 4},
            {"comboBox_7", 2}, {"comboBox_8", 1},
        };
        for (const auto &[name, v] : others)
            expected.insert(QLatin1String(name), v);

        MapParamAccess m;
        apply(sFormat(), s, m);
        apply(tFormat(), t, m, kMixBiasTransmitter);
        QCOMPARE(m.values.size(), expected.size());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(qAbs(m.values.value(it.key(), -999) - it.value()) < 1e-9, qPrintable(it.key()));
        QCOMPARE(build(sFormat(), m), s);
        QCOMPARE(build(tFormat(), m, kMixBiasTransmitter), t);
    }

    void dualRateChannel_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("pair");
        QTest::newRow("CH1 writes the rates") << 0 << "1E28";
        QTest::newRow("CH4 writes the rates") << 3 << "1E28";
        QTest::newRow("no current item keeps the template") << -1 << "7474";
        QTest::newRow("index beyond CH4 keeps the template") << 5 << "7474";
    }

    void dualRateChannel()
    {
        QFETCH(int, channel);
        QFETCH(QString, pair);
        MapParamAccess m = startingValues();
        m.values[QStringLiteral("spinBox_79")] = 14;
        m.values[QStringLiteral("spinBox_80")] = 24;
        m.values[QStringLiteral("comboBox_2")] = channel;
        QCOMPARE(build(tFormat(), m).mid(55, 4), pair);
    }

    void limits_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("mixBias");
        QTest::addColumn<QString>("named");

        QTest::newRow("alarm 24.0 does not fit") << "doubleSpinBox" << 24.0 << 116 << "LB";
        QTest::newRow("alarm 199.99 does not fit") << "doubleSpinBox" << 199.99 << 116 << "LB";
        QTest::newRow("combo without item") << "comboBox_7" << -1.0 << 116 << "ProgMix14Mix0";
        QTest::newRow("attitude combo without item") << "comboBox_4" << -1.0 << 100 << "CraftCH";
        QTest::newRow("digit beyond 9") << "spinBox_45" << 12.0 << 116 << "STmode";
        QTest::newRow("hex below its bias") << "spinBox_9" << -121.0 << 116 << "SUB1";
        QTest::newRow("mix below the file bias") << "spinBox_93" << -101.0 << 100 << "VTailEle1";
        QTest::newRow("not a number") << "spinBox_45" << qQNaN() << 116 << "STmode";
        QTest::newRow("infinite alarm") << "doubleSpinBox" << qInf() << 116 << "LB";
    }

    // Whatever the value, a record keeps 81 characters and never carries "-1";
    // such values are named so writing and saving can refuse them.
    void limits()
    {
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(int, mixBias);
        QFETCH(QString, named);
        MapParamAccess m = startingValues();
        m.values[control] = value;
        const QStringList problems = limitProblems(sFormat(), m, mixBias) + limitProblems(tFormat(), m, mixBias);
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().contains(named), qPrintable(problems.first()));
        for (const Format *f : {&sFormat(), &tFormat()}) {
            const QString record = build(*f, m, mixBias);
            QCOMPARE(record.size(), kRecordLength);
            QVERIFY(!record.contains(QLatin1Char('-')));
        }
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("mixBias");
        QTest::newRow("towards the transmitter") << kMixBiasTransmitter;
        QTest::newRow("in a file") << kMixBiasFile;
    }

    // build -> apply -> build gives the same records for random values within
    // every control's range, and every value comes back.
    void roundTrip()
    {
        QFETCH(int, mixBias);
        QRandomGenerator rng(mixBias);
        for (int round = 0; round < 500; ++round) {
            MapParamAccess m;
            for (const Format *f : {&sFormat(), &tFormat()}) {
                for (const Field &field : *f) {
                    const auto [lo, hi] = controlRange(field);
                    const int v = lo + int(rng.bounded(hi - lo + 1));
                    m.values[QLatin1String(field.control)] = field.kind == FieldKind::Tenths ? v / 10.0 : v;
                }
            }
            const QString s = build(sFormat(), m);
            const QString t = build(tFormat(), m, mixBias);
            MapParamAccess back;
            apply(sFormat(), s, back);
            apply(tFormat(), t, back, mixBias);
            QCOMPARE(build(sFormat(), back), s);
            QCOMPARE(build(tFormat(), back, mixBias), t);
            for (auto it = m.values.cbegin(); it != m.values.cend(); ++it)
                QVERIFY2(qAbs(back.values.value(it.key()) - it.value()) < 1e-9, qPrintable(it.key()));
        }
    }

    void decodingIsLenient_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");

        QTest::newRow("empty text: sub-trim 0 - 120") << "" << "spinBox_9" << -120.0;
        QTest::newRow("empty text: alarm (0 - 16) / 10") << "" << "doubleSpinBox" << -1.6;
        QTest::newRow("not hex reads 0") << kFreshS.left(9) + "ZZ" + kFreshS.mid(11) << "spinBox_9" << -120.0;
        QTest::newRow("hex letter in a digit field") << kFreshS.left(79) + "AY" << "spinBox_45" << 10.0;
        QTest::newRow("alarm 7F is 11.1") << kFreshS << "doubleSpinBox" << 11.1;
        QTest::newRow("field cut by the end reads what exists") << kFreshS.left(78) << "doubleSpinBox" << -0.9;
    }

    void decodingIsLenient()
    {
        QFETCH(QString, record);
        QFETCH(QString, control);
        QFETCH(double, value);
        MapParamAccess m;
        apply(sFormat(), record, m);
        QVERIFY2(qAbs(m.values.value(control) - value) < 1e-9,
                 qPrintable(QString::number(m.values.value(control))));
    }

    void parameterFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");

        const QString file = kFreshS + kFreshT;
        QTest::newRow("the two records") << file << true;
        QTest::newRow("line end after the records") << file + "\r\n" << true;
        QTest::newRow("white space after the records") << file + " \t\n" << true;
        QTest::newRow("lower-case hex") << file.toLower().replace(0, 1, "S").replace(80, 2, "YT").replace(161, 1, "Z") << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("S record only") << kFreshS << false;
        QTest::newRow("one character short") << file.left(161) << false;
        QTest::newRow("line end between the records") << kFreshS + "\n" + kFreshT << false;
        QTest::newRow("Ctrl-Z end-of-file mark after the records") << file + QChar(0x1A) << true;
        QTest::newRow("NUL padding after the records") << file + QString(94, QChar(0)) << true;
        QTest::newRow("a note after the records") << file + "\n备注：第一架" << true;
        QTest::newRow("records swapped") << kFreshT + kFreshS << false;
        QTest::newRow("S end letter missing") << QString(file).replace(80, 1, "0") << false;
        QTest::newRow("non-hex field in S") << QString(file).replace(9, 1, "G") << false;
        QTest::newRow("non-hex field in T") << QString(file).replace(81 + 59, 1, " ") << false;
        QTest::newRow("NUL bytes") << QString(162, QChar(0)) << false;
    }

    void parameterFile()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QString reason;
        QCOMPARE(isParameterFile(text, &reason), accepted);
        QCOMPARE(reason.isEmpty(), accepted);
    }
};

QTEST_APPLESS_MAIN(TestRecords)
#include "tst_records.moc"
