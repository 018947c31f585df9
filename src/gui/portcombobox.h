// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>

// The port list: tells before its drop-down opens, so the items can be
// brought up to date with the ports plugged in or pulled out since. The
// drop-down names each port's adapter in its tooltip (QComboBox already
// makes it as wide as the longest name); the closed box keeps the form's
// size and shows the end of a name too long for it ("…/10"), where ports
// differ, rather than cutting off the end.
class PortComboBox final : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override;

    // The current item's text as the closed box shows it.
    QString shownText() const;

signals:
    void popupAboutToShow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void describeItems();
};
