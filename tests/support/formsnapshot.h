// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formaccess.h"
#include "recordcodec.h"

#include <QHash>
#include <QWidget>

// The values of every control the records carry, for before/after checks.
inline QHash<QString, double> recordValues(QWidget *window)
{
    FormAccess form(window);
    QHash<QString, double> values;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f)
            values.insert(QLatin1String(field.control), form.value(QLatin1String(field.control)));
    }
    return values;
}
