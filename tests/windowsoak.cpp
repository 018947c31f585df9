// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window soak: drives the real window (offscreen) through random steps
// of a pilot's work against the simulator on a faulty line, answering every
// question at random, and checks after each step what the window promises:
//   backup    before every write that went out, the history held the
//             transmitter's set as it was (unless told to write without one)
//   baseline  an unmarked window equals its baseline; after an agreed read
//             or a write the baseline is the transmitter's set
//   account   what the window said matches what the simulator did
//   records   the records sent are the window's values at the click
//   history   no entry reported as kept goes missing
// k6qx-window-soak [--minutes M] [--seed S] [--replay FILE] [--steps FILE]
#include "controls.h"
#include "comparedialog.h"
#include "dlgload.h"
#include "formlimits.h"
#include "historydialog.h"
#include "mainwindow.h"
#include "paramcompare.h"
#include "paramhistory.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "simulatorhost.h"
#include "windowprobe.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <map>

namespace {

enum Step { Open, Close, Read, Edit, Write, VerifyTx, VerifyFile, Load, Save, Revert, History, Replug, kSteps };
const char *const kStepNames[] = {"open", "close", "read", "edit", "write", "verify-transmitter",
                                  "verify-file", "load", "save", "revert", "history", "replug"};

LineFaultSettings faultMix(int phase, quint32 seed)
{
    LineFaultSettings f;
    f.seed = seed;
    switch (phase % 6) {
    case 1: f.strayEveryMs = 300; break;
    case 2: f.dropChance = 0.2; f.corruptChance = 0.2; break;
    case 3: f.frameGapMs = 8; break;
    case 4: f.cutAfter = 100; break; // a transmitter that stops short
    case 5: f.strayEveryMs = 500; f.corruptChance = 0.1; f.frameGapMs = 3; break;
    default: break;
    }
    return f;
}

// The transmitter's set as the window would see it with the given channel:
// its answer decoded into values seeded with the other's channel.
MapParamAccess reported(const QByteArray &answer, const ParamAccess &seed)
{
    MapParamAccess v;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()})
        for (const Records::Field &field : *f)
            v.setValue(QLatin1String(field.control), seed.value(QLatin1String(field.control)));
    for (int i = 0; i + ReplyFrames::kFrameLength <= answer.size(); i += ReplyFrames::kFrameLength)
        ReplyFrames::decode(QString::fromLatin1(answer.mid(i, ReplyFrames::kFrameLength).toHex()), v);
    return v;
}

bool sameReported(const ParamAccess &a, const Transmitter &t)
{
    return ParamCompare::differences(ParamCompare::compare(a, reported(t.replyFrames(), a), ParamCompare::Against::Transmitter)) == 0;
}

