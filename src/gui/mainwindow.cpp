// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"

#include "aboutbox.h"
#include "answeraccount.h"
#include "changetracker.h"
#include "comm.h"
#include "comparedialog.h"
#include "controlhelp.h"
#include "dlgload.h"
#include "filelog.h"
#include "formaccess.h"
#include "historydialog.h"
#include "paramcompare.h"
#include "paramfile.h"
#include "portcombobox.h"
#include "portdoctor.h"
#include "portlist.h"
#include "portnames.h"
#include "portsettings.h"
#include "remembered.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "sessionwait.h"
#include "sheetexport.h"
#include "transmittersession.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDebug>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTime>
#include <QTimer>

#include <future>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    Q_INIT_RESOURCE(res);
    ui = new Ui_MainWindow;
    ui->setupUi(this);
    showTitle();
    form = std::make_unique<FormAccess>(this);
    for (QComboBox *box : findChildren<QComboBox *>())
        formItemCounts.insert(box, box->count());

    // The action-bar images are read from images/ under the working
    // directory; a missing file falls back to the copy built into the program.
    const std::pair<QPushButton *, const char *> actionImages[] = {
        {ui->pushButtonRead, "images/Receive.png"},
        {ui->pushButtonLoad, "images/open.png"},
        {ui->pushButtonSend2, "images/Send2.png"},
        {ui->pushButtonSave, "images/save.png"},
        {ui->pushButtonVerify, "images/verify.png"},
    };
    for (const auto &[button, file] : actionImages) {
        if (!QFileInfo::exists(QLatin1String(file)))
            button->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(file)));
    }

    // Asking the system for its serial ports takes a while, and run beside
    // building the form it slows both down. The paths given through the
    // environment are listed at once; the system's ports follow once the
    // window is on screen.
    ui->comboBoxComm->clear();
    ui->comboBoxComm->addItems(PortList::extraPorts());
    // The panel as it was left; the port is chosen again once the system's
    // ports are listed, unless the user has picked one by then.
    Remembered::restoreChoices(panelControls());
    connect(ui->comboBoxComm, &QComboBox::activated, this, [this] { portPicked = true; });
    QTimer::singleShot(0, this, &MainWindow::startPortScan);
    connect(ui->comboBoxComm, &PortComboBox::popupAboutToShow, this, &MainWindow::refreshPorts);

    resize(1000, 525);
    // Where the window was left, when that is still on a screen; its size is
    // the form's.
    if (const auto kept = Remembered::position(); kept && QGuiApplication::screenAt(*kept))
        move(*kept);

    session = new TransmitterSession(this);
    session->setTarget(form.get());
    connect(session, &TransmitterSession::countersChanged, this, &MainWindow::mirrorCounters);
    connect(session, &TransmitterSession::delivered, this, &MainWindow::readMyCom);
    connect(session, &TransmitterSession::lost, this, &MainWindow::endLostSession);
    connect(session, &TransmitterSession::frameAssembled, this, &MainWindow::frameArrived);
    readCopy = std::make_unique<MapParamAccess>();
    readTee = std::make_unique<TeeParamAccess>(*form, *readCopy);
    history = std::make_unique<ParamHistory>();
    readAccountTimer = new QTimer(this);
    readAccountTimer->setSingleShot(true);
    connect(readAccountTimer, &QTimer::timeout, this, &MainWindow::endReadAccount);

    connect(ui->pushButtonLoad, &QPushButton::clicked, this, &MainWindow::load);
    connect(ui->pushButtonSave, &QPushButton::clicked, this, &MainWindow::save);

    fstLabel = new QLabel;
    fstLabel->setMinimumSize(150, 20);
    fstLabel->setFrameShape(QFrame::Panel);
    fstLabel->setFrameShadow(QFrame::Sunken);
    secLabel = new QLabel;
    secLabel->setFrameShape(QFrame::Panel);
    secLabel->setFrameShadow(QFrame::Sunken);
    secLabel->setOpenExternalLinks(true);
    ui->statusbar->addPermanentWidget(fstLabel);
    ui->statusbar->addPermanentWidget(secLabel);
    // Beside the counters, where the form leaves room for buttons.
    ui->statusbar->insertPermanentWidget(0, ui->changeBar);

    changes = new ChangeTracker(this, this);
    ui->pushButtonRevert->setEnabled(false);
    connect(changes, &ChangeTracker::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        ui->pushButtonRevert->setEnabled(modified);
    });
    connect(ui->pushButtonRevert, &QPushButton::clicked, changes, &ChangeTracker::revert);
    connect(ui->pushButtonHistory, &QPushButton::clicked, this, &MainWindow::showHistory);
    connect(ui->pushButtonExport, &QPushButton::clicked, this, &MainWindow::exportSheet);
    connect(ui->pushButtonAbout, &QPushButton::clicked, this, [this] { AboutBox::create(this)->open(); });

    isComOpen = false;
    recvCount = 0;
    transCount = 0;
    RX_flag = 0;
    refrushInfoLabel();

    // Each action's keys; the buttons' tooltips name them.
    const std::pair<QPushButton *, QList<QKeySequence>> actionKeys[] = {
        {ui->pushButtonRead, {QKeySequence(Qt::CTRL | Qt::Key_R), QKeySequence(Qt::Key_F5)}},
        {ui->pushButtonSend2, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)}},
        {ui->pushButtonSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {ui->pushButtonLoad, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {ui->pushButtonVerify, {QKeySequence(Qt::CTRL | Qt::Key_E)}},
    };
    for (const auto &[button, keys] : actionKeys) {
        for (const QKeySequence &key : keys)
            connect(new QShortcut(key, this), &QShortcut::activated, button, &QPushButton::click);
        buttonKeys.insert(button, keys);
    }
    explainControls();

    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
}

