// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"
#include "paramhistory.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <functional>
#include <optional>

class TransmitterWork;
class ModelCommands;

// The commands of k6qx-cli. Exit status as diff(1): 0 success or identical,
// 1 differences found, 2 trouble; every trouble is one line on stderr.
class CliApp
{
    Q_DECLARE_TR_FUNCTIONS(CliApp)

public:
    enum Status { Success = 0, Differences = 1, Trouble = 2 };

    CliApp();
    int run(const QStringList &arguments);
    // The command the arguments name, before any application object exists:
    // sheet needs a QGuiApplication, the others a core one.
    static QString commandOf(const QStringList &arguments);

private:
    friend class ModelCommands;

    struct Failure
    {
        QString message;
    };

    int ports();
    int doctor(const QString &port);
    int find();
    int adapters();
    int read(const QString &port);
    int write(const QString &port, const QString &file);
    // The write of a set with its backup; sent runs once the records went out.
    int writeSet(const QString &port, MapParamAccess values, const std::function<void()> &sent = {});
    int verify(const QString &port, const QString &file);
    int show(const QString &file);
    int diff(const QString &fileA, const QString &fileB);
    int history();
    int sheet(const QString &source);

    void checkOptions(const QString &command, const QStringList &allowed, int positionals);
    MapParamAccess loadFile(const QString &path);
    static void checkOutput(const QString &path);
    // The work on a set held in values, its history trouble told once on stderr.
    void openPort(TransmitterWork &work, const QString &port);
    void watchHistory(TransmitterWork &work);
    // The transmitter's complete set, confirmed and kept in the history; an
    // answer that lacks groups is told on stdout and gives nullopt.
    std::optional<MapParamAccess> readComplete(const QString &port);
    qint32 baudRate();
    QString helpText() const;

    // Every word of the program goes out through these two: standard
    // output (a failure to write ends the command) and standard error.
    static void out(const QString &text);
    static void err(const QString &text);

    QCommandLineParser m_parser;
    QCommandLineOption m_output;
    QCommandLineOption m_json;
    QCommandLineOption m_baud;
    QCommandLineOption m_channel;
    QCommandLineOption m_verify;
    QCommandLineOption m_noBackup;
    QCommandLineOption m_verbose;
    QCommandLineOption m_all;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_lang;
    bool m_historyWarned = false;
};
