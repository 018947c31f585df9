// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "language.h"

#include <optional>

class QApplication;

// What the program sets up before its window exists; tests call it too.
namespace AppSetup {

struct Options
{
    Language::Choice language = Language::Choice::Chinese;
    bool quitAfterShow = false;
};

// The program's name and version for Qt (--version, the parser's texts).
void describeApplication();

// Answers --help and --version, and refuses unknown options, with a core
// application only: no display is needed for them. Returns nullopt after
// printing what is wrong; exits for --help and --version.
std::optional<Options> parseArguments(int argc, char **argv);

// Installs the language's catalogue (Language::installCatalogue), then the
// font fallbacks. False when the catalogue fails to load; the texts it
// would have given stay as they are.
bool install(QApplication &app, Language::Choice language = Language::Choice::Chinese);

// The form asks for "Adobe Caslon Pro" and "宋体", which Linux systems lack;
// map them to installed fonts that carry the Chinese glyphs.
void installFontFallbacks();

} // namespace AppSetup