MainWindow::~MainWindow()
{
    if (portScan.valid())
        portScan.wait(); // its answer is dropped with the window

    delete changes; // stops watching before the controls go
    changes = nullptr;
    delete session; // closes the port before the form goes
    session = nullptr;
    delete ui;
    ui = nullptr;
}

void MainWindow::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::LanguageChange || !ui)
        return;
    // The generated retranslateUi only renames existing items. Re-applying
    // the texts puts every combo box back to the form's own items, on the
    // first one, the port list included.
    for (auto it = formItemCounts.cbegin(); it != formItemCounts.cend(); ++it) {
        it.key()->clear();
        it.key()->addItems(QStringList(it.value(), QString()));
    }
    ui->retranslateUi(this);
    showTitle();
    explainControls();
    if (changes)
        changes->markTabs();
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    if (!changes->isModified()) {
        keepWindowState();
        e->accept();
        return;
    }
    QMessageBox ask(QMessageBox::Question, tr("关闭窗口"), tr("窗口中的参数已修改，尚未写入发射机或保存到文件。"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Cancel);
    const int answer = ask.exec();
    if (answer == QMessageBox::Discard || (answer == QMessageBox::Save && save())) {
        keepWindowState();
        e->accept();
    } else
        e->ignore();
}

void MainWindow::refrushInfoLabel()
{
    QString state;
    if (isComOpen) {
        state = tr("%1已打开 %2 %3 %4 | ")
                    .arg(ui->comboBoxComm->currentText())
                    .arg(ui->comboBoxBaudRate->currentText())
                    .arg(ui->comboBoxDataBit->currentText())
                    .arg(ui->comboBoxStopBit->currentText());
    } else {
        state = tr("串口未打开 | ");
    }
    fstLabel->setText(state + tr("发送：%1B | 接收：%2B").arg(transCount).arg(recvCount));
}

void MainWindow::showError(const QString &text)
{
    QMessageBox::critical(this, tr("错误"), text, QMessageBox::Ok);
}

// An action against the transmitter with the port closed is answered in the
// status bar, not with silence.
bool MainWindow::portOpenOrSay()
{
    if (isComOpen)
        return true;
    ui->statusbar->showMessage(tr("串口未打开，请先打开串口"));
    return false;
}

// --- port session -----------------------------------------------------------

