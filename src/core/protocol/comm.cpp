// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "comm.h"

#include <QStringList>

namespace BgComm {

namespace {
bool isPlainHex(const QString &token)
{
    if (token.isEmpty())
        return false;
    for (const QChar c : token) {
        const char16_t u = c.unicode();
        const bool digit = u >= '0' && u <= '9';
        const bool letter = (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
        if (!digit && !letter)
            return false;
    }
    return true;
}
} // namespace

QByteArray HexStringToByteArray(QString hex, bool *ok)
{
    const QStringList parts = hex.simplified().split(QLatin1Char(' '));
    QByteArray bytes(parts.size(), '\0');
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        int value = 0;
        *ok = isPlainHex(part);
        if (*ok)
            value = part.toInt(ok, 16);
        if (!*ok || value > 255) {
            *ok = false;
            return QByteArray();
        }
        bytes[i] = char(value & 0xFF);
    }
    *ok = true;
    return bytes;
}

} // namespace BgComm
