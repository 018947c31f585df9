// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramcompare.h"

#include <QDialog>
#include <QList>
#include <QPair>

class QLabel;
class QTableWidget;

// The result of 校验数据 or of a comparison with a history entry: one row per
// value that takes part, the window's value beside the other side's, differing
// rows marked and ticked. 载入选中的值 closes the dialog with the ticked rows'
// values of the other side as taken(); nothing is applied here.
class CompareDialog final : public QDialog
{
    Q_OBJECT

public:
    // other names the other side and where it came from ("发射机 ttyUSB0
    // 12:03:04", "文件 tuned.dat"); note goes under the table. Combo box
    // values are shown as the items of the parent's combo boxes.
    CompareDialog(const QList<ParamCompare::Row> &rows, const QString &other, const QString &note,
                  QWidget *parent);

    // Control and the other side's value of each row ticked when
    // 载入选中的值 closed the dialog; empty when it was closed otherwise.
    using Taken = QList<QPair<QString, double>>;
    Taken taken() const { return m_taken; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void colourRows();
    QString shown(const Records::Field &field, double value) const;
    void take();

    QTableWidget *m_table = nullptr;
    QList<ParamCompare::Row> m_ordered;
    Taken m_taken;
};
