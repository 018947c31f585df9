// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "portlist.h"
#include "portsettings.h"
#include "usbdrivers.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <future>

class Ui_MainWindow;
class QWidget;

// The serial panel of the channel page: the port list (the paths from the
// environment at once, the system's ports once the window is up, again each
// time the drop-down opens while no port is open, and once a second while
// no port is open and the drop-down is closed: a port plugged in then is
// chosen), the settings it offers, and locking it while a port is open.
class PortPanel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortPanel)

public:
    PortPanel(Ui_MainWindow *ui, QObject *parent);
    ~PortPanel() override;

    QList<QWidget *> controls() const;
    void setEnabled(bool enabled);
    PortSettings settings() const;
    bool dtr() const;
    bool rts() const;

signals:
    // The system's serial ports have joined the start-up port list.
    void portsListed();
    // A port plugged in while none was open has joined the list and is the
    // choice now: "发现新的串口 COM4（CH340）".
    void portFound(const QString &text);
    // Something the user should know about the ports, for the message
    // line: an adapter plugged in that gives no port, and why.
    void notice(const QString &text);

private:
    void startScan();
    void enumerated(const QStringList &listedAtStart, const QList<PortList::Port> &found,
                    const QList<UsbDrivers::Device> &adapters);
    void refresh();
    bool watching() const;
    void poll();
    void polled(const QList<PortList::Port> &found);

    Ui_MainWindow *ui;
    std::future<void> m_scan; // the system's ports, asked for once the window is up, then by each poll
    QTimer m_poll;
    QStringList m_seen; // the system's ports at the last look: the poll adds and removes only what changed since
    bool m_picked = false;    // the user picked a port before the system's ports were listed
};
