// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "actionbar.h"

#include "ui_mainwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

ActionBar::ActionBar(Ui_MainWindow *ui, QWidget *window)
    : m_window(window)
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
    // Before the focused control is asked whether it wants a key; only
    // the controls of this window are looked at.
    QCoreApplication::instance()->installEventFilter(this);
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

void ActionBar::claim(const QKeySequence &key)
{
    if (!key.isEmpty() && !m_claimed.contains(key))
        m_claimed << key;
}

bool ActionBar::wins(QKeyCombination pressed) const
{
    // A key of two or more strokes is looked at by its first: the control
    // is asked only while no sequence has begun.
    const auto starts = [pressed](const QKeySequence &key) { return !key.isEmpty() && key[0] == pressed; };
    const auto anyStarts = [&starts](const QList<QKeySequence> &keys) {
        return std::any_of(keys.cbegin(), keys.cend(), starts);
    };
    if (anyStarts(m_claimed))
        return true;
    const QList<QShortcut *> shortcuts = m_window->findChildren<QShortcut *>();
    if (std::any_of(shortcuts.cbegin(), shortcuts.cend(),
                    [&](const QShortcut *s) { return s->isEnabled() && anyStarts(s->keys()); }))
        return true;
    const QList<QAction *> actions = m_window->findChildren<QAction *>() + m_window->actions();
    return std::any_of(actions.cbegin(), actions.cend(),
                       [&](const QAction *a) { return a->isEnabled() && anyStarts(a->shortcuts()); });
}

bool ActionBar::eventFilter(QObject *watched, QEvent *event)
{
    // The focused control accepts a ShortcutOverride for a key it wants
    // itself; then no shortcut sees the key. Kept from the control and left
    // unaccepted, the key goes to the window's shortcuts; one that none
    // takes still reaches the control as a key press.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!wins(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()))))
        return false;
    key->ignore();
    return true;
}
