// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linedrain.h"

#include <QTest>

class TestLineDrain : public QObject
{
    Q_OBJECT

private slots:
    // Twelve bits a byte on the wire (start, eight data bits, parity, two
    // stop bits), rounded down, plus a millisecond.
    void wireTime_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("ms");
        QTest::newRow("nothing") << qint64(0) << 115200 << 1;
        QTest::newRow("the 168-byte answer at 115200") << qint64(168) << 115200 << 18;
        QTest::newRow("an 81-character record at 9600") << qint64(81) << 9600 << 102;
        QTest::newRow("one byte at 1200") << qint64(1) << 1200 << 11;
        QTest::newRow("baud 0 taken as 1") << qint64(1) << 0 << 12001;
    }

    void wireTime()
    {
        QFETCH(qint64, bytes);
        QFETCH(int, baud);
        QFETCH(int, ms);
        QCOMPARE(LineDrain::wireTimeMs(bytes, baud), ms);
    }
};

QTEST_APPLESS_MAIN(TestLineDrain)
#include "tst_linedrain.moc"