void MainWindow::on_pushButtonOpen_clicked()
{
    if (isComOpen) {
        closeSession();
        return;
    }

    const QString device = PortNames::deviceName(ui->comboBoxComm->currentText());
    if (!session->open(device)) {
        const auto findings = PortDoctor().examine(ui->comboBoxComm->currentText(), session->openError());
        showError(tr("不能打开指定串口") + QLatin1Char('\n') + PortDoctor::openFailure(findings).join(QLatin1Char('\n')));
        return;
    }
    myCom = session->port();
    strHex.clear();
    RX_flag = 0;
    answeredSinceOpen = false;
    Remembered::keepChoices(panelControls()); // choices that opened a port

    setPortPar();
    setPanelEnabled(false);
    ui->pushButtonOpen->setText(tr("关闭", "port button"));
    isComOpen = true;
    refrushInfoLabel();
}

// Ports plugged in or pulled out since the list was filled; never while a
// port is open.
void MainWindow::startPortScan()
{
    const QStringList listedAtStart = PortList::extraPorts();
    portScan = std::async(std::launch::async, [this, listedAtStart] {
        const QStringList enumerated = PortList::enumerate();
        QMetaObject::invokeMethod(
            this, [this, listedAtStart, enumerated] { portsEnumerated(listedAtStart, enumerated); },
            Qt::QueuedConnection);
    });
}

// The start-up list gets the system's ports, unless the list has changed
// since (a refresh when the drop-down opened, a port opened).
void MainWindow::portsEnumerated(const QStringList &listedAtStart, const QStringList &enumerated)
{
    QComboBox *box = ui->comboBoxComm;
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (!isComOpen && box->isEnabled() && shown == listedAtStart) {
        const QString chosen = box->currentText();
        box->clear();
        box->addItems(PortList::compose(listedAtStart, enumerated));
        box->setCurrentIndex(chosen.isEmpty() ? 0 : box->findText(chosen));
        // The port of the last session when it is there again; else the
        // first one.
        const int kept = box->findText(Remembered::keptChoice(box));
        if (!portPicked && kept >= 0)
            box->setCurrentIndex(kept);
    }
    emit portsListed();
}

void MainWindow::refreshPorts()
{
    QComboBox *box = ui->comboBoxComm;
    if (isComOpen || !box->isEnabled())
        return;
    const QStringList items = PortList::current();
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (items == shown)
        return;
    const int choice = PortList::keepChoice(items, box->currentText());
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(choice);
}

void MainWindow::setPortPar()
{
    myCom = session->port();
    if (!myCom)
        return;
    session->applySettings(PortSettings::fromPanel(ui->comboBoxBaudRate->currentText(),
                                                   ui->comboBoxDataBit->currentText(),
                                                   ui->comboBoxParity->currentText(),
                                                   ui->comboBoxStopBit->currentText(),
                                                   ui->comboBoxFlowCtrl->currentText()),
                           ui->checkBoxDTR->isChecked(), ui->checkBoxRTS->isChecked());
    // No read time-out to set: QSerialPort signals readyRead as bytes arrive
    // instead of polling the port every 50 ms.
    setPanelEnabled(false);
}

QList<QWidget *> MainWindow::panelControls() const
{
    return {ui->comboBoxComm, ui->comboBoxBaudRate, ui->comboBoxDataBit, ui->comboBoxStopBit,
            ui->comboBoxFlowCtrl, ui->comboBoxParity, ui->checkBoxDTR, ui->checkBoxRTS};
}

void MainWindow::setPanelEnabled(bool enabled)
{
    for (QWidget *w : panelControls())
        w->setEnabled(enabled);
}

void MainWindow::closeSession()
{
    session->close();
    setPanelEnabled(true);
    ui->pushButtonOpen->setText(tr("打开", "port button"));
    isComOpen = false;
    refrushInfoLabel();
}

void MainWindow::endLostSession()
{
    readAccountTimer->stop();
    ui->statusbar->clearMessage();
    closeSession();
    // Told after the port is closed and the signal has returned.
    QTimer::singleShot(0, this, [this] {
        showError(tr("串口连接已断开，串口已关闭\n请检查连接后重新打开串口"));
    });
}

void MainWindow::mirrorCounters()
{
    transCount = int(session->sentBytes());
    recvCount = int(session->receivedBytes());
    refrushInfoLabel();
}

