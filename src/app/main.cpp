#include "appsetup.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppSetup::install(app);
    MainWindow w;
    w.show();
    return app.exec();
}
