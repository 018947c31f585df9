// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "answercollector.h"
#include "paramaccess.h"
#include "paramcompare.h"
#include "paramhistory.h"
#include "portsettings.h"

#include <QDateTime>
#include <QObject>
#include <QSerialPort>
#include <QStringList>

#include <functional>
#include <optional>

class TransmitterSession;

// The work with the transmitter, for the window and the command-line tool
// alike: the session, the parameter history, and the parameter set worked on
// (held by whoever shows it) with its baseline and where it came from. Read,
// write with its backup, verify and read-back run here, one at a time, and
// every rule about them is decided here once: what a read must bring, when
// a backup is read first, what is kept in the history.
class TransmitterWork final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransmitterWork)

public:
    enum class State { Idle, Reading, BackingUp, Writing, Verifying };
    enum class Question {
        WriteWithoutBackup, // the transmitter gave no set to back up
        WriteBackupNotKept, // it did, but the history could not keep it
    };
    using Asker = std::function<bool(Question, const QString &why)>;

    // Where the values worked on came from.
    struct Origin
    {
        enum class Kind { Start, Transmitter, File, History, Model };
        Kind kind = Kind::Start;
        QString where; // the port, the file's name, the history entry in words, the model's name
        QDateTime time;
        std::optional<int> firmware; // only a transmitter reports it
        QStringList unreported;      // controls of the records the source did not give
    };

    // What an action did, in the user's words.
    struct Account
    {
        enum class Level { Info, Trouble };
        Level level = Level::Info; // Trouble: a failure the user must see (a message box)
        bool done = false;         // the action did what it was asked
        QString text;
        QString advice;      // what to do next, for the window's message
        QStringList details; // values clamped, values that differed, groups missing
        AnswerCollector::Outcome outcome = AnswerCollector::Outcome::Complete;
        bool noBackup = false; // a write not sent because no backup could be kept
        // A write's: the history entry that holds the transmitter's set from
        // before it (the backup, or an answer kept since the port opened);
        // empty when there is none.
        QString backup;
        QString full() const;
    };

    struct Verification
    {
        Account account; // done: rows hold the comparison
        QList<ParamCompare::Row> rows;
        QString origin; // "发射机 ttyUSB0 12:03:04"
        QString note;
    };

    // values is the set worked on: the window's controls or a plain map.
    explicit TransmitterWork(ParamAccess &values, QObject *parent = nullptr);
    ~TransmitterWork() override;

    TransmitterSession &session() { return *m_session; }
    ParamHistory &history() { return m_history; }
    State state() const { return m_state; }
    void setAsker(Asker asker) { m_asker = std::move(asker); }
    // Names the stored set an agreed read's answer matches ("发射机中的参数与
    // 模型「Cub」一致"); the read's account adds it. Empty: nothing to add.
    using Identifier = std::function<QString(const ParamAccess &answer, const QList<quint8> &groups)>;
    void setIdentifier(Identifier identifier) { m_identifier = std::move(identifier); }

    bool open(const QString &device, const PortSettings &settings, bool dtr, bool rts);
    QSerialPort::SerialPortError openError() const;
    quint32 openSystemError() const;
    void close();
    bool isOpen() const;
    QString portName() const;

    // Starts a confirmed read; readFinished tells its account. The values
    // are shown as the frames come; the baseline, the history entry and the
    // account come only from an agreed answer.
    void read();
    // Runs a read to its end.
    Account readAndWait();
    // Writes the values as they stand now, after the backup when this port
    // has given no kept answer since it opened. Blocks until done.
    Account write(bool backup = true);
    // Compares the values with a confirmed answer; a complete one is kept
    // as a read entry. Nothing of the answer reaches the values.
    Verification verify();
    // Right after a write: one answer, compared with what was written.
    Verification readBack();

    // The record fields of the set worked on, as a plain map.
    MapParamAccess values() const;
    const MapParamAccess &baseline() const { return m_baseline; }
    const Origin &origin() const { return m_origin; }
    // Where the values came from in words, "发射机 ttyUSB0", "文件 k6.dat",
    // with "，窗口中已修改" when they were changed since.
    QString originText() const;
    // In the order the records carry them, compared as written (the alarm
    // voltage in whole tenths).
    QStringList changedControls() const;
    QStringList changedFrom(const ParamAccess &reference) const;
    bool isModified() const { return !changedControls().isEmpty(); }

    // Values from a file or the history take the set's place; edits not
    // written or saved are kept first. Returns the values the set could not
    // hold as they were ("CH1 … 130 → 120").
    QStringList load(const MapParamAccess &loaded, const Origin &origin);
    // A set made in the window (a new model) takes the set's place like
    // load(), but the baseline stays what the transmitter or a file last
    // held: every value that differs from it shows as a change.
    QStringList startNew(const MapParamAccess &made, const Origin &origin);
    // The set was saved to a file, or to a model of the library (where is
    // then the model's name).
    void saved(const QString &where, Origin::Kind kind = Origin::Kind::File);
    // Values taken into the set (from a comparison); marked as changes.
    QStringList take(const QList<std::pair<QString, double>> &taken);
    // The baseline again, the edits kept in the history first. Returns how
    // many values it put back.
    int revert();

    // The controls whose values the last read did not refresh: they still
    // hold what the window had before it. Emptied by an agreed read, a load
    // or a revert; a value taken from a comparison is no longer stale.
    const QStringList &stale() const { return m_stale; }

    // What went wrong with the last answer in words for a failure
    // ("发射机在 1018 毫秒内没有回报参数").
    Account troubleOf(AnswerCollector::Outcome outcome) const { return answerTrouble(outcome, QString()); }

    // Why the history last failed to keep an entry; empty once one is kept.
    QString historyTrouble() const { return m_historyTrouble; }
    // The history's notice that the clock is behind its newest entry.
    QString clockNotice() const { return m_history.clockNotice(); }

    // What keeps a set from being written: values the window could not hold
    // or the records cannot carry, one line each.
    static QStringList writeProblems(const ParamAccess &set);

    // "2 项超出窗口的范围，窗口中为最接近的值：…" for the given notes.
    static QString clampText(const QStringList &notes);

