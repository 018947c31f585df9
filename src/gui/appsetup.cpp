#include "appsetup.h"

#include <QApplication>
#include <QFont>

namespace AppSetup {

bool install(QApplication &app, Language::Choice language)
{
    const bool loaded = Language::installCatalogue(app, language);
    installFontFallbacks();
    return loaded;
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
