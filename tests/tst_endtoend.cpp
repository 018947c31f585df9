// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "formsnapshot.h"
#include "mainwindow.h"
#include "simulatorhost.h"
#include "windowprobe.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {


// Reads the transmitter into the window and waits for the whole answer.
void readAll(MainWindow &w)
{
    MainWindowProbe probe(w);
    const int before = probe.recvCount();
    click(w, "pushButtonRead");
    // A read asks until two answers are alike.
    QTRY_COMPARE(probe.recvCount(), before + 2 * Transmitter::answerLength());
}

// What the transmitter holds, as the window shows it with comboBox_2 on channel.
QHash<QString, double> transmitterView(const Transmitter &tx, int channel)
{
    QHash<QString, double> values;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f)
            values.insert(QLatin1String(field.control), tx.value(QLatin1String(field.control)));
    }
    values[QStringLiteral("spinBox_79")] = tx.dualRate(channel).up;
    values[QStringLiteral("spinBox_80")] = tx.dualRate(channel).down;
    values[QStringLiteral("comboBox_2")] = channel;
    // The dual-rate switch is the window's own; the transmitter never reports it.
    values.remove(QStringLiteral("comboBox"));
    return values;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void readFillsBothPages_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("channel");
        QTest::newRow("unpaced, dual rates of CH1") << 0 << 0;
        QTest::newRow("115200 baud, dual rates of CH4") << 115200 << 3;
    }

    void readFillsBothPages()
    {
        QFETCH(int, baud);
        QFETCH(int, channel);
        SimulatorHost sim;
        QVERIFY(sim.open());
        sim.setBaudRate(baud);
        MainWindow w;
        openPort(w, sim.slavePath());
        w.findChild<QComboBox *>(QStringLiteral("comboBox_2"))->setCurrentIndex(channel);
        readAll(w);
        QHash<QString, double> shown = recordValues(&w);
        shown.remove(QStringLiteral("comboBox"));
        QCOMPARE(shown, transmitterView(sim.transmitter(), channel));
        QCOMPARE(double(w.findChild<QSpinBox *>(QStringLiteral("spinBox_46"))->value()),
                 sim.transmitter().value(QStringLiteral("spinBox_46")));
        QVERIFY(MainWindowProbe(w).info().endsWith(QStringLiteral("发送：2B | 接收：336B")));
    }

    // The simulator program as a user starts it: its first line names the
    // port, and the window reads the simulator's values from it.
    void simulatorProgram()
    {
        QProcess sim;
        sim.start(QStringLiteral(K6_SIMULATOR_PROGRAM), {QStringLiteral("--baud"), QStringLiteral("115200")});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY(sim.canReadLine());
        const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY2(path.startsWith(QLatin1String("/dev/")), qPrintable(path));

        MainWindow w;
        openPort(w, path);
        QVERIFY(MainWindowProbe(w).isComOpen());
        readAll(w);
        const Transmitter factory;
        QHash<QString, double> shown = recordValues(&w);
        shown.remove(QStringLiteral("comboBox"));
        QCOMPARE(shown, transmitterView(factory, 0));
        click(w, "pushButtonOpen");
        sim.terminate();
        QVERIFY(sim.waitForFinished());
        QCOMPARE(sim.exitCode(), 0);
    }

    // Written from one window, read into a fresh one: every carried value.
    void writeThenReadBack()
    {
        SimulatorHost sim;
        QVERIFY(sim.open());
        QSignalSpy accepted(&sim, &SimulatorHost::recordsAccepted);

        MainWindow writer;
        openPort(writer, sim.slavePath());
        readAll(writer);
        const std::pair<const char *, double> edits[] = {
            {"spinBox_9", -100}, {"spinBox_17", 120}, {"doubleSpinBox", 23.9}, {"spinBox_45", 4},
            {"spinBox_93", -100}, {"spinBox_102", 100}, {"spinBox_79", 0}, {"spinBox_80", 100},
            {"comboBox_4", 3}, {"comboBox_10", 7}, {"comboBox_8", 2}, {"comboBox_2", 2},
        };
        for (const auto &[name, value] : edits)
            setControl(writer, QLatin1String(name), value);
        click(writer, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 1);
        click(writer, "pushButtonOpen");

        MainWindow reader;
        openPort(reader, sim.slavePath());
        reader.findChild<QComboBox *>(QStringLiteral("comboBox_2"))->setCurrentIndex(2);
        readAll(reader);
        QHash<QString, double> written = recordValues(&writer);
        QHash<QString, double> readBack = recordValues(&reader);
        written.remove(QStringLiteral("comboBox"));
        readBack.remove(QStringLiteral("comboBox"));
        QCOMPARE(readBack, written);
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
