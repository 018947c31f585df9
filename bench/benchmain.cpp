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
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    AppSetup::install(app);
    qtHandler = qInstallMessageHandler(dropDebug);

    QStringList wanted = app.arguments().mid(1);
    if (wanted.value(0) == QLatin1String("profile-decode")) {
        Bench::profileWindowDecoding(wanted.value(1, QStringLiteral("5")).toDouble());
        return 0;
    }

    const QString here = QCoreApplication::applicationDirPath();
    const Section sections[] = {
        {"startup", [&here] { return Bench::startupRows(here, 15); }},
        {"decode", [] { return Bench::decodeRows(); }},
        {"records", [] { return Bench::recordRows(); }},
        {"endtoend", [] { return Bench::endToEndRows(25); }},
        {"responsiveness", [] { return Bench::responsivenessRows(10); }},
    };

    QTextStream err(stderr);
    QList<Bench::Row> rows;
    bool complete = true;
    for (const Section &s : sections) {
        if (!wanted.isEmpty() && !wanted.contains(QLatin1String(s.name)))
            continue;
        err << "measuring " << s.name << " …\n";
        err.flush();
        const QList<Bench::Row> got = s.rows();
        complete = complete && !got.isEmpty();
        rows << got;
    }

    QTextStream out(stdout);
    out << "## K6QX tool performance\n\n";
    for (const QString &line : Bench::machineLines())
        out << line << '\n';
    out << '\n';
    Bench::printTable(rows, out);
    return complete ? 0 : 1;
}
