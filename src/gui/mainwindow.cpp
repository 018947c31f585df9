// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"

#include "aboutbox.h"
#include "appearance.h"
#include "actionbar.h"
#include "changetracker.h"
#include "comm.h"
#include "comparedialog.h"
#include "controlhelp.h"
#include "filelog.h"
#include "findcontrol.h"
#include "formaccess.h"
#include "formtexts.h"
#include "messageline.h"
#include "modelactions.h"
#include "moremenu.h"
#include "paramfile.h"
#include "portdoctor.h"
#include "portnames.h"
#include "portpanel.h"
#include "recordcodec.h"
#include "remembered.h"
#include "screenplace.h"
#include "sheetexport.h"
#include "transmittersession.h"
#include "valuesources.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    Q_INIT_RESOURCE(res);
    ui = new Ui_MainWindow;
    ui->setupUi(this);
    form = std::make_unique<FormAccess>(this);
    texts = std::make_unique<FormTexts>(ui, this);

    actions = std::make_unique<ActionBar>(ui, this);

    panel = new PortPanel(ui, this);
    connect(panel, &PortPanel::portsListed, this, &MainWindow::portsListed);

    resize(1000, 525);

    work = new TransmitterWork(*form, this);
    work->setAsker([this](TransmitterWork::Question q, const QString &why) { return askToWrite(q, why); });
    TransmitterSession &session = work->session();
    connect(&session, &TransmitterSession::countersChanged, this, &MainWindow::mirrorCounters);
    connect(&session, &TransmitterSession::delivered, this, &MainWindow::readMyCom);
    connect(work, &TransmitterWork::lost, this, &MainWindow::endLostSession);
    connect(work, &TransmitterWork::readFinished, this, &MainWindow::showAccount);
    connect(work, &TransmitterWork::historyTroubleChanged, this, &MainWindow::showHistoryWarning);
    connect(work, &TransmitterWork::historyNotice, this, &MainWindow::showHistoryWarning);

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
    // The message has the width the bar leaves; a hover's status tip hides
    // it only while the mouse stays.
    message = new MessageLine;
    ui->statusbar->addWidget(message, 1);
    connect(panel, &PortPanel::portFound, message, [this](const QString &text) { message->say(text); });
    finding = new FindControl(ui, panel, this);
    connect(finding, &FindControl::told, message, &MessageLine::say);
    connect(panel, &PortPanel::notice, message, [this](const QString &text) { message->say(text); });
    // Trouble with the history stays in sight until an entry is kept again.
    historyWarning = new QLabel;
    historyWarning->setObjectName(QStringLiteral("historyWarning"));
    historyWarning->hide();
    ui->statusbar->addPermanentWidget(historyWarning);
    ui->statusbar->addPermanentWidget(fstLabel);
    ui->statusbar->addPermanentWidget(secLabel);
    // Beside the counters, where the form leaves room for buttons.
    more = new MoreMenu(this);
    ui->statusbar->insertPermanentWidget(1, more->button()); // after the message
    more->showLanguage(Language::current());

    changes = new ChangeTracker(this, this);
    more->revert()->setEnabled(false);
    connect(changes, &ChangeTracker::modifiedChanged, this, [this](bool modified) {
        setWindowModified(modified);
        more->revert()->setEnabled(modified);
    });
    connect(work, &TransmitterWork::baselineChanged, this, [this] {
        changes->setBaseline(work->baseline());
        showTitle();
    });
    connect(work, &TransmitterWork::staleChanged, this, [this] {
        changes->setStale(work->stale());
        explainControls();
    });
    connect(more->revert(), &QAction::triggered, this, [this] { say(tr("已还原 %n 项", nullptr, work->revert())); });
    connect(more->history(), &QAction::triggered, this, [this] { say(ValueSources::showHistory(this, *work)); });
    connect(more->exportSheet(), &QAction::triggered, this, [this] { say(SheetExport::run(this, *work)); });
    models = new ModelActions(this, *work, [this](const QString &text) { say(text); },
                              [this] { on_pushButtonSend2_clicked(); });
    connect(more->models(), &QAction::triggered, models, &ModelActions::openLibrary);
    connect(more->saveTemplate(), &QAction::triggered, models, &ModelActions::saveAsTemplate);
    connect(more->about(), &QAction::triggered, this, [this] { AboutBox::create(this)->open(); });
    connect(more, &MoreMenu::languageChosen, this, &MainWindow::chooseLanguage);
    more->showLook(Appearance::current());
    connect(more, &MoreMenu::lookChosen, this, [this](Appearance::Choice look) {
        Appearance::apply(look);
        Remembered::keepAppearance(look);
    });

    isComOpen = false;
    recvCount = 0;
    transCount = 0;
    RX_flag = 0;
    refrushInfoLabel();
    showTitle();

    explainControls();

    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);

    // Where the window was left, moved so all of it is on a screen.
    if (const auto kept = Remembered::position())
        move(ScreenPlace::onScreen(*kept, frameSize(), QGuiApplication::screenAt(*kept)));
}

