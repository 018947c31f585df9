// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>

// Why a file cannot be read or written, as the file system shows it now: the
// file or a folder on its way is not there, a folder stands where a file is
// expected, a permission is missing. One line for the user, for the window
// and the command-line tool alike; empty when nothing in the way can be seen
// (the cause then lies elsewhere: a full disk, a device that refuses).
class FileReason
{
    Q_DECLARE_TR_FUNCTIONS(FileReason)

public:
    enum class Operation { Read, Write };

    static QString of(const QString &path, Operation operation);
};
