// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recordbench.h"

#include "comm.h"
#include "dialoganswerer.h"
#include "dlgload.h"
#include "formaccess.h"
#include "linkrates.h"
#include "mainwindow.h"
#include "paramsets.h"
#include "recordcodec.h"
#include "stats.h"
#include "windowdriver.h"
#include "windowprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryDir>

#include <functional>

namespace Bench {

namespace {

using Records::kMixBiasFile;
using Records::kMixBiasTransmitter;

struct RecordPair
{
    QString s;
    QString t;
};

RecordPair recordsOf(const ParamAccess &values)
{
    return {Records::build(Records::sFormat(), values),
            Records::build(Records::tFormat(), values, kMixBiasTransmitter)};
}

void writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile out(path);
    if (!(out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && out.write(data) == data.size()
          && out.commit()))
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray readFile(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return in.read(DlgLoad::kMaxFileBytes + 1);
}

// What save() and load() do between the user's choices: check and build both
// records, write the file atomically, read it back, try it as a hex
// listing, check it is a parameter file and apply it.
void directRoundTrip(MainWindowProbe &probe, const ParamAccess &form, const QString &path)
{
    const QString s = probe.buildS();
    const QString t = probe.buildT(kMixBiasFile);
    if (!Records::limitProblems(Records::sFormat(), form).isEmpty()
        || !Records::limitProblems(Records::tFormat(), form, kMixBiasFile).isEmpty())
        qFatal("the window holds values no file can carry");
    writeFile(path, (s + t).toLocal8Bit());

    QString text = QString::fromLocal8Bit(readFile(path));
    bool hexListing = false;
    const QByteArray listed = BgComm::HexStringToByteArray(text, &hexListing);
    if (hexListing)
        text = QString::fromLocal8Bit(listed);
    if (!Records::isParameterFile(text))
        qFatal("the saved file does not load");
    probe.applyS(text.left(Records::kRecordLength));
    probe.applyT(text.mid(Records::kRecordLength, Records::kRecordLength), kMixBiasFile);
}

constexpr int kRoundTrips = 60;

struct Case
{
    QString figure;
    std::function<void()> once;
};

} // namespace

QList<Row> recordRows()
{
    MainWindow w;
    showPainted(w);
    MainWindowProbe probe(w);
    FormAccess form(&w);
    const ParamSets sets = paramSets(&w);
    const RecordPair records[2] = {recordsOf(sets.window), recordsOf(sets.transmitter)};
    MapParamAccess map = sets.window;

    // Applies alternate between the two parameter sets, so every apply
    // changes the values.
    int turn = 0;
    const auto next = [&turn, &records]() -> const RecordPair & { return records[turn++ % 2]; };
    const QList<Case> codecCases = {
        {QStringLiteral("S record build: Records::build → MapParamAccess"),
         [&] { Records::build(Records::sFormat(), map); }},
        {QStringLiteral("S record build: window (MainWindowProbe::buildS)"), [&] { probe.buildS(); }},
        {QStringLiteral("S record apply: Records::apply → MapParamAccess"),
         [&] { Records::apply(Records::sFormat(), next().s, map); }},
        {QStringLiteral("S record apply: window (MainWindowProbe::applyS)"), [&] { probe.applyS(next().s); }},
        {QStringLiteral("T record build: Records::build → MapParamAccess"),
         [&] { Records::build(Records::tFormat(), map, kMixBiasTransmitter); }},
        {QStringLiteral("T record build: window (MainWindowProbe::buildT)"),
         [&] { probe.buildT(kMixBiasTransmitter); }},
        {QStringLiteral("T record apply: Records::apply → MapParamAccess"),
         [&] { Records::apply(Records::tFormat(), next().t, map, kMixBiasTransmitter); }},
        {QStringLiteral("T record apply: window (MainWindowProbe::applyT)"),
         [&] { probe.applyT(next().t, kMixBiasTransmitter); }},
    };

    QList<Row> rows;
    const QString linkRate = QStringLiteral("%1 records/s at 115200 baud").arg(fixed(kRecordsPerSecond, 1));
    for (const Case &c : codecCases) {
        const double r = rate([&c](qint64 n) {
            for (qint64 i = 0; i < n; ++i)
                c.once();
            QCoreApplication::processEvents();
        });
        rows << Row{c.figure, QStringLiteral("%1 records/s").arg(fixed(r, 0)), linkRate, r / kRecordsPerSecond, Goal()};
    }

    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("no temporary directory");
    const QString filePath = dir.filePath(QStringLiteral("params.txt"));
    const QByteArray plainBytes((recordsOf(sets.window).s + recordsOf(sets.window).t).toLocal8Bit());
    const auto plain = [&] {
        writeFile(filePath, plainBytes);
        readFile(filePath);
    };
    const auto direct = [&] { directRoundTrip(probe, form, filePath); };
    const auto clicked = [&] {
        button(w, "pushButtonSave")->click();
        button(w, "pushButtonLoad")->click();
    };
    // The file choosers start in the working directory: keep it small.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    DialogAnswerer answerer(filePath);
    // QSaveFile ends in fdatasync, whose time drifts with the disk's other work.
    const QList<double> rates = interleavedRates({plain, direct, clicked}, kRoundTrips);
    QDir::setCurrent(before);
    if (answerer.errorBoxes() > 0)
        qFatal("saving or loading through the dialogs showed %d error boxes", answerer.errorBoxes());

    const double plainRate = rates[0], directRate = rates[1], clickedRate = rates[2];
    const QString baseline =
        QStringLiteral("%1 /s plain 162-byte QSaveFile write + read").arg(fixed(plainRate, 0));
    rows << Row{QStringLiteral("Save → load round trip, direct: build, QSaveFile write, read, "
                               "isParameterFile, apply through the window (median of %1)").arg(kRoundTrips),
                QStringLiteral("%1 /s").arg(fixed(directRate, 0)), baseline, directRate / plainRate, Goal()};
    rows << Row{QStringLiteral("Save → load round trip, clicked: 保存数据 and 加载数据 with their dialogs "
                               "answered at once (median of %1)").arg(kRoundTrips),
                QStringLiteral("%1 /s").arg(fixed(clickedRate, 1)), baseline, clickedRate / plainRate, Goal()};
    return rows;
}

} // namespace Bench
