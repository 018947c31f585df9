// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

class PortPanel;
class TransmitterFinder;
class Ui_MainWindow;

// 查找发射机 beside the port list: the finder run with the panel's settings
// while no port is open, the button reading 停止查找 meanwhile, the panel
// locked (so the port list is not polled), progress and the account told
// for the message line. The port that answered is chosen; when it is the
// only one, the open button opens it.
class FindControl final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindControl)

public:
    FindControl(Ui_MainWindow *ui, PortPanel *panel, QObject *parent);

    bool isFinding() const;
    // The button's text in the interface language.
    void retranslate();

signals:
    void told(const QString &text, const QStringList &details, const QString &advice);

private:
    void clicked();
    void ended();

    Ui_MainWindow *ui;
    PortPanel *m_panel;
    TransmitterFinder *m_finder;
};
