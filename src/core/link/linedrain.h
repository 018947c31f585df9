// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

class QElapsedTimer;
class QSerialPort;

// Getting written bytes onto the line, not just out of Qt's buffer.
namespace LineDrain {

// Wire time of n bytes in milliseconds, with start, parity and stop bits.
int wireTimeMs(qint64 bytes, qint32 baudRate);

// Out of Qt's buffer is not yet on the wire: the driver of a real UART still
// queues what a 115200-baud line needs milliseconds to send. Waits, until
// timer has run budgetMs, for the driver's queue to be empty, so a pause
// after a record falls between the records on the line.
void waitForDriverQueue(QSerialPort *port, const QElapsedTimer &timer, qint64 budgetMs);

} // namespace LineDrain
