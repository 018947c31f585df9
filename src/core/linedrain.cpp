#include "linedrain.h"

#include <QElapsedTimer>
#include <QSerialPort>

#include <chrono>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace LineDrain {

int wireTimeMs(qint64 bytes, qint32 baudRate)
{
    return int(bytes * 12 * 1000 / qMax<qint32>(baudRate, 1)) + 1;
}

void waitForDriverQueue(QSerialPort *port, const QElapsedTimer &timer, qint64 budgetMs)
{
#ifdef Q_OS_UNIX
    // A pseudo-terminal reports an empty queue at once.
    int queued = 0;
    while (::ioctl(int(port->handle()), TIOCOUTQ, &queued) == 0 && queued > 0 && timer.elapsed() < budgetMs)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
#else
    Q_UNUSED(port);
    Q_UNUSED(timer);
    Q_UNUSED(budgetMs);
#endif
}

} // namespace LineDrain
