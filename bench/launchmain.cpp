// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start-up as main() does it, reporting when the window is
// shown and idle.
#include "appsetup.h"
#include "mainwindow.h"
#include "readyreport.h"

#include <QApplication>

int main(int argc, char **argv)
{
    const std::optional<AppSetup::Options> options = AppSetup::parseArguments(argc, argv);
    if (!options)
        return 2;
    QApplication app(argc, argv);
    AppSetup::describeApplication();
    AppSetup::install(app, options->language);
    MainWindow w;
    ReadyReport report(w);
    // The system's serial ports join the port list after the first paint.
    report.expect();
    QObject::connect(&w, &MainWindow::portsListed, &report, [&report] { report.reached("ports"); });
    w.show();
    return app.exec();
}
