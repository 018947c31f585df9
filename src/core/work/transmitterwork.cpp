// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transmitterwork.h"

#include "answeraccount.h"
#include "formlimits.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "transmittersession.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTime>

namespace {

using Outcome = AnswerCollector::Outcome;

// Every record field once, S record first.
QList<const Records::Field *> recordFields()
{
    QList<const Records::Field *> fields;
    QStringList seen;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f) {
            if (!seen.contains(QLatin1String(field.control))) {
                seen << QLatin1String(field.control);
                fields << &field;
            }
        }
    }
    return fields;
}

QString number(double v)
{
    return QString::number(v, 'g', 6);
}


// One line per group the transmitter did not send.
QStringList missingGroupNames(const QList<quint8> &seen)
{
    QStringList names;
    for (const quint8 group : ReplyFrames::missingGroups(seen))
        names << ReplyFrames::groupName(group);
    return names;
}

// The controls of the records that the groups not among seen carry.
QStringList staleControls(const QList<quint8> &seen)
{
    QStringList controls;
    for (const quint8 group : ReplyFrames::missingGroups(seen)) {
        for (const ReplyFrames::Slot &slot : ReplyFrames::slotsOf(group)) {
            const QString control = QLatin1String(slot.control);
            if (control != QLatin1String(ReplyFrames::kFirmwareControl) && !controls.contains(control))
                controls << control;
        }
    }
    return controls;
}

} // namespace

QString TransmitterWork::Account::full() const
{
    QString all = text;
    if (!details.isEmpty())
        all += QLatin1Char('\n') + details.join(QLatin1Char('\n'));
    if (!advice.isEmpty())
        all += QLatin1Char('\n') + advice;
    return all;
}

TransmitterWork::TransmitterWork(ParamAccess &values, QObject *parent)
    : QObject(parent)
    , m_values(values)
    , m_session(new TransmitterSession(this))
    , m_collector(new AnswerCollector(*m_session, this))
{
    m_baseline = this->values();
    // Frames that come when no answer is awaited still show in the set.
    m_session->setTarget(&m_values);
    connect(m_collector, &AnswerCollector::finished, this, [this](Outcome outcome) {
        if (m_state == State::Reading)
            readEnded(outcome);
    });
    connect(m_session, &TransmitterSession::lost, this, [this] {
        // A read in flight ends as lost, before the front ends hear of it.
        if (m_collector->isRunning())
            m_collector->cancel(Outcome::Lost);
        emit lost();
    });
}

TransmitterWork::~TransmitterWork()
{
    delete m_collector; // lets go of the session first
    m_collector = nullptr;
}

void TransmitterWork::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}

bool TransmitterWork::open(const QString &device, const PortSettings &settings, bool dtr, bool rts)
{
    endRunning();
    // Whatever answered before may not be the transmitter on the port now.
    m_keptAnswer.clear();
    return m_session->open(device, settings, dtr, rts);
}

QSerialPort::SerialPortError TransmitterWork::openError() const
{
    return m_session->openError();
}

quint32 TransmitterWork::openSystemError() const
{
    return m_session->openSystemError();
}

void TransmitterWork::close()
{
    endRunning();
    m_session->close();
}

bool TransmitterWork::isOpen() const
{
    return m_session->isOpen();
}

QString TransmitterWork::portName() const
{
    return m_session->portName();
}

// A step that starts while a read runs ends that read first, with its
// account; what still arrives of its answer is dropped.
void TransmitterWork::endRunning()
{
    if (m_collector->isRunning())
        m_collector->cancel();
}

MapParamAccess TransmitterWork::values() const
{
    MapParamAccess set;
    for (const Records::Field *f : recordFields())
        set.setValue(QLatin1String(f->control), m_values.value(QLatin1String(f->control)));
    return set;
}

QStringList TransmitterWork::changedControls() const
{
    return changedFrom(m_baseline);
}

QStringList TransmitterWork::changedFrom(const ParamAccess &reference) const
{
    QStringList changed;
    for (const Records::Field *f : recordFields()) {
        const QString control = QLatin1String(f->control);
        if (Records::carriedValue(*f, m_values.value(control)) != Records::carriedValue(*f, reference.value(control)))
            changed << control;
    }
    return changed;
}

