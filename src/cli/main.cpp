// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliapp.h"
#include "consolewriter.h"
#include "language.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

namespace {

QtMessageHandler qtHandler = nullptr;

// Starting Qt Gui without a desktop session warns that there is no runtime
// folder; the sheet needs none, and trouble is one line on stderr.
void dropRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The setup sheet is laid out with the system's fonts, which takes a
    // QGuiApplication. It never shows a window, so on Linux it needs no
    // display: the offscreen platform unless another is asked for.
    std::unique_ptr<QCoreApplication> app;
    if (CliApp::commandOf(arguments) == QLatin1String("sheet")) {
#ifndef Q_OS_WIN
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        qtHandler = qInstallMessageHandler(dropRuntimeFolderWarning);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("k6qx-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(K6_VERSION));
    // The same language as the window: --lang or K6QX_LANG, Chinese by default.
    const QString langValue = Language::commandLineValue(app->arguments());
    const auto language = Language::choose(langValue, qEnvironmentVariable(Language::kVariable));
    if (!language) {
        const QString wrong = langValue.isEmpty() ? qEnvironmentVariable(Language::kVariable) : langValue;
        ConsoleWriter::write(ConsoleWriter::Stream::Err,
                             QStringLiteral("k6qx-cli: %1\n")
                                 .arg(QCoreApplication::translate("main", "不认识的语言 \"%1\"，可用的是 zh 和 en").arg(wrong)));
        return CliApp::Trouble;
    }
    Language::installCatalogue(*app, *language);
    return CliApp().run(QCoreApplication::arguments());
}
