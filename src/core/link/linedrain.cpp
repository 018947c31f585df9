// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linedrain.h"

#include <QElapsedTimer>
#include <QSerialPort>

#include <chrono>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace LineDrain {

int wireTimeMs(qint64 bytes, qint32 baudRate)
{
    return int(bytes * 12 * 1000 / qMax<qint32>(baudRate, 1)) + 1;
}

#ifdef Q_OS_WIN
namespace {

// Wine answers FlushFileBuffers on a serial port with tcflush(TCOFLUSH):
// what is still queued is thrown away instead of sent.
bool underWine()
{
    static const bool wine = [] {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

DWORD WINAPI flushPort(LPVOID handle)
{
    ::FlushFileBuffers(static_cast<HANDLE>(handle));
    return 0;
}

qint64 remainingMs(const QElapsedTimer &timer, qint64 budgetMs)
{
    return qMax<qint64>(0, budgetMs - timer.elapsed());
}

} // namespace
#endif

void waitForDriverQueue(QSerialPort *port, const QElapsedTimer &timer, qint64 budgetMs)
{
#if defined(Q_OS_UNIX)
    // A pseudo-terminal reports an empty queue at once.
    int queued = 0;
    while (::ioctl(int(port->handle()), TIOCOUTQ, &queued) == 0 && queued > 0 && timer.elapsed() < budgetMs)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
#elif defined(Q_OS_WIN)
    const HANDLE handle = port->handle();
    // The transmit queue the driver reports, polled like TIOCOUTQ.
    COMSTAT status{};
    while (::ClearCommError(handle, nullptr, &status) && status.cbOutQue > 0 && timer.elapsed() < budgetMs)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    if (underWine() || remainingMs(timer, budgetMs) == 0)
        return;
    // FlushFileBuffers returns once the driver has sent its transmit buffer
    // (a USB adapter's included), but it blocks for as long as that takes:
    // it runs on its own thread and is waited for only within the budget.
    // A flush still running then is cancelled and its thread left to end on
    // its own; it holds nothing but the handle's value.
    const HANDLE worker = ::CreateThread(nullptr, 0, flushPort, handle, 0, nullptr);
    if (!worker)
        return;
    if (::WaitForSingleObject(worker, DWORD(remainingMs(timer, budgetMs))) == WAIT_TIMEOUT) {
        ::CancelSynchronousIo(worker);
        ::WaitForSingleObject(worker, 50);
    }
    ::CloseHandle(worker);
#else
    Q_UNUSED(port);
    Q_UNUSED(timer);
    Q_UNUSED(budgetMs);
#endif
}

} // namespace LineDrain