QByteArray MainWindow::whattoSend(QString tmp, bool hex)
{
    if (!hex)
        return tmp.toLocal8Bit();
    bool ok = false;
    return BgComm::HexStringToByteArray(tmp, &ok);
}

// --- reading --------------------------------------------------------------------

void MainWindow::on_pushButtonRead_clicked()
{
    if (!portOpenOrSay())
        return;
    const QString editsKept = keepEdits();
    // The answer goes into the controls and, as the transmitter reported it,
    // into a copy seeded with the window's values for the history.
    *readCopy = windowValues();
    session->setTarget(readTee.get());
    readSeen.clear();
    readAccountTimer->stop();
    ui->statusbar->showMessage(editsKept);
    if (!session->requestRead()) {
        showError(tr("写入串口失败，读取请求没有发出\n请检查连接后重新读取"));
        return;
    }
    // Frames go into the controls as they arrive; the account follows.
    readAccountTimer->start(SessionWait::answerTimeoutMs(session->baudRate()));
    refrushInfoLabel();
}

void MainWindow::frameArrived(quint8 group)
{
    if (readAccountTimer->isActive() && ReplyFrames::isKnownGroup(group) && !readSeen.contains(group))
        readSeen << group;
}

// The session has decoded a delivery into the controls; the window shows
// where the assembly of the next frame stands.
void MainWindow::readMyCom()
{
    strHex = session->pendingHex();
    RX_flag = session->pendingBytes();
    if (readAccountTimer->isActive() && ReplyFrames::missingGroups(readSeen).isEmpty()) {
        readAccountTimer->stop();
        endReadAccount();
    }
}

void MainWindow::endReadAccount()
{
    QString text = AnswerAccount::ofRead(readSeen);
    if (ReplyFrames::missingGroups(readSeen).isEmpty()) {
        answeredSinceOpen = true;
        text += keepInHistory(ParamHistory::Kind::Read, *readCopy);
        changes->setBaseline();
        showFile(QString()); // the window holds the transmitter's set now
        valuesOrigin = tr("发射机 %1").arg(portName());
        originFirmware = int(form->value(QLatin1String(ReplyFrames::kFirmwareControl)));
    } else {
        // What arrives after the account would make it untrue: the values it
        // names as the window's own stay so.
        session->discardUntilRequest();
    }
    session->setTarget(form.get());
    ui->statusbar->showMessage(text);
}

// A request of another step while the account of 读取数据 is still open ends
// that account first.
void MainWindow::finishReadAccountNow()
{
    if (!readAccountTimer->isActive())
        return;
    readAccountTimer->stop();
    endReadAccount();
}

QString MainWindow::portName() const
{
    return session->port() ? session->port()->portName() : QString();
}

// Keeps an entry; a history that cannot be kept never stops anything, and is
// told once, after what the status bar says anyway.
QString MainWindow::keepInHistory(ParamHistory::Kind kind, const ParamAccess &values)
{
    QString why;
    if (history->keep(kind, values, portName(), &why) || historyTroubleTold)
        return QString();
    historyTroubleTold = true;
    return tr("（参数历史没有保存：%1）").arg(why);
}

// Changes not written or saved go into the history before something
// replaces them.
QString MainWindow::keepEdits()
{
    return changes->isModified() ? keepInHistory(ParamHistory::Kind::Edits, windowValues()) : QString();
}

