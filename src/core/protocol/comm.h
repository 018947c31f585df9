// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace BgComm {

// Turns a hex byte listing ("53 30 30", any white space between tokens) into
// the bytes it lists. *ok is always written; on failure the result is empty.
// Tokens must be plain hexadecimal digits: a sign or a "0x" prefix is refused.
QByteArray HexStringToByteArray(QString hex, bool *ok);

} // namespace BgComm
