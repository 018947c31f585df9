// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>

class QPushButton;
class QWidget;
class Ui_MainWindow;

// The five action buttons: their pictures, their keys, and tooltips that
// name the keys. The window's action keys win over what the focused control
// would do with them: under X11's key bindings a number box's line edit
// takes Ctrl+E (end of line) for itself, and in every scheme Ctrl+A (select
// all); the window's shortcut would never see such a key while the box has
// the focus.
class ActionBar final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActionBar)

public:
    // Sets the pictures and the keys; the keys work anywhere in window.
    ActionBar(Ui_MainWindow *ui, QWidget *window);

    // The tooltips again, in the current language.
    void explain() const;

    // Keys that win over the focused control: the window's own shortcuts
    // (QShortcut) and the shortcuts of its enabled actions (QAction, its
    // own and those of its menus) always do; claim adds a key the window
    // answers in some other way.
    void claim(const QKeySequence &key);
    bool wins(QKeyCombination pressed) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QHash<QPushButton *, QList<QKeySequence>> m_keys;
    QList<QKeySequence> m_claimed;
};