// Before the first write of a session the transmitter's set goes into the
// history; it is read into a copy, never into the window. False when the
// write must not go on.
bool MainWindow::backUpBeforeWriting()
{
    finishReadAccountNow();
    MapParamAccess old = windowValues();
    QList<quint8> groups;
    switch (SessionWait::readAnswer(*session, old, SessionWait::answerTimeoutMs(session->baudRate()), &groups)) {
    case SessionWait::Outcome::Complete: {
        answeredSinceOpen = true;
        const QString trouble = keepInHistory(ParamHistory::Kind::BeforeWrite, old);
        if (!trouble.isEmpty())
            ui->statusbar->showMessage(trouble);
        return true;
    }
    case SessionWait::Outcome::NotSent:
        showError(tr("写入串口失败，读取请求没有发出，参数没有写入发射机\n请检查连接后重新写入"));
        return false;
    case SessionWait::Outcome::Lost: // told by endLostSession
        return false;
    case SessionWait::Outcome::Partial:
    case SessionWait::Outcome::TimedOut:
    case SessionWait::Outcome::Unconfirmed:
        break;
    }
    QMessageBox ask(QMessageBox::Question, tr("写入数据"), tr("发射机没有回报当前参数，写入前无法备份。\n仍然写入？"),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    // The port may go while the question is open.
    return ask.exec() == QMessageBox::Yes && portOpenOrSay();
}

// --- records --------------------------------------------------------------------

QString MainWindow::buildSRecord() const
{
    return Records::build(Records::sFormat(), *form);
}

QString MainWindow::buildTRecord(int mixBias) const
{
    return Records::build(Records::tFormat(), *form, mixBias);
}

void MainWindow::applySRecord(const QString &record)
{
    Records::apply(Records::sFormat(), record, *form);
}

void MainWindow::applyTRecord(const QString &record, int mixBias)
{
    Records::apply(Records::tFormat(), record, *form, mixBias);
}

bool MainWindow::recordsFit(int mixBias, const QString &refusal)
{
    const QStringList problems = Records::limitProblems(Records::sFormat(), *form)
                                 + Records::limitProblems(Records::tFormat(), *form, mixBias);
    if (problems.isEmpty())
        return true;
    showError(refusal + QLatin1Char('\n') + problems.join(QLatin1Char('\n')));
    return false;
}

// --- writing --------------------------------------------------------------------

void MainWindow::on_pushButtonSend2_clicked()
{
    const QString s = buildSRecord();
    if (!portOpenOrSay())
        return;
    if (!recordsFit(Records::kMixBiasTransmitter, tr("以下参数超出可写入的范围，没有写入发射机：")))
        return;
    if (!answeredSinceOpen && !backUpBeforeWriting())
        return;

    ui->statusbar->clearMessage();
    // T is built from the controls after the pause, as they stand then.
    const auto result = session->writeRecords(whattoSend(s, false), [this] {
        return whattoSend(buildTRecord(Records::kMixBiasTransmitter), false);
    });
    switch (result) {
    case TransmitterSession::WriteResult::Written:
        // The transmitter does not acknowledge: what is known is what left.
        ui->statusbar->showMessage(
            tr("参数已发送（%1 字节），发射机不回报是否收下，可以用“校验数据”核对").arg(2 * Records::kRecordLength)
            + keepInHistory(ParamHistory::Kind::Written, windowValues()));
        changes->setBaseline();
        break;
    case TransmitterSession::WriteResult::HandOffFailed:
        showError(tr("写入串口失败，参数没有写入发射机\n请检查连接后重新写入"));
        break;
    case TransmitterSession::WriteResult::Incomplete:
        showError(tr("写入串口失败，参数没有完整写入发射机\n请检查连接后重新写入"));
        break;
    case TransmitterSession::WriteResult::NotOpen:
    case TransmitterSession::WriteResult::Lost: // told by endLostSession
        break;
    }
}

// --- verifying --------------------------------------------------------------------

void MainWindow::on_pushButtonVerify_clicked()
{
    if (!isComOpen) {
        verifyAgainstFile();
        return;
    }
    QMessageBox ask(QMessageBox::Question, tr("校验数据"), tr("把窗口中的参数与哪一方比较？"),
                    QMessageBox::Cancel, this);
    QPushButton *transmitter = ask.addButton(tr("发射机"), QMessageBox::AcceptRole);
    QPushButton *file = ask.addButton(tr("参数文件"), QMessageBox::AcceptRole);
    ask.setDefaultButton(transmitter);
    ask.exec();
    if (ask.clickedButton() == transmitter) {
        // The port may have gone while the question was open.
        if (portOpenOrSay())
            verifyAgainstTransmitter();
    } else if (ask.clickedButton() == file) {
        verifyAgainstFile();
    }
}

MapParamAccess MainWindow::windowValues() const
{
    MapParamAccess values;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f)
            values.setValue(QLatin1String(field.control), form->value(QLatin1String(field.control)));
    }
    return values;
}

