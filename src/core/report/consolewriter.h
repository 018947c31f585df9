// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Everything the command-line program says goes out here, on standard output
// and standard error alike. A Windows console gets the text as UTF-16
// (WriteConsoleW), so Chinese reads right whatever the console's code page;
// a stream redirected to a file or a pipe, and every stream elsewhere, gets
// UTF-8 bytes.
namespace ConsoleWriter {

enum class Stream { Out, Err };

// True when the stream is a Windows console (GetConsoleMode succeeds on its
// handle); never elsewhere.
bool isConsole(Stream stream);

// Writes the whole text and flushes; false when it did not all go out (a
// full disk shows only here), with the system's reason when it gave one.
bool write(Stream stream, const QString &text, QString *reason = nullptr);

} // namespace ConsoleWriter
