// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QHash>

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class QWidget;

// The parameter set as the form's controls hold it: resolves each objectName
// under a root widget once, then reads and writes through the controls, which
// clamp to their ranges as they always do.
class FormAccess final : public ParamAccess
{
public:
    explicit FormAccess(QWidget *root);

    double value(const QString &control) const override;
    void setValue(const QString &control, double value) override;

private:
    struct Control
    {
        QSpinBox *spin = nullptr;
        QDoubleSpinBox *doubleSpin = nullptr;
        QComboBox *combo = nullptr;
    };
    QHash<QString, Control> m_controls;
};