// Sets the values; those the set cannot hold as they are (the window's
// controls clamp) are named with what it holds instead.
QStringList TransmitterWork::applyValues(const MapParamAccess &values)
{
    QStringList notes;
    for (const Records::Field *f : recordFields()) {
        const QString control = QLatin1String(f->control);
        if (!values.values.contains(control))
            continue;
        const double wanted = values.value(control);
        m_values.setValue(control, wanted);
        const double held = m_values.value(control);
        if (qAbs(held - wanted) >= 0.005)
            notes << tr("%1 %2 → %3").arg(Records::titleOf(*f), number(wanted), number(held));
    }
    return notes;
}

QStringList TransmitterWork::writeProblems(const ParamAccess &set)
{
    return FormLimits::problems(set) + Records::limitProblems(Records::sFormat(), set)
           + Records::limitProblems(Records::tFormat(), set, Records::kMixBiasTransmitter);
}

QString TransmitterWork::clampText(const QStringList &notes)
{
    if (notes.isEmpty())
        return QString();
    return tr("%n 项超出窗口的范围，窗口中为最接近的值：", nullptr, int(notes.size())) + notes.join(tr("，"));
}

bool TransmitterWork::keep(ParamHistory::Kind kind, const ParamAccess &values, QStringList *notes, QString *path)
{
    QString why;
    const bool kept = m_history.keep(kind, values, portName(), &why, path, notes);
    if (!m_noticeTold && !m_history.clockNotice().isEmpty()) {
        m_noticeTold = true;
        emit historyNotice(m_history.clockNotice());
    }
    if (kept == m_historyTrouble.isEmpty())
        return kept;
    m_historyTrouble = kept ? QString() : why;
    emit historyTroubleChanged(m_historyTrouble);
    return kept;
}

// The set as it now stands, with the values it came from where the set
// could not hold them: a clamped value then stays marked, as a write would
// change it.
void TransmitterWork::setBaselineFrom(const MapParamAccess &source)
{
    m_baseline = values();
    for (auto it = source.values.cbegin(); it != source.values.cend(); ++it) {
        if (m_baseline.values.contains(it.key()))
            m_baseline.setValue(it.key(), it.value());
    }
}

void TransmitterWork::keepEdits()
{
    if (isModified())
        keep(ParamHistory::Kind::Edits, values());
}

bool TransmitterWork::ask(Question question, const QString &why)
{
    const bool yes = m_asker && m_asker(question, why);
    // The port may have gone while the question was open.
    return yes && isOpen();
}

TransmitterWork::Origin TransmitterWork::transmitterOrigin(const MapParamAccess &answer) const
{
    Origin o;
    o.kind = Origin::Kind::Transmitter;
    o.where = portName();
    o.time = QDateTime::currentDateTime();
    o.firmware = int(answer.value(QLatin1String(ReplyFrames::kFirmwareControl)));
    const QList<const Records::Field *> reported = ParamCompare::fields(ParamCompare::Against::Transmitter);
    for (const Records::Field *f : recordFields()) {
        if (!reported.contains(f))
            o.unreported << QLatin1String(f->control);
    }
    return o;
}

// --- read -----------------------------------------------------------------

void TransmitterWork::read()
{
    if (!isOpen()) {
        Account a;
        a.text = tr("串口未打开，请先打开串口");
        a.outcome = Outcome::NotSent;
        emit readFinished(a);
        return;
    }
    endRunning();
    // Edits the answer replaces are kept first.
    keepEdits();
    MapParamAccess seed = values();
    seed.setValue(QLatin1String(ReplyFrames::kFirmwareControl),
                  m_values.value(QLatin1String(ReplyFrames::kFirmwareControl)));
    setState(State::Reading);
    m_collector->start(AnswerCollector::Mode::Confirmed, seed, &m_values);
}

TransmitterWork::Account TransmitterWork::readAndWait()
{
    Account result;
    const auto conn = connect(this, &TransmitterWork::readFinished, this,
                              [&result](const Account &a) { result = a; });
    QEventLoop loop;
    const auto done = connect(this, &TransmitterWork::readFinished, &loop, &QEventLoop::quit);
    read();
    if (m_state == State::Reading)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(conn);
    disconnect(done);
    return result;
}

