// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"
#include "appsetup.h"
#include "mainwindow.h"
#include "remembered.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWindow>

#include <cstdio>

int main(int argc, char **argv)
{
    const std::optional<AppSetup::Options> options = AppSetup::parseArguments(argc, argv);
    if (!options)
        return 2;

    QApplication app(argc, argv);
    AppSetup::describeApplication();
    if (!AppSetup::install(app, options->language))
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate("main", "k6qx：语言目录没有加载，界面文字可能不全")));
    Appearance::apply(Remembered::appearance());
    MainWindow w;
    w.show();
    if (options->quitAfterShow) {
        // Ends with 0 once the window is on screen, 1 if it never gets there.
        auto *poll = new QTimer(&app);
        const QDeadlineTimer deadline(10000);
        QObject::connect(poll, &QTimer::timeout, &app, [&w, &app, deadline] {
            const bool shown = w.windowHandle() && w.windowHandle()->isExposed();
            if (shown || deadline.hasExpired())
                app.exit(shown ? 0 : 1);
        });
        poll->start(10);
    }
    return app.exec();
}
