// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLoggingCategory>

// What the file handling tells a developer (names chosen, previews read).
// Off unless enabled: QT_LOGGING_RULES="k6qx.files.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
