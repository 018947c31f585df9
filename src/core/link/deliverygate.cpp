// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "deliverygate.h"

DeliveryGate::DeliveryGate(QObject *parent)
    : QObject(parent)
{
}

void DeliveryGate::request()
{
    const quint64 number = ++m_requested;
    QMetaObject::invokeMethod(
        this,
        [this, number] {
            if (number == m_requested)
                m_reached = number;
        },
        Qt::QueuedConnection);
}
