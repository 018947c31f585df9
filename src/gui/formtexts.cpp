// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formtexts.h"

#include "ui_mainwindow.h"

#include <QComboBox>
#include <QMainWindow>
#include <QSignalBlocker>

#include <memory>
#include <vector>

FormTexts::FormTexts(Ui_MainWindow *ui, QMainWindow *window)
    : ui(ui), m_window(window)
{
    for (QComboBox *box : window->findChildren<QComboBox *>())
        m_formItems.insert(box, box->count());
}

void FormTexts::retranslate()
{
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    QHash<QComboBox *, int> chosen;
    for (auto it = m_formItems.cbegin(); it != m_formItems.cend(); ++it) {
        quiet.push_back(std::make_unique<QSignalBlocker>(it.key()));
        chosen.insert(it.key(), it.key()->currentIndex());
        if (it.key() == ui->comboBoxComm)
            continue;
        it.key()->clear();
        it.key()->addItems(QStringList(it.value(), QString()));
    }
    QStringList ports;
    for (int i = 0; i < ui->comboBoxComm->count(); ++i)
        ports << ui->comboBoxComm->itemText(i);
    ui->retranslateUi(m_window);
    for (int i = 0; i < ports.size(); ++i)
        ui->comboBoxComm->setItemText(i, ports[i]);
    for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
        it.key()->setCurrentIndex(it.value());
}
