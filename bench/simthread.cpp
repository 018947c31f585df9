// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simthread.h"

#include "simulatorhost.h"
#include "stats.h"

namespace Bench {

SimulatorThread::SimulatorThread(int baud)
{
    m_thread.start();
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        m_context,
        [this, baud] {
            m_host = new SimulatorHost;
            connect(m_host, &SimulatorHost::bytesReceived, m_host, [this](const QByteArray &bytes) {
                m_lastArrival = nowNs();
                m_received += bytes.size();
                emit received();
            }, Qt::DirectConnection);
            connect(m_host, &SimulatorHost::answerSent, m_host, [this] { m_lastAnswerSent = nowNs(); },
                    Qt::DirectConnection);
            if (m_host->open()) {
                m_host->setBaudRate(baud);
                m_path = m_host->slavePath();
            }
        },
        Qt::BlockingQueuedConnection);
}

SimulatorThread::~SimulatorThread()
{
    QMetaObject::invokeMethod(m_context, [this] { delete m_host; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

} // namespace Bench
