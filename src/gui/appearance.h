// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBrush>
#include <QColor>
#include <QPalette>
#include <QString>

#include <optional>

// The window's look: light, dark, or as the system prefers; and the colours
// of the marks the window and its dialogs put on values, chosen for the
// palette they sit in.
namespace Appearance {

enum class Choice { System, Light, Dark };
// In the order a menu offers them.
inline constexpr Choice kChoices[] = {Choice::System, Choice::Light, Choice::Dark};

// The choice's name in the current language: 跟随系统, 浅色, 深色.
QString title(Choice choice);

// How a choice is kept in the settings file: "system", "light", "dark".
QString word(Choice choice);
std::optional<Choice> fromWord(const QString &word);

// Sets the application's look at once. Dark is Qt's Fusion style with
// darkPalette(); Light is the style the application started with and the
// platform's palette; System is Dark when the system prefers dark
// (SystemScheme), else Light.
void apply(Choice choice);
// The choice applied last; System before any.
Choice current();
// Whether the dark look is on.
bool isDark();

QPalette darkPalette();

// What marks a value: changed in the window, differing from the other side
// of a comparison, not refreshed by the last read.
enum class Mark { Changed, Differs, Stale };

// The background of a mark in the palette (the application's by default):
// a tint of its base, on which its text keeps a contrast of at least 4.5:1.
// For Stale the grey of its hatching.
QColor markColour(Mark mark, const QPalette &palette = QPalette());
// The mark as it is painted behind a value: the colour of markColour, and
// for Stale grey diagonal hatching over the palette's base.
QBrush markBrush(Mark mark, const QPalette &palette = QPalette());

} // namespace Appearance
