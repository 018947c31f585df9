// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

class QDialog;

// Answers the modal dialogs a test provokes, the way a user would: message
// boxes are read and confirmed, file dialogs get the next prepared answer,
// any other dialog goes to the test's handler once.
class ModalWatcher final : public QObject
{
    Q_OBJECT

public:
    ModalWatcher();

    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    QList<Box> boxes;         // every message box seen, in order
    QStringList fileAnswers;  // next file-dialog answers; "" cancels
    QStringList fileFolders;  // the folder each file dialog opened in
    // Next message-box answers; without one a box gets 是, 确定 or its default.
    QList<QMessageBox::StandardButton> boxAnswers;
    std::function<void(QDialog *)> onDialog;

    // Message boxes other than confirmations (overwrite questions are
    // confirmed, not counted).
    QList<Box> errors() const;

private:
    void poll();

    QTimer m_timer;
    QList<QPointer<QWidget>> m_seen;
};
