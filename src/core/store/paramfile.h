// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Parameter files: the S record and the T record (mixes + 100) as 162
// characters of text. One implementation of reading, recognising and saving
// them, for the window and the command-line tool alike.
class ParamFile
{
    Q_DECLARE_TR_FUNCTIONS(ParamFile)

public:
    // A parameter file is 162 bytes; anything beyond this is not one.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    enum class ReadStatus { Ok, CannotRead, TooLarge, NotRegular };

    // Reads the file's bytes, never more than kMaxFileBytes + 1 of them,
    // whatever the file claims (a growing file has no honest size). A device
    // or a pipe is refused without being opened: opening or reading one can
    // wait for ever.
    static ReadStatus readBytes(const QString &path, QByteArray *bytes);

    // The file's bytes as text; a file that lists bytes in hex ("53 30 30")
    // stands for the bytes it lists.
    static QString textOf(const QByteArray &bytes);

    // What loading accepts: text whose first 162 characters are the two
    // records. *records receives those 162 characters.
    static bool recordsOf(const QString &text, QString *records, QString *reason);

    // Reading, the hex listing and the check in one: exactly what the load
    // dialog and 确定 accept from a file. *error is one line or two for the user.
    static bool load(const QString &path, QString *records, QString *error);

    // Written beside the target and renamed over it, so a failed write leaves
    // the previous file as it was; where no file can be made beside it (a
    // folder the user may not write into), written in place. False when any
    // byte did not reach the file.
    static bool save(const QString &path, const QByteArray &data);

    // The message for a refused file; for one that cannot be read, with the
    // reason the file system shows for path ("文件不存在").
    static QString readError(ReadStatus status, const QString &path = QString());
    // The message for a save that failed, with the reason found for path.
    static QString saveError(const QString &path);
};
