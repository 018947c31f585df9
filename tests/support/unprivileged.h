// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// Runs fn in a child process as user and group nobody without any
// supplementary group, so file modes apply as they do to a plain user;
// returns fn's result. Run by a plain user already, fn runs as it is.
bool asUnprivileged(const std::function<bool()> &fn);
