// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

// Whether the system prefers dark windows: what it says, and what that means.
namespace SystemScheme {

// What the system said; a source that could not be asked stays empty.
struct Readings
{
    // Windows: HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\
    // Personalize\AppsUseLightTheme; 0 is dark.
    std::optional<int> appsUseLightTheme;
    // The desktop portal's org.freedesktop.appearance color-scheme: 0 no
    // preference, 1 dark, 2 light.
    std::optional<uint> portalColorScheme;
    // GNOME's org.gnome.desktop.interface color-scheme as gsettings prints
    // it: 'default', 'prefer-dark', 'prefer-light'.
    QString gnomeColorScheme;
};

// The first source that answered decides; none: light.
bool prefersDark(const Readings &readings);

// Asks the system, quickly: the registry on Windows; elsewhere the desktop
// portal on the session bus when it is already running (a short wait at
// most), else gsettings on a GNOME desktop.
Readings read();

inline bool prefersDark()
{
    return prefersDark(read());
}

} // namespace SystemScheme
