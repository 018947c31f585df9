// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "consolewriter.h"

#include <QByteArray>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace ConsoleWriter {

namespace {

std::FILE *fileOf(Stream stream)
{
    return stream == Stream::Out ? stdout : stderr;
}

#ifdef Q_OS_WIN
HANDLE handleOf(Stream stream)
{
    return ::GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

// WriteConsoleW takes a bounded number of characters a call; a cut never
// falls between the two halves of a surrogate pair.
bool writeConsole(HANDLE handle, const QString &text, QString *reason)
{
    constexpr qsizetype kChunk = 8192;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype n = qMin(kChunk, text.size() - at);
        if (at + n < text.size() && text.at(at + n - 1).isHighSurrogate())
            --n;
        DWORD written = 0;
        if (!::WriteConsoleW(handle, text.utf16() + at, DWORD(n), &written, nullptr) || written == 0) {
            if (reason)
                *reason = qt_error_string(int(::GetLastError()));
            return false;
        }
        at += qsizetype(written);
    }
    return true;
}
#endif

} // namespace

bool isConsole(Stream stream)
{
#ifdef Q_OS_WIN
    DWORD mode = 0;
    return ::GetConsoleMode(handleOf(stream), &mode) != 0;
#else
    Q_UNUSED(stream);
    return false;
#endif
}

bool write(Stream stream, const QString &text, QString *reason)
{
    std::FILE *const file = fileOf(stream);
#ifdef Q_OS_WIN
    if (isConsole(stream)) {
        // What the C library still holds goes first, so the order stays.
        std::fflush(file);
        return writeConsole(handleOf(stream), text, reason);
    }
#endif
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    if (std::fflush(file) != 0 || std::ferror(file)) {
        const int error = errno;
        if (reason)
            *reason = error ? QString::fromLocal8Bit(std::strerror(error)) : QString();
        return false;
    }
    return true;
}

} // namespace ConsoleWriter
