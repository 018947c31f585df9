#include "mainwindow.h"

#include "comm.h"
#include "dlgload.h"
#include "formaccess.h"
#include "linedrain.h"
#include "portcombobox.h"
#include "portlist.h"
#include "portnames.h"
#include "portopenerror.h"
#include "portsettings.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QTimer>

#include <chrono>
#include <future>
#include <thread>

namespace {

// Between the S and the T record the transmitter gets a short breather; the
// records go out as two writes with this pause between the last byte of S
// leaving the computer and the first byte of T.
constexpr std::chrono::milliseconds kRecordPause{3};

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    Q_INIT_RESOURCE(res);
    // Asking the system for its serial ports takes a while; it runs beside
    // building the form.
    auto enumeration = std::async(std::launch::async, &PortList::enumerate);
    ui = new Ui_MainWindow;
    ui->setupUi(this);
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
    };
    for (const auto &[button, file] : actionImages) {
        if (!QFileInfo::exists(QLatin1String(file)))
            button->setIcon(QIcon(QStringLiteral(":/icons/") + QLatin1String(file)));
    }

    ui->comboBoxComm->clear();
    ui->comboBoxComm->addItems(PortList::compose(PortList::extraPorts(), enumeration.get()));
    connect(ui->comboBoxComm, &PortComboBox::popupAboutToShow, this, &MainWindow::refreshPorts);

    resize(1000, 525);

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

    isComOpen = false;
    recvCount = 0;
    transCount = 0;
    RX_flag = 0;
    refrushInfoLabel();

    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
}

MainWindow::~MainWindow()
{
    delete ui;
    ui = nullptr;
    if (isComOpen)
        myCom->close();
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

// --- port session -----------------------------------------------------------

void MainWindow::on_pushButtonOpen_clicked()
{
    if (isComOpen) {
        closeSession();
        return;
    }

    const QString device = PortNames::deviceName(ui->comboBoxComm->currentText());
    auto *port = device.isEmpty() ? nullptr : new QSerialPort(device, this);
    if (!port || !port->open(QIODevice::ReadWrite)) {
        QString text = tr("不能打开指定串口\n请检查串口是否被占用");
        if (port && PortOpenError::wantsGroupHint(port->error(), PortNames::host(),
                                                  PortOpenError::accessDenied(device)))
            text += tr("\n没有访问权限：请把当前用户加入拥有该设备的用户组（通常是 dialout），然后重新登录");
        delete port;
        showError(text);
        return;
    }
    if (myCom)
        myCom->deleteLater();
    myCom = port;

    // Bytes of an earlier session would shift every frame of this one.
    strHex.clear();
    RX_flag = 0;
    portLost = false;

    setPortPar();
    connect(myCom, &QSerialPort::readyRead, this, &MainWindow::readMyCom);
    connect(myCom, &QSerialPort::errorOccurred, this, &MainWindow::onPortError);
    setPanelEnabled(false);
    ui->pushButtonOpen->setText(tr("关闭", "port button"));
    isComOpen = true;
    refrushInfoLabel();
}

// Ports plugged in or pulled out since the list was filled; never while a
// port is open.
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
    if (!myCom)
        return;
    const PortSettings s = PortSettings::fromPanel(
        ui->comboBoxBaudRate->currentText(), ui->comboBoxDataBit->currentText(),
        ui->comboBoxParity->currentText(), ui->comboBoxStopBit->currentText(),
        ui->comboBoxFlowCtrl->currentText());
    // The driver may refuse a setting (a pseudo-terminal refuses parity and
    // the modem lines); the session carries on with what it accepted.
    myCom->setBaudRate(s.baudRate);
    myCom->setDataBits(s.dataBits);
    myCom->setParity(s.parity);
    myCom->setStopBits(s.stopBits);
    myCom->setFlowControl(s.flowControl);
    myCom->setDataTerminalReady(ui->checkBoxDTR->isChecked());
    myCom->setRequestToSend(ui->checkBoxRTS->isChecked());
    // No read time-out to set: QSerialPort signals readyRead as bytes arrive
    // instead of polling the port every 50 ms.
    setPanelEnabled(false);
}

void MainWindow::setPanelEnabled(bool enabled)
{
    QWidget *const panel[] = {ui->comboBoxBaudRate, ui->comboBoxComm, ui->comboBoxDataBit,
                              ui->comboBoxStopBit, ui->comboBoxFlowCtrl, ui->comboBoxParity,
                              ui->checkBoxDTR, ui->checkBoxRTS};
    for (QWidget *w : panel)
        w->setEnabled(enabled);
}

void MainWindow::closeSession()
{
    myCom->close();
    setPanelEnabled(true);
    ui->pushButtonOpen->setText(tr("打开", "port button"));
    isComOpen = false;
    refrushInfoLabel();
}

void MainWindow::onPortError(QSerialPort::SerialPortError error)
{
    // An unplugged adapter reports ResourceError; a pseudo-terminal whose far
    // end closed reports ReadError over and over until the port is closed.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                      || error == QSerialPort::WriteError;
    if (!gone || !isComOpen || portLost || sender() != myCom)
        return;
    portLost = true;
    if (!writingRecords)
        endLostSession();
}