MainWindow::~MainWindow()
{
    delete finding; // closes the port it is trying
    delete panel; // waits for the port scan
    delete changes; // stops watching before the controls go
    changes = nullptr;
    delete work; // closes the port before the form goes
    work = nullptr;
    delete ui;
    ui = nullptr;
}

void MainWindow::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::LanguageChange || !ui || !work)
        return;
    texts->retranslate();
    if (more) {
        more->retranslate();
        more->showLanguage(Language::current());
    }
    ui->pushButtonOpen->setText(isComOpen ? tr("关闭", "port button") : tr("打开", "port button"));
    if (finding)
        finding->retranslate();
    showTitle();
    explainControls();
    refrushInfoLabel();
    showHistoryWarning();
    if (changes)
        changes->markTabs();
}

// The catalogue of the language chosen in the menu; the window and every
// dialog opened later follow it at once, and the next start too.
void MainWindow::chooseLanguage(Language::Choice choice)
{
    if (choice == Language::current())
        return;
    if (!Language::installCatalogue(*qApp, choice)) {
        more->showLanguage(Language::current());
        showError(tr("不能加载界面语言的翻译"));
        return;
    }
    Remembered::keepLanguage(choice);
    say(tr("界面语言已切换为中文"));
}

// Once the window has its frame: the kept position brought on screen with
// the frame counted (its title bar, its borders).
void MainWindow::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (placed || e->spontaneous())
        return;
    placed = true;
    const QRect frame = frameGeometry();
    const QPoint inside = ScreenPlace::onScreen(frame.topLeft(), frame.size(), QGuiApplication::screenAt(frame.center()));
    if (inside != frame.topLeft())
        move(inside);
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

// Trouble and failures in a message box; the rest in the status bar. A port
// that went away is told by endLostSession.
void MainWindow::showAccount(const TransmitterWork::Account &account)
{
    if (account.outcome == AnswerCollector::Outcome::Lost)
        return;
    message->say(account.text, account.details, account.advice);
    if (account.level == TransmitterWork::Account::Level::Trouble)
        showError(account.full());
}

void MainWindow::say(const QString &text)
{
    if (!text.isEmpty())
        message->say(text);
}

void MainWindow::showHistoryWarning()
{
    const QString why = work->historyTrouble().isEmpty() ? work->clockNotice()
                                                         : tr("参数历史没有保存：%1").arg(work->historyTrouble());
    historyWarning->setToolTip(why);
    if (historyWarning->pixmap().isNull() && !why.isEmpty())
        historyWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    historyWarning->setVisible(!why.isEmpty());
}

// --- port session -----------------------------------------------------------

void MainWindow::on_pushButtonOpen_clicked()
{
    if (isComOpen) {
        closeSession();
        return;
    }
    const QString device = PortNames::deviceName(ui->comboBoxComm->currentText());
    if (!work->open(device, panel->settings(), panel->dtr(), panel->rts())) {
        const auto findings = PortDoctor().examine(ui->comboBoxComm->currentText(), work->openError(), work->openSystemError());
        showError(tr("不能打开指定串口") + QLatin1Char('\n') + PortDoctor::openFailure(findings).join(QLatin1Char('\n')));
        return;
    }
    strHex.clear();
    RX_flag = 0;
    Remembered::keepChoices(panel->controls()); // choices that opened a port
    setPortPar();
    ui->pushButtonOpen->setText(tr("关闭", "port button"));
    isComOpen = true;
    refrushInfoLabel();
}

