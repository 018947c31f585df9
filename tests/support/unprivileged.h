// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <functional>
#include <vector>

// Runs fn in a child process as user and group nobody with only the given
// supplementary groups, so file modes apply as they do to a plain user;
// returns fn's result. Run by a plain user already, fn runs as it is.
bool asUnprivileged(const std::function<bool()> &fn, const std::vector<gid_t> &groups = {});
