// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "deliverygate.h"

#include <QCoreApplication>
#include <QTest>

// Deliveries are posted to the event loop as Qt's serial port posts a
// finished read on Windows; the gate must drop exactly those queued before
// the last request.
class TestDeliveryGate : public QObject
{
    Q_OBJECT

private slots:
    // Script: d posts a delivery, r sends a request, . runs the event loop.
    // Verdicts in delivery order: x dropped, k kept.
    void verdicts_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("verdicts");
        QTest::newRow("no request") << "d." << "k";
        QTest::newRow("queued before the request") << "dr." << "x";
        QTest::newRow("queued after the request") << "rd." << "k";
        QTest::newRow("both around one request") << "ddrd." << "xxk";
        QTest::newRow("after the loop passed the request") << "r.d." << "k";
        QTest::newRow("a second request before the first is passed") << "drdrd." << "xxk";
        QTest::newRow("each request in its own turn") << "dr.dr.d." << "xxk";
    }

    void verdicts()
    {
        QFETCH(QString, script);
        QFETCH(QString, verdicts);
        DeliveryGate gate;
        QString got;
        for (const QChar step : std::as_const(script)) {
            if (step == QLatin1Char('d')) {
                QMetaObject::invokeMethod(
                    this, [&] { got += gate.isBeforeRequest() ? QLatin1Char('x') : QLatin1Char('k'); },
                    Qt::QueuedConnection);
            } else if (step == QLatin1Char('r')) {
                gate.request();
            } else {
                QCoreApplication::sendPostedEvents();
            }
        }
        QCOMPARE(got, verdicts);
    }
};

QTEST_GUILESS_MAIN(TestDeliveryGate)
#include "tst_deliverygate.moc"
