#include "appsetup.h"
#include "language.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

struct Options
{
    Language::Choice language = Language::Choice::Chinese;
    bool quitAfterShow = false;
};

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("k6qx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(K6_VERSION));
}

// Answers --help and --version, and refuses unknown options, with a core
// application only: no display is needed for them. Returns nullopt after
// printing what is wrong.
std::optional<Options> parseArguments(int argc, char **argv)
{
    QCoreApplication core(argc, argv);
    describeApplication();
    const QString langValue = Language::commandLineValue(core.arguments());
    const auto language = Language::choose(langValue, qEnvironmentVariable(Language::kVariable));
    if (language)
        Language::installCatalogue(core, *language);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Korvan K6QX 八通道遥控发射机调参软件"));
    parser.addHelpOption();
    parser.addVersionOption();
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
    parser.process(core); // exits for --help, --version and unknown options

    if (!language) {
        const QString wrong = langValue.isEmpty() ? qEnvironmentVariable(Language::kVariable) : langValue;
        const QString message = QCoreApplication::translate("main", "k6qx：不认识的语言 \"%1\"，可用的是 zh 和 en");
        std::fprintf(stderr, "%s\n", qPrintable(message.arg(wrong)));
        return std::nullopt;
    }
    return Options{*language, parser.isSet(quitOption)};
}

} // namespace

int main(int argc, char **argv)
{
    const std::optional<Options> options = parseArguments(argc, argv);
    if (!options)
        return 2;

    QApplication app(argc, argv);
    describeApplication();
    if (!AppSetup::install(app, options->language))
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate("main", "k6qx：语言目录没有加载，界面文字可能不全")));
    MainWindow w;
    w.show();
    if (options->quitAfterShow) {
        // Ends with 0 once the window is on screen, 1 if it never gets there.
        auto *poll = new QTimer(&app);
        const QDeadlineTimer deadline(10000);
        QObject::connect(poll, &QTimer::timeout, &app, [&w, &app, deadline] {
            const bool shown = w.windowHandle() && w.windowHandle()->isExposed();
            if (shown || deadline.hasExpired())
                app.exit(shown ? 0 : 1);
        });
        poll->start(10);
    }
    return app.exec();
}
