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

        QTest::newRow("phase of CH1, CH3, CH8 reversed")
            << frame(0x44, {1, 0, 1, 0, 0, 0, 0, 1}) << 0
            << Expected{{"spinBox", 1}, {"spinBox_2", 0}, {"spinBox_3", 1}, {"spinBox_8", 1}};
        QTest::newRow("sub-trim 0x78 is 0, 0x00 is -120")
            << frame(0x55, {0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x00}) << 0
            << Expected{{"spinBox_9", 0}, {"spinBox_15", 0}, {"spinBox_16", -120}};
        QTest::newRow("travel left plain")
            << frame(0x66, {0, 1, 2, 3, 4, 5, 6, 120}) << 0
            << Expected{{"spinBox_17", 0}, {"spinBox_20", 3}, {"spinBox_24", 120}};
        QTest::newRow("travel right, byte 0xFF unsigned")
            << frame(0x77, {0xFF, 0x80, 0, 0, 0, 0, 0, 7}) << 0
            << Expected{{"spinBox_25", 255}, {"spinBox_26", 128}, {"spinBox_32", 7}};
        QTest::newRow("failsafe")
            << frame(0x88, {50, 0, 100, 1, 2, 3, 4, 5}) << 0
            << Expected{{"spinBox_33", 50}, {"spinBox_35", 100}, {"spinBox_40", 5}};
        QTest::newRow("alarm 11.1, stick mode 2, firmware 300")
            << frame(0x99, {0x00, 0x6F, 0x00, 0x02, 0x01, 0x2C, 0, 0}) << 0
            << Expected{{"doubleSpinBox", 11.1}, {"spinBox_45", 2}, {"spinBox_46", 300}};
        QTest::newRow("firmware FFFF")
            << frame(0x99, {0, 0, 0, 1, 0xFF, 0xFF}) << 0 << Expected{{"spinBox_46", 65535}};
        QTest::newRow("attitude channel and values")
            << frame(0xA1, {2, 10, 20, 30, 40, 50, 60}) << 0
            << Expected{{"comboBox_4", 2}, {"spinBox_81", 10}, {"spinBox_86", 60}};
        QTest::newRow("elevon minus 120")
            << frame(0xA2, {1, 120, 20, 220, 121, 119, 0}) << 0
            << Expected{{"comboBox_5", 1}, {"spinBox_87", 0}, {"spinBox_88", -100}, {"spinBox_89", 100},
                        {"spinBox_90", 1}, {"spinBox_91", -1}, {"spinBox_92", -120}};
        QTest::newRow("V-tail minus 100")
            << frame(0xA3, {1, 150, 50, 100, 200}) << 0
            << Expected{{"comboBox_6", 1}, {"spinBox_93", 50}, {"spinBox_94", -50}, {"spinBox_95", 0}, {"spinBox_96", 100}};
        QTest::newRow("servo delay")
            << frame(0xA4, {10, 20, 30, 40, 50, 60, 70, 80}) << 0
            << Expected{{"spinBox_71", 10}, {"spinBox_74", 40}, {"spinBox_78", 80}};
        QTest::newRow("dual rates of CH1")
            << frame(0xA5, {11, 12, 13, 14, 21, 22, 23, 24}) << 0
            << Expected{{"spinBox_79", 11}, {"spinBox_80", 21}};
        QTest::newRow("dual rates of CH3 from bytes 6 and 10")
            << frame(0xA5, {11, 12, 13, 14, 21, 22, 23, 24}) << 2
            << Expected{{"spinBox_79", 13}, {"spinBox_80", 23}};
        QTest::newRow("programmable mixes, rates and masters")
            << frame(0xA6, {0, 200, 90, 110, 100, 150, 7, 3}) << 0
            << Expected{{"spinBox_98", -100}, {"spinBox_101", 100}, {"spinBox_99", -10}, {"spinBox_102", 10},
                        {"spinBox_97", 0}, {"spinBox_100", 50}, {"comboBox_11", 7}, {"comboBox_9", 3}};
        QTest::newRow("programmable mixes, slaves and states; index unchecked")
            << frame(0xA7, {4, 9, 2, 1}) << 0
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
        // Nothing beyond the group's own controls (and the channel read) is set.
        QCOMPARE(m.values.size(), slotsOf(quint8(bytes[kGroupIdByte])).size()
                                      - (bytes[kGroupIdByte] == char(0xA5) ? 6 : 0) + 1);
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
