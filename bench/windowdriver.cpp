// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowdriver.h"

#include "mainwindow.h"

#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>

namespace Bench {

namespace {

class PaintWatch final : public QObject
{
public:
    explicit PaintWatch(QEventLoop &loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        return false;
    }

private:
    QEventLoop &m_loop;
};

} // namespace

QPushButton *button(MainWindow &w, const char *name)
{
    return w.findChild<QPushButton *>(QLatin1String(name));
}

void showPainted(QWidget &w)
{
    QEventLoop loop;
    PaintWatch watch(loop);
    w.installEventFilter(&watch);
    w.show();
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    w.removeEventFilter(&watch);
}

QSerialPort *openPort(MainWindow &w, const QString &path, const QString &baud)
{
    auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
    ports->insertItem(0, path);
    ports->setCurrentIndex(0);
    auto *rates = w.findChild<QComboBox *>(QStringLiteral("comboBoxBaudRate"));
    rates->setCurrentIndex(rates->findText(baud));
    button(w, "pushButtonOpen")->click();
    for (QSerialPort *port : w.findChildren<QSerialPort *>()) {
        if (port->isOpen())
            return port;
    }
    return nullptr;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace Bench
