// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

// Every parameter set the tool has seen, for the window and the command-line
// tool alike: one folder of ordinary parameter files (162 bytes, mixes + 100,
// as 保存数据 writes them), the newest kMaxEntries of them. An entry's time
// and kind are its file name, YYYYMMDD-HHMMSS-mmm-KIND[-PORT].dat in local
// time; nothing else is stored. Files of other names are left alone.
class ParamHistory final
{
    Q_DECLARE_TR_FUNCTIONS(ParamHistory)

public:
    // BeforeModelSave: a model's set before the window's values replaced it
    // (its entry carries the model's name where the others carry the port).
    enum class Kind { Read, BeforeWrite, Written, Edits, BeforeModelSave };

    struct Entry
    {
        QDateTime time;
        Kind kind = Kind::Read;
        QString port;
        QString path;
    };

    static constexpr int kMaxEntries = 1000;

    // K6QX_HISTORY_DIR when set, else "k6qx/history" in the user's data folder.
    static QString defaultFolder();

    // Staging files that an interrupted keep left behind more than a
    // minute ago are removed.
    explicit ParamHistory(const QString &folder = defaultFolder());

    QString folder() const { return m_folder; }

    // Keeps the values as a new entry, written whole or not at all, then
    // removes the oldest entries beyond kMaxEntries, never the one just
    // kept. Two entries never share a time: a name already taken moves on
    // by a millisecond. A value no file field can carry is kept as the
    // nearest one the field holds, and *clamped names it. False with *error
    // (one line for the user) when the folder cannot be made or written;
    // *path is the entry's file. A read that brought exactly what the newest
    // read of the same port holds keeps no second file: *path is that entry.
    bool keep(Kind kind, const ParamAccess &values, const QString &port, QString *error = nullptr,
              QString *path = nullptr, QStringList *clamped = nullptr);

    // Set by keep when the newest entry in the folder is dated after the
    // clock: "电脑的时钟早于参数历史中最新的记录（…），请检查时钟".
    QString clockNotice() const { return m_clockNotice; }

    // Newest first, read from the names only.
    QList<Entry> entries() const;

    // The values of a parameter file (an entry or any other): the starting
    // values, then what the file's records carry.
    static bool load(const QString &path, MapParamAccess *values, QString *error);

    // The name of an entry's file; the time as it stands, in local time.
    static QString fileName(const QDateTime &time, Kind kind, const QString &port);

    static QString kindName(Kind kind);
    // The kind in words for the user.
    static QString kindText(Kind kind);
    // "/dev/ttyUSB0" -> "ttyUSB0", "\\.\COM12" -> "COM12", "/dev/pts/5" -> "pts-5".
    static QString safePortName(const QString &port);

private:
    QString m_folder;
    QString m_clockNotice;
};
