// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's form and the program's set-up (catalogue, font fallbacks) in a
// plain QMainWindow, without any of the program's logic: the floor the form
// allows for start-up, the baseline the program is held to.
#include "appsetup.h"
#include "readyreport.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppSetup::install(app);
    Q_INIT_RESOURCE(res);
    QMainWindow w;
    Ui_MainWindow ui;
    ui.setupUi(&w);
    w.resize(1000, 525);
    ReadyReport report(w);
    w.show();
    return app.exec();
}
