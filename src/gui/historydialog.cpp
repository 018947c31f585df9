// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historydialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

HistoryDialog::HistoryDialog(const QList<ParamHistory::Entry> &entries, QWidget *parent)
    : QDialog(parent)
    , m_entries(entries)
{
    setWindowTitle(tr("历史记录"));
    auto *layout = new QVBoxLayout(this);

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("treeHistory"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("时间"), tr("类型"), tr("端口")});
    for (const ParamHistory::Entry &entry : m_entries) {
        m_list->addTopLevelItem(new QTreeWidgetItem(
            {entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), ParamHistory::kindText(entry.kind),
             entry.port}));
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumSize(420, 300);
    layout->addWidget(m_list);
    if (m_entries.isEmpty()) {
        auto *empty = new QLabel(tr("还没有保存过参数历史"));
        empty->setObjectName(QStringLiteral("labelEmpty"));
        layout->addWidget(empty);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    m_compare = buttons->addButton(tr("比较"), QDialogButtonBox::ActionRole);
    m_compare->setObjectName(QStringLiteral("pushButtonCompare"));
    m_compare->setToolTip(tr("把窗口中的参数与选中的记录比较"));
    m_load = buttons->addButton(tr("载入窗口"), QDialogButtonBox::ActionRole);
    m_load->setObjectName(QStringLiteral("pushButtonLoadEntry"));
    m_load->setToolTip(tr("把选中记录的参数放入窗口，窗口中的修改先存入历史记录"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const auto offer = [this] {
        m_compare->setEnabled(selected() != nullptr);
        m_load->setEnabled(selected() != nullptr);
    };
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, offer);
    // The newest entry is the one most often wanted.
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    offer();
    connect(m_compare, &QPushButton::clicked, this, [this] {
        if (const ParamHistory::Entry *entry = selected())
            emit compareRequested(*entry);
    });
    connect(m_load, &QPushButton::clicked, this, [this] {
        if (const ParamHistory::Entry *entry = selected())
            emit loadRequested(*entry);
    });
}

QString HistoryDialog::origin(const ParamHistory::Entry &entry)
{
    return tr("历史记录 %1（%2）")
        .arg(entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm")), ParamHistory::kindText(entry.kind));
}

const ParamHistory::Entry *HistoryDialog::selected() const
{
    const int row = m_list->currentItem() && m_list->currentItem()->isSelected()
                        ? m_list->indexOfTopLevelItem(m_list->currentItem())
                        : -1;
    return row >= 0 && row < m_entries.size() ? &m_entries[row] : nullptr;
}
