// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>

class QPushButton;
class QWidget;
class Ui_MainWindow;

// The five action buttons: their pictures, their keys, and tooltips that
// name the keys.
class ActionBar final
{
public:
    // Sets the pictures and the keys; the keys work anywhere in window.
    ActionBar(Ui_MainWindow *ui, QWidget *window);

    // The tooltips again, in the current language.
    void explain() const;

private:
    QHash<QPushButton *, QList<QKeySequence>> m_keys;
};
