// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transmittersession.h"

#include "linedrain.h"
#include "replyframes.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QScopedValueRollback>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

#include <chrono>
#include <thread>

namespace {

// Between the S and the T record the transmitter gets a short breather; the
// records go out as two writes with this pause between the last byte of S
// leaving the computer and the first byte of T.
constexpr std::chrono::milliseconds kRecordPause{3};

// Beyond their wire time, written bytes get this long to leave.
constexpr qint64 kWriteMarginMs = 1000;

} // namespace

TransmitterSession::TransmitterSession(QObject *parent)
    : QObject(parent)
{
}

TransmitterSession::~TransmitterSession()
{
    if (m_port)
        m_port->close();
}

bool TransmitterSession::open(const QString &device)
{
    close();
    m_openError = QSerialPort::DeviceNotFoundError;
    if (device.isEmpty())
        return false;
    auto *port = new QSerialPort(device, this);
    if (!port->open(QIODevice::ReadWrite)) {
#ifdef Q_OS_WIN
        // What CreateFileW said, still the thread's last error: Qt only reads it.
        m_openSystemError = quint32(::GetLastError());
#endif
        m_openError = port->error();
        delete port;
        return false;
    }
    m_openError = QSerialPort::NoError;
    m_openSystemError = 0;
    if (m_port)
        m_port->deleteLater();
    m_port = port;
    m_device = device;

    // Bytes of an earlier session would shift every frame of this one.
    m_hex.clear();
    m_bytes = 0;
    m_lost = false;
    m_discarding = false;
    m_readDeferred = false;
    m_open = true;
    connect(m_port, &QSerialPort::readyRead, this, &TransmitterSession::readAvailable);
    connect(m_port, &QSerialPort::errorOccurred, this, &TransmitterSession::onError);
    return true;
}

bool TransmitterSession::open(const QString &device, const PortSettings &settings, bool dtr, bool rts)
{
    if (!open(device))
        return false;
    applySettings(settings, dtr, rts);
    return true;
}

void TransmitterSession::applySettings(const PortSettings &s, bool dtr, bool rts)
{
    if (!m_port)
        return;
    // The driver may refuse a setting (a pseudo-terminal refuses parity and
    // the modem lines); the session carries on with what it accepted.
    m_port->setBaudRate(s.baudRate);
    m_port->setDataBits(s.dataBits);
    m_port->setParity(s.parity);
    m_port->setStopBits(s.stopBits);
    m_port->setFlowControl(s.flowControl);
    // Opening a port on Linux raises DTR and RTS; they are set as asked.
    m_port->setDataTerminalReady(dtr);
    m_port->setRequestToSend(rts);
}

void TransmitterSession::close()
{
    if (m_port)
        m_port->close();
    m_open = false;
}

qint32 TransmitterSession::baudRate() const
{
    return m_port ? m_port->baudRate() : 0;
}

void TransmitterSession::discardUntilRequest()
{
    m_discarding = true;
    m_hex.clear();
    m_bytes = 0;
}

void TransmitterSession::dropReceived()
{
    m_hex.clear();
    m_bytes = 0;
    m_group = 0;
    // What Qt has read off is counted, then dropped with what still waits in
    // the driver: bytes of a line glitch, or of a transmitter that talked
    // while no program had the port open.
    const qint64 readOff = m_port->readAll().size();
    purgeDriver(QSerialPort::Input);
    if (readOff > 0) {
        m_received += readOff;
        emit countersChanged();
    }
}

// Our own purge must never look like a lost port. On Windows Qt's clear()
// purges with PURGE_RXABORT/PURGE_TXABORT: the aborted overlapped read or
// write completes with ERROR_OPERATION_ABORTED, which Qt reports as
// ResourceError, and the aborted operation is never restarted. There the
// input is purged without aborting anything, and the output by handing the
// device to a new port object (closing the handle cancels the pending write).
bool TransmitterSession::purgeDriver(QSerialPort::Direction direction)
{
#ifdef Q_OS_WIN
    if (direction == QSerialPort::Input)
        return ::PurgeComm(HANDLE(m_port->handle()), PURGE_RXCLEAR) != 0;
    return reopen();
#else
    return m_port->clear(direction);
#endif
}

bool TransmitterSession::reopen()
{
    const QString device = m_device;
    const PortSettings settings{m_port->baudRate(), m_port->dataBits(), m_port->parity(), m_port->stopBits(),
                                m_port->flowControl()};
    const bool dtr = m_port->isDataTerminalReady();
    const bool rts = m_port->isRequestToSend();
    // The old object is gone for the session from here on: if the device
    // cannot be opened again the port is lost, and the session ends as for
    // an unplugged adapter, with no port object at all.
    m_port->disconnect(this);
    m_port->close();
    m_port->deleteLater();
    m_port = nullptr;
    auto *port = new QSerialPort(device, this);
    if (!port->open(QIODevice::ReadWrite)) {
        delete port;
        m_lost = true;
        return false;
    }
    m_port = port;
    connect(m_port, &QSerialPort::readyRead, this, &TransmitterSession::readAvailable);
    connect(m_port, &QSerialPort::errorOccurred, this, &TransmitterSession::onError);
    applySettings(settings, dtr, rts);
    return true;
}