// The panel's settings went to the port as it opened; no read time-out to
// set: QSerialPort signals readyRead as bytes arrive.
void MainWindow::setPortPar()
{
    myCom = work->session().port();
    panel->setEnabled(false);
}

void MainWindow::closeSession()
{
    work->close();
    myCom = nullptr;
    panel->setEnabled(true);
    ui->pushButtonOpen->setText(tr("打开", "port button"));
    isComOpen = false;
    refrushInfoLabel();
}

void MainWindow::endLostSession()
{
    message->say(tr("串口连接已断开，串口已关闭"));
    closeSession();
    // Told after the port is closed and the signal has returned.
    QTimer::singleShot(0, this, [this] { showError(tr("串口连接已断开，串口已关闭\n请检查连接后重新打开串口")); });
}

void MainWindow::mirrorCounters()
{
    transCount = int(work->session().sentBytes());
    recvCount = int(work->session().receivedBytes());
    refrushInfoLabel();
}

QByteArray MainWindow::whattoSend(QString tmp, bool hex)
{
    if (!hex)
        return tmp.toLocal8Bit();
    bool ok = false;
    return BgComm::HexStringToByteArray(tmp, &ok);
}

// --- reading, writing, verifying ---------------------------------------------

void MainWindow::on_pushButtonRead_clicked()
{
    message->say(tr("正在读取…"));
    work->read();
}

// The session has decoded a delivery; the window shows where the assembly
// of the next frame stands.
void MainWindow::readMyCom()
{
    strHex = work->session().pendingHex();
    RX_flag = work->session().pendingBytes();
}

void MainWindow::on_pushButtonSend2_clicked()
{
    TransmitterWork::Account account = work->write();
    if (account.done && account.advice.isEmpty())
        account.advice = tr("可以用“校验数据”核对");
    showAccount(account);
}

bool MainWindow::askToWrite(TransmitterWork::Question question, const QString &why)
{
    const QString text = question == TransmitterWork::Question::WriteWithoutBackup
                             ? tr("发射机没有回报当前参数，写入前无法备份。\n仍然写入？")
                             : tr("备份没有保存：%1\n仍然写入？").arg(why);
    QMessageBox ask(QMessageBox::Question, tr("写入数据"), text, QMessageBox::Yes | QMessageBox::No, this);
    ask.setDefaultButton(QMessageBox::No);
    if (question == TransmitterWork::Question::WriteWithoutBackup)
        ask.setInformativeText(why);
    return ask.exec() == QMessageBox::Yes;
}

void MainWindow::on_pushButtonVerify_clicked()
{
    if (!isComOpen) {
        verifyAgainstFile();
        return;
    }
    QMessageBox ask(QMessageBox::Question, tr("校验数据"), tr("把窗口中的参数与哪一方比较？"), QMessageBox::Cancel, this);
    QPushButton *transmitter = ask.addButton(tr("发射机"), QMessageBox::AcceptRole);
    QPushButton *file = ask.addButton(tr("参数文件"), QMessageBox::AcceptRole);
    ask.setDefaultButton(transmitter);
    ask.exec();
    if (ask.clickedButton() == file) {
        verifyAgainstFile();
        return;
    }
    if (ask.clickedButton() != transmitter)
        return;
    const TransmitterWork::Verification v = work->verify(); // the port may have gone while the question was open
    if (!v.account.done) {
        showAccount(v.account);
        return;
    }
    CompareDialog dlg(v.rows, v.origin, v.note, this);
    if (dlg.exec() == QDialog::Accepted)
        say(ValueSources::takenText(dlg.taken().size(), work->take(dlg.taken())));
}

void MainWindow::verifyAgainstFile()
{
    QString records;
    QString fileName;
    if (ValueSources::recordsFromDialog(this, tr("不是有效的参数文件，没有比较任何参数：\n%1"), &records, &fileName,
                                        tr("校验数据")))
        say(
            ValueSources::compare(this, *work, records, tr("文件 %1").arg(QFileInfo(fileName).fileName())));
}

