// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portpanel.h"

#include "portcombobox.h"
#include "portlist.h"
#include "remembered.h"
#include "ui_mainwindow.h"

#include <QTimer>

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
        const QStringList found = PortList::enumerate();
        QMetaObject::invokeMethod(
            this, [this, listedAtStart, found] { enumerated(listedAtStart, found); }, Qt::QueuedConnection);
    });
}

// The start-up list gets the system's ports, unless the list has changed
// since (a refresh when the drop-down opened, a port opened).
void PortPanel::enumerated(const QStringList &listedAtStart, const QStringList &found)
{
    QComboBox *box = ui->comboBoxComm;
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (box->isEnabled() && shown == listedAtStart) {
        const QString chosen = box->currentText();
        box->clear();
        box->addItems(PortList::compose(listedAtStart, found));
        box->setCurrentIndex(chosen.isEmpty() ? 0 : box->findText(chosen));
        // The port of the last session when it is there again; else the
        // first one.
        const int kept = box->findText(Remembered::keptChoice(box));
        if (!m_picked && kept >= 0)
            box->setCurrentIndex(kept);
    }
    emit portsListed();
}

// Ports plugged in or pulled out since the list was filled; never while a
// port is open (the panel is locked then).
void PortPanel::refresh()
{
    QComboBox *box = ui->comboBoxComm;
    if (!box->isEnabled())
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
