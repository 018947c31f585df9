// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialoganswerer.h"

#include "dlgload.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

DialogAnswerer::DialogAnswerer(const QString &fileName)
    : m_fileName(fileName)
{
    qApp->installEventFilter(this);
}

DialogAnswerer::~DialogAnswerer()
{
    qApp->removeEventFilter(this);
}

bool DialogAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    if (auto *files = qobject_cast<QFileDialog *>(watched)) {
        QTimer::singleShot(0, files, [files, name = m_fileName] {
            files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
            static_cast<QDialog *>(files)->accept(); // QFileDialog::accept is protected
        });
    } else if (auto *load = qobject_cast<DlgLoad *>(watched)) {
        QTimer::singleShot(0, load, [load] {
            load->findChild<QToolButton *>(QStringLiteral("toolButton"))->click();
            load->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
        });
    } else if (auto *box = qobject_cast<QMessageBox *>(watched)) {
        if (box->icon() == QMessageBox::Critical)
            ++m_errors;
        QAbstractButton *answer = box->button(QMessageBox::Yes);
        if (!answer)
            answer = box->button(QMessageBox::Ok);
        if (answer)
            QTimer::singleShot(0, answer, &QAbstractButton::click);
    }
    return false;
}
