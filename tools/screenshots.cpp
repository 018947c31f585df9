// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the main window (both pages, with a partial read's account, a
// changed value and values left stale), the 更多 menu, the account's
// details, a comparison, the history and the About box to PNG files,
// offscreen, so they can be looked at on a machine without a display:
//   QT_QPA_PLATFORM=offscreen k6qx-screenshots OUTDIR [light|dark]
// K6QX_LANG=en renders the English window; QT_SCALE_FACTOR its scale.
#include "aboutbox.h"
#include "answeraccount.h"
#include "appearance.h"
#include "appsetup.h"
#include "changetracker.h"
#include "comparedialog.h"
#include "historydialog.h"
#include "mainwindow.h"
#include "messageline.h"
#include "modellibrarydialog.h"
#include "modelwizard.h"
#include "paramcompare.h"
#include "replyframes.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QThread>

namespace {

bool save(QWidget *w, const QDir &dir, const QString &name)
{
    w->show();
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return w->grab().save(dir.filePath(name + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppSetup::describeApplication();
    const auto language = Language::choose(QString(), qEnvironmentVariable(Language::kVariable));
    AppSetup::install(app, language.value_or(Language::Choice::Chinese));
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QDir().mkpath(dir.path());
    Appearance::apply(argc > 2 && qstrcmp(argv[2], "dark") == 0 ? Appearance::Choice::Dark : Appearance::Choice::Light);

    MainWindow w;
    // What a read that got 9 of the 14 groups leaves: its account, the
    // values of the missing groups marked, and one value changed since.
    QList<quint8> seen = ReplyFrames::groups().mid(0, 9);
    const QStringList missing = [&] {
        QStringList names;
        for (const quint8 g : ReplyFrames::missingGroups(seen))
            names << ReplyFrames::groupName(g);
        return names;
    }();
    w.findChild<QSpinBox *>(QStringLiteral("spinBox_17"))->setValue(90);
    QStringList stale;
    for (const quint8 g : ReplyFrames::missingGroups(seen)) {
        for (const ReplyFrames::Slot &slot : ReplyFrames::slotsOf(g))
            stale << QLatin1String(slot.control);
    }
    w.findChild<ChangeTracker *>()->setStale(stale);
    auto *line = w.findChild<MessageLine *>();
    line->say(AnswerAccount::ofRead(seen), missing);
    bool ok = true;
    auto *pages = w.findChild<QTabWidget *>(QStringLiteral("tabWidget_2"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        ok = save(&w, dir, QStringLiteral("page%1").arg(i)) && ok;
    }

    auto *more = w.findChild<QPushButton *>(QStringLiteral("pushButtonMore"));
    more->menu()->popup(more->mapToGlobal(QPoint(0, 0)));
    ok = save(more->menu(), dir, QStringLiteral("menu")) && ok;
    more->menu()->hide();

    line->showDetails();
    ok = save(w.findChild<QDialog *>(QStringLiteral("accountDetails")), dir, QStringLiteral("details")) && ok;

    const MapParamAccess mine = w.transmitterWork().values();
    MapParamAccess other = mine;
    other.setValue(QStringLiteral("spinBox_17"), 100);
    other.setValue(QStringLiteral("spinBox_9"), 12);
    CompareDialog compare(ParamCompare::compare(mine, other, ParamCompare::Against::Transmitter),
                          QCoreApplication::translate("TransmitterWork", "发射机 %1").arg(QStringLiteral("ttyUSB0")),
                          ParamCompare::transmitterNote(0), &w);
    ok = save(&compare, dir, QStringLiteral("compare")) && ok;

    QList<ParamHistory::Entry> entries;
    const ParamHistory::Kind kinds[] = {ParamHistory::Kind::Read, ParamHistory::Kind::BeforeWrite,
                                        ParamHistory::Kind::Written, ParamHistory::Kind::Edits};
    for (int i = 0; i < 4; ++i)
        entries.append({QDateTime(QDate(2026, 12, 9), QTime(12, 6 - i)), kinds[i], QStringLiteral("ttyUSB0"), QString()});
    HistoryDialog history(entries, &w);
    ok = save(&history, dir, QStringLiteral("history")) && ok;

    QMessageBox *about = AboutBox::create(&w);
    ok = save(about, dir, QStringLiteral("about")) && ok;
    about->hide();

    // The model library with three models, one of them written to a transmitter.
    QTemporaryDir folder;
    ModelLibrary library(folder.path());
    const std::pair<QString, AircraftSetup::Aircraft> models[] = {{QStringLiteral("Cub 1.2m"), AircraftSetup::Aircraft::Conventional},
                                                                  {QStringLiteral("飞翼 900"), AircraftSetup::Aircraft::FlyingWing},
                                                                  {QStringLiteral("V 尾滑翔机 2m"), AircraftSetup::Aircraft::VTail}};
    for (const auto &[name, aircraft] : models) {
        AircraftSetup::Choices choices;
        choices.aircraft = aircraft;
        ModelLibrary::Model made;
        library.create(name, AircraftSetup::values(choices), &made, AircraftSetup::name(aircraft));
        if (aircraft == AircraftSetup::Aircraft::Conventional)
            library.recordWrite(made, QStringLiteral("ttyUSB0"), QDateTime(QDate(2026, 12, 9), QTime(9, 30)));
    }
    ModelLibraryDialog libraryDialog(library, [] { return MapParamAccess(); }, &w);
    ok = save(&libraryDialog, dir, QStringLiteral("library")) && ok;
    libraryDialog.hide();

    // The new-model wizard's pages with a flying wing on mode 1 and 4 cells.
    ModelWizard wizard(&w);
    wizard.show();
    for (int page = 0; page < 5; ++page) {
        if (page == 0)
            wizard.currentPage()->findChildren<QRadioButton *>().at(1)->setChecked(true);
        if (page == 1)
            wizard.currentPage()->findChildren<QRadioButton *>().at(0)->setChecked(true);
        if (page == 2)
            wizard.findChild<QSpinBox *>(QStringLiteral("spinBoxCells"))->setValue(4);
        ok = save(&wizard, dir, QStringLiteral("wizard%1").arg(page)) && ok;
        wizard.next();
    }
    return ok ? 0 : 1;
}
