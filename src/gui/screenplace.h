// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

// Where a window goes so that all of it is on a screen.
namespace ScreenPlace {

// topLeft moved the least so that a window of size lies inside available;
// a window larger than available keeps its top-left corner inside it.
QPoint fit(const QPoint &topLeft, const QSize &size, const QRect &available);

// The same on the screen's available area; the primary screen when screen
// is null (the screen that held the window is gone).
QPoint onScreen(const QPoint &topLeft, const QSize &size, const QScreen *screen);

} // namespace ScreenPlace