void TransmitterWork::readEnded(Outcome outcome)
{
    setState(State::Idle);
    Account a;
    a.outcome = outcome;
    const MapParamAccess &answer = m_collector->values();
    switch (outcome) {
    case Outcome::Complete: {
        a.done = true;
        a.text = AnswerAccount::ofRead(m_collector->groups());
        a.details = applyValues(answer);
        QStringList fileNotes;
        keep(ParamHistory::Kind::Read, answer, &fileNotes, &m_keptAnswer);
        if (!a.details.isEmpty())
            a.text += tr("；") + clampText(a.details);
        if (!fileNotes.isEmpty())
            a.text += tr("；参数历史中保存为文件能容纳的最接近的值：") + fileNotes.join(tr("，"));
        if (m_identifier) {
            const QString which = m_identifier(answer, m_collector->groups());
            if (!which.isEmpty())
                a.text += tr("；") + which;
        }
        setBaselineFrom(answer);
        m_origin = transmitterOrigin(answer);
        emit baselineChanged();
        break;
    }
    case Outcome::Cancelled:
        a = answerTrouble(outcome, QString());
        a.text = tr("读取没有完成就开始了下一步：") + AnswerAccount::ofRead(m_collector->groups());
        a.level = Account::Level::Info;
        a.details = missingGroupNames(m_collector->groups());
        break;
    case Outcome::Partial:
    case Outcome::TimedOut:
        a.text = AnswerAccount::ofRead(m_collector->groups());
        if (!m_collector->groups().isEmpty())
            a.details = missingGroupNames(m_collector->groups());
        break;
    case Outcome::NotSent:
        a = answerTrouble(outcome, QString());
        a.advice = tr("请检查连接后重新读取");
        break;
    case Outcome::Unconfirmed:
        // The answers shown as they came were not agreed: the window's own
        // values again.
        applyValues(m_collector->values());
        [[fallthrough]];
    default:
        a = answerTrouble(outcome, QString());
        a.level = Account::Level::Info;
        if (!a.details.isEmpty())
            a.text += tr("；") + a.details.join(tr("；"));
        break;
    }
    // What this read did not refresh; a read never sent or cut off by a
    // lost port refreshed nothing and tells nothing new.
    if (outcome == Outcome::Complete)
        setStale({});
    else if (outcome == Outcome::Unconfirmed)
        setStale(staleControls({}));
    else if (outcome != Outcome::NotSent && outcome != Outcome::Lost)
        setStale(staleControls(m_collector->groups()));
    emit readFinished(a);
}

// The account of an answer that did not come whole.
TransmitterWork::Account TransmitterWork::answerTrouble(Outcome outcome, const QString &consequence) const
{
    Account a;
    a.level = Account::Level::Trouble;
    a.outcome = outcome;
    const int timeout = AnswerCollector::answerTimeoutMs(m_session->baudRate());
    switch (outcome) {
    case Outcome::Complete:
        a.level = Account::Level::Info;
        a.done = true;
        break;
    case Outcome::Partial:
        a.text = AnswerAccount::ofRead(m_collector->groups());
        break;
    case Outcome::TimedOut:
        a.text = tr("发射机在 %1 毫秒内没有回报参数").arg(timeout);
        break;
    case Outcome::Unconfirmed: {
        a.text = tr("发射机在 %n 次回报中没有两次相同的完整参数（线路受到干扰？），没有采用任何一次", nullptr,
                    m_collector->requests());
        QStringList names;
        for (const Records::Field *f : recordFields()) {
            if (m_collector->disagreeing().contains(QLatin1String(f->control)))
                names << Records::titleOf(*f);
        }
        if (m_collector->disagreeing().contains(QLatin1String(ReplyFrames::kFirmwareControl)))
            names << tr("固件版本");
        if (!names.isEmpty())
            a.details << tr("回报之间不同的值：%1").arg(names.join(tr("、")));
        break;
    }
    case Outcome::Lost:
        a.text = tr("串口连接已断开");
        break;
    case Outcome::NotSent:
        a.text = tr("写入串口失败，读取请求没有发出");
        break;
    case Outcome::Cancelled:
        a.text = tr("读取被中断");
        break;
    }
    if (!consequence.isEmpty())
        a.text += tr("，") + consequence;
    return a;
}

