// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dlgload.h"

#include "comm.h"
#include "filelog.h"
#include "paramfile.h"
#include "remembered.h"
#include "ui_dlgload.h"

#include <QFileDialog>
#include <QMessageBox>

DlgLoad::DlgLoad(QWidget *parent)
    : QDialog(parent)
{
    ui = new Ui_DlgLoad;
    ui->setupUi(this);
}

DlgLoad::~DlgLoad()
{
    delete ui;
}

QString DlgLoad::getContext()
{
    return context;
}

void DlgLoad::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void DlgLoad::accept()
{
    const QString typed = ui->lineEdit->text();
    if (!typed.isEmpty() && typed != fileName && !readFile(typed))
        return;
    QDialog::accept();
}

void DlgLoad::on_toolButton_clicked()
{
    const QString chosen = QFileDialog::getOpenFileName(this, tr("打开文件"), Remembered::startFolder(),
                                                        tr("所有文件 (*.*);;文本文件 (*.txt *.dat)"));
    if (!chosen.isEmpty())
        readFile(chosen);
}

bool DlgLoad::readFile(const QString &path)
{
    fileName = path;
    ui->lineEdit->setText(path);

    QByteArray bytes;
    const ParamFile::ReadStatus status = ParamFile::readBytes(path, &bytes);
    if (status != ParamFile::ReadStatus::Ok) {
        QMessageBox::critical(this, tr("错误"), ParamFile::readError(status, path), QMessageBox::Ok);
        fileName.clear();
        context.clear();
        ui->lineEdit->clear();
        return false;
    }
    context = QString::fromLocal8Bit(bytes);
    Remembered::keepFolderOf(path);

    ui->labelFileLength->setText(tr("文件长度：%1B").arg(context.size()));
    on_checkBox_clicked();
    return true;
}

void DlgLoad::on_checkBox_clicked()
{
    if (context.isEmpty())
        return;
    bool ok = false;
    const QByteArray bytes = BgComm::HexStringToByteArray(context, &ok);
    if (ok)
        context = QString::fromLocal8Bit(bytes);
    const QString preview = context.left(16);
    qCDebug(lcFiles) << preview;
    ui->textBrowser->setPlainText(preview);
}
