// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow.h"

#include <QLabel>
#include <QString>

// Looks at the window's frame assembly and session state, and builds or
// applies its records, so tests can check what the user cannot see.
class MainWindowProbe
{
public:
    explicit MainWindowProbe(MainWindow &w) : m_w(w) {}

    QString strHex() const { return m_w.strHex; }
    int rxFlag() const { return m_w.RX_flag; }
    bool isComOpen() const { return m_w.isComOpen; }
    int transCount() const { return m_w.transCount; }
    int recvCount() const { return m_w.recvCount; }
    QString info() const { return m_w.fstLabel->text(); }
    QLabel *secLabel() const { return m_w.secLabel; }
    QString buildS() const { return m_w.buildSRecord(); }
    QString buildT(int mixBias) const { return m_w.buildTRecord(mixBias); }
    void applyS(const QString &r) { m_w.applySRecord(r); }
    void applyT(const QString &r, int mixBias) { m_w.applyTRecord(r, mixBias); }

private:
    MainWindow &m_w;
};
