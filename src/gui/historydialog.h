// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramhistory.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;

// The parameter history, newest first and selected: time, kind in words,
// port. 比较 and 载入窗口 ask for the selected entry to be compared with the
// window or put into it; what that means is the window's business.
class HistoryDialog final : public QDialog
{
    Q_OBJECT

public:
    HistoryDialog(const QList<ParamHistory::Entry> &entries, QWidget *parent);

    // How a comparison names an entry: "历史记录 2026-12-08 12:03（读取）".
    static QString origin(const ParamHistory::Entry &entry);

signals:
    void compareRequested(const ParamHistory::Entry &entry);
    void loadRequested(const ParamHistory::Entry &entry);

private:
    const ParamHistory::Entry *selected() const;

    QList<ParamHistory::Entry> m_entries;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_compare = nullptr;
    QPushButton *m_load = nullptr;
};
