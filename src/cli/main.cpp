// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliapp.h"
#include "language.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k6qx-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(K6_VERSION));
    // The same language as the window: --lang or K6QX_LANG, Chinese by default.
    const QString langValue = Language::commandLineValue(app.arguments());
    const auto language = Language::choose(langValue, qEnvironmentVariable(Language::kVariable));
    if (!language) {
        const QString wrong = langValue.isEmpty() ? qEnvironmentVariable(Language::kVariable) : langValue;
        std::fprintf(stderr, "k6qx-cli: %s\n",
                     qUtf8Printable(QCoreApplication::translate("main", "不认识的语言 \"%1\"，可用的是 zh 和 en").arg(wrong)));
        return CliApp::Trouble;
    }
    Language::installCatalogue(app, *language);
    return CliApp().run(QCoreApplication::arguments());
}
