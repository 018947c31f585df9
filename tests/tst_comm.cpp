// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comm.h"

#include <QRegularExpression>
#include <QTest>

#include <cstdlib>

class TestComm : public QObject
{
    Q_OBJECT

private slots:
    void hexListing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("three tokens") << "41 42 43" << true << QByteArray("ABC");
        QTest::newRow("runs of spaces, mixed case") << "4a   0B" << true << QByteArray("\x4a\x0b", 2);
        QTest::newRow("tab and line breaks separate") << "53\t30\r\n30\n" << true << QByteArray("S00");
        QTest::newRow("white space at both ends") << "  \n 41 42\t " << true << QByteArray("AB");
        QTest::newRow("FF is the top byte") << "ff FF" << true << QByteArray("\xff\xff", 2);
        QTest::newRow("single digit token") << "0 7" << true << QByteArray("\x00\x07", 2);
        QTest::newRow("100 is 256, too big") << "41 100" << false << QByteArray();
        QTest::newRow("4G is not hex") << "41 4G" << false << QByteArray();
        QTest::newRow("empty text") << "" << false << QByteArray();
        QTest::newRow("blank text") << " \t\n " << false << QByteArray();
        QTest::newRow("negative token refused") << "-1" << false << QByteArray();
        QTest::newRow("plus sign refused") << "+41" << false << QByteArray();
        QTest::newRow("0x prefix refused") << "0x41" << false << QByteArray();
        QTest::newRow("parameter file text") << "S0000000078787878" << false << QByteArray();
        QTest::newRow("full-width digits refused") << QString::fromUtf8("４１") << false << QByteArray();
    }

    void hexListing()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QByteArray, bytes);
        bool converted = !ok; // must be overwritten
        QCOMPARE(BgComm::HexStringToByteArray(text, &converted), bytes);
        QCOMPARE(converted, ok);
    }

    // Against a straightforward reading of the rule: split on white space,
    // each token 1+ hex digits worth at most 255.
    void randomListingsMatchReference()
    {
        const char alphabet[] = "0123456789abcdefABCDEFgx-+ \t\n";
        std::srand(20261207);
        for (int round = 0; round < 5000; ++round) {
            QString text;
            const int len = std::rand() % 24;
            for (int i = 0; i < len; ++i)
                text += QLatin1Char(alphabet[std::rand() % (sizeof(alphabet) - 1)]);

            QByteArray expected;
            bool expectedOk = true;
            const QStringList tokens = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            if (tokens.isEmpty())
                expectedOk = false;
            for (const QString &t : tokens) {
                static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]+$"));
                bool ok = hex.match(t).hasMatch();
                const uint v = ok ? t.toUInt(&ok, 16) : 0;
                if (!ok || v > 255) {
                    expectedOk = false;
                    break;
                }
                expected += char(v);
            }
            if (!expectedOk)
                expected.clear();

            bool ok = false;
            const QByteArray got = BgComm::HexStringToByteArray(text, &ok);
            QVERIFY2(ok == expectedOk && got == expected, qPrintable(QStringLiteral("text: [%1]").arg(text)));
        }
    }
};

QTEST_APPLESS_MAIN(TestComm)
#include "tst_comm.moc"
