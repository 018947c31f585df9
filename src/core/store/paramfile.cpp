// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramfile.h"

#include "comm.h"
#include "filereason.h"
#include "recordcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

ParamFile::ReadStatus ParamFile::readBytes(const QString &path, QByteArray *bytes)
{
    bytes->clear();
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return ReadStatus::NotRegular;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::CannotRead;
    *bytes = file.read(kMaxFileBytes + 1);
    // An empty result is an empty file, or a read that failed (a folder, a
    // device that refuses reading): only the error tells them apart.
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return ReadStatus::CannotRead;
    }
    if (bytes->size() > kMaxFileBytes) {
        bytes->clear();
        return ReadStatus::TooLarge;
    }
    return ReadStatus::Ok;
}

namespace {

// The message's first line, and under it the reason when one is found.
QString withReason(const QString &message, const QString &path, FileReason::Operation operation)
{
    const QString reason = path.isEmpty() ? QString() : FileReason::of(path, operation);
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

} // namespace

QString ParamFile::readError(ReadStatus status, const QString &path)
{
    switch (status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::CannotRead:
        return withReason(tr("不能读取指定的文件"), path, FileReason::Operation::Read);
    case ReadStatus::TooLarge:
        return tr("不能读取指定的文件\n文件超过 %n 字节，不是参数文件", nullptr, int(kMaxFileBytes));
    case ReadStatus::NotRegular:
        return tr("不能读取指定的文件\n这是设备或管道，不是普通文件");
    }
    return QString();
}

QString ParamFile::saveError(const QString &path)
{
    return withReason(tr("不能写入指定的文件"), path, FileReason::Operation::Write);
}

QString ParamFile::textOf(const QByteArray &bytes)
{
    bool ok = false;
    const QByteArray listed = BgComm::HexStringToByteArray(QString::fromLocal8Bit(bytes), &ok);
    return QString::fromLocal8Bit(ok ? listed : bytes);
}

bool ParamFile::recordsOf(const QString &text, QString *records, QString *reason)
{
    QString why;
    if (!Records::isParameterFile(text, &why)) {
        if (reason)
            *reason = why;
        return false;
    }
    if (records)
        *records = text.left(Records::kFileLength);
    return true;
}

bool ParamFile::load(const QString &path, QString *records, QString *error)
{
    QByteArray bytes;
    const ReadStatus status = readBytes(path, &bytes);
    if (status != ReadStatus::Ok) {
        *error = readError(status, path);
        return false;
    }
    QString reason;
    if (!recordsOf(textOf(bytes), records, &reason)) {
        *error = tr("不是有效的参数文件：\n%1").arg(reason);
        return false;
    }
    return true;
}

bool ParamFile::save(const QString &path, const QByteArray &data)
{
    // Unbuffered, so a short write (a full disk, a size limit) shows in
    // write()'s count instead of vanishing in a flush.
    const QFileInfo target(path);
    if (target.exists() && !target.isWritable())
        return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && file.write(data) == data.size() && file.commit();
    if (!written)
        file.cancelWriting();
    return written;
}
