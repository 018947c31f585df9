// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filelog.h"

Q_LOGGING_CATEGORY(lcFiles, "k6qx.files", QtInfoMsg)
