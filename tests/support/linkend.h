// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow.h"
#include "ptypair.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <functional>

// The far end of a pseudo-terminal that the window opens as its serial port.
class LinkEnd final
{
public:
    LinkEnd();

    PtyPair pty;

    // Puts the slave path at the head of the port list and clicks "打开".
    void openIn(MainWindow &w);

    // Plays a transmitter that holds the window's own set: clicks 读取数据 and
    // answers, so the window's values stay and a write of this session needs
    // no backup read first.
    void answerOnce(MainWindow &w);

    // A read in the window asks until two answers are alike: answers the
    // next request with the same bytes.
    void confirm(const QByteArray &answer);

    void send(const QByteArray &bytes);
    // Reads until n bytes arrived or the time is up, running the event loop.
    QByteArray receive(int n, int timeoutMs = 3000);
    // Whatever arrives within the time, running the event loop.
    QByteArray drain(int timeoutMs = 100);
};

// Plays the transmitter's side of the read requests while it lives: the
// answer to the n-th "R" (counted from 0) is answer(n), an empty answer
// sends nothing. Everything the program sent is kept.
class Answerer final
{
public:
    Answerer(LinkEnd &link, std::function<QByteArray(int request)> answer);

    int requests() const { return m_requests; }
    QByteArray received() const { return m_received; }

private:
    QTimer m_timer;
    int m_requests = 0;
    QByteArray m_received;
};
