// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders both pages of the main window and the About box to PNG files, offscreen, so the
// form can be looked at on a machine without a display:
//   QT_QPA_PLATFORM=offscreen k6qx-screenshots OUTDIR
// K6QX_LANG=en renders the English form.
#include "aboutbox.h"
#include "appsetup.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTabWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppSetup::describeApplication();
    const auto language = Language::choose(QString(), qEnvironmentVariable(Language::kVariable));
    AppSetup::install(app, language.value_or(Language::Choice::Chinese));
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    MainWindow w;
    w.show();
    auto *pages = w.findChild<QTabWidget *>(QStringLiteral("tabWidget_2"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QCoreApplication::processEvents();
        if (!w.grab().save(QDir(dir).filePath(QStringLiteral("page%1.png").arg(i))))
            return 1;
    }
    QMessageBox *about = AboutBox::create(&w);
    about->show();
    QCoreApplication::processEvents();
    return about->grab().save(QDir(dir).filePath(QStringLiteral("about.png"))) ? 0 : 1;
}
