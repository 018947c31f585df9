#pragma once

class QApplication;

// What the program sets up before its window exists; tests call it too.
namespace AppSetup {

// Installs Qt's own Simplified Chinese catalogue (:/qm/qt_zh_CN.qm) and the
// font fallbacks. A catalogue that fails to load leaves Qt's English texts.
void install(QApplication &app);

// The form asks for "Adobe Caslon Pro" and "宋体", which Linux systems lack;
// map them to installed fonts that carry the Chinese glyphs.
void installFontFallbacks();

} // namespace AppSetup
