// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linkend.h"

#include "controls.h"
#include "recordcodec.h"
#include "transmitter.h"
#include "windowprobe.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QTimer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <poll.h>
#include <unistd.h>

LinkEnd::LinkEnd()
{
    QString error;
    if (!pty.open(&error))
        qFatal("cannot open a pseudo-terminal: %s", qPrintable(error));
}

void LinkEnd::openIn(MainWindow &w)
{
    choosePort(w, pty.slavePath());
    // A port that fails to open puts up a message box. A test that expects
    // it has a ModalWatcher to answer it; any other test must fail at once
    // instead of waiting on a box nobody answers.
    QTimer guard;
    QElapsedTimer shown;
    guard.callOnTimeout([&guard, &shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            shown.invalidate();
            return;
        }
        if (!shown.isValid())
            shown.start();
        else if (shown.elapsed() > 2000) {
            qWarning("port did not open: %s", qPrintable(box->text()));
            guard.stop();
            box->reject();
        }
    });
    guard.start(50);
    w.findChild<QPushButton *>(QStringLiteral("pushButtonOpen"))->click();
}

void LinkEnd::answerOnce(MainWindow &w)
{
    MainWindowProbe probe(w);
    Transmitter t;
    t.receive(probe.buildS().toLatin1() + probe.buildT(Records::kMixBiasTransmitter).toLatin1());
    const int before = probe.recvCount();
    w.findChild<QPushButton *>(QStringLiteral("pushButtonRead"))->click();
    if (receive(1) != "R")
        qWarning("answerOnce: no read request");
    send(t.replyFrames());
    confirm(t.replyFrames());
    QElapsedTimer timer;
    timer.start();
    while (probe.recvCount() < before + 2 * Transmitter::answerLength() && timer.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

void LinkEnd::confirm(const QByteArray &answer)
{
    if (receive(1) != "R")
        qWarning("confirm: no second read request");
    send(answer);
}

void LinkEnd::send(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(pty.masterFd(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else
            QTest::qWait(1);
    }
}

QByteArray LinkEnd::receive(int n, int timeoutMs)
{
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (got.size() < n && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{pty.masterFd(), POLLIN, 0};
        if (::poll(&p, 1, 5) > 0 && (p.revents & POLLIN)) {
            char buf[4096];
            const ssize_t r = ::read(pty.masterFd(), buf, sizeof buf);
            if (r > 0)
                got.append(buf, r);
        }
    }
    return got;
}

QByteArray LinkEnd::drain(int timeoutMs)
{
    return receive(1 << 30, timeoutMs);
}

Answerer::Answerer(LinkEnd &link, std::function<QByteArray(int request)> answer)
{
    m_timer.callOnTimeout([this, &link, answer] {
        const QByteArray bytes = link.drain(1);
        m_received += bytes;
        for (qsizetype i = bytes.count('R'); i > 0; --i)
            link.send(answer(m_requests++));
    });
    m_timer.start(2);
}
