// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

// Tells bytes received before a request from the answer when the port hands
// them over late. On Windows Qt's serial port learns of a finished read from
// a helper thread, which posts the news to the session's thread: a read that
// finished before the request may be delivered after it, once the event
// loop gets to it, and PurgeComm can no longer take it back. A request posts
// a mark behind whatever is already queued; until the event loop reaches the
// mark every delivery is from before the request.
class DeliveryGate final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeliveryGate)

public:
    explicit DeliveryGate(QObject *parent = nullptr);

    // A request goes out now.
    void request();
    // Whether what is delivered now was queued before the last request.
    bool isBeforeRequest() const { return m_reached != m_requested; }

private:
    // Each request gets the next number; the mark a request posted only
    // opens the gate when no later request has come.
    quint64 m_requested = 0;
    quint64 m_reached = 0;
};
