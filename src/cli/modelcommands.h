// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "modellibrary.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

class CliApp;

// k6qx-cli model …: the model library from the command line. Trouble is
// thrown as CliApp's Failure; exit status as the other commands.
class ModelCommands
{
    Q_DECLARE_TR_FUNCTIONS(ModelCommands)

public:
    explicit ModelCommands(CliApp &app);

    // --name NAME, for model import.
    static QCommandLineOption nameOption();
    static QString helpText();

    int run();

private:
    using Model = ModelLibrary::Model;

    int list();
    int show(const QString &name);
    int save(const QString &name, const QString &source);
    int write(const QString &name, const QString &port);
    int identify(const QString &port);
    int exportModel(const QString &name, const QString &file);
    int importFile(const QString &file);
    int remove(const QString &name);

    void check(const QString &sub, const QStringList &allowed, int positionals);
    Model found(const QString &name) const;
    [[noreturn]] static void fail(const QString &text);
    void orFail(const ModelLibrary::Result &result) const;
    static QJsonObject json(const Model &m);

    CliApp &m_app;
    ModelLibrary m_library;
};