// --- write ----------------------------------------------------------------

TransmitterWork::Account TransmitterWork::write(bool backup)
{
    Account a;
    if (!isOpen()) {
        a.text = tr("串口未打开，请先打开串口");
        a.outcome = Outcome::NotSent;
        return a;
    }
    endRunning();
    // What is sent is the set as it stands at this moment.
    const MapParamAccess set = values();
    // What the window's controls would clamp or refuse is refused: the
    // window holds what it sends.
    const QStringList problems = writeProblems(set);
    if (!problems.isEmpty()) {
        a.level = Account::Level::Trouble;
        a.text = tr("以下参数超出可写入的范围，没有写入发射机：");
        a.details = problems;
        return a;
    }

    if (backup && m_keptAnswer.isEmpty()) {
        setState(State::BackingUp);
        const Outcome outcome = m_collector->run(AnswerCollector::Mode::Confirmed, set);
        setState(State::Idle);
        if (outcome == Outcome::Lost || outcome == Outcome::NotSent) {
            a = answerTrouble(outcome, tr("参数没有写入发射机"));
            a.advice = tr("请检查连接后重新写入");
            return a;
        }
        if (outcome == Outcome::Complete) {
            const MapParamAccess old = m_collector->values();
            QStringList notes;
            if (!keep(ParamHistory::Kind::BeforeWrite, old, &notes, &m_keptAnswer)
                && !ask(Question::WriteBackupNotKept, m_historyTrouble)) {
                a.text = tr("备份没有保存：%1，没有写入发射机").arg(m_historyTrouble);
                a.outcome = outcome;
                a.noBackup = true;
                return a;
            }
        } else {
            const Account why = answerTrouble(outcome, QString());
            if (!ask(Question::WriteWithoutBackup, why.text)) {
                a = why;
                a.level = Account::Level::Info;
                a.text = tr("%1，写入前无法备份发射机的参数，没有写入").arg(why.text);
                a.noBackup = true;
                return a;
            }
        }
    }

    setState(State::Writing);
    const QByteArray s = Records::build(Records::sFormat(), set).toLatin1();
    const auto result = m_session->writeRecords(s, [&set] {
        return Records::build(Records::tFormat(), set, Records::kMixBiasTransmitter).toLatin1();
    });
    setState(State::Idle);
    a.level = Account::Level::Trouble;
    a.advice = tr("请检查连接后重新写入");
    switch (result) {
    case TransmitterSession::WriteResult::Written:
        a = Account();
        a.done = true;
        // The transmitter does not acknowledge: what is known is what left.
        a.text = tr("参数已发送（%n 字节），发射机不回报是否收下", nullptr, 2 * Records::kRecordLength);
        if (backup)
            a.backup = m_keptAnswer;
        keep(ParamHistory::Kind::Written, set);
        // A model's set as it was loaded or saved went out: its last write.
        if (m_origin.kind == Origin::Kind::Model && changedFrom(m_originSet).isEmpty())
            emit modelWritten(m_origin.where, portName());
        m_baseline = set;
        emit baselineChanged();
        break;
    case TransmitterSession::WriteResult::HandOffFailed:
    case TransmitterSession::WriteResult::NotOpen:
        a.text = tr("写入串口失败，参数没有写入发射机");
        break;
    case TransmitterSession::WriteResult::Incomplete:
        a.text = tr("写入串口失败，参数没有完整写入发射机");
        break;
    case TransmitterSession::WriteResult::Lost:
        a.text = tr("串口连接已断开，参数没有完整写入发射机");
        a.outcome = Outcome::Lost;
        break;
    }
    return a;
}

// --- verify ---------------------------------------------------------------

