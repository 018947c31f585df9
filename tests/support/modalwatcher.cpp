// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modalwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

ModalWatcher::ModalWatcher()
{
    // File dialogs as widgets the watcher can answer: Windows would open its
    // own native dialog, which no test can reach.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start(10);
}

QList<ModalWatcher::Box> ModalWatcher::errors() const
{
    QList<Box> result;
    for (const Box &b : boxes) {
        if (b.icon == QMessageBox::Critical)
            result << b;
    }
    return result;
}

void ModalWatcher::poll()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    for (const QPointer<QWidget> &seen : std::as_const(m_seen)) {
        if (seen == w)
            return;
    }
    m_seen << w;

    if (auto *box = qobject_cast<QMessageBox *>(w)) {
        boxes << Box{box->windowTitle(), box->text(), box->icon()};
        QAbstractButton *answer = nullptr;
        if (!boxAnswers.isEmpty())
            answer = box->button(boxAnswers.takeFirst());
        else
            answer = box->button(QMessageBox::Yes);
        if (!answer)
            answer = box->button(QMessageBox::Ok);
        if (!answer)
            answer = box->defaultButton();
        QTimer::singleShot(0, answer, &QAbstractButton::click);
    } else if (auto *files = qobject_cast<QFileDialog *>(w)) {
        fileFolders << files->directory().absolutePath();
        const QString answer = fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
        QTimer::singleShot(0, files, [files, answer] {
            if (answer.isEmpty()) {
                files->reject();
            } else {
                // Typed into the name field, as a user would.
                if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    name->setText(answer);
                else
                    files->selectFile(answer);
                static_cast<QDialog *>(files)->accept();
            }
        });
    } else if (auto *dialog = qobject_cast<QDialog *>(w)) {
        if (onDialog)
            QTimer::singleShot(0, dialog, [this, dialog] { onDialog(dialog); });
    }
}