class Soak : public QObject
{
public:
    Soak(quint32 seed, const QString &folder) : m_rng(seed), m_seed(seed), m_folder(folder)
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        connect(&m_modal, &QTimer::timeout, this, &Soak::answerModal);
        m_modal.start(5);
        connect(&m_sim, &SimulatorHost::bytesReceived, this, [this](const QByteArray &b) { m_received += b; });
        connect(&m_sim, &SimulatorHost::answerSent, this, [this] { ++m_answers; });
        connect(&m_sim, &SimulatorHost::recordsAccepted, this, [this] { ++m_accepted; });
        m_sim.open();
        m_sim.setBaudRate(115200);
    }

    int violations() const
    {
        int n = 0;
        for (const auto &[k, v] : m_violations)
            n += v;
        return n;
    }

    void step(Step s)
    {
        m_steps << s;
        ++m_counts[kStepNames[s]];
        if (qEnvironmentVariableIsSet("K6QX_SOAK_TRACE"))
            std::fprintf(stderr, "step %d: %s\n", int(m_steps.size()), kStepNames[s]);
        m_received.clear();
        m_answers = 0;
        m_writeWithoutBackup = false;
        const int acceptedBefore = m_accepted;
        const QByteArray setBefore = m_sim.transmitter().parameterFile();
        const QByteArray txBefore = m_sim.transmitter().replyFrames();
        QByteArray recordsAtClick;
        TransmitterWork &work = m_w.transmitterWork();
        switch (s) {
        case Open:
            if (!MainWindowProbe(m_w).isComOpen())
                openPort(m_w, m_sim.slavePath());
            break;
        case Close:
            if (MainWindowProbe(m_w).isComOpen())
                click(m_w, "pushButtonOpen");
            break;
        case Read:
            click(m_w, "pushButtonRead");
            // Most reads run to their account; some are cut short by the next step.
            if (m_rng.bounded(4) != 0)
                waitIdle(4000);
            break;
        case Edit: {
            const auto &limits = FormLimits::all();
            const FormLimits::Limits &l = limits.at(int(m_rng.bounded(int(limits.size()))));
            const double v = l.minimum + m_rng.bounded(int(l.maximum - l.minimum) + 1);
            setControl(m_w, QLatin1String(l.control), v);
            break;
        }
        case Write:
            recordsAtClick = (MainWindowProbe(m_w).buildS() + MainWindowProbe(m_w).buildT(116)).toLatin1();
            click(m_w, "pushButtonSend2");
            break;
        case VerifyTx:
        case VerifyFile:
            m_verifyFile = s == VerifyFile;
            click(m_w, "pushButtonVerify");
            break;
        case Load:
            m_loadFile = true;
            click(m_w, "pushButtonLoad");
            m_loadFile = false;
            break;
        case Save:
            click(m_w, "pushButtonSave");
            break;
        case Revert:
            click(m_w, "actionRevert");
            break;
        case History:
            click(m_w, "actionHistory");
            break;
        case Replug:
            // The adapter pulled out and plugged in: a new device path.
            m_sim.closeMaster();
            QTest::qWait(50);
            m_sim.open();
            m_sim.setLineFaults(faultMix(m_phase, m_seed + m_phase));
            break;
        case kSteps:
            break;
        }
        QTest::qWait(5);
        check(s, acceptedBefore, setBefore, txBefore, recordsAtClick);
    }

    void setPhase(int phase)
    {
        m_phase = phase;
        m_sim.setLineFaults(faultMix(phase, m_seed + phase));
    }

    void report(double seconds) const
    {
        std::printf("window soak: %d steps in %.0f s, seed %u:", int(m_steps.size()), seconds, m_seed);
        for (const auto &[name, n] : m_counts)
            std::printf(" %s %d", name.c_str(), n);
        std::printf("\nviolations: backup %d, baseline %d, account %d, records %d, history %d\n",
                    m_violations.count("backup") ? m_violations.at("backup") : 0,
                    m_violations.count("baseline") ? m_violations.at("baseline") : 0,
                    m_violations.count("account") ? m_violations.at("account") : 0,
                    m_violations.count("records") ? m_violations.at("records") : 0,
                    m_violations.count("history") ? m_violations.at("history") : 0);
    }

    QList<Step> steps() const { return m_steps; }
    bool portOpen() { return MainWindowProbe(m_w).isComOpen(); }
    QRandomGenerator &rng() { return m_rng; }