void MainWindow::endLostSession()
{
    closeSession();
    // Told after the port is closed and the signal has returned.
    QTimer::singleShot(0, this, [this] {
        showError(tr("串口连接已断开，串口已关闭\n请检查连接后重新打开串口"));
    });
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
    if (!isComOpen)
        return;
    const qint64 n = myCom->write(whattoSend(QStringLiteral("R"), false));
    if (n > 0)
        transCount += int(n);
    refrushInfoLabel();
}

void MainWindow::readMyCom()
{
    if (writingRecords) {
        readDeferred = true;
        return;
    }
    QByteArray temp;
    if (myCom && myCom->bytesAvailable() > 0)
        temp = myCom->readAll();
    recvCount += int(temp.size());
    refrushInfoLabel();

    // Frames of one delivery are decoded in order; a control they set more
    // than once is set once, to the last value. Frames never set the
    // dual-rate channel they read, so the result is the same as setting each
    // control as its frame completes.
    BufferedParamAccess decoded(*form);
    static const char digits[] = "0123456789abcdef";
    for (const char c : std::as_const(temp)) {
        const auto b = static_cast<unsigned char>(c);
        strHex += QLatin1Char(digits[b >> 4]);
        strHex += QLatin1Char(digits[b & 0x0F]);
        if (++RX_flag == ReplyFrames::kFrameLength) {
            RX_flag = 0;
            ReplyFrames::decode(strHex, decoded);
            strHex.clear();
        }
    }
    decoded.flush();
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
    if (!isComOpen)
        return;
    if (!recordsFit(Records::kMixBiasTransmitter, tr("以下参数超出可写入的范围，没有写入发射机：")))
        return;

    {
        // No event is processed from here to the last byte of T: the controls,
        // the port and the button stay as they were at the click.
        QScopedValueRollback<bool> guard(writingRecords, true);
        if (writeRecord(s)) {
            std::this_thread::sleep_for(kRecordPause);
            const QString t = buildTRecord(Records::kMixBiasTransmitter);
            if (isComOpen && !portLost)
                writeRecord(t);
        }
    }

    if (portLost && isComOpen)
        endLostSession();
    if (readDeferred) {
        readDeferred = false;
        QMetaObject::invokeMethod(this, &MainWindow::readMyCom, Qt::QueuedConnection);
    }
}

bool MainWindow::writeRecord(const QString &record)
{
    const QByteArray bytes = whattoSend(record, false);
    const qint64 handed = myCom->write(bytes);
    if (handed < 0) {
        if (!portLost)
            showError(tr("写入串口失败，参数没有写入发射机\n请检查连接后重新写入"));
        return false;
    }

    // write() only queues the bytes in Qt's buffer; hand them to the device
    // before going on, bounded by a generous multiple of their wire time.
    QElapsedTimer timer;
    timer.start();
    const qint64 budget = LineDrain::wireTimeMs(bytes.size(), myCom->baudRate()) + 1000;
    while (!portLost && myCom->bytesToWrite() > 0 && timer.elapsed() < budget) {
        if (!myCom->waitForBytesWritten(int(budget - timer.elapsed())))
            break;
    }
    if (!portLost && myCom->bytesToWrite() == 0)
        LineDrain::waitForDriverQueue(myCom, timer, budget);
    const qint64 left = myCom->bytesToWrite();
    transCount += int(handed - left);
    refrushInfoLabel();
    if (portLost)
        return false;
    if (handed < bytes.size() || left > 0) {
        myCom->clear(QSerialPort::Output);
        showError(tr("写入串口失败，参数没有完整写入发射机\n请检查连接后重新写入"));
        return false;
    }
    return true;
}

// --- files ------------------------------------------------------------------------

void MainWindow::save()
{
    const QString s = buildSRecord();
    const QString t = buildTRecord(Records::kMixBiasFile);
    if (!recordsFit(Records::kMixBiasFile, tr("以下参数超出可保存的范围，没有保存：")))
        return;

    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("保存数据"), QStringLiteral("./"), tr("文本文件 (*.txt *.dat);;所有文件 (*.*)"));
    qDebug() << fileName;
    if (fileName.isEmpty())
        return;

    // Written beside the target and renamed over it: a failed write leaves
    // the previous file as it was. Unbuffered, so a short write (a full disk,
    // a size limit) shows in write()'s count instead of vanishing in a flush.
    const QFileInfo target(fileName);
    QSaveFile file(fileName);
    const QByteArray data = (s + t).toLocal8Bit();
    const bool written = !(target.exists() && !target.isWritable())
                         && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && file.write(data) == data.size() && file.commit();
    if (!written) {
        file.cancelWriting();
        showError(tr("不能写入指定的文件"));
    }
}

void MainWindow::load()
{
    DlgLoad dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString text = dlg.getContext();
    QString reason;
    if (!Records::isParameterFile(text, &reason)) {
        showError(tr("不是有效的参数文件，没有加载任何参数：\n%1").arg(reason));
        return;
    }
    applySRecord(text.left(Records::kRecordLength));
    applyTRecord(text.mid(Records::kRecordLength, Records::kRecordLength), Records::kMixBiasFile);
}
