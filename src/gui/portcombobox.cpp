// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portcombobox.h"

#include "portdoctor.h"
#include "portnames.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace {

// Draws an item of the drop-down as its name and what the port is.
class PortItemDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString what = index.data(PortComboBox::DescriptionRole).toString();
        if (!what.isEmpty())
            option->text = QStringLiteral("%1 — %2").arg(option->text, what);
    }
};

} // namespace

PortComboBox::PortComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setItemDelegate(new PortItemDelegate(this));
}

void PortComboBox::showPopup()
{
    emit popupAboutToShow();
    // As wide as the longest name with its description.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth()
                            + view()->verticalScrollBar()->sizeHint().width());
    QComboBox::showPopup();
}

void PortComboBox::setPorts(const QStringList &names, const QList<PortList::Port> &ports)
{
    clear();
    addItems(names);
    describe(ports);
}

void PortComboBox::describe(const QList<PortList::Port> &ports)
{
    for (int i = 0; i < count(); ++i) {
        const QString text = itemText(i);
        const PortList::Port *port = PortList::find(ports, text);
        const PortList::Port known = port ? *port : PortList::Port{};
        setItemData(i, port ? PortList::description(known) : QString(), DescriptionRole);
        setItemData(i, PortDoctor::toolTip(known, PortNames::deviceName(text)), Qt::ToolTipRole);
    }
}

QStringList PortComboBox::items() const
{
    QStringList texts;
    for (int i = 0; i < count(); ++i)
        texts << itemText(i);
    return texts;
}

QString PortComboBox::shownText() const
{
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().elidedText(currentText(), Qt::ElideLeft, field.width() - 2);
}

// QComboBox's own painting, with the label elided at its start.
void PortComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    opt.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
}