TransmitterWork::Verification TransmitterWork::verify()
{
    Verification v;
    if (!isOpen()) {
        v.account.text = tr("串口未打开，请先打开串口");
        v.account.outcome = Outcome::NotSent;
        return v;
    }
    endRunning();
    const MapParamAccess mine = values();
    setState(State::Verifying);
    const Outcome outcome = m_collector->run(AnswerCollector::Mode::Confirmed, mine);
    setState(State::Idle);
    if (outcome != Outcome::Complete && outcome != Outcome::Partial) {
        v.account = answerTrouble(outcome, tr("没有比较任何参数"));
        v.account.advice = tr("请检查连接后重新校验");
        return v;
    }
    const MapParamAccess answer = m_collector->values();
    if (outcome == Outcome::Complete) {
        // The transmitter's set is kept as any read's is.
        keep(ParamHistory::Kind::Read, answer, nullptr, &m_keptAnswer);
    }
    v.account.done = true;
    v.account.outcome = outcome;
    v.rows = ParamCompare::compare(mine, answer, m_collector->groups());
    v.note = ParamCompare::transmitterNote(int(mine.value(QLatin1String(Records::kDualRateChannel))));
    if (ParamCompare::missing(v.rows) > 0)
        v.note = tr("发射机没有回报：%1").arg(ParamCompare::missingNames(v.rows)) + QLatin1Char('\n') + v.note;
    v.origin = tr("发射机 %1 %2").arg(portName(), QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    return v;
}

TransmitterWork::Verification TransmitterWork::readBack()
{
    Verification v;
    const MapParamAccess mine = values();
    setState(State::Verifying);
    const Outcome outcome = m_collector->run(AnswerCollector::Mode::ReadBack, mine);
    setState(State::Idle);
    if (outcome != Outcome::Complete && outcome != Outcome::Partial) {
        v.account = answerTrouble(outcome, QString());
        return v;
    }
    v.account.done = true;
    v.account.outcome = outcome;
    v.rows = ParamCompare::compare(mine, m_collector->values(), m_collector->groups());
    return v;
}

// --- the set --------------------------------------------------------------

QStringList TransmitterWork::load(const MapParamAccess &loaded, const Origin &origin)
{
    endRunning();
    keepEdits();
    const QStringList notes = applyValues(loaded);
    setBaselineFrom(loaded);
    m_origin = origin;
    m_originSet = values();
    setStale({});
    emit baselineChanged();
    return notes;
}

QStringList TransmitterWork::startNew(const MapParamAccess &made, const Origin &origin)
{
    endRunning();
    keepEdits();
    const QStringList notes = applyValues(made);
    m_origin = origin;
    m_originSet = values();
    setStale({});
    // The baseline stays; the origin and with it the title change.
    emit baselineChanged();
    return notes;
}

QString TransmitterWork::originText() const
{
    QString text;
    switch (m_origin.kind) {
    case Origin::Kind::Start:
        text = tr("程序的初始值");
        break;
    case Origin::Kind::Transmitter:
        text = tr("发射机 %1").arg(m_origin.where);
        break;
    case Origin::Kind::File:
        text = tr("文件 %1").arg(QFileInfo(m_origin.where).fileName());
        break;
    case Origin::Kind::History:
        text = m_origin.where;
        break;
    case Origin::Kind::Model:
        text = tr("模型 %1").arg(m_origin.where);
        break;
    }
    return isModified() ? tr("%1，窗口中已修改").arg(text) : text;
}

void TransmitterWork::saved(const QString &where, Origin::Kind kind)
{
    m_baseline = values();
    m_origin = Origin();
    m_origin.kind = kind;
    m_origin.where = where;
    m_origin.time = QDateTime::currentDateTime();
    m_originSet = m_baseline;
    emit baselineChanged();
}

QStringList TransmitterWork::take(const QList<std::pair<QString, double>> &taken)
{
    MapParamAccess set;
    QStringList stale = m_stale;
    for (const auto &[control, value] : taken) {
        set.setValue(control, value);
        stale.removeAll(control);
    }
    const QStringList notes = applyValues(set);
    setStale(stale);
    return notes;
}

int TransmitterWork::revert()
{
    const int changed = int(changedControls().size());
    keepEdits();
    applyValues(m_baseline);
    setStale({});
    return changed;
}

void TransmitterWork::setStale(const QStringList &controls)
{
    if (controls == m_stale)
        return;
    m_stale = controls;
    emit staleChanged();
}
