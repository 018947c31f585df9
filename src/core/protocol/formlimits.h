// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the form's controls let the parameter set hold: each spin box's
// minimum and maximum, each combo box's items. The window's controls clamp
// or refuse anything else; the command-line tool checks against this table
// so that it refuses what the window refuses.
namespace FormLimits {

struct Limits
{
    const char *control; // objectName of the control
    double minimum;
    double maximum;
    // Combo boxes: the items (maximum + 1 of them), in the "MainWindow"
    // translation context of the form. Null for spin boxes.
    const char *const *items = nullptr;
};

const QList<Limits> &all();
// Null for a control the table does not hold.
const Limits *of(const QString &control);

// The item a combo box shows for the index, translated; empty for a spin
// box or an index the combo box does not have.
QString choice(const QString &control, double index);

// One line per record value outside its control's range or items, named as
// Records::limitProblems names them. Empty when the window could hold every
// value as it stands.
QStringList problems(const ParamAccess &access);

} // namespace FormLimits
