#include "recordcodec.h"
#include "simulatorhost.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>

#include <sys/signalfd.h>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::fprintf(stderr, "k6qx-sim: %s\n", qUtf8Printable(line));
}

QString shown(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (uchar(c) < 0x20 || uchar(c) >= 0x7F)
            return QString::fromLatin1(bytes.toHex(' '));
    }
    return QStringLiteral("\"%1\"").arg(QString::fromLatin1(bytes));
}

} // namespace

int main(int argc, char *argv[])
{
    // SIGINT and SIGTERM arrive through a descriptor so the event loop can end
    // cleanly; they must be blocked before any thread starts.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k6qx-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Plays the K6QX transmitter on a pseudo-terminal. The first line of output is the "
        "device to open; the log goes to standard error."));
    parser.addHelpOption();
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        QStringLiteral("Pace answers at <N> baud, ten bits per byte (0: unpaced)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    parser.addOption(baudOption);
    const QCommandLineOption ignoreOption(
        QStringLiteral("ignore"),
        QStringLiteral("Keep <FIELD> (a transmitter name such as EPA_L1, not a dual rate) as it is when "
                       "records are written, like a transmitter that does not take it."),
        QStringLiteral("FIELD"));
    parser.addOption(ignoreOption);
    const QCommandLineOption stateOption(
        QStringLiteral("state"),
        QStringLiteral("Keep <FILE> up to date with the pairs of records accepted (\"accepted N\") and every "
                       "byte received (\"received-hex HEX\"), for a test that cannot watch the link."),
        QStringLiteral("FILE"));
    parser.addOption(stateOption);
    const QCommandLineOption hangUpOption(
        QStringLiteral("hang-up-on"),
        QStringLiteral("Hang up (close the link for good) once <FILE> exists."), QStringLiteral("FILE"));
    parser.addOption(hangUpOption);
    parser.process(app);

    bool ok = false;
    const int baud = parser.value(baudOption).toInt(&ok);
    if (!ok || baud < 0) {
        say(QStringLiteral("--baud wants a whole number of 0 or more, not \"%1\"").arg(parser.value(baudOption)));
        return 2;
    }

    SimulatorHost host;
    host.setBaudRate(baud);
    for (const QString &name : parser.values(ignoreOption)) {
        QString control;
        for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
            for (const Records::Field &f : *format) {
                if (name == QLatin1String(f.param) && f.kind != Records::FieldKind::DualRate)
                    control = QLatin1String(f.control);
            }
        }
        if (control.isEmpty()) {
            say(QStringLiteral("--ignore wants the name of a record field other than a dual rate, not \"%1\"").arg(name));
            return 2;
        }
        host.transmitter().ignoreWrites(control);
    }
    QString error;
    if (!host.open(&error)) {
        say(error);
        return 1;
    }
    std::printf("%s\n", qUtf8Printable(host.slavePath()));
    std::fflush(stdout);

    QObject::connect(&host, &SimulatorHost::logMessage, &say);
    QObject::connect(&host, &SimulatorHost::bytesReceived, [](const QByteArray &bytes) {
        say(QStringLiteral("received %1 byte(s): %2").arg(bytes.size()).arg(shown(bytes)));
    });
    QObject::connect(&host, &SimulatorHost::answerSent, [] {
        say(QStringLiteral("answer sent (%1 bytes)").arg(Transmitter::answerLength()));
    });

    // Replaced whole on every change, so a reader never sees half of it.
    const QString statePath = parser.value(stateOption);
    QByteArray received;
    const auto writeState = [&] {
        QSaveFile state(statePath);
        const QByteArray text = "accepted " + QByteArray::number(host.transmitter().acceptedPairs())
                                + "\nreceived-hex " + received.toHex() + "\n";
        if (!state.open(QIODevice::WriteOnly) || state.write(text) != text.size() || !state.commit())
            say(QStringLiteral("cannot write %1").arg(statePath));
    };
    if (!statePath.isEmpty()) {
        writeState();
        QObject::connect(&host, &SimulatorHost::bytesReceived, [&](const QByteArray &bytes) {
            received += bytes;
            writeState();
        });
        QObject::connect(&host, &SimulatorHost::recordsAccepted, writeState);
    }

    QTimer hangUpWatch;
    const QString hangUpPath = parser.value(hangUpOption);
    if (!hangUpPath.isEmpty()) {
        QObject::connect(&hangUpWatch, &QTimer::timeout, [&] {
            if (!QFile::exists(hangUpPath))
                return;
            hangUpWatch.stop();
            say(QStringLiteral("hanging up: %1 exists").arg(hangUpPath));
            host.closeMaster();
        });
        hangUpWatch.start(20);
    }

    const int signalFd = ::signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signalFd < 0) {
        say(QStringLiteral("cannot watch for SIGINT and SIGTERM"));
        return 1;
    }
    QSocketNotifier stopNotifier(signalFd, QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &app, [&] {
        signalfd_siginfo info{};
        if (::read(signalFd, &info, sizeof info) == ssize_t(sizeof info))
            say(QStringLiteral("stopping on signal %1").arg(info.ssi_signo));
        QCoreApplication::quit();
    });

    say(QStringLiteral("transmitter ready on %1, %2")
            .arg(host.slavePath(), baud > 0 ? QStringLiteral("%1 baud").arg(baud) : QStringLiteral("unpaced")));
    const int status = app.exec();
    ::close(signalFd);
    return status;
}
