// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

QPushButton *button(QWidget &window, const char *name)
{
    auto *b = window.findChild<QPushButton *>(QLatin1String(name));
    if (!b)
        qFatal("no button %s", name);
    return b;
}

QAction *action(QWidget &window, const char *name)
{
    auto *a = window.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("no action %s", name);
    return a;
}

void click(QWidget &window, const char *name)
{
    if (qstrncmp(name, "action", 6) == 0)
        action(window, name)->trigger();
    else
        button(window, name)->click();
}

QString shownMessage(QWidget &window)
{
    auto *line = window.findChild<QLabel *>(QStringLiteral("labelMessage"));
    if (!line)
        qFatal("no message line");
    return line->toolTip();
}

void choosePort(QWidget &window, const QString &port)
{
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
    if (!ports)
        qFatal("no port list");
    ports->insertItem(0, port);
    ports->setCurrentIndex(0);
}

void openPort(QWidget &window, const QString &port)
{
    choosePort(window, port);
    click(window, "pushButtonOpen");
}

double controlValue(QWidget &window, const QString &name)
{
    if (auto *s = window.findChild<QSpinBox *>(name))
        return s->value();
    if (auto *d = window.findChild<QDoubleSpinBox *>(name))
        return d->value();
    if (auto *c = window.findChild<QComboBox *>(name))
        return c->currentIndex();
    qFatal("no control %s", qPrintable(name));
}

void setControl(QWidget &window, const QString &name, double value)
{
    if (auto *s = window.findChild<QSpinBox *>(name))
        s->setValue(int(value));
    else if (auto *d = window.findChild<QDoubleSpinBox *>(name))
        d->setValue(value);
    else if (auto *c = window.findChild<QComboBox *>(name))
        c->setCurrentIndex(int(value));
    else
        qFatal("no control %s", qPrintable(name));
}

QByteArray frame(quint8 group, std::initializer_list<int> values)
{
    QByteArray f(12, '\0');
    f[0] = char(0x55);
    f[1] = char(0xAA);
    f[2] = char(0x0C);
    f[3] = char(group);
    int byte = 4;
    for (int v : values)
        f[byte++] = char(v);
    return f;
}
