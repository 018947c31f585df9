// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "dlgload.h"
#include "formsnapshot.h"
#include "linkend.h"
#include "transmitter.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "windowprobe.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const QByteArray kFile =
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027F2Y"
    "T41E2D3C4855680DCDCDCDCDC14096329696674747474747474740074746464646464640135006D2Z";


QByteArray randomBytes(QRandomGenerator &rng, int n)
{
    QByteArray bytes(n, '\0');
    for (char &c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

// Frames of every group with random values, in random order.
QByteArray randomFrames(QRandomGenerator &rng, int count)
{
    QByteArray stream;
    const QList<quint8> &groups = ReplyFrames::groups();
    for (int i = 0; i < count; ++i) {
        QByteArray f = randomBytes(rng, ReplyFrames::kFrameLength);
        f[ReplyFrames::kGroupIdByte] = char(groups[int(rng.bounded(groups.size()))]);
        stream += f;
    }
    return stream;
}

void spinBoxesInRange(MainWindow &w)
{
    for (QSpinBox *s : w.findChildren<QSpinBox *>())
        QVERIFY2(s->value() >= s->minimum() && s->value() <= s->maximum(), qPrintable(s->objectName()));
    for (QDoubleSpinBox *d : w.findChildren<QDoubleSpinBox *>())
        QVERIFY2(d->value() >= d->minimum() && d->value() <= d->maximum(), qPrintable(d->objectName()));
}

// A click on "写入数据" either sends two well-formed records or refuses with
// one message and sends nothing.
void writeIsWholeOrRefused(MainWindow &w, LinkEnd &link, ModalWatcher &watcher)
{
    const int boxes = int(watcher.boxes.size());
    click(w, "pushButtonSend2");
    const QByteArray sent = link.receive(162, 500);
    if (sent.isEmpty()) {
        QTRY_COMPARE(watcher.errors().size(), boxes + 1);
        return;
    }
    QCOMPARE(sent.size(), 162);
    QVERIFY(Records::isWellFormed(Records::sFormat(), QString::fromLatin1(sent.left(81))));
    QVERIFY(Records::isWellFormed(Records::tFormat(), QString::fromLatin1(sent.mid(81))));
    QCOMPARE(int(watcher.boxes.size()), boxes);
}

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Runs "加载数据" on a file with the given contents.
    void load(MainWindow &w, ModalWatcher &watcher, const QByteArray &contents)
    {
        const QString path = m_dir.filePath(QStringLiteral("input.bin"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(contents), contents.size());
        f.close();
        watcher.fileAnswers << path;
        watcher.onDialog = [](QDialog *d) {
            d->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
            d->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        };
        click(w, "pushButtonLoad");
    }

    // Loads or refuses with one message, leaving every control unchanged.
    void loadsOrRefuses(MainWindow &w, ModalWatcher &watcher, const QByteArray &contents)
    {
        const QHash<QString, double> before = recordValues(&w);
        const int errors = int(watcher.errors().size());
        load(w, watcher, contents);
        if (watcher.errors().size() > errors) {
            QCOMPARE(recordValues(&w), before);
        } else {
            // Accepted: the text was two records; the window now shows them.
            QVERIFY(Records::isParameterFile(QString::fromLocal8Bit(contents))
                    || Records::isParameterFile(QString::fromLocal8Bit(
                        QByteArray::fromHex(contents.simplified().replace(' ', "")))));
        }
        spinBoxesInRange(w);
    }

private slots:
    void randomReplyStreams_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 2") << 2u;
        QTest::newRow("seed 3") << 3u;
    }

    // Random bytes and random frames of every group through the link: no
    // crash, every control in range, and writing still never sends a
    // malformed record.
    void randomReplyStreams()
    {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        QByteArray stream = randomBytes(rng, 40'000) + randomFrames(rng, 1'000);
        int sent = 0;
        while (sent < stream.size()) {
            const int chunk = 1 + int(rng.bounded(700));
            link.send(stream.mid(sent, chunk));
            sent += chunk;
            if (rng.bounded(8) == 0)
                QCoreApplication::processEvents();
        }
        QTRY_COMPARE(probe.recvCount(), int(stream.size()) + 2 * Transmitter::answerLength());
        QVERIFY(probe.rxFlag() >= 0 && probe.rxFlag() < 12);
        QCOMPARE(probe.strHex().size(), 2 * probe.rxFlag());
        spinBoxesInRange(w);
        writeIsWholeOrRefused(w, link, watcher);

        // Frames of every group alone leave a set that can always be written
        // once the combo boxes hold items again.
        for (QComboBox *c : w.findChildren<QComboBox *>()) {
            if (c->currentIndex() < 0)
                c->setCurrentIndex(0);
        }
        w.findChild<QDoubleSpinBox *>(QStringLiteral("doubleSpinBox"))->setValue(rng.bounded(240) / 10.0);
        const int before = probe.transCount();
        writeIsWholeOrRefused(w, link, watcher);
        QCOMPARE(probe.transCount(), before + 162);
    }

    // Every truncation of a parameter file is refused.
    void truncatedFiles()
    {
        for (int length = 0; length < kFile.size(); ++length)
            QVERIFY2(!Records::isParameterFile(QString::fromLatin1(kFile.left(length))), qPrintable(QString::number(length)));
        MainWindow w;
        ModalWatcher watcher;
        for (int length : {0, 1, 80, 81, 82, 120, 160, 161}) {
            const int errors = int(watcher.errors().size());
            loadsOrRefuses(w, watcher, kFile.left(length));
            QCOMPARE(int(watcher.errors().size()), errors + 1);
        }
    }

    void malformedFiles_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QRandomGenerator rng(99);
        for (int i = 0; i < 6; ++i)
            QTest::addRow("random bytes %d", i) << randomBytes(rng, 1 + int(rng.bounded(400)));
        for (int i = 0; i < 6; ++i) {
            QByteArray hex(162, '0');
            for (char &c : hex)
                c = "0123456789ABCDEF"[rng.bounded(16)];
            QTest::addRow("random hex %d", i) << hex;
        }
        for (int i = 0; i < 6; ++i) {
            QByteArray stray = kFile;
            stray.insert(int(rng.bounded(162)), "\n #"[rng.bounded(3)]);
            QTest::addRow("stray character %d", i) << stray;
        }
        QTest::newRow("valid records, mixes out of every range") << QByteArray(kFile).replace(81 + 28, 2, "FF");
        QTest::newRow("valid records, digit beyond a combo box") << QByteArray(kFile).replace(81 + 75, 1, "9");
        QTest::newRow("2 MiB") << QByteArray(2 * 1024 * 1024, 'A');
        QTest::newRow("NUL bytes") << QByteArray(162, '\0');
        QTest::newRow("hex listing of binary") << randomBytes(rng, 64).toHex(' ');
        QTest::newRow("hex listing of the file") << kFile.toHex(' ');
        QTest::newRow("hex listing with a bad token") << kFile.toHex(' ') + " 1FF";
    }

    void malformedFiles()
    {
        QFETCH(QByteArray, contents);
        MainWindow w;
        ModalWatcher watcher;
        loadsOrRefuses(w, watcher, contents);
    }

    // Two windows, one port: the second is refused, the first carries on.
    void portAlreadyOpenElsewhere()
    {
        MainWindow first;
        MainWindow second;
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(first);
        QVERIFY(MainWindowProbe(first).isComOpen());
        link.openIn(second);
        QTRY_COMPARE(watcher.errors().size(), 1);
        QVERIFY(watcher.errors()[0].text.startsWith(QStringLiteral("不能打开指定串口")));
        QVERIFY(!MainWindowProbe(second).isComOpen());
        click(first, "pushButtonRead");
        QCOMPARE(link.receive(1), QByteArray("R"));
    }

    // The far end closing in the middle of a stream of frames.
    void farEndClosesDuringARead()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        QRandomGenerator rng(5);
        link.send(randomFrames(rng, 50).left(307));
        link.pty.closeMaster();
        link.pty.closeSlave();
        QTRY_VERIFY(!probe.isComOpen());
        QTRY_COMPARE(watcher.errors().size(), 1);
        QTest::qWait(50);
        QCOMPARE(watcher.errors().size(), 1);
        spinBoxesInRange(w);
        // A new session on a new link works as before.
        LinkEnd again;
        again.openIn(w);
        QVERIFY(probe.isComOpen());
        click(w, "pushButtonRead");
        QCOMPARE(again.receive(1), QByteArray("R"));
    }
};

QTEST_MAIN(TestReliability)
#include "tst_reliability.moc"
