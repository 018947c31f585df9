// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "findcontrol.h"

#include "portcombobox.h"
#include "portpanel.h"
#include "transmitterfinder.h"
#include "ui_mainwindow.h"

FindControl::FindControl(Ui_MainWindow *form, PortPanel *panel, QObject *parent)
    : QObject(parent), ui(form), m_panel(panel), m_finder(new TransmitterFinder(this))
{
    connect(ui->pushButtonFind, &QPushButton::clicked, this, &FindControl::clicked);
    connect(m_finder, &TransmitterFinder::portStarted, this, [this](const QString &port, int index, int count) {
        emit told(tr("正在查找发射机：试 %1（第 %2 个，共 %n 个）…", nullptr, count).arg(port).arg(index + 1),
                  m_finder->details(), QString());
    });
    connect(m_finder, &TransmitterFinder::finished, this, &FindControl::ended);
}

bool FindControl::isFinding() const
{
    return m_finder->isRunning();
}

void FindControl::retranslate()
{
    ui->pushButtonFind->setText(isFinding() ? tr("停止查找") : tr("查找发射机"));
}

void FindControl::clicked()
{
    if (isFinding()) {
        m_finder->cancel();
        return;
    }
    // The panel stays locked while ports are tried: no port is opened by
    // hand and the port list is not polled meanwhile.
    m_panel->setEnabled(false);
    ui->pushButtonOpen->setEnabled(false);
    ui->pushButtonFind->setEnabled(true);
    const bool all = ui->checkBoxFindAll->isChecked();
    m_finder->start(TransmitterFinder::candidates(all), m_panel->settings(), m_panel->dtr(), m_panel->rts());
    retranslate();
}

void FindControl::ended()
{
    m_panel->setEnabled(true);
    ui->pushButtonOpen->setEnabled(true);
    retranslate();
    const QStringList answered = m_finder->answered();
    const bool all = ui->checkBoxFindAll->isChecked();
    QString advice;
    if (answered.size() > 1) {
        advice = tr("%n 个串口回报了全部参数，已选中第一个 %1，没有打开；请确认是哪一个后再按“打开”", nullptr,
                    int(answered.size()))
                     .arg(answered.first());
    } else if (answered.isEmpty() && !m_finder->wasCancelled()) {
        advice = all ? tr("请检查发射机是否已打开、已连接，波特率是否与发射机相同")
                     : tr("请检查发射机是否已打开、已连接；勾选“所有串口”可以试串口列表中的每个串口");
    }
    emit told(m_finder->account(), m_finder->details(), advice);
    if (answered.isEmpty())
        return;
    PortComboBox *box = ui->comboBoxComm;
    if (box->findText(answered.first()) < 0)
        box->addItem(answered.first());
    box->setCurrentIndex(box->findText(answered.first()));
    // The only port that answered is opened as the open button opens it.
    if (answered.size() == 1 && !m_finder->wasCancelled())
        ui->pushButtonOpen->click();
}
