// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "moremenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPushButton>

MoreMenu::MoreMenu(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    m_button = new QPushButton;
    m_button->setObjectName(QStringLiteral("pushButtonMore"));
    m_menu = new QMenu(m_button);
    m_menu->setObjectName(QStringLiteral("menuMore"));
    m_button->setMenu(m_menu);

    m_revert = add(m_menu, "actionRevert");
    m_history = add(m_menu, "actionHistory");
    m_history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    m_models = add(m_menu, "actionModels");
    m_models->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_template = add(m_menu, "actionSaveTemplate");
    m_export = add(m_menu, "actionExport");
    m_export->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_menu->addSeparator();

    m_languageMenu = m_menu->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("menuLanguage"));
    m_languages = new QActionGroup(this);
    // Each language by its own name, in either interface language.
    const std::pair<Language::Choice, const char *> languages[] = {
        {Language::Choice::Chinese, "actionLanguageZh"}, {Language::Choice::English, "actionLanguageEn"}};
    for (const auto &[choice, name] : languages) {
        QAction *a = add(m_languageMenu, name);
        a->setCheckable(true);
        a->setActionGroup(m_languages);
        a->setText(choice == Language::Choice::Chinese ? QStringLiteral("中文") : QStringLiteral("English"));
        connect(a, &QAction::triggered, this, [this, choice = choice] { emit languageChosen(choice); });
    }

    m_lookMenu = m_menu->addMenu(QString());
    m_lookMenu->setObjectName(QStringLiteral("menuAppearance"));
    m_looks = new QActionGroup(this);
    const std::pair<Appearance::Choice, const char *> looks[] = {
        {Appearance::Choice::System, "actionAppearanceSystem"},
        {Appearance::Choice::Light, "actionAppearanceLight"},
        {Appearance::Choice::Dark, "actionAppearanceDark"}};
    for (const auto &[look, name] : looks) {
        QAction *a = add(m_lookMenu, name);
        a->setCheckable(true);
        a->setActionGroup(m_looks);
        a->setData(int(look));
        connect(a, &QAction::triggered, this, [this, look = look] { emit lookChosen(look); });
    }
    m_menu->addSeparator();
    m_about = add(m_menu, "actionAbout");
    m_about->setShortcut(QKeySequence(Qt::Key_F1));
    retranslate();
}

QAction *MoreMenu::add(QMenu *menu, const char *name)
{
    auto *action = new QAction(m_window);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    // The key works while the menu is closed.
    m_window->addAction(action);
    return action;
}

void MoreMenu::showLanguage(Language::Choice choice)
{
    const QString name = choice == Language::Choice::English ? QStringLiteral("actionLanguageEn")
                                                             : QStringLiteral("actionLanguageZh");
    for (QAction *a : m_languages->actions())
        a->setChecked(a->objectName() == name);
}

void MoreMenu::showLook(Appearance::Choice look)
{
    for (QAction *a : m_looks->actions())
        a->setChecked(a->data().toInt() == int(look));
}

void MoreMenu::retranslate()
{
    m_button->setText(tr("更多"));
    m_button->setToolTip(tr("还原、历史记录、模型库、导出设置表、语言、外观、关于"));
    m_revert->setText(tr("还原(&R)"));
    m_revert->setToolTip(tr("把所有参数恢复为上次读取、加载、保存或写入时的值"));
    m_history->setText(tr("历史记录(&H)…"));
    m_history->setToolTip(tr("列出保存过的参数，与窗口比较或载入窗口"));
    m_models->setText(tr("模型库(&M)…"));
    m_models->setToolTip(tr("每架飞机的参数按名称保存：新建、载入窗口、写入发射机、保存窗口到模型"));
    m_template->setText(tr("保存为模板(&T)…"));
    m_template->setToolTip(tr("把窗口中的参数保存为模板，新建模型时可以从它开始"));
    m_export->setText(tr("导出设置表(&E)…"));
    m_export->setToolTip(tr("把窗口中的参数写成参数表（PDF 或 HTML），便于打印和分享"));
    m_languageMenu->setTitle(tr("语言(&L)"));
    m_lookMenu->setTitle(tr("外观(&A)"));
    for (QAction *a : m_looks->actions())
        a->setText(Appearance::title(Appearance::Choice(a->data().toInt())));
    m_about->setText(tr("关于(&B)"));
    m_about->setToolTip(tr("程序的版本、许可证和第三方组件的声明"));
    m_menu->setToolTipsVisible(true);
}
