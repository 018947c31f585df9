// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

class QCoreApplication;

// The program speaks Simplified Chinese unless English is asked for, with
// --lang en on the command line or K6QX_LANG=en in the environment; the
// command line wins.
namespace Language {

enum class Choice { Chinese, English };

inline constexpr char kVariable[] = "K6QX_LANG";

// "zh", "zh_CN", "zh-CN" and "en", "en_US" ... in any case; nothing else.
std::optional<Choice> fromName(const QString &name);

// The language a command-line value and an environment value choose; empty
// values do not choose. nullopt when the value that decides names no
// language the program has.
std::optional<Choice> choose(const QString &commandLine, const QString &environment);

// The value of --lang among the arguments (--lang en, --lang=en), empty when
// there is none. Read before the parser runs, so its texts are translated.
QString commandLineValue(const QStringList &arguments);

// Puts the catalogue for the language in place: for English the program's
// own (its texts are written in Chinese), for Chinese Qt's own Simplified
// Chinese one (:/qm/qt_zh_CN.qm), so standard buttons read "确定", "取消".
// A catalogue put in place before by this function is taken away first, so
// the language can change while the program runs. False when it does not
// load; the language then stays as it was.
bool installCatalogue(QCoreApplication &app, Choice choice);

// The language of the catalogue last put in place; Chinese before any.
Choice current();

} // namespace Language
