// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aboutbox.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace AboutBox {

namespace {

QString paragraph(const QString &text) { return QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()); }

} // namespace

QMessageBox *create(QWidget *parent)
{
    const QString name = QCoreApplication::translate("AboutBox", "K6QX 调参软件 %1")
                             .arg(QCoreApplication::applicationVersion());
    const QString what = QCoreApplication::translate("AboutBox", "Korvan K6QX 八通道遥控发射机的调参工具。");
    const QString licence = QCoreApplication::translate(
        "AboutBox", "本程序是自由软件：可以按 GNU 通用公共许可证第 3 版或（由你选择）任何更新版本"
                    "（GPL-3.0-or-later）的条款再发布和修改。发布本程序是希望它有用，但不提供任何担保，"
                    "也不担保适销性或适用于特定用途。许可证全文见程序附带的 LICENSE。");
    const QString qt = QCoreApplication::translate(
        "AboutBox", "用 Qt %1 构建；Qt 按 GNU 宽通用公共许可证第 3 版（LGPL-3.0）使用。")
                           .arg(QStringLiteral(QT_VERSION_STR));
    const QString notices = QCoreApplication::translate(
        "AboutBox", "Qt 及程序里其他第三方组件的声明和许可证见 THIRD-PARTY-NOTICES.txt："
                    "Windows 上在程序旁边，Debian 软件包里在 /usr/share/doc/k6qx。");
    const QString aboutQt = QCoreApplication::translate("AboutBox", "关于 Qt");

    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QCoreApplication::translate("AboutBox", "关于"));
    box->setIconPixmap(QIcon(QStringLiteral(":/icons/images/app.png")).pixmap(64, 64));
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<h3>%1</h3>").arg(name.toHtmlEscaped()) + paragraph(what));
    box->setInformativeText(paragraph(licence) + paragraph(qt) + paragraph(notices));
    QPushButton *qtButton = box->addButton(aboutQt, QMessageBox::ActionRole);
    qtButton->setObjectName(QStringLiteral("aboutQt"));
    box->addButton(QMessageBox::Close);
    QObject::connect(box, &QMessageBox::buttonClicked, box, [parent, qtButton, aboutQt](QAbstractButton *clicked) {
        if (clicked == qtButton)
            QMessageBox::aboutQt(parent, aboutQt);
    });
    return box;
}

} // namespace AboutBox
