// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portpanel.h"

#include "portcombobox.h"
#include "portlist.h"
#include "portnames.h"
#include "remembered.h"
#include "ui_mainwindow.h"

#include <QAbstractItemView>
#include <QTimer>

#include <chrono>
#include <utility>

PortPanel::PortPanel(Ui_MainWindow *form, QObject *parent)
    : QObject(parent), ui(form)
{
    // Asking the system for its serial ports takes a while, and run beside
    // building the form it slows both down. The paths given through the
    // environment are listed at once; the system's ports follow once the
    // window is on screen.
    ui->comboBoxComm->clear();
    ui->comboBoxComm->addItems(PortList::extraPorts());
    // The panel as it was left; the port is chosen again once the system's
    // ports are listed, unless the user has picked one by then.
    Remembered::restoreChoices(controls());
    connect(ui->comboBoxComm, &QComboBox::activated, this, [this] { m_picked = true; });
    QTimer::singleShot(0, this, &PortPanel::startScan);
    connect(ui->comboBoxComm, &PortComboBox::popupAboutToShow, this, &PortPanel::refresh);
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, &PortPanel::poll);
}

PortPanel::~PortPanel()
{
    if (m_scan.valid())
        m_scan.wait(); // its answer is dropped with the panel
}

QList<QWidget *> PortPanel::controls() const
{
    return {ui->comboBoxComm, ui->comboBoxBaudRate, ui->comboBoxDataBit, ui->comboBoxStopBit,
            ui->comboBoxFlowCtrl, ui->comboBoxParity, ui->checkBoxDTR, ui->checkBoxRTS};
}

void PortPanel::setEnabled(bool enabled)
{
    for (QWidget *w : controls())
        w->setEnabled(enabled);
    // The transmitter is looked for on closed ports only.
    ui->pushButtonFind->setEnabled(enabled);
    ui->checkBoxFindAll->setEnabled(enabled);
}

PortSettings PortPanel::settings() const
{
    return PortSettings::fromPanel(ui->comboBoxBaudRate->currentText(), ui->comboBoxDataBit->currentText(),
                                   ui->comboBoxParity->currentText(), ui->comboBoxStopBit->currentText(),
                                   ui->comboBoxFlowCtrl->currentText());
}

bool PortPanel::dtr() const
{
    return ui->checkBoxDTR->isChecked();
}

bool PortPanel::rts() const
{
    return ui->checkBoxRTS->isChecked();
}

void PortPanel::startScan()
{
    const QStringList listedAtStart = PortList::extraPorts();
    m_scan = std::async(std::launch::async, [this, listedAtStart] {
        const QList<PortList::Port> found = PortList::enumeratePorts();
        const QList<UsbDrivers::Device> adapters = UsbDrivers::found();
        QMetaObject::invokeMethod(
            this, [this, listedAtStart, found, adapters] { enumerated(listedAtStart, found, adapters); },
            Qt::QueuedConnection);
    });
}

// The start-up list gets the system's ports, unless the list has changed
// since (a refresh when the drop-down opened, a port opened).
void PortPanel::enumerated(const QStringList &listedAtStart, const QList<PortList::Port> &found,
                           const QList<UsbDrivers::Device> &adapters)
{
    PortComboBox *box = ui->comboBoxComm;
    m_seen = PortNames::listed(PortList::names(found));
    if (box->isEnabled() && box->items() == listedAtStart) {
        const QString chosen = box->currentText();
        box->setPorts(PortList::compose(listedAtStart, PortList::names(found)), found);
        box->setCurrentIndex(chosen.isEmpty() ? 0 : box->findText(chosen));
        // The port of the last session when it is there again; else the
        // first one.
        const int kept = box->findText(Remembered::keptChoice(box));
        if (!m_picked && kept >= 0)
            box->setCurrentIndex(kept);
    }
    m_poll.start();
    // No port to pick: an adapter without one says why.
    if (box->count() == 0 && !adapters.isEmpty())
        emit notice(UsbDrivers::summary(adapters));
    emit portsListed();
}

// Ports plugged in or pulled out since the list was filled; never while a
// port is open (the panel is locked then).
void PortPanel::refresh()
{
    PortComboBox *box = ui->comboBoxComm;
    if (!box->isEnabled())
        return;
    const QList<PortList::Port> found = PortList::enumeratePorts();
    const QList<UsbDrivers::Device> adapters = UsbDrivers::found();
    if (!adapters.isEmpty())
        emit notice(UsbDrivers::summary(adapters));
    m_seen = PortNames::listed(PortList::names(found));
    const QStringList items = PortList::compose(PortList::extraPorts(), PortList::names(found));
    if (items == box->items()) {
        box->describe(found);
        return;
    }
    const int choice = PortList::keepChoice(items, box->currentText());
    box->setPorts(items, found);
    box->setCurrentIndex(choice);
}

// The list may change under the user only while no port is open (the
// panel is locked then) and the drop-down is closed.
bool PortPanel::watching() const
{
    return ui->comboBoxComm->isEnabled() && !ui->comboBoxComm->view()->isVisible();
}

void PortPanel::poll()
{
    using namespace std::chrono_literals;
    if (!watching() || (m_scan.valid() && m_scan.wait_for(0s) != std::future_status::ready))
        return;
    m_scan = std::async(std::launch::async, [this] {
        const QList<PortList::Port> found = PortList::enumeratePorts();
        QMetaObject::invokeMethod(this, [this, found] { polled(found); }, Qt::QueuedConnection);
    });
}

// A port that has come since the last look is chosen and told of; one that
// has gone leaves the list (the open one never does: there is no poll while
// a port is open). Items the system did not report (paths given through
// the environment, typed) are left as they are.
void PortPanel::polled(const QList<PortList::Port> &found)
{
    PortComboBox *box = ui->comboBoxComm;
    if (!watching())
        return;
    const QStringList now = PortNames::listed(PortList::names(found));
    const QStringList before = std::exchange(m_seen, now);
    if (now == before)
        return;
    const QStringList shown = box->items();
    QStringList items;
    for (const QString &item : shown) {
        if (now.contains(item) || !before.contains(item))
            items << item;
    }
    QString newcomer;
    for (const QString &name : now) {
        if (!items.contains(name)) {
            items << name;
            newcomer = name;
        }
    }
    if (items == shown)
        return;
    const int choice = newcomer.isEmpty() ? PortList::keepChoice(items, box->currentText()) : items.indexOf(newcomer);
    box->setPorts(items, found);
    box->setCurrentIndex(choice);
    if (newcomer.isEmpty())
        return;
    const PortList::Port *port = PortList::find(found, newcomer);
    const QString what = port ? PortList::kind(*port) : QString();
    emit portFound(what.isEmpty() ? tr("发现新的串口 %1").arg(newcomer) : tr("发现新的串口 %1（%2）").arg(newcomer, what));
}
