#pragma once

#include "language.h"

class QApplication;

// What the program sets up before its window exists; tests call it too.
namespace AppSetup {

// Installs the language's catalogue (Language::installCatalogue), then the
// font fallbacks. False when the catalogue fails to load; the texts it
// would have given stay as they are.
bool install(QApplication &app, Language::Choice language = Language::Choice::Chinese);

// The form asks for "Adobe Caslon Pro" and "宋体", which Linux systems lack;
// map them to installed fonts that carry the Chinese glyphs.
void installFontFallbacks();

} // namespace AppSetup
