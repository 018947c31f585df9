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
    // Latin text and digits from a narrow face, so "115200" and "11.10" fit
    // the form's small boxes; Chinese from the CJK face.
    const QStringList fallbacks{QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("Adobe Caslon Pro"), fallbacks);
    QFont::insertSubstitutions(QStringLiteral("宋体"), fallbacks);
}

} // namespace AppSetup
