// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portcombobox.h"

#include "portdoctor.h"
#include "portnames.h"

#include <QSerialPortInfo>
#include <QStyleOptionComboBox>
#include <QStylePainter>

void PortComboBox::showPopup()
{
    emit popupAboutToShow();
    describeItems();
    QComboBox::showPopup();
}

void PortComboBox::describeItems()
{
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (int i = 0; i < count(); ++i) {
        const QString text = itemText(i);
        QSerialPortInfo info;
        for (const QSerialPortInfo &candidate : infos) {
            if (candidate.portName() == text || candidate.systemLocation() == text)
                info = candidate;
        }
        setItemData(i, PortDoctor::toolTip(info, PortNames::deviceName(text)), Qt::ToolTipRole);
    }
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
