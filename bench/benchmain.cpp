// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the tool's performance figures as a Markdown table. Without
// arguments every section runs; naming sections runs those alone:
//   k6qx-bench [startup] [decode] [records] [endtoend] [responsiveness]
//   k6qx-bench profile-decode [SECONDS]   the window's decoding path alone
#include "appsetup.h"
#include "decodebench.h"
#include "endtoendbench.h"
#include "recordbench.h"
#include "report.h"
#include "responsivenessbench.h"
#include "startupbench.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {

QtMessageHandler qtHandler = nullptr;

// save() and the load dialog trace file names and previews on the debug
// channel, once per round trip.
void dropDebug(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg)
        qtHandler(type, context, text);
}

struct Section
{
    const char *name;
    std::function<QList<Bench::Row>()> rows;
    const char *howMeasured;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The windows it drives keep what they read and write: in a folder of
    // the run's own, not in the user's history.
    QTemporaryDir history;
    if (qEnvironmentVariableIsEmpty("K6QX_HISTORY_DIR"))
        qputenv("K6QX_HISTORY_DIR", history.path().toLocal8Bit());
    AppSetup::install(app);
    qtHandler = qInstallMessageHandler(dropDebug);

    QStringList wanted = app.arguments().mid(1);
    if (wanted.value(0) == QLatin1String("profile-decode")) {
        Bench::profileWindowDecoding(wanted.value(1, QStringLiteral("5")).toDouble());
        return 0;
    }

    const QString here = QCoreApplication::applicationDirPath();
    const Section sections[] = {
        {"startup", [&here] { return Bench::startupRows(here, 15); },
         "Start-up: k6qx-launch does what main() does and prints a line once the window has been "
         "painted and the events queued behind that paint are handled; k6qx-formonly does the same "
         "with the window's form and the same set-up (catalogue, font fallbacks) in a plain "
         "QMainWindow, without the program's logic; k6qx-bare with a plain QMainWindow of the "
         "window's size. The three take turns. Time from posix_spawn to that line, peak RSS "
         "from wait4()."},
        {"decode", [] { return Bench::decodeRows(); },
         "Decoding: the answers of two parameter sets in turn, so every frame changes its controls. "
         "Window path: written unpaced into the pseudo-terminal's master by a second thread, timed "
         "from the first byte written to the window's receive count reaching the total. Table "
         "paths: frames as hex, as readMyCom hands them over; the FormAccess path repaints once "
         "per batch."},
        {"records", [] { return Bench::recordRows(); },
         "Records: applies alternate between the two parameter sets. Round trip \"direct\": "
         "what save() and load() do between the user's choices, into a QTemporaryDir; "
         "\"clicked\": the real buttons, each dialog answered as soon as it is shown."},
        {"endtoend", [] { return Bench::endToEndRows(25); },
         "End to end: the simulator runs on a thread of its own, paced at 115200 baud. A "
         "pseudo-terminal has no baud rate, so only the answers are paced: the write figure is "
         "the window's own time including the 3 ms pause, not a wire time."},
        {"responsiveness", [] { return Bench::responsivenessRows(10); },
         "Unresponsive: a 1 ms precise timer on the window's thread; the longest interval between "
         "two ticks in 120 ms around the click, against the same timer with the window idle. "
         "The port's baud rate is set before opening; the pseudo-terminal ignores it."},
    };

    QTextStream err(stderr);
    QList<Bench::Row> rows;
    QStringList notes;
    bool complete = true;
    for (const Section &s : sections) {
        if (!wanted.isEmpty() && !wanted.contains(QLatin1String(s.name)))
            continue;
        err << "measuring " << s.name << " …\n";
        err.flush();
        const QList<Bench::Row> got = s.rows();
        complete = complete && !got.isEmpty();
        rows << got;
        notes << QStringLiteral("- ") + QLatin1String(s.howMeasured);
    }

    QTextStream out(stdout);
    out << "## K6QX tool performance\n\n";
    for (const QString &line : Bench::machineLines())
        out << line << '\n';
    out << '\n';
    Bench::printTable(rows, out);
    out << '\n' << notes.join(QLatin1Char('\n')) << '\n';
    return complete ? 0 : 1;
}
