#pragma once

#include "paramcompare.h"

#include <QDialog>

class QLabel;
class QTableWidget;

// The result of 校验数据: one row per value that takes part, the window's
// value beside the other side's, differing rows marked.
class CompareDialog final : public QDialog
{
    Q_OBJECT

public:
    // other names the other side ("发射机", "文件"); note goes under the table.
    // Combo box values are shown as the items of the parent's combo boxes.
    CompareDialog(const QList<ParamCompare::Row> &rows, const QString &other, const QString &note,
                  QWidget *parent);

private:
    QString shown(const Records::Field &field, double value) const;
};
