#include "dlgload.h"

#include "comm.h"
#include "paramfile.h"
#include "ui_dlgload.h"

#include <QDebug>
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

void DlgLoad::on_toolButton_clicked()
{
    fileName = QFileDialog::getOpenFileName(this, tr("打开文件"), QStringLiteral("./"),
                                            tr("所有文件 (*.*);;文本文件 (*.txt *.dat)"));
    if (fileName.isEmpty())
        return;
    ui->lineEdit->setText(fileName);

    auto refuse = [this](const QString &text) {
        QMessageBox::critical(this, tr("错误"), text, QMessageBox::Ok);
        fileName.clear();
        context.clear();
        ui->lineEdit->clear();
    };

    QByteArray bytes;
    const ParamFile::ReadStatus status = ParamFile::readBytes(fileName, &bytes);
    if (status != ParamFile::ReadStatus::Ok) {
        refuse(ParamFile::readError(status));
        return;
    }
    context = QString::fromLocal8Bit(bytes);

    ui->labelFileLength->setText(tr("文件长度：%1B").arg(context.size()));
    on_checkBox_clicked();
}

void DlgLoad::on_checkBox_clicked()
{
    if (context.isEmpty())
        return;
    qDebug() << context.left(16);
    bool ok = false;
    const QByteArray bytes = BgComm::HexStringToByteArray(context, &ok);
    if (ok)
        context = QString::fromLocal8Bit(bytes);
    const QString preview = context.left(16);
    qDebug() << preview;
    ui->textBrowser->setPlainText(preview);
}