void MainWindow::verifyAgainstTransmitter()
{
    const MapParamAccess mine = windowValues();
    // Seeded with the window's values, so the dual rates decoded are those of
    // the channel the window shows.
    MapParamAccess answer = mine;
    const int timeout = SessionWait::answerTimeoutMs(session->baudRate());
    QList<quint8> groups;
    finishReadAccountNow();
    const auto outcome = SessionWait::readAnswer(*session, answer, timeout, &groups);
    answeredSinceOpen = answeredSinceOpen || outcome == SessionWait::Outcome::Complete;
    switch (outcome) {
    case SessionWait::Outcome::Complete:
    case SessionWait::Outcome::Partial: // what came is compared, the rest named
        break;
    case SessionWait::Outcome::TimedOut:
        showError(tr("发射机在 %1 毫秒内没有回报参数，没有比较任何参数\n请检查连接后重新校验").arg(timeout));
        return;
    case SessionWait::Outcome::NotSent:
        showError(tr("写入串口失败，读取请求没有发出\n请检查连接后重新校验"));
        return;
    case SessionWait::Outcome::Unconfirmed: // asked for by the command-line tool only
    case SessionWait::Outcome::Lost:        // told by endLostSession
        return;
    }
    const int channel = int(mine.value(QLatin1String(Records::kDualRateChannel)));
    const QList<ParamCompare::Row> rows = ParamCompare::compare(mine, answer, groups);
    QString note = ParamCompare::transmitterNote(channel);
    if (ParamCompare::missing(rows) > 0)
        note = tr("发射机没有回报：%1").arg(ParamCompare::missingNames(rows)) + QLatin1Char('\n') + note;
    const QString origin = tr("发射机 %1 %2").arg(portName(), QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    CompareDialog dlg(rows, origin, note, this);
    if (dlg.exec() == QDialog::Accepted)
        takeValues(dlg);
}

void MainWindow::verifyAgainstFile()
{
    DlgLoad dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    QString records;
    QString reason;
    if (!ParamFile::recordsOf(dlg.getContext(), &records, &reason)) {
        showError(tr("不是有效的参数文件，没有比较任何参数：\n%1").arg(reason));
        return;
    }
    compareWithRecords(records, tr("文件 %1").arg(QFileInfo(dlg.getFileName()).fileName()));
}

// The window against the records of a parameter file, the window's values
// standing in for what a file does not carry.
void MainWindow::compareWithRecords(const QString &records, const QString &origin)
{
    const MapParamAccess mine = windowValues();
    MapParamAccess file = mine;
    Records::apply(Records::sFormat(), records.left(Records::kRecordLength), file);
    Records::apply(Records::tFormat(), records.mid(Records::kRecordLength), file, Records::kMixBiasFile);
    CompareDialog result(ParamCompare::compare(mine, file, ParamCompare::Against::File), origin, QString(), this);
    if (result.exec() == QDialog::Accepted)
        takeValues(result);
}

// The values ticked in a comparison go into the window as changes; nothing
// is sent.
void MainWindow::takeValues(const CompareDialog &dialog)
{
    for (const auto &[control, value] : dialog.taken())
        form->setValue(control, value);
}

// --- history ----------------------------------------------------------------------

void MainWindow::showHistory()
{
    HistoryDialog dlg(history->entries(), this);
    connect(&dlg, &HistoryDialog::compareRequested, this, &MainWindow::compareWithHistory);
    connect(&dlg, &HistoryDialog::loadRequested, this, [this, &dlg](const ParamHistory::Entry &entry) {
        if (loadFromHistory(entry))
            dlg.accept();
    });
    dlg.exec();
}

void MainWindow::compareWithHistory(const ParamHistory::Entry &entry)
{
    QString records;
    QString error;
    if (!ParamFile::load(entry.path, &records, &error)) {
        showError(tr("不能读取历史记录，没有比较任何参数：\n%1").arg(error));
        return;
    }
    compareWithRecords(records, HistoryDialog::origin(entry));
}

bool MainWindow::loadFromHistory(const ParamHistory::Entry &entry)
{
    QString records;
    QString error;
    if (!ParamFile::load(entry.path, &records, &error)) {
        showError(tr("不能读取历史记录，没有加载任何参数：\n%1").arg(error));
        return false;
    }
    loadRecords(records);
    showFile(QString()); // the history's copy is no file of the user's
    valuesOrigin = HistoryDialog::origin(entry);
    originFirmware.reset();
    return true;
}

// --- files ------------------------------------------------------------------------

bool MainWindow::save()
{
    const QString s = buildSRecord();
    const QString t = buildTRecord(Records::kMixBiasFile);
    if (!recordsFit(Records::kMixBiasFile, tr("以下参数超出可保存的范围，没有保存：")))
        return false;

    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("保存数据"), Remembered::startFolder(), tr("文本文件 (*.txt *.dat);;所有文件 (*.*)"));
    qCDebug(lcFiles) << fileName;
    if (fileName.isEmpty())
        return false;
    Remembered::keepFolderOf(fileName);

    if (!ParamFile::save(fileName, (s + t).toLocal8Bit())) {
        showError(tr("不能写入指定的文件"));
        return false;
    }
    changes->setBaseline();
    showFile(fileName);
    valuesOrigin = tr("文件 %1").arg(QFileInfo(fileName).fileName());
    originFirmware.reset();
    return true;
}

