// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

bool asUnprivileged(const std::function<bool()> &fn, const std::vector<gid_t> &groups)
{
    if (::geteuid() != 0)
        return fn();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool ok = ::setgroups(groups.size(), groups.data()) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 && fn();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
