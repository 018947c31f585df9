// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheetexport.h"

#include "remembered.h"
#include "sheetwriter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

QString SheetExport::run(QWidget *parent, const SetupSheet::Input &input)
{
    const QString pdfFilter = tr("PDF 文件 (*.pdf)");
    const QString htmlFilter = tr("HTML 文件 (*.html *.htm)");
    QString filter = pdfFilter;
    QString path = QFileDialog::getSaveFileName(parent, tr("导出参数表"), Remembered::startFolder(),
                                                pdfFilter + QStringLiteral(";;") + htmlFilter, &filter);
    if (path.isEmpty())
        return QString();
    // A name without a suffix takes the chosen filter's; any other suffix
    // stays, and one that names no format is refused.
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == htmlFilter ? QStringLiteral(".html") : QStringLiteral(".pdf");

    QString error;
    if (!SheetWriter::write(path, input, &error)) {
        QMessageBox::critical(parent, tr("导出"), tr("参数表没有导出：%1").arg(error), QMessageBox::Ok);
        return QString();
    }
    return tr("参数表已导出到 %1").arg(QDir::toNativeSeparators(path));
}
