#include "comparedialog.h"
#include "controls.h"
#include "dlgload.h"
#include "formsnapshot.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "simulatorhost.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

struct Shown
{
    QString summary;
    QStringList differingTitles;
    bool noted = false;
};

// Answers the dialogs of 校验数据: the load dialog browses to file, the
// result dialog is read and closed.
void answerVerify(ModalWatcher &watcher, Shown &shown, const QString &file = QString())
{
    if (!file.isEmpty())
        watcher.fileAnswers << file;
    watcher.onDialog = [&shown, file](QDialog *d) {
        if (qobject_cast<DlgLoad *>(d)) {
            d->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
            d->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
            return;
        }
        if (!qobject_cast<CompareDialog *>(d))
            return;
        shown.summary = d->findChild<QLabel *>(QStringLiteral("labelSummary"))->text();
        shown.noted = d->findChild<QLabel *>(QStringLiteral("labelNote")) != nullptr;
        const auto *table = d->findChild<QTableWidget *>(QStringLiteral("tableCompare"));
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->font().bold())
                shown.differingTitles << table->item(row, 0)->text();
        }
        d->accept();
    };
}

void openPort(MainWindow &w, const QString &path)
{
    auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
    ports->insertItem(0, path);
    ports->setCurrentIndex(0);
    click(w, "pushButtonOpen");
}

} // namespace

class TestVerify : public QObject
{
    Q_OBJECT

private slots:
    // A write the transmitter took compares equal; a field it keeps shows up
    // as exactly that row. The window's values never change.
    void againstTransmitterAfterWrite_data()
    {
        QTest::addColumn<QString>("ignored");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QStringList>("differing");
        QTest::addColumn<QString>("summary");
        QTest::newRow("all taken") << QString() << 0 << QStringList() << "全部 87 项一致";
        QTest::newRow("travel CH1 L kept") << "spinBox_17" << 3 << QStringList{"CH1 舵机行程量 L"} << "有 1 项不一致";
        QTest::newRow("mix kept") << "spinBox_93" << 0 << QStringList{"V型尾翼混控 升降一"} << "有 1 项不一致";
    }

    void againstTransmitterAfterWrite()
    {
        QFETCH(QString, ignored);
        QFETCH(int, channel);
        QFETCH(QStringList, differing);
        QFETCH(QString, summary);
        SimulatorHost sim;
        QVERIFY(sim.open());
        if (!ignored.isEmpty())
            sim.transmitter().ignoreWrites(ignored);
        QSignalSpy accepted(&sim, &SimulatorHost::recordsAccepted);
        MainWindow w;
        ModalWatcher watcher;
        openPort(w, sim.slavePath());
        setControl(w, QStringLiteral("spinBox_17"), 120);
        setControl(w, QStringLiteral("spinBox_93"), -20);
        setControl(w, QStringLiteral("comboBox_2"), channel);
        click(w, "pushButtonSend2");
        QTRY_COMPARE(accepted.count(), 1);
        QVERIFY(w.findChild<QStatusBar *>()->currentMessage().contains(QStringLiteral("校验数据")));

        const auto before = recordValues(&w);
        Shown shown;
        answerVerify(watcher, shown);
        click(w, "pushButtonVerify");
        QCOMPARE(watcher.errors().size(), 0);
        QCOMPARE(shown.differingTitles, differing);
        QCOMPARE(shown.summary, summary);
        QVERIFY(shown.noted);
        QCOMPARE(recordValues(&w), before);
    }

    // A transmitter that stops answering: a message within seconds, the
    // partial answer and its late rest dropped, the window unchanged.
    void silentTransmitterTimesOut()
    {
        MainWindow w;
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        const QByteArray answer = frame(0xA3, {1, 0, 0, 0, 0});
        link.send(answer.left(6));
        QTest::qWait(50);
        const auto before = recordValues(&w);
        QElapsedTimer clock;
        clock.start();
        click(w, "pushButtonVerify");
        QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
        QTRY_COMPARE(watcher.errors().size(), 1);
        QVERIFY(watcher.errors()[0].text.contains(QStringLiteral("没有回报完整的参数")));
        QCOMPARE(link.drain(50), QByteArray("R"));
        link.send(answer.mid(6));
        QTest::qWait(100);
        QCOMPARE(recordValues(&w), before);
    }

    // Without an open port only a file is offered: the load dialog's rules,
    // mixes + 100.
    void againstFileWithoutPort()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        MainWindow w;
        ModalWatcher watcher;
        watcher.fileAnswers << path;
        click(w, "pushButtonSave");
        QVERIFY(QFile::exists(path));
        setControl(w, QStringLiteral("spinBox_93"), -20);

        Shown shown;
        answerVerify(watcher, shown, path);
        click(w, "pushButtonVerify");
        QCOMPARE(watcher.errors().size(), 0);
        QCOMPARE(shown.differingTitles, QStringList{"V型尾翼混控 升降一"});
        QVERIFY(!shown.noted);
    }
};

QTEST_MAIN(TestVerify)
#include "tst_verify.moc"