// --- files ------------------------------------------------------------------------

bool MainWindow::recordsFit(int mixBias, const QString &refusal)
{
    const QStringList problems = Records::limitProblems(Records::sFormat(), *form)
                                 + Records::limitProblems(Records::tFormat(), *form, mixBias);
    if (problems.isEmpty())
        return true;
    showError(refusal + QLatin1Char('\n') + problems.join(QLatin1Char('\n')));
    return false;
}

bool MainWindow::save()
{
    const QString s = buildSRecord();
    const QString t = buildTRecord(Records::kMixBiasFile);
    if (!recordsFit(Records::kMixBiasFile, tr("以下参数超出可保存的范围，没有保存：")))
        return false;
    switch (models->askSaveTarget()) {
    case ModelActions::SaveTarget::Model:
        return models->saveToHeld();
    case ModelActions::SaveTarget::Nothing:
        return false;
    case ModelActions::SaveTarget::File:
        break;
    }

    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("保存数据"), Remembered::startFolder(), tr("文本文件 (*.txt *.dat);;所有文件 (*.*)"));
    qCDebug(lcFiles) << fileName;
    if (fileName.isEmpty())
        return false;
    Remembered::keepFolderOf(fileName);

    if (!ParamFile::save(fileName, whattoSend(s + t, false))) {
        showError(ParamFile::saveError(fileName));
        return false;
    }
    work->saved(fileName);
    say(tr("已保存到 %1").arg(QDir::toNativeSeparators(fileName)));
    return true;
}

// The records of a file into the window through the work, which keeps the
// changes they replace first; the window then stands as loaded.
void MainWindow::load()
{
    QString records;
    TransmitterWork::Origin origin;
    origin.kind = TransmitterWork::Origin::Kind::File;
    if (ValueSources::recordsFromDialog(this, tr("不是有效的参数文件，没有加载任何参数：\n%1"), &records, &origin.where))
        say(ValueSources::loadedText(tr("文件 %1").arg(QFileInfo(origin.where).fileName()),
                                     work->load(ValueSources::withRecords(work->values(), records), origin)));
}

// The records from the form and into it, through the codec's tables.
QString MainWindow::buildSRecord() const { return Records::build(Records::sFormat(), *form); }
QString MainWindow::buildTRecord(int mixBias) const { return Records::build(Records::tFormat(), *form, mixBias); }
void MainWindow::applySRecord(const QString &record) { Records::apply(Records::sFormat(), record, *form); }
void MainWindow::applyTRecord(const QString &r, int mixBias) { Records::apply(Records::tFormat(), r, *form, mixBias); }

// --- what the window shows and keeps ------------------------------------------------

// The form's title, then the file or the model the values came from or went
// to, with the mark of values changed since.
void MainWindow::showTitle()
{
    using Kind = TransmitterWork::Origin::Kind;
    const TransmitterWork::Origin &origin = work ? work->origin() : TransmitterWork::Origin();
    setWindowFilePath(origin.kind == Kind::File ? origin.where : QString());
    const QString held = origin.kind == Kind::File    ? QFileInfo(origin.where).fileName()
                         : origin.kind == Kind::Model ? tr("模型 %1").arg(origin.where)
                                                      : QString();
    const QString formTitle = tr("Korvan电子K6QX调参软件V2.0");
    setWindowTitle(held.isEmpty() ? formTitle + QLatin1String("[*]")
                                  : formTitle + QLatin1String(" - ") + held + QLatin1String("[*]"));
}

// Every control of the records says what it is, for the mouse and for a
// screen reader; the action buttons name their keys.
void MainWindow::explainControls()
{
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *format) {
            if (auto *control = findChild<QWidget *>(QLatin1String(field.control))) {
                QString tip = ControlHelp::toolTip(field);
                if (work && work->stale().contains(QLatin1String(field.control)))
                    tip += QLatin1Char('\n') + tr("这次读取没有回报，仍是窗口原来的值");
                control->setToolTip(tip);
                control->setAccessibleName(Records::titleOf(field));
            }
        }
    }
    actions->explain();
}

void MainWindow::keepWindowState()
{
    Remembered::keepChoices(panel->controls());
    Remembered::keepPosition(pos());
}
