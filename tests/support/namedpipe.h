// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#ifdef Q_OS_UNIX
#include <QFile>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe for readers that must refuse it without opening it. Should a
// reader open it anyway, a writer comes and goes at once, so the reader sees
// the pipe end instead of waiting for ever and the test fails in moments.
class NamedPipe final
{
public:
    explicit NamedPipe(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made)
            m_writer = std::thread([this] { comeAndGo(); });
    }
    ~NamedPipe()
    {
        m_done = true;
        if (m_writer.joinable())
            m_writer.join();
        ::unlink(m_path.constData());
    }
    NamedPipe(const NamedPipe &) = delete;
    NamedPipe &operator=(const NamedPipe &) = delete;

    bool made() const { return m_made; }

private:
    void comeAndGo()
    {
        while (!m_done) {
            // Without a reader waiting, a non-blocking writer is refused (ENXIO).
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_done{false};
    std::thread m_writer;
};
#endif
