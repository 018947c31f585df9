// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transmitterfinder.h"

#include "answeraccount.h"
#include "answercollector.h"
#include "portdoctor.h"
#include "portnames.h"
#include "replyframes.h"
#include "transmittersession.h"
#include "usbchips.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QTimer>

namespace {

using Result = TransmitterFinder::Result;

// The words a script reads in --json.
const char *resultKey(Result r)
{
    switch (r) {
    case Result::Answered: return "answered";
    case Result::Partial: return "partial";
    case Result::Silent: return "silent";
    case Result::NotTried: return "not-tried";
    case Result::NotOpened: return "not-opened";
    case Result::Lost: return "lost";
    case Result::NotSent: return "not-sent";
    case Result::Cancelled: return "cancelled";
    }
    return "";
}

Result resultOf(AnswerCollector::Outcome outcome)
{
    switch (outcome) {
    case AnswerCollector::Outcome::Complete:
    case AnswerCollector::Outcome::Unconfirmed: // a single answer is never compared
        return Result::Answered;
    case AnswerCollector::Outcome::Partial: return Result::Partial;
    case AnswerCollector::Outcome::TimedOut: return Result::Silent;
    case AnswerCollector::Outcome::Lost: return Result::Lost;
    case AnswerCollector::Outcome::NotSent: return Result::NotSent;
    case AnswerCollector::Outcome::Cancelled: return Result::Cancelled;
    }
    return Result::Silent;
}

} // namespace

QString TransmitterFinder::Attempt::text() const
{
    QString what;
    switch (result) {
    case Result::Answered:
        what = firmware ? tr("发射机回报了全部参数（固件 %1）").arg(*firmware) : tr("发射机回报了全部参数");
        break;
    case Result::Partial:
        what = tr("只回报了 %n 组参数（共 %1 组），没有回报：%2", nullptr, int(groups.size()))
                   .arg(ReplyFrames::groups().size())
                   .arg(AnswerAccount::missingNames(groups));
        break;
    case Result::Silent:
        what = tr("没有回报");
        break;
    case Result::NotTried:
        what = tr("没有试：%1").arg(why);
        break;
    case Result::NotOpened:
        what = tr("不能打开：%1").arg(why);
        break;
    case Result::Lost:
        what = tr("串口连接已断开");
        break;
    case Result::NotSent:
        what = tr("写入串口失败，读取请求没有发出");
        break;
    case Result::Cancelled:
        what = tr("查找被停止，没有等到回报");
        break;
    }
    return tr("%1：%2").arg(port, what);
}

QJsonObject TransmitterFinder::Attempt::json() const
{
    QJsonObject o{{QStringLiteral("port"), port},
                  {QStringLiteral("result"), QLatin1String(resultKey(result))},
                  {QStringLiteral("text"), text()}};
    if (firmware)
        o.insert(QStringLiteral("firmware"), *firmware);
    if (result == Result::Partial) {
        QJsonArray missing;
        for (const quint8 group : ReplyFrames::missingGroups(groups))
            missing.append(ReplyFrames::groupName(group));
        o.insert(QStringLiteral("missing"), missing);
    }
    return o;
}

QStringList TransmitterFinder::candidates(const QList<PortList::Port> &system, const QStringList &extra, bool all,
                                          PortNames::Platform platform)
{
    const QStringList listed = PortNames::listed(PortList::names(system), platform);
    QStringList ports;
    for (const QString &name : listed) {
        const PortList::Port *port = PortList::find(system, name);
        if (port && port->vendorId && port->productId && UsbChips::find(*port->vendorId, *port->productId))
            ports << name;
    }
    if (!all)
        return ports;
    for (const QString &name : PortList::compose(extra, PortList::names(system), platform)) {
        if (!ports.contains(name))
            ports << name;
    }
    return ports;
}

QStringList TransmitterFinder::candidates(bool all)
{
    return candidates(PortList::enumeratePorts(), PortList::extraPorts(), all);
}

TransmitterFinder::TransmitterFinder(QObject *parent)
    : QObject(parent)
{
}

TransmitterFinder::~TransmitterFinder()
{
    m_collector.reset(); // lets go of the session first
}

void TransmitterFinder::start(const QStringList &ports, const PortSettings &settings, bool dtr, bool rts)
{
    if (m_running)
        cancel();
    m_ports = ports;
    m_settings = settings;
    m_dtr = dtr;
    m_rts = rts;
    m_index = 0;
    m_attempts.clear();
    m_cancelled = false;
    m_running = true;
    scheduleNext();
}

