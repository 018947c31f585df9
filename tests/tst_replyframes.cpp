// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "replyframes.h"

#include <QTest>

using namespace ReplyFrames;

using Expected = QList<std::pair<QString, double>>;
Q_DECLARE_METATYPE(Expected)

namespace {

QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}


} // namespace

class TestReplyFrames : public QObject
{
    Q_OBJECT

private slots:
    void fourteenGroups()
    {
        const QList<quint8> expected{0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xA1,
                                     0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xAA};
        QCOMPARE(groups(), expected);
        // Every slot reads a byte of the frame's value area; only the
        // dual-rate group shows one control from several bytes.
        for (quint8 g : groups()) {
            QSet<int> bytes;
            for (const Slot &s : slotsOf(g)) {
                QVERIFY(s.byte >= 4 && s.byte + (s.kind == SlotKind::Word ? 1 : 0) < kFrameLength);
                QVERIFY(!bytes.contains(s.byte));
                bytes << s.byte;
            }
        }
    }

    void decodeGroup_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("drChannel");
        QTest::addColumn<Expected>("expected");

        // Every control of the group, each from a value of its own; the bytes
        // no control reads hold values that would show if one did.
        QTest::newRow("phase of CH1..CH8 in bytes 4..11")
            << frame(0x44, {1, 2, 3, 4, 5, 6, 7, 8}) << 0
            << Expected{{"spinBox", 1}, {"spinBox_2", 2}, {"spinBox_3", 3}, {"spinBox_4", 4},
                        {"spinBox_5", 5}, {"spinBox_6", 6}, {"spinBox_7", 7}, {"spinBox_8", 8}};
        QTest::newRow("sub-trim 0x78 is 0, 0x00 is -120, 0xF0 is 120")
            << frame(0x55, {0x78, 0x00, 0xF0, 0x79, 0x77, 0x82, 0x6E, 0x8C}) << 0
            << Expected{{"spinBox_9", 0}, {"spinBox_10", -120}, {"spinBox_11", 120}, {"spinBox_12", 1},
                        {"spinBox_13", -1}, {"spinBox_14", 10}, {"spinBox_15", -10}, {"spinBox_16", 20}};
        QTest::newRow("travel left plain")
            << frame(0x66, {0, 1, 2, 3, 4, 5, 6, 120}) << 0
            << Expected{{"spinBox_17", 0}, {"spinBox_18", 1}, {"spinBox_19", 2}, {"spinBox_20", 3},
                        {"spinBox_21", 4}, {"spinBox_22", 5}, {"spinBox_23", 6}, {"spinBox_24", 120}};
        QTest::newRow("travel right, byte 0xFF unsigned")
            << frame(0x77, {0xFF, 0x80, 1, 2, 3, 4, 5, 7}) << 0
            << Expected{{"spinBox_25", 255}, {"spinBox_26", 128}, {"spinBox_27", 1}, {"spinBox_28", 2},
                        {"spinBox_29", 3}, {"spinBox_30", 4}, {"spinBox_31", 5}, {"spinBox_32", 7}};
        QTest::newRow("failsafe")
            << frame(0x88, {50, 0, 100, 1, 2, 3, 4, 5}) << 0
            << Expected{{"spinBox_33", 50}, {"spinBox_34", 0}, {"spinBox_35", 100}, {"spinBox_36", 1},
                        {"spinBox_37", 2}, {"spinBox_38", 3}, {"spinBox_39", 4}, {"spinBox_40", 5}};
        QTest::newRow("alarm 11.1, stick mode 2, firmware 300")
            << frame(0x99, {0x33, 0x6F, 0x44, 0x02, 0x01, 0x2C, 0x55, 0x66}) << 0
            << Expected{{"doubleSpinBox", 11.1}, {"spinBox_45", 2}, {"spinBox_46", 300}};
        QTest::newRow("firmware FFFF")
            << frame(0x99, {0, 0, 0, 1, 0xFF, 0xFF}) << 0
            << Expected{{"doubleSpinBox", 0}, {"spinBox_45", 1}, {"spinBox_46", 65535}};
        QTest::newRow("attitude channel and values")
            << frame(0xA1, {2, 10, 20, 30, 40, 50, 60, 99}) << 0
            << Expected{{"comboBox_4", 2}, {"spinBox_81", 10}, {"spinBox_82", 20}, {"spinBox_83", 30},
                        {"spinBox_84", 40}, {"spinBox_85", 50}, {"spinBox_86", 60}};
        QTest::newRow("elevon minus 120")
            << frame(0xA2, {1, 120, 20, 220, 121, 119, 0, 77}) << 0
            << Expected{{"comboBox_5", 1}, {"spinBox_87", 0}, {"spinBox_88", -100}, {"spinBox_89", 100},
                        {"spinBox_90", 1}, {"spinBox_91", -1}, {"spinBox_92", -120}};
        QTest::newRow("V-tail minus 100")
            << frame(0xA3, {1, 150, 50, 100, 200, 77, 88, 99}) << 0
            << Expected{{"comboBox_6", 1}, {"spinBox_93", 50}, {"spinBox_94", -50}, {"spinBox_95", 0}, {"spinBox_96", 100}};
        QTest::newRow("servo delay")
            << frame(0xA4, {10, 20, 30, 40, 50, 60, 70, 80}) << 0
            << Expected{{"spinBox_71", 10}, {"spinBox_72", 20}, {"spinBox_73", 30}, {"spinBox_74", 40},
                        {"spinBox_75", 50}, {"spinBox_76", 60}, {"spinBox_77", 70}, {"spinBox_78", 80}};
        // UP rates of CH1..CH4 in bytes 4..7, DOWN rates in bytes 8..11.
        const QByteArray rates = frame(0xA5, {11, 12, 13, 14, 21, 22, 23, 24});
        QTest::newRow("dual rates of CH1") << rates << 0 << Expected{{"spinBox_79", 11}, {"spinBox_80", 21}};
        QTest::newRow("dual rates of CH2") << rates << 1 << Expected{{"spinBox_79", 12}, {"spinBox_80", 22}};
        QTest::newRow("dual rates of CH3") << rates << 2 << Expected{{"spinBox_79", 13}, {"spinBox_80", 23}};
        QTest::newRow("dual rates of CH4") << rates << 3 << Expected{{"spinBox_79", 14}, {"spinBox_80", 24}};
        QTest::newRow("no dual rates for CH5") << rates << 4 << Expected{};
        QTest::newRow("programmable mixes, rates and masters")
            << frame(0xA6, {0, 200, 90, 110, 100, 150, 7, 3}) << 0
            << Expected{{"spinBox_98", -100}, {"spinBox_101", 100}, {"spinBox_99", -10}, {"spinBox_102", 10},
                        {"spinBox_97", 0}, {"spinBox_100", 50}, {"comboBox_11", 7}, {"comboBox_9", 3}};
        QTest::newRow("programmable mixes, slaves and states; index unchecked")
            << frame(0xA7, {4, 9, 2, 1, 55, 66, 77, 88}) << 0
            << Expected{{"comboBox_12", 4}, {"comboBox_10", 9}, {"comboBox_7", 2}, {"comboBox_8", 1}};
        QTest::newRow("auxiliary sources")
            << frame(0xAA, {4, 3, 2, 1, 9, 9, 9, 9}) << 0
            << Expected{{"spinBox_41", 4}, {"spinBox_42", 3}, {"spinBox_43", 2}, {"spinBox_44", 1}};
    }

    void decodeGroup()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, drChannel);
        QFETCH(Expected, expected);
        MapParamAccess m;
        m.values[QStringLiteral("comboBox_2")] = drChannel;
        QVERIFY(decode(hexOf(bytes), m));
        for (const auto &[control, value] : expected)
            QVERIFY2(qAbs(m.values.value(control, -999) - value) < 1e-9, qPrintable(control));
        // Nothing beyond these controls (and the channel read) is set.
        QCOMPARE(m.values.size(), expected.size() + 1);
    }

    void unknownGroupSetsNothing()
    {
        MapParamAccess m;
        QVERIFY(!decode(hexOf(frame(0x45, {1, 2, 3})), m));
        QVERIFY(m.values.isEmpty());
    }

    // What the transmitter encodes, the window decodes to the same values.
    void encodeDecode()
    {
        auto valueOf = [](const Slot &s) -> double {
            if (s.kind == SlotKind::Tenths)
                return 9.3;
            if (s.kind == SlotKind::DualRate)
                return 10 * s.channel + (s.byte >= 8 ? 5 : 1);
            return s.bias ? -s.byte : s.byte;
        };
        for (quint8 g : groups()) {
            const QByteArray f = encode(g, valueOf);
            QCOMPARE(f.size(), kFrameLength);
            for (int channel = 0; channel < 4; ++channel) {
                MapParamAccess m;
                m.values[QStringLiteral("comboBox_2")] = channel;
                QVERIFY(decode(hexOf(f), m));
                for (const Slot &s : slotsOf(g)) {
                    if (s.kind == SlotKind::DualRate && s.channel != channel)
                        continue;
                    QCOMPARE(m.values.value(QLatin1String(s.control)), valueOf(s));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestReplyFrames)
#include "tst_replyframes.moc"
