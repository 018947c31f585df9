// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portnames.h"

namespace PortNames {

Platform host()
{
#ifdef Q_OS_WIN
    return Platform::Windows;
#else
    return Platform::Unix;
#endif
}

QStringList listed(const QStringList &enumerated, Platform platform)
{
    if (platform != Platform::Windows)
        return enumerated;
    QStringList names;
    for (const QString &name : enumerated) {
        if (name.toLower().startsWith(QLatin1String("com")))
            names << name;
    }
    return names;
}

QString deviceName(const QString &itemText, Platform platform)
{
    if (platform == Platform::Windows) {
        const QString rest = itemText.mid(3);
        bool ok = false;
        const int number = rest.toInt(&ok, 10);
        if (!ok)
            return QString();
        return (number <= 9 ? QStringLiteral("COM") : QStringLiteral("\\\\.\\COM")) + rest;
    }
    if (itemText.isEmpty())
        return QString();
    if (itemText.startsWith(QLatin1Char('/')))
        return itemText;
    if (itemText.contains(QLatin1String("..")))
        return QString();
    return QStringLiteral("/dev/") + itemText;
}

} // namespace PortNames
