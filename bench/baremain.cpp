// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A plain QMainWindow started like the program, the start-up baseline.
#include "readyreport.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.resize(1000, 525); // the program's window size, so both back stores match
    ReadyReport report(w);
    w.show();
    return app.exec();
}
