// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screenplace.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace ScreenPlace {

QPoint fit(const QPoint &topLeft, const QSize &size, const QRect &available)
{
    // The right and bottom edges first, then the left and top ones win, so
    // that a window too large shows its title bar.
    const int x = std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - size.width()));
    const int y = std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

QPoint onScreen(const QPoint &topLeft, const QSize &size, const QScreen *screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return topLeft;
    // A window placed on a screen that is gone starts at the primary one's
    // corner rather than wherever the old coordinates land.
    const QRect available = screen->availableGeometry();
    return fit(available.contains(topLeft) ? topLeft : available.topLeft(), size, available);
}

} // namespace ScreenPlace
