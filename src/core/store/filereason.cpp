// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filereason.h"

#include <QDir>
#include <QFileInfo>

QString FileReason::of(const QString &path, Operation operation)
{
    const QFileInfo file(path);
    if (file.exists()) {
        if (file.isDir())
            return tr("这是文件夹，不是文件");
        if (operation == Operation::Read && !file.isReadable())
            return tr("没有读取这个文件的权限");
        if (operation == Operation::Write && !file.isWritable())
            return tr("没有写入这个文件的权限");
        return QString();
    }
    // The nearest folder on the way that is there says why the file is not:
    // the first folder missing below it, or a folder the user may not enter
    // (where nothing inside can be seen, a file that is there looks missing).
    QString missing;
    QFileInfo folder(file.absolutePath());
    while (!folder.exists() && !folder.isRoot()) {
        missing = folder.absoluteFilePath();
        folder = QFileInfo(folder.absolutePath());
    }
    const QString shown = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.exists()) // a drive that is not there
        return tr("文件夹 %1 不存在").arg(shown);
    if (!folder.isDir())
        return tr("%1 不是文件夹").arg(shown);
#ifdef Q_OS_UNIX
    // A folder's x bit lets one in; Windows has no such bit.
    if (!folder.isExecutable())
        return tr("没有打开文件夹 %1 的权限").arg(shown);
#endif
    if (!missing.isEmpty())
        return tr("文件夹 %1 不存在").arg(QDir::toNativeSeparators(missing));
    if (operation == Operation::Read)
        return tr("文件不存在");
    if (!folder.isWritable())
        return tr("没有在文件夹 %1 中新建文件的权限").arg(shown);
    return QString();
}