private:
    void violated(const char *invariant, const QString &what)
    {
        ++m_violations[invariant];
        std::fprintf(stderr, "step %d (%s): %s: %s\n", int(m_steps.size()), kStepNames[m_steps.last()], invariant,
                     qPrintable(what));
    }

    void waitIdle(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (m_w.transmitterWork().state() != TransmitterWork::State::Idle && t.elapsed() < ms)
            QTest::qWait(5);
    }

    void check(Step s, int acceptedBefore, const QByteArray &setBefore, const QByteArray &txBefore,
               const QByteArray &recordsAtClick)
    {
        TransmitterWork &work = m_w.transmitterWork();
        const QString said = shownMessage(m_w);
        const bool wrote = m_accepted > acceptedBefore;
        m_counts["(sent)"] += wrote ? 1 : 0;
        m_counts["(agreed)"] += s == Read && said.startsWith(QStringLiteral("已读取全部")) ? 1 : 0;
        // records: what went out is what the window held at the click.
        if (s == Write && wrote && !m_received.endsWith(recordsAtClick))
            violated("records", QStringLiteral("sent records are not the window's at the click"));
        // backup: the set the transmitter held before the write is in the history.
        if (s == Write && wrote && !m_writeWithoutBackup && setBefore != m_sim.transmitter().parameterFile()) {
            bool found = false;
            for (const ParamHistory::Entry &e : ParamHistory(m_folder).entries()) {
                MapParamAccess kept;
                QString error;
                // An entry holds the dual rates of the channel it was read with.
                if (e.kind != ParamHistory::Kind::Edits && ParamHistory::load(e.path, &kept, &error)
                    && ParamCompare::differences(ParamCompare::compare(kept, reported(txBefore, kept),
                                                                       ParamCompare::Against::Transmitter)) == 0) {
                    found = true;
                    break;
                }
            }
            if (!found)
                violated("backup", QStringLiteral("the transmitter's set before the write is in no entry"));
        }
        // baseline: unmarked means equal to the baseline.
        if (!m_w.isWindowModified() && !work.changedControls().isEmpty())
            violated("baseline", QStringLiteral("unmarked, yet %1 differ").arg(work.changedControls().join(u' ')));
        if (s == Write && said.startsWith(QStringLiteral("参数已发送")) && !sameReported(work.baseline(), m_sim.transmitter()))
            violated("baseline", QStringLiteral("after a write the baseline is not the transmitter's set"));
        if (s == Read && said.startsWith(QStringLiteral("已读取全部")) && !sameReported(work.baseline(), m_sim.transmitter()))
            violated("baseline", QStringLiteral("after an agreed read the baseline is not the transmitter's set"));
        // account: the words match what the simulator did.
        if (s == Read && said.startsWith(QStringLiteral("已读取全部")) && m_answers < 2)
            violated("account", QStringLiteral("an agreed read with %1 answers").arg(m_answers));
        if (s == Write && said.startsWith(QStringLiteral("参数已发送")) && !m_received.endsWith(recordsAtClick))
            violated("account", QStringLiteral("said sent, the simulator did not get the records"));
        if (s == Write && wrote && !said.startsWith(QStringLiteral("参数已发送")) && MainWindowProbe(m_w).isComOpen())
            violated("account", QStringLiteral("the records went out, the window says: %1").arg(said));
        // history: nothing reported as kept goes missing; a full history
        // loses only entries older than all it keeps.
        QHash<QString, QDateTime> now;
        QDateTime oldest;
        for (const ParamHistory::Entry &e : ParamHistory(m_folder).entries()) {
            now.insert(e.path, e.time);
            oldest = e.time;
        }
        for (auto it = m_kept.cbegin(); it != m_kept.cend(); ++it) {
            const bool pruned = now.size() >= ParamHistory::kMaxEntries && it.value() <= oldest;
            if (!now.contains(it.key()) && !pruned)
                violated("history", QStringLiteral("entry %1 is gone").arg(it.key()));
        }
        m_kept = now;
    }

    // Every question gets a random answer; dialogs are worked as a user would.
    void answerModal()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (m_answered.contains(w)) {
            // Still up a while after its answer (a file that was refused): closed.
            if (m_answeredAt.elapsed() > 300) {
                if (qEnvironmentVariableIsSet("K6QX_SOAK_TRACE"))
                    std::fprintf(stderr, "still up: %s %s\n", w->metaObject()->className(), qPrintable(w->windowTitle()));
                if (auto *d = qobject_cast<QDialog *>(w))
                    d->reject();
                m_answeredAt.start();
            }
            return;
        }
        m_answered << w;
        m_answeredAt.start();
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            QList<QAbstractButton *> buttons = box->buttons();
            QAbstractButton *answer = buttons.at(int(m_rng.bounded(int(buttons.size()))));
            if (box->text().contains(QStringLiteral("校验数据")) || box->windowTitle() == QStringLiteral("校验数据")) {
                for (QAbstractButton *b : buttons) {
                    if (b->text() == (m_verifyFile ? QStringLiteral("参数文件") : QStringLiteral("发射机")))
                        answer = b;
                }
            }
            if (box->text().contains(QStringLiteral("仍然写入")) && box->buttonRole(answer) == QMessageBox::YesRole)
                m_writeWithoutBackup = true;
            QTimer::singleShot(0, answer, &QAbstractButton::click);
        } else if (auto *files = qobject_cast<QFileDialog *>(w)) {
            const QString path = QDir(m_folder).filePath(QStringLiteral("../file-%1.dat").arg(m_rng.bounded(3)));
            QTimer::singleShot(0, files, [files, path] {
                if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    name->setText(path);
                static_cast<QDialog *>(files)->accept();
            });
        } else if (auto *load = qobject_cast<DlgLoad *>(w)) {
            const QString path = QDir(m_folder).filePath(QStringLiteral("../file-%1.dat").arg(m_rng.bounded(3)));
            QTimer::singleShot(0, load, [load, path] {
                load->findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(path);
                load->findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
            });
        } else if (auto *compare = qobject_cast<CompareDialog *>(w)) {
            const bool take = m_rng.bounded(2) == 0;
            QTimer::singleShot(0, compare, [compare, take] {
                auto *button = compare->findChild<QPushButton *>(QStringLiteral("pushButtonTake"));
                if (take && button && button->isEnabled())
                    button->click();
                else
                    compare->reject();
            });
        } else if (auto *history = qobject_cast<HistoryDialog *>(w)) {
            const int choice = int(m_rng.bounded(3));
            QTimer::singleShot(0, history, [history, choice, this] {
                auto *list = history->findChild<QTreeWidget *>(QStringLiteral("treeHistory"));
                if (choice == 0 || list->topLevelItemCount() == 0) {
                    history->reject();
                    return;
                }
                list->setCurrentItem(list->topLevelItem(int(m_rng.bounded(list->topLevelItemCount()))));
                auto *button = history->findChild<QPushButton *>(choice == 1 ? QStringLiteral("pushButtonLoadEntry")
                                                                             : QStringLiteral("pushButtonCompare"));
                if (button && button->isEnabled())
                    button->click();
                if (history->isVisible())
                    history->reject();
            });
        } else if (auto *dialog = qobject_cast<QDialog *>(w)) {
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
    }

    QRandomGenerator m_rng;
    quint32 m_seed;
    QString m_folder;
    SimulatorHost m_sim;
    MainWindow m_w;
    QTimer m_modal;
    QList<QPointer<QWidget>> m_answered;
    QElapsedTimer m_answeredAt;
    QByteArray m_received;
    int m_answers = 0;
    int m_accepted = 0;
    int m_phase = 0;
    bool m_writeWithoutBackup = false;
    bool m_verifyFile = false;
    bool m_loadFile = false;
    QList<Step> m_steps;
    QHash<QString, QDateTime> m_kept;
    std::map<std::string, int> m_counts;
    std::map<std::string, int> m_violations;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption minutes(QStringLiteral("minutes"), QStringLiteral("how long"), QStringLiteral("M"), QStringLiteral("1"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("random seed"), QStringLiteral("S"));
    const QCommandLineOption replay(QStringLiteral("replay"), QStringLiteral("steps of an earlier run"), QStringLiteral("FILE"));
    const QCommandLineOption stepsOut(QStringLiteral("steps"), QStringLiteral("where the steps go on a violation"), QStringLiteral("FILE"));
    parser.addOptions({minutes, seedOption, replay, stepsOut});
    parser.process(app);

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("history"));
    qputenv("K6QX_HISTORY_DIR", QFile::encodeName(folder));
    qputenv("K6QX_SETTINGS", QFile::encodeName(dir.filePath(QStringLiteral("k6qx.ini"))));

    quint32 seed = parser.isSet(seedOption) ? parser.value(seedOption).toUInt() : QRandomGenerator::global()->generate();
    QList<int> replayed;
    if (parser.isSet(replay)) {
        QFile f(parser.value(replay));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "window soak: cannot read %s\n", qPrintable(f.fileName()));
            return 2;
        }
        const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
        seed = lines.value(0).section(u' ', 1).toUInt();
        for (const QString &line : lines.mid(1))
            replayed << line.toInt();
    }

    Soak soak(seed, folder);
    QElapsedTimer clock;
    clock.start();
    const qint64 limitMs = qint64(parser.value(minutes).toDouble() * 60000);
    for (int i = 0; replayed.isEmpty() ? clock.elapsed() < limitMs : i < replayed.size(); ++i) {
        if (i % 40 == 0)
            soak.setPhase(i / 40);
        // A closed port is opened again often, so most steps meet an open one.
        Step drawn = Step(soak.rng().bounded(int(kSteps)));
        if (soak.rng().bounded(2) == 0 && !soak.portOpen())
            drawn = Open;
        const Step s = replayed.isEmpty() ? drawn : Step(replayed.at(i));
        soak.step(s);
    }
    soak.report(clock.elapsed() / 1000.0);
    if (soak.violations() == 0)
        return 0;
    const QString out = parser.isSet(stepsOut) ? parser.value(stepsOut) : QStringLiteral("window-soak-steps.txt");
    QFile f(out);
    if (f.open(QIODevice::WriteOnly)) {
        f.write("seed " + QByteArray::number(seed) + "\n");
        for (const Step s : soak.steps())
            f.write(QByteArray::number(int(s)) + "\n");
        std::fprintf(stderr, "window soak: seed and steps kept in %s (--replay)\n", qPrintable(out));
    }
    return 1;
}
