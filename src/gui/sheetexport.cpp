// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheetexport.h"

#include "remembered.h"
#include "sheetwriter.h"
#include "transmitterwork.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// The name chosen in the save dialog, which opens at start; a name typed
// without a suffix takes the chosen filter's, any other suffix stays (one
// that names no format is refused later). Empty when cancelled.
QString chooseName(QWidget *parent, const QString &start)
{
    const QString pdfFilter = SheetExport::tr("PDF 文件 (*.pdf)");
    const QString htmlFilter = SheetExport::tr("HTML 文件 (*.html *.htm)");
    QFileDialog dialog(parent, SheetExport::tr("导出参数表"), start, pdfFilter + QStringLiteral(";;") + htmlFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A dialog of the system would ask about replacing the name as typed,
    // before the suffix is added: the question is asked here instead, of
    // the name the sheet goes to.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, htmlFilter](const QString &filter) {
        dialog.setDefaultSuffix(filter == htmlFilter ? QStringLiteral("html") : QStringLiteral("pdf"));
    });
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString SheetExport::run(QWidget *parent, const SetupSheet::Input &input)
{
    QString path = chooseName(parent, Remembered::startFolder());
    // A file of that name is replaced only when the user says so; 否 goes
    // back to the dialog.
    while (!path.isEmpty() && QFileInfo::exists(path)
           && QMessageBox::question(parent, tr("导出"),
                                    tr("%1 已经存在。\n要替换它吗？").arg(QDir::toNativeSeparators(path)),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                  != QMessageBox::Yes) {
        path = chooseName(parent, path);
    }
    if (path.isEmpty())
        return QString();

    QString error;
    if (!SheetWriter::write(path, input, &error)) {
        QMessageBox::critical(parent, tr("导出"), tr("参数表没有导出：%1").arg(error), QMessageBox::Ok);
        return QString();
    }
    return tr("参数表已导出到 %1").arg(QDir::toNativeSeparators(path));
}

QString SheetExport::run(QWidget *parent, const TransmitterWork &work)
{
    const MapParamAccess values = work.values();
    SetupSheet::Input input;
    input.values = &values;
    input.time = QDateTime::currentDateTime();
    input.firmware = work.origin().firmware;
    input.unreported = work.origin().unreported;
    input.source = work.originText();
    return run(parent, input);
}
