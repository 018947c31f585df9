// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "actionbar.h"

#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QShortcut>

ActionBar::ActionBar(Ui_MainWindow *ui, QWidget *window)
{
    // The pictures are read from images/ under the working directory; a
    // missing file falls back to the copy built into the program.
    const std::pair<QPushButton *, const char *> images[] = {
        {ui->pushButtonRead, "images/Receive.png"},
        {ui->pushButtonLoad, "images/open.png"},
        {ui->pushButtonSend2, "images/Send2.png"},
        {ui->pushButtonSave, "images/save.png"},
        {ui->pushButtonVerify, "images/verify.png"},
    };
    for (const auto &[button, file] : images) {
        if (!QFileInfo::exists(QLatin1String(file)))
            button->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(file)));
    }
    const std::pair<QPushButton *, QList<QKeySequence>> keys[] = {
        {ui->pushButtonRead, {QKeySequence(Qt::CTRL | Qt::Key_R), QKeySequence(Qt::Key_F5)}},
        {ui->pushButtonSend2, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)}},
        {ui->pushButtonSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {ui->pushButtonLoad, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {ui->pushButtonVerify, {QKeySequence(Qt::CTRL | Qt::Key_E)}},
    };
    for (const auto &[button, sequences] : keys) {
        for (const QKeySequence &key : sequences)
            QObject::connect(new QShortcut(key, window), &QShortcut::activated, button, &QPushButton::click);
        m_keys.insert(button, sequences);
    }
}

void ActionBar::explain() const
{
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it) {
        QStringList keys;
        for (const QKeySequence &key : it.value())
            keys << key.toString(QKeySequence::NativeText);
        it.key()->setToolTip(QCoreApplication::translate("MainWindow", "%1（%2）")
                                 .arg(it.key()->text(), keys.join(QCoreApplication::translate("MainWindow", "，"))));
    }
}
