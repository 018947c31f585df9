// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "appearance.h"
#include "language.h"

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QPushButton;
class QWidget;

// The status bar's one button "更多" and its menu: the window's actions
// beyond the form's (还原, 历史记录…, 模型库…, 保存为模板…, 导出设置表…, 关于) and the choices of
// language and appearance. Every action is also the window's own, so its
// key works with the menu closed.
class MoreMenu final : public QObject
{
    Q_OBJECT

public:
    explicit MoreMenu(QWidget *window);

    QPushButton *button() const { return m_button; }
    QAction *revert() const { return m_revert; }
    QAction *history() const { return m_history; }
    QAction *models() const { return m_models; }
    QAction *saveTemplate() const { return m_template; }
    QAction *exportSheet() const { return m_export; }
    QAction *about() const { return m_about; }

    // Ticks the current choices without telling them.
    void showLanguage(Language::Choice choice);
    void showLook(Appearance::Choice look);

    // The texts again, in the current language.
    void retranslate();

signals:
    void languageChosen(Language::Choice choice);
    void lookChosen(Appearance::Choice look);

private:
    QAction *add(QMenu *menu, const char *name);

    QWidget *m_window;
    QPushButton *m_button;
    QMenu *m_menu;
    QAction *m_revert;
    QAction *m_history;
    QAction *m_models;
    QAction *m_template;
    QAction *m_export;
    QMenu *m_languageMenu;
    QActionGroup *m_languages;
    QMenu *m_lookMenu;
    QActionGroup *m_looks;
    QAction *m_about;
};
