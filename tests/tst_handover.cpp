// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ptypair.h"
#include "transmittersession.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// On Windows the session drops unsent bytes by handing the device to a new
// port object. When the device cannot be opened again the port is lost: the
// old object, already on its way to deletion, must never be used again.
class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    void deviceGone()
    {
        PtyPair pty;
        QVERIFY(pty.open());
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString device = dir.filePath(QStringLiteral("port"));
        QVERIFY(QFile::link(pty.slavePath(), device));
        TransmitterSession session;
        QVERIFY(session.open(device));
        QVERIFY(QFile::remove(device));

        QVERIFY(!session.reopen());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(session.port(), nullptr);
        QCOMPARE(session.portName(), device);
        QCOMPARE(session.baudRate(), 0);
        QVERIFY(!session.requestRead());
        QCOMPARE(session.writeRecords(QByteArrayLiteral("S"), [] { return QByteArrayLiteral("T"); }),
                 TransmitterSession::WriteResult::NotOpen);
        session.readAvailable();
        session.close();
        QVERIFY(!session.isOpen());
    }

    // The device that is still there: the new object carries the settings.
    void deviceStays()
    {
        PtyPair pty;
        QVERIFY(pty.open());
        TransmitterSession session;
        QVERIFY(session.open(pty.slavePath(), PortSettings{}, false, false));
        session.port()->setBaudRate(57600);
        QVERIFY(session.reopen());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(session.port());
        QVERIFY(session.port()->isOpen());
        QCOMPARE(session.baudRate(), 57600);
        QCOMPARE(session.portName(), pty.slavePath());
    }
};

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
