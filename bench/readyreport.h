#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Once the window has been painted and the events queued behind that paint
// have been handled, prints "ready" on stdout and leaves the event loop. The
// benchmark reads that line to time the start-up from outside.
class ReadyReport final : public QObject
{
public:
    explicit ReadyReport(QWidget &window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [] {
                std::fputs("ready\n", stdout);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }
};
