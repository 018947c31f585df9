#include "appsetup.h"

#include <QApplication>
#include <QFont>
#include <QTranslator>

namespace AppSetup {

void install(QApplication &app)
{
    // Lives until the process ends, like the application.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/qm/qt_zh_CN.qm"), QString(), QString(), QString()))
        app.installTranslator(translator);
    installFontFallbacks();
}

void installFontFallbacks()
{
    QFont::insertSubstitutions(QStringLiteral("Adobe Caslon Pro"),
                               {QStringLiteral("WenQuanYi Micro Hei")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("WenQuanYi Micro Hei")});
}

} // namespace AppSetup
