// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "modelactions.h"
#include "paramhistory.h"
#include "simulatorhost.h"
#include "transmitterwork.h"

#include <QTemporaryDir>
#include <QTest>

// The library as the window uses it, against the simulator on a pty: the
// read names the model the transmitter holds, a model taken into the window
// names the title, its unchanged set written is its last write, and saving
// the window to it keeps its old set in the history.
class TestModelWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        qputenv("K6QX_HISTORY_DIR", m_dir.filePath(QStringLiteral("history")).toLocal8Bit());
        qputenv("K6QX_MODELS_DIR", m_dir.filePath(QStringLiteral("models")).toLocal8Bit());
    }

    void modelInTheWindow()
    {
        SimulatorHost sim;
        QVERIFY(sim.open());
        MainWindow w;
        ModalWatcher watcher;
        auto *models = w.findChild<ModelActions *>();
        QVERIFY(models);
        openPort(w, sim.slavePath());
        click(w, "pushButtonRead");
        QTRY_VERIFY(shownMessage(w).startsWith(QStringLiteral("已读取全部")));
        ModelLibrary &library = models->library();
        ModelLibrary::Model cub;
        QVERIFY(library.create(QStringLiteral("Cub 1.2m"), w.transmitterWork().values(), &cub));

        click(w, "pushButtonRead");
        QTRY_VERIFY2(shownMessage(w).contains(QStringLiteral("发射机中的参数与模型「Cub 1.2m」一致")), qPrintable(shownMessage(w)));

        QVERIFY(models->loadModel(cub));
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" - 模型 Cub 1.2m[*]")));
        click(w, "pushButtonSend2");
        QTRY_COMPARE(library.find(QStringLiteral("Cub 1.2m"))->lastWritePort, sim.slavePath());

        // A model just made opens marked as changed against the transmitter.
        MapParamAccess made = w.transmitterWork().values();
        const double mode = made.value(QStringLiteral("spinBox_45"));
        made.setValue(QStringLiteral("spinBox_45"), mode == 1 ? 2 : 1);
        ModelLibrary::Model wing;
        QVERIFY(library.create(QStringLiteral("飞翼"), made, &wing));
        QVERIFY(models->loadModel(wing, true));
        QCOMPARE(w.transmitterWork().changedControls(), QStringList{QStringLiteral("spinBox_45")});
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" - 模型 飞翼[*]")));

        // The model as it stands now: its last write changed it.
        QVERIFY(models->loadModel(*library.find(QStringLiteral("Cub 1.2m"))));
        setControl(w, QStringLiteral("spinBox_17"), 77);
        QVERIFY(w.isWindowModified());
        QVERIFY(models->saveToHeld());
        QVERIFY(!w.isWindowModified());
        MapParamAccess saved;
        QString error;
        QVERIFY(library.load(*library.find(QStringLiteral("Cub 1.2m")), &saved, &error));
        QCOMPARE(saved.value(QStringLiteral("spinBox_17")), 77.0);
        const QList<ParamHistory::Entry> kept = ParamHistory(m_dir.filePath(QStringLiteral("history"))).entries();
        QVERIFY(std::any_of(kept.cbegin(), kept.cend(),
                            [](const ParamHistory::Entry &e) { return e.kind == ParamHistory::Kind::BeforeModelSave; }));
        QVERIFY(watcher.errors().isEmpty());
    }
};

QTEST_MAIN(TestModelWindow)
#include "tst_modelwindow.moc"
