// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portcombobox.h"

void PortComboBox::showPopup()
{
    emit popupAboutToShow();
    QComboBox::showPopup();
}
