// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portlist.h"

#include <QComboBox>

// The port list: tells before its drop-down opens, so the items can be
// brought up to date with the ports plugged in or pulled out since. The
// drop-down shows what each port is after its name ("COM3 — CH340（USB
// 串口）") and names its adapter in the tooltip; the item's text stays the
// bare name, which is what the closed box shows, what is remembered and
// what is opened. The closed box keeps the form's size and shows the end
// of a name too long for it ("…/10"), where ports differ, rather than
// cutting off the end.
class PortComboBox final : public QComboBox
{
    Q_OBJECT

public:
    // The item data with what the port is ("CP2102", "主板串口").
    static constexpr int DescriptionRole = Qt::UserRole + 1;

    explicit PortComboBox(QWidget *parent = nullptr);

    void showPopup() override;

    // The items, each described from the port of its name in ports.
    void setPorts(const QStringList &items, const QList<PortList::Port> &ports);
    // The descriptions and tooltips of the items there are.
    void describe(const QList<PortList::Port> &ports);
    QStringList items() const;

    // The current item's text as the closed box shows it.
    QString shownText() const;

signals:
    void popupAboutToShow();

protected:
    void paintEvent(QPaintEvent *event) override;
};
