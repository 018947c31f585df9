// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordcodec.h"
#include "simulatorhost.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTimer>

#include <climits>
#include <csignal>
#include <cstdio>

#include <sys/signalfd.h>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::fprintf(stderr, "k6qx-sim: %s\n", qUtf8Printable(line));
}

// Whole numbers from min up, or -1 when the option is not given.
bool wholeNumber(const QCommandLineParser &parser, const QCommandLineOption &option, qint64 min, qint64 *value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    *value = parser.value(option).toLongLong(&ok);
    if (ok && *value >= min)
        return true;
    say(QStringLiteral("--%1 wants a whole number of %2 or more, not \"%3\"")
            .arg(option.names().first()).arg(min).arg(parser.value(option)));
    return false;
}

bool chance(const QCommandLineParser &parser, const QCommandLineOption &option, double *value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    *value = parser.value(option).toDouble(&ok);
    if (ok && *value >= 0 && *value <= 1)
        return true;
    say(QStringLiteral("--%1 wants a probability from 0 to 1, not \"%2\"")
            .arg(option.names().first(), parser.value(option)));
    return false;
}

// Replaced whole, so a reader never sees half of it.
void writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        say(QStringLiteral("cannot write %1").arg(path));
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
    const QCommandLineOption dumpOption(
        QStringLiteral("dump"),
        QStringLiteral("Keep <FILE> up to date with the current parameter set as a parameter file (162 bytes, "
                       "as the tool saves it; the dual rates of the channel the set names)."),
        QStringLiteral("FILE"));
    parser.addOption(dumpOption);
    // Line faults; every random choice follows from --seed.
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed <N> for the random choices of the faults (default 0)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption strayOption(
        QStringLiteral("stray-every"),
        QStringLiteral("Send one to four random bytes every <MS> milliseconds while no answer is going out."),
        QStringLiteral("MS"));
    const QCommandLineOption dropOption(QStringLiteral("drop"),
                                        QStringLiteral("Drop one byte of an answer with probability <P>."),
                                        QStringLiteral("P"));
    const QCommandLineOption corruptOption(QStringLiteral("corrupt"),
                                           QStringLiteral("Change one byte of an answer with probability <P>."),
                                           QStringLiteral("P"));
    const QCommandLineOption cutOption(QStringLiteral("cut-after"),
                                       QStringLiteral("Send only the first <K> bytes of every answer."),
                                       QStringLiteral("K"));
    const QCommandLineOption gapOption(QStringLiteral("frame-gap"),
                                       QStringLiteral("Pause <MS> milliseconds after every frame of an answer."),
                                       QStringLiteral("MS"));
    const QCommandLineOption hangUpAfterOption(
        QStringLiteral("hang-up-after"),
        QStringLiteral("Hang up (close the link for good) once <K> bytes went out, stray ones included."),
        QStringLiteral("K"));
    parser.addOptions({seedOption, strayOption, dropOption, corruptOption, cutOption, gapOption, hangUpAfterOption});
    parser.process(app);

    bool ok = false;
    const int baud = parser.value(baudOption).toInt(&ok);
    if (!ok || baud < 0) {
        say(QStringLiteral("--baud wants a whole number of 0 or more, not \"%1\"").arg(parser.value(baudOption)));
        return 2;
    }

    LineFaultSettings faults;
    qint64 seed = 0;
    qint64 strayEvery = 0;
    qint64 cutAfter = -1;
    qint64 frameGap = 0;
    if (!wholeNumber(parser, seedOption, 0, &seed) || seed > 0xFFFFFFFFLL
        || !wholeNumber(parser, strayOption, 1, &strayEvery) || !wholeNumber(parser, cutOption, 0, &cutAfter)
        || !wholeNumber(parser, gapOption, 1, &frameGap)
        || !wholeNumber(parser, hangUpAfterOption, 0, &faults.hangUpAfter)
        || !chance(parser, dropOption, &faults.dropChance) || !chance(parser, corruptOption, &faults.corruptChance)) {
        if (seed > 0xFFFFFFFFLL)
            say(QStringLiteral("--seed wants a number below 2^32"));
        return 2;
    }
    faults.seed = quint32(seed);
    faults.strayEveryMs = int(qMin<qint64>(strayEvery, INT_MAX));
    faults.cutAfter = int(qMin<qint64>(cutAfter, INT_MAX));
    faults.frameGapMs = int(qMin<qint64>(frameGap, INT_MAX));

    SimulatorHost host;
    host.setBaudRate(baud);
    host.setLineFaults(faults);
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

    QObject::connect(&host, &SimulatorHost::logMessage, &say);
    QObject::connect(&host, &SimulatorHost::bytesReceived, [](const QByteArray &bytes) {
        say(QStringLiteral("received %1 byte(s): %2").arg(bytes.size()).arg(shown(bytes)));
    });
    QObject::connect(&host, &SimulatorHost::answerSent,
                     [](int bytes) { say(QStringLiteral("answer sent (%1 bytes)").arg(bytes)); });

    const QString statePath = parser.value(stateOption);
    QByteArray received;
    const auto writeState = [&] {
        writeWhole(statePath, "accepted " + QByteArray::number(host.transmitter().acceptedPairs())
                                  + "\nreceived-hex " + received.toHex() + "\n");
    };
    if (!statePath.isEmpty()) {
        writeState();
        QObject::connect(&host, &SimulatorHost::bytesReceived, [&](const QByteArray &bytes) {
            received += bytes;
            writeState();
        });
        QObject::connect(&host, &SimulatorHost::recordsAccepted, writeState);
    }
    const QString dumpPath = parser.value(dumpOption);
    if (!dumpPath.isEmpty()) {
        const auto writeDump = [&] { writeWhole(dumpPath, host.transmitter().parameterFile()); };
        writeDump();
        QObject::connect(&host, &SimulatorHost::recordsAccepted, writeDump);
    }

    // The files are in place before anyone learns the port.
    std::printf("%s\n", qUtf8Printable(host.slavePath()));
    std::fflush(stdout);

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

    say(QStringLiteral("transmitter ready on %1, %2, %3")
            .arg(host.slavePath(), baud > 0 ? QStringLiteral("%1 baud").arg(baud) : QStringLiteral("unpaced"),
                 faults.describe()));
    const int status = app.exec();
    ::close(signalFd);
    return status;
}