signals:
    void stateChanged(TransmitterWork::State state);
    void readFinished(const TransmitterWork::Account &account);
    void baselineChanged();
    void staleChanged();
    // why is empty once an entry is kept again.
    void historyTroubleChanged(const QString &why);
    // Once per history: the clock is behind the newest entry.
    void historyNotice(const QString &text);
    void lost();
    // The set of the model named went to the transmitter unchanged since it
    // was loaded or saved.
    void modelWritten(const QString &model, const QString &port);

private:
    void setState(State state);
    void endRunning();
    void readEnded(AnswerCollector::Outcome outcome);
    Account answerTrouble(AnswerCollector::Outcome outcome, const QString &consequence) const;
    bool keep(ParamHistory::Kind kind, const ParamAccess &values, QStringList *notes = nullptr,
              QString *path = nullptr);
    void keepEdits();
    void setBaselineFrom(const MapParamAccess &source);
    QStringList applyValues(const MapParamAccess &values);
    bool ask(Question question, const QString &why);
    Origin transmitterOrigin(const MapParamAccess &answer) const;
    void setStale(const QStringList &controls);

    ParamAccess &m_values;
    TransmitterSession *m_session;
    AnswerCollector *m_collector;
    ParamHistory m_history;
    MapParamAccess m_baseline;
    Origin m_origin;
    QStringList m_stale;
    State m_state = State::Idle;
    Asker m_asker;
    Identifier m_identifier;
    MapParamAccess m_originSet; // the set as its origin gave it (a model's last write)
    // The history entry of an answer of this port since it opened: the
    // transmitter's set before a write is kept already. Empty when none.
    QString m_keptAnswer;
    QString m_historyTrouble;
    bool m_noticeTold = false;
};
