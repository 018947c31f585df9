// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulatorhost.h"

#include "replyframes.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cmath>
#include <cstring>

#include <unistd.h>

namespace {

constexpr int kBitsPerByte = 10;
constexpr int kHangUpGraceMs = 200;

} // namespace

SimulatorHost::SimulatorHost(QObject *parent)
    : QObject(parent)
{
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_paceTimer, &QTimer::timeout, this, &SimulatorHost::pump);
    m_gapTimer.setSingleShot(true);
    m_gapTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_gapTimer, &QTimer::timeout, this, &SimulatorHost::pump);
    connect(&m_strayTimer, &QTimer::timeout, this, &SimulatorHost::sendStray);
    m_hangUpTimer.setSingleShot(true);
    connect(&m_hangUpTimer, &QTimer::timeout, this, &SimulatorHost::closeMaster);
    m_transmitter.setLogger([this](Transmitter::LogKind, const QString &text) { emit logMessage(text); });
}

SimulatorHost::~SimulatorHost()
{
    stopLink();
}

bool SimulatorHost::open(QString *error)
{
    stopLink();
    if (!m_pty.open(error))
        return false;
    m_readNotifier = new QSocketNotifier(m_pty.masterFd(), QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &SimulatorHost::readMaster);
    m_writeNotifier = new QSocketNotifier(m_pty.masterFd(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, [this] {
        m_writeNotifier->setEnabled(false);
        pump();
    });
    return true;
}

void SimulatorHost::setBaudRate(int baud)
{
    m_baud = qMax(0, baud);
    m_paceClock.invalidate();
    pump();
}

void SimulatorHost::setLineFaults(const LineFaultSettings &settings)
{
    m_faults = LineFaults(settings);
    m_strayTimer.stop();
    if (settings.strayEveryMs > 0)
        m_strayTimer.start(settings.strayEveryMs);
}

void SimulatorHost::sendStray()
{
    if (!isLinkUp() || !m_outbox.isEmpty() || m_hangUpTimer.isActive())
        return;
    const QByteArray stray = m_faults.strayBytes();
    emit logMessage(QStringLiteral("fault: %1 stray byte(s) on the idle line: %2")
                        .arg(stray.size()).arg(QString::fromLatin1(stray.toHex(' '))));
    queue(stray);
    pump();
}

void SimulatorHost::queue(const QByteArray &bytes)
{
    m_outbox += bytes;
    m_queued += bytes.size();
}

void SimulatorHost::closeSlave()
{
    m_pty.closeSlave();
}

void SimulatorHost::closeMaster()
{
    stopLink();
    m_pty.closeMaster();
}

void SimulatorHost::readMaster()
{
    QByteArray bytes;
    QString hangUpReason;
    for (;;) {
        char buffer[4096];
        const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // EIO (or end of file): no descriptor of the slave is open any more.
        hangUpReason = n == 0 ? QStringLiteral("end of file") : QString::fromLocal8Bit(std::strerror(errno));
        break;
    }
    if (!bytes.isEmpty())
        handle(bytes);
    if (!hangUpReason.isEmpty())
        hangUp(hangUpReason);
}

void SimulatorHost::handle(const QByteArray &bytes)
{
    emit bytesReceived(bytes);
    const int acceptedBefore = m_transmitter.acceptedPairs();
    const QByteArray answer = m_transmitter.receive(bytes);
    for (int i = acceptedBefore; i < m_transmitter.acceptedPairs(); ++i)
        emit recordsAccepted();
    if (answer.isEmpty() || !isLinkUp())
        return;
    for (int i = 0; i < answer.size(); i += Transmitter::answerLength()) {
        QStringList notes;
        const QByteArray sent = m_faults.damage(answer.mid(i, Transmitter::answerLength()), &notes);
        for (const QString &note : std::as_const(notes))
            emit logMessage(note);
        if (sent.isEmpty())
            continue;
        if (m_faults.settings().frameGapMs > 0) {
            for (qsizetype f = ReplyFrames::kFrameLength; f < sent.size(); f += ReplyFrames::kFrameLength)
                m_frameEnds << m_queued + f;
            m_frameEnds << m_queued + sent.size();
        }
        queue(sent);
        m_answerEnds << AnswerEnd{m_queued, int(sent.size())};
    }
    pump();
}

void SimulatorHost::pump()
{
    if (!isLinkUp() || m_outbox.isEmpty() || m_gapTimer.isActive() || m_hangUpTimer.isActive())
        return;
    qint64 allowed = m_outbox.size();
    const LineFaultSettings &faults = m_faults.settings();
    if (!m_frameEnds.isEmpty())
        allowed = qMin(allowed, m_frameEnds.first() - m_written);
    if (faults.hangUpAfter >= 0)
        allowed = qMin(allowed, faults.hangUpAfter - m_sent);
    if (m_baud > 0) {
        if (!m_paceClock.isValid()) {
            m_paceClock.start();
            m_writtenSinceClock = 0;
        }
        // A byte is handed over once its ten bits have had time to go out.
        const double bytesPerSecond = double(m_baud) / kBitsPerByte;
        const qint64 due = qint64(m_paceClock.nsecsElapsed() * 1e-9 * bytesPerSecond);
        allowed = qMin(allowed, due - m_writtenSinceClock);
    }
    if (allowed > 0) {
        const ssize_t n = ::write(m_pty.masterFd(), m_outbox.constData(), size_t(allowed));
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            hangUp(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        if (n <= 0) {
            waitUntilWritable();
            return;
        }
        m_outbox.remove(0, int(n));
        m_written += n;
        m_sent += n;
        m_writtenSinceClock += n;
        while (!m_answerEnds.isEmpty() && m_answerEnds.first().end <= m_written) {
            emit answerSent(m_answerEnds.takeFirst().bytes);
            if (!isLinkUp())
                return;
        }
    }
    if (faults.hangUpAfter >= 0 && m_sent >= faults.hangUpAfter) {
        // Closing the master at once would take the bytes still in the
        // pseudo-terminal with it: the line goes quiet first.
        if (!m_hangUpTimer.isActive()) {
            emit logMessage(QStringLiteral("fault: hanging up after %1 bytes sent").arg(m_sent));
            m_hangUpTimer.start(kHangUpGraceMs);
        }
        return;
    }
    bool frameDone = false;
    while (!m_frameEnds.isEmpty() && m_frameEnds.first() <= m_written) {
        m_frameEnds.removeFirst();
        frameDone = true;
    }
    if (frameDone && !m_outbox.isEmpty()) {
        // The pause restarts the pacing: no bytes fall due during it.
        m_paceClock.invalidate();
        m_paceTimer.stop();
        m_gapTimer.start(faults.frameGapMs);
        return;
    }
    if (m_outbox.isEmpty()) {
        m_paceClock.invalidate();
        return;
    }
    if (m_baud > 0)
        scheduleNextByte();
    else
        waitUntilWritable();
}

void SimulatorHost::scheduleNextByte()
{
    const double bytesPerSecond = double(m_baud) / kBitsPerByte;
    const double dueMs = (m_writtenSinceClock + 1) * 1000.0 / bytesPerSecond;
    const double elapsedMs = m_paceClock.nsecsElapsed() * 1e-6;
    m_paceTimer.start(qMax(1, int(std::ceil(dueMs - elapsedMs))));
}

void SimulatorHost::waitUntilWritable()
{
    m_paceTimer.stop();
    m_writeNotifier->setEnabled(true);
}

void SimulatorHost::hangUp(const QString &why)
{
    if (!isLinkUp())
        return;
    stopLink();
    emit logMessage(QStringLiteral("link lost: %1").arg(why));
    emit linkLost();
}

void SimulatorHost::stopLink()
{
    m_paceTimer.stop();
    m_gapTimer.stop();
    m_hangUpTimer.stop();
    m_paceClock.invalidate();
    // May run inside a notifier's own activation: retire them, delete later.
    for (QSocketNotifier **notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
    m_outbox.clear();
    m_answerEnds.clear();
    m_frameEnds.clear();
    m_queued = m_written = 0;
}