void TransmitterFinder::scheduleNext()
{
    if (m_nextPending)
        return;
    m_nextPending = true;
    QTimer::singleShot(0, this, [this] {
        m_nextPending = false;
        next();
    });
}

void TransmitterFinder::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    if (m_collector && m_collector->isRunning()) {
        m_collector->cancel(); // answerEnded ends the search
        return;
    }
    m_running = false;
    emit finished();
}

void TransmitterFinder::run(const QStringList &ports, const PortSettings &settings, bool dtr, bool rts)
{
    QEventLoop loop;
    const auto ended = connect(this, &TransmitterFinder::finished, &loop, &QEventLoop::quit);
    start(ports, settings, dtr, rts);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(ended);
}

void TransmitterFinder::next()
{
    // The port asked last is closed before the next is looked at.
    m_collector.reset();
    m_session.reset();
    if (!m_running)
        return;
    if (m_index >= m_ports.size()) {
        m_running = false;
        emit finished();
        return;
    }
    const QString port = m_ports.at(m_index);
    emit portStarted(port, m_index, int(m_ports.size()));
    ++m_index;

    Attempt attempt;
    attempt.port = port;
    // A port another program has open is not touched, even one that would
    // open: the request would reach whatever that program talks to. The
    // doctor tells without opening it.
    const PortDoctor doctor;
    const PortDoctor::Findings findings = doctor.examine(port);
    QStringList why = PortDoctor::problems(findings);
    if (why.isEmpty() && !findings.holders.isEmpty()) {
        QStringList holders;
        for (const PortDoctor::Process &p : findings.holders)
            holders << tr("%1（进程 %2）").arg(p.name).arg(p.pid);
        why << tr("其他程序打开着这个串口：%1").arg(holders.join(tr("、")));
    }
    if (!why.isEmpty()) {
        attempt.result = Result::NotTried;
        attempt.why = why.join(tr("；"));
        done(attempt);
        return;
    }
    m_session = std::make_unique<TransmitterSession>();
    if (!m_session->open(PortNames::deviceName(port), m_settings, m_dtr, m_rts)) {
        attempt.result = Result::NotOpened;
        attempt.why = PortDoctor::openFailure(doctor.examine(port, m_session->openError(), m_session->openSystemError())).join(tr("；"));
        done(attempt);
        return;
    }
    m_collector = std::make_unique<AnswerCollector>(*m_session);
    m_collector->setAnswerTimeout(m_timeoutMs);
    connect(m_collector.get(), &AnswerCollector::finished, this, &TransmitterFinder::answerEnded);
    m_collector->start(AnswerCollector::Mode::Single, MapParamAccess());
}

void TransmitterFinder::answerEnded()
{
    Attempt attempt;
    attempt.port = m_ports.at(m_index - 1);
    attempt.result = resultOf(m_collector->outcome());
    attempt.groups = m_collector->groups();
    if (attempt.result == Result::Answered)
        attempt.firmware = int(m_collector->values().value(QLatin1String(ReplyFrames::kFirmwareControl)));
    m_session->close();
    done(attempt);
}

void TransmitterFinder::done(const Attempt &attempt)
{
    m_attempts << attempt;
    emit portDone(attempt);
    if (m_cancelled) {
        m_running = false;
        // The session and collector go once their signal has returned.
        scheduleNext();
        emit finished();
        return;
    }
    scheduleNext();
}

QStringList TransmitterFinder::answered() const
{
    QStringList ports;
    for (const Attempt &a : m_attempts) {
        if (a.result == Result::Answered)
            ports << a.port;
    }
    return ports;
}

bool TransmitterFinder::askedAny() const
{
    for (const Attempt &a : m_attempts) {
        if (a.result != Result::NotTried && a.result != Result::NotOpened)
            return true;
    }
    return false;
}

QString TransmitterFinder::account() const
{
    if (m_attempts.isEmpty())
        return m_cancelled ? tr("查找已停止，没有试任何串口") : tr("没有要试的串口");
    QString text = details().join(tr("；"));
    if (m_cancelled && m_attempts.size() < m_ports.size())
        text += tr("；查找已停止，其余 %n 个串口没有试", nullptr, int(m_ports.size() - m_attempts.size()));
    return text;
}

QStringList TransmitterFinder::details() const
{
    QStringList lines;
    for (const Attempt &a : m_attempts)
        lines << a.text();
    return lines;
}
