// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheetwriter.h"

#include "filereason.h"
#include "paramfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

SheetWriter::Format SheetWriter::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Format::Html;
    return Format::Unknown;
}

QString SheetWriter::unknownSuffix(const QString &path)
{
    return tr("%1：参数表的文件名要以 .pdf 或 .html 结尾").arg(QFileInfo(path).fileName());
}

QByteArray SheetWriter::pdf(const SetupSheet::Input &input)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // QTextDocument::print gives the pages their margins (2 cm) and numbers.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                         QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(tr("K6QX 参数表"));
        writer.setCreator(QStringLiteral("%1 %2").arg(QCoreApplication::applicationName(),
                                                      QCoreApplication::applicationVersion()));

        QTextDocument document;
        // Chinese needs a face that has it; the writer embeds the faces used.
        QFont font;
        font.setFamilies(SetupSheet::fontFamilies());
        font.setPointSize(10);
        document.setDefaultFont(font);
        document.setHtml(SetupSheet::html(input));
        document.print(&writer);
    }
    return bytes;
}

bool SheetWriter::write(const QString &path, const SetupSheet::Input &input, QString *error)
{
    QByteArray bytes;
    switch (formatOf(path)) {
    case Format::Unknown:
        *error = unknownSuffix(path);
        return false;
    case Format::Pdf:
        bytes = pdf(input);
        break;
    case Format::Html:
        bytes = SetupSheet::html(input).toUtf8();
        break;
    }
    if (!ParamFile::save(path, bytes)) {
        const QString shown = QDir::toNativeSeparators(path);
        const QString reason = FileReason::of(path, FileReason::Operation::Write);
        *error = reason.isEmpty() ? tr("不能写入文件 %1").arg(shown) : tr("不能写入文件 %1：%2").arg(shown, reason);
        return false;
    }
    return true;
}
