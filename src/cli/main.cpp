#include "cliapp.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k6qx-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(K6_VERSION));
    return CliApp().run(QCoreApplication::arguments());
}
