// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Once the window has been painted and the events queued behind that paint
// have been handled, prints "ready" on stdout. A program with more to wait
// for names it with expect() and calls reached() with the line to print. The
// event loop ends once everything has been reported. The benchmark reads
// these lines to time the start-up from outside.
class ReadyReport final : public QObject
{
public:
    explicit ReadyReport(QWidget &window)
    {
        window.installEventFilter(this);
    }

    void expect() { ++m_pending; }
    void reached(const char *line)
    {
        std::printf("%s\n", line);
        std::fflush(stdout);
        if (--m_pending == 0)
            QApplication::quit();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { reached("ready"); });
        }
        return false;
    }

private:
    int m_pending = 1; // the first paint
};
