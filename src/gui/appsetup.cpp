// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"

#include "licence.h"
#include "remembered.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFont>

#include <cstdio>
#include <cstdlib>

namespace AppSetup {

namespace {

// The language of this start: --lang, else K6QX_LANG, else the one kept
// in the settings file, else Chinese. nullopt when the value that decides
// names no language the program has.
std::optional<Language::Choice> startLanguage(const QString &commandLine)
{
    const QString environment = qEnvironmentVariable(Language::kVariable);
    if (commandLine.isEmpty() && environment.isEmpty())
        return Remembered::language().value_or(Language::Choice::Chinese);
    return Language::choose(commandLine, environment);
}

} // namespace

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("k6qx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(K6_VERSION));
}

std::optional<Options> parseArguments(int argc, char **argv)
{
    // Started without arguments (from the menu, say): nothing to answer or
    // refuse on the command line, so no parser and no second application
    // object hold up the window.
    if (argc <= 1) {
        if (const auto language = startLanguage(QString()))
            return Options{*language, false};
    }

    QCoreApplication core(argc, argv);
    describeApplication();
    const QString langValue = Language::commandLineValue(core.arguments());
    const auto language = startLanguage(langValue);
    if (language)
        Language::installCatalogue(core, *language);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Korvan K6QX 八通道遥控发射机调参软件"));
    parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption langOption(
        QStringLiteral("lang"),
        QCoreApplication::translate("main",
                                    "界面语言：zh（简体中文，默认）或 en（英文）。也可以用环境变量 K6QX_LANG 设置。"),
        QCoreApplication::translate("main", "语言"));
    parser.addOption(langOption);
    // For checking an installation: the window shows and the program ends.
    QCommandLineOption quitOption(QStringLiteral("quit-after-show"),
                                  QCoreApplication::translate("main", "显示窗口后立即退出"));
    quitOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitOption);
    // --version with the licence under it; the rest as Qt answers it.
    if (parser.parse(core.arguments()) && parser.isSet(versionOption)) {
        std::printf("%s %s\n%s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()), qPrintable(Licence::versionLine()));
        std::exit(EXIT_SUCCESS);
    }
    parser.process(core); // exits for --help and unknown options

    if (!language) {
        const QString wrong = langValue.isEmpty() ? qEnvironmentVariable(Language::kVariable) : langValue;
        const QString message = QCoreApplication::translate("main", "k6qx：不认识的语言 \"%1\"，可用的是 zh 和 en");
        std::fprintf(stderr, "%s\n", qPrintable(message.arg(wrong)));
        return std::nullopt;
    }
    return Options{*language, parser.isSet(quitOption)};
}


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
