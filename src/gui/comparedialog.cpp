// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comparedialog.h"

#include "appearance.h"

#include <QComboBox>
#include <QEvent>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

CompareDialog::CompareDialog(const QList<ParamCompare::Row> &rows, const QString &other, const QString &note,
                             QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("校验数据"));
    auto *layout = new QVBoxLayout(this);

    auto *summary = new QLabel(ParamCompare::summary(rows));
    summary->setObjectName(QStringLiteral("labelSummary"));
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);
    layout->addWidget(summary);

    auto *table = new QTableWidget(int(rows.size()), 3);
    m_table = table;
    table->setObjectName(QStringLiteral("tableCompare"));
    table->setHorizontalHeaderLabels({tr("参数"), tr("窗口"), other});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // Differing rows first, each marked; the rest keep the records' order.
    QList<ParamCompare::Row> &ordered = m_ordered;
    bool takeable = false;
    std::copy_if(rows.cbegin(), rows.cend(), std::back_inserter(ordered), [](const auto &r) { return r.differs; });
    std::copy_if(rows.cbegin(), rows.cend(), std::back_inserter(ordered), [](const auto &r) { return !r.differs; });
    for (int i = 0; i < ordered.size(); ++i) {
        const ParamCompare::Row &row = ordered[i];
        QString cells[] = {Records::titleOf(*row.field), shown(*row.field, row.a),
                                 shown(*row.field, row.b)};
        // The window's own value beside what its field carries: 10.57（写入为 10.5）.
        if (row.field->kind == Records::FieldKind::Tenths)
            cells[1] = ParamCompare::valueTextA(row);
        if (row.missing)
            cells[2] = tr("（没有回报）");
        for (int col = 0; col < 3; ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (row.missing) {
                QFont italic = item->font();
                italic.setItalic(true);
                item->setFont(italic);
            } else if (row.differs) {
                item->setFont(bold);
            }
            table->setItem(i, col, item);
        }
        // A value the other side holds can be taken into the window.
        if (row.differs && !row.missing) {
            table->item(i, 0)->setCheckState(Qt::Checked);
            takeable = true;
        }
    }
    colourRows();
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    // A few rows at least; the dialog then takes the room the screen has.
    table->setMinimumSize(460, table->horizontalHeader()->sizeHint().height()
                                   + 5 * table->verticalHeader()->defaultSectionSize());
    layout->addWidget(table);

    if (!note.isEmpty()) {
        auto *noteLabel = new QLabel(note);
        noteLabel->setObjectName(QStringLiteral("labelNote"));
        noteLabel->setWordWrap(true);
        layout->addWidget(noteLabel);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    if (takeable) {
        QPushButton *takeButton = buttons->addButton(tr("载入选中的值"), QDialogButtonBox::ActionRole);
        takeButton->setObjectName(QStringLiteral("pushButtonTake"));
        takeButton->setToolTip(tr("把勾选的参数改为另一方的值，只改窗口，不写入发射机"));
        connect(takeButton, &QPushButton::clicked, this, &CompareDialog::take);
    }
    layout->addWidget(buttons);

    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : QSize(800, 600);
    const int rowsHeight = table->horizontalHeader()->sizeHint().height()
                           + int(rows.size() + 1) * table->verticalHeader()->defaultSectionSize();
    resize(qMin(room.width(), qMax(sizeHint().width(), 560)),
           qMin(room.height(), sizeHint().height() - table->sizeHint().height() + rowsHeight));
}

// The palette's text on the marks, grey for values not reported; again when
// the look changes.
void CompareDialog::colourRows()
{
    const QPalette &palette = this->palette();
    for (int i = 0; i < m_ordered.size(); ++i) {
        const ParamCompare::Row &row = m_ordered[i];
        if (!row.missing && !row.differs)
            continue;
        for (int col = 0; col < m_table->columnCount(); ++col) {
            QTableWidgetItem *item = m_table->item(i, col);
            if (row.missing)
                item->setForeground(palette.color(QPalette::PlaceholderText));
            else
                item->setBackground(Appearance::markBrush(Appearance::Mark::Differs, palette));
        }
    }
}

void CompareDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_table)
        colourRows();
}

QString CompareDialog::shown(const Records::Field &field, double value) const
{
    if (const auto *combo = parentWidget() ? parentWidget()->findChild<QComboBox *>(QLatin1String(field.control)) : nullptr) {
        const int index = int(value);
        if (index >= 0 && index < combo->count() && !combo->itemText(index).isEmpty())
            return combo->itemText(index);
    }
    return ParamCompare::valueText(field, value);
}

void CompareDialog::take()
{
    m_taken.clear();
    for (int i = 0; i < m_ordered.size(); ++i) {
        // Rows offered no check box have no check state at all.
        if (m_table->item(i, 0)->checkState() == Qt::Checked)
            m_taken.append({QLatin1String(m_ordered[i].field->control), m_ordered[i].b});
    }
    accept();
}
