// The program's start-up as main() does it, reporting when the window is
// shown and idle.
#include "appsetup.h"
#include "mainwindow.h"
#include "readyreport.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppSetup::install(app);
    MainWindow w;
    ReadyReport report(w);
    w.show();
    return app.exec();
}