bool TransmitterSession::requestRead()
{
    if (!m_open || !m_port)
        return false;
    // A reply frame has no header to find its start by: an answer is cut
    // into frames from the first byte that follows its request.
    dropReceived();
    m_discarding = false;
#ifdef Q_OS_WIN
    // A read that finished before the purge may still be on its way to Qt's
    // buffer; on Linux the session reads the device itself, nothing waits.
    m_gate.request();
#endif
    const qint64 n = m_port->write(QByteArrayLiteral("R"));
    // Out at once, so nothing that arrives between the purge and the
    // request can pass for the answer's first bytes.
    m_port->flush();
    if (n > 0) {
        m_sent += n;
        emit countersChanged();
    }
    return n > 0;
}

void TransmitterSession::readAvailable()
{
    if (m_writing) {
        m_readDeferred = true;
        return;
    }
    QByteArray temp;
    if (m_port && m_port->bytesAvailable() > 0)
        temp = m_port->readAll();
    m_received += temp.size();
    if (!temp.isEmpty())
        m_lastByte.start();
    emit countersChanged();
    if (m_discarding || m_gate.isBeforeRequest())
        return;

    // Frames of one delivery are decoded in order; a control they set more
    // than once is set once, to the last value. Frames never set the
    // dual-rate channel they read, so the result is the same as setting each
    // control as its frame completes.
    MapParamAccess nowhere;
    BufferedParamAccess decoded(m_target ? *m_target : static_cast<ParamAccess &>(nowhere));
    static const char digits[] = "0123456789abcdef";
    for (const char c : std::as_const(temp)) {
        const auto b = static_cast<unsigned char>(c);
        m_hex += QLatin1Char(digits[b >> 4]);
        m_hex += QLatin1Char(digits[b & 0x0F]);
        if (m_bytes == ReplyFrames::kGroupIdByte)
            m_group = b;
        if (++m_bytes == ReplyFrames::kFrameLength) {
            m_bytes = 0;
            ReplyFrames::decode(m_hex, decoded);
            emit frameAssembled(m_group);
            m_hex.clear();
        }
    }
    decoded.flush();
    emit delivered();
}

void TransmitterSession::onError(QSerialPort::SerialPortError error)
{
    // An unplugged adapter reports ResourceError; a pseudo-terminal whose far
    // end closed reports ReadError over and over until the port is closed.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                      || error == QSerialPort::WriteError;
    if (!gone || !m_open || m_lost || sender() != m_port)
        return;
    m_lost = true;
    if (!m_writing)
        endLost();
}

void TransmitterSession::endLost()
{
    close();
    emit lost();
}

TransmitterSession::WriteResult TransmitterSession::writeRecords(const QByteArray &s,
                                                                 const std::function<QByteArray()> &buildT)
{
    if (!m_open || !m_port)
        return WriteResult::NotOpen;
    WriteResult result = WriteResult::Written;
    {
        // Nothing is decoded from here to the last byte of T.
        QScopedValueRollback<bool> guard(m_writing, true);
        if (writeRecord(s, &result)) {
            std::this_thread::sleep_for(kRecordPause);
            const QByteArray t = buildT();
            if (m_open && !m_lost)
                writeRecord(t, &result);
        }
    }
    if (m_lost) {
        result = WriteResult::Lost;
        if (m_open)
            endLost();
    }
    if (m_readDeferred) {
        m_readDeferred = false;
        QMetaObject::invokeMethod(this, &TransmitterSession::readAvailable, Qt::QueuedConnection);
    }
    return result;
}

#ifdef Q_OS_WIN
// Qt Serial Port 6.4's blocking waits on Windows take an I/O result for every
// count of a semaphore that its queued handler decrements once for a whole
// batch of results: after a read answered in several results, the next
// waitForBytesWritten() dequeues from an empty queue and crashes. The bytes
// are let out through an event loop instead; user input waits, and what
// arrives meanwhile is deferred as during the blocking wait.
void TransmitterSession::handOff(const QElapsedTimer &timer, qint64 budgetMs)
{
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_port, &QSerialPort::bytesWritten, &loop, &QEventLoop::quit);
    connect(m_port, &QSerialPort::errorOccurred, &loop, &QEventLoop::quit);
    while (!m_lost && m_port->bytesToWrite() > 0 && timer.elapsed() < budgetMs) {
        deadline.start(int(qMax<qint64>(1, budgetMs - timer.elapsed())));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}
#else
void TransmitterSession::handOff(const QElapsedTimer &timer, qint64 budgetMs)
{
    while (!m_lost && m_port->bytesToWrite() > 0 && timer.elapsed() < budgetMs) {
        if (!m_port->waitForBytesWritten(int(budgetMs - timer.elapsed())))
            break;
    }
}
#endif

bool TransmitterSession::writeRecord(const QByteArray &bytes, WriteResult *result)
{
    const qint64 handed = m_port->write(bytes);
    if (handed < 0) {
        *result = WriteResult::HandOffFailed;
        return false;
    }

    // write() only queues the bytes in Qt's buffer; hand them to the device
    // before going on, bounded by a generous multiple of their wire time.
    QElapsedTimer timer;
    timer.start();
    const qint64 budget = LineDrain::wireTimeMs(bytes.size(), m_port->baudRate()) + kWriteMarginMs;
    handOff(timer, budget);
    if (!m_lost && m_port->bytesToWrite() == 0)
        LineDrain::waitForDriverQueue(m_port, timer, budget);
    const qint64 left = m_port->bytesToWrite();
    m_sent += handed - left;
    emit countersChanged();
    if (m_lost)
        return false;
    if (handed < bytes.size() || left > 0) {
        // What has not left stays unsent: the transmitter must never get the
        // rest of a record late, run into whatever is written next.
        purgeDriver(QSerialPort::Output);
        *result = WriteResult::Incomplete;
        return false;
    }
    return true;
}
