// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formaccess.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <cmath>

FormAccess::FormAccess(QWidget *root)
{
    for (QSpinBox *w : root->findChildren<QSpinBox *>())
        m_controls[w->objectName()].spin = w;
    for (QDoubleSpinBox *w : root->findChildren<QDoubleSpinBox *>())
        m_controls[w->objectName()].doubleSpin = w;
    for (QComboBox *w : root->findChildren<QComboBox *>())
        m_controls[w->objectName()].combo = w;
}

double FormAccess::value(const QString &control) const
{
    const Control c = m_controls.value(control);
    if (c.spin)
        return c.spin->value();
    if (c.doubleSpin)
        return c.doubleSpin->value();
    if (c.combo)
        return c.combo->currentIndex();
    return 0;
}

void FormAccess::setValue(const QString &control, double value)
{
    const Control c = m_controls.value(control);
    // Integer controls take whole numbers; anything beyond int is clamped by
    // the control like any other out-of-range value.
    // A spin box lays its text out anew even for its own value; leave a
    // control that already holds the value alone.
    const int whole = int(qBound(-1e9, std::floor(value), 1e9));
    if (c.spin && c.spin->value() != whole)
        c.spin->setValue(whole);
    else if (c.doubleSpin && c.doubleSpin->value() != c.doubleSpin->valueFromText(c.doubleSpin->textFromValue(value)))
        c.doubleSpin->setValue(value);
    else if (c.combo && c.combo->currentIndex() != whole)
        c.combo->setCurrentIndex(whole);
}