void MainWindow::load()
{
    DlgLoad dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString text = dlg.getContext();
    QString records;
    QString reason;
    if (!ParamFile::recordsOf(text, &records, &reason)) {
        showError(tr("不是有效的参数文件，没有加载任何参数：\n%1").arg(reason));
        return;
    }
    loadRecords(records);
    showFile(dlg.getFileName());
    valuesOrigin = tr("文件 %1").arg(QFileInfo(dlg.getFileName()).fileName());
    originFirmware.reset();
}

// The records of a file into the window, the changes it held kept first;
// the window then stands as loaded.
void MainWindow::loadRecords(const QString &records)
{
    const QString editsKept = keepEdits();
    if (!editsKept.isEmpty())
        ui->statusbar->showMessage(editsKept);
    applySRecord(records.left(Records::kRecordLength));
    applyTRecord(records.mid(Records::kRecordLength), Records::kMixBiasFile);
    changes->setBaseline();
}

// --- what the window shows and keeps ------------------------------------------------

void MainWindow::showFile(const QString &path)
{
    shownFile = path;
    setWindowFilePath(path);
    showTitle();
}

// The form's title, then the file the values came from or went to, with the
// mark of values changed since.
void MainWindow::showTitle()
{
    const QString formTitle = tr("Korvan电子K6QX调参软件V2.0");
    const QString file = QFileInfo(shownFile).fileName();
    setWindowTitle(file.isEmpty() ? formTitle + QLatin1String("[*]")
                                  : formTitle + QLatin1String(" - ") + file + QLatin1String("[*]"));
}

// Every control of the records says what it is, for the mouse and for a
// screen reader; the action buttons name their keys.
void MainWindow::explainControls()
{
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *format) {
            if (auto *control = findChild<QWidget *>(QLatin1String(field.control))) {
                control->setToolTip(ControlHelp::toolTip(field));
                control->setAccessibleName(Records::titleOf(field));
            }
        }
    }
    for (auto it = buttonKeys.cbegin(); it != buttonKeys.cend(); ++it) {
        QStringList keys;
        for (const QKeySequence &key : it.value())
            keys << key.toString(QKeySequence::NativeText);
        it.key()->setToolTip(tr("%1（%2）").arg(it.key()->text(), keys.join(tr("，"))));
    }
}

void MainWindow::keepWindowState()
{
    Remembered::keepChoices(panelControls());
    Remembered::keepPosition(pos());
}

// --- setup sheet ------------------------------------------------------------------

void MainWindow::exportSheet()
{
    const MapParamAccess values = windowValues();
    SetupSheet::Input input;
    input.values = &values;
    input.time = QDateTime::currentDateTime();
    input.firmware = originFirmware;
    // Where the values came from, and whether they were changed since.
    input.source = valuesOrigin.isEmpty() ? tr("程序的初始值") : valuesOrigin;
    if (changes->isModified())
        input.source = tr("%1，窗口中已修改").arg(input.source);
    const QString done = SheetExport::run(this, input);
    if (!done.isEmpty())
        ui->statusbar->showMessage(done);
}
