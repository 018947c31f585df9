// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What the programs say about their licence, in the language installed.
namespace Licence {

// The line --version prints under the version.
QString versionLine();

} // namespace Licence
