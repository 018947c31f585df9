// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// What an answer to the read request brought, in the words of the status
// bar and the command-line tool.
class AnswerAccount
{
    Q_DECLARE_TR_FUNCTIONS(AnswerAccount)

public:
    // "已读取全部 14 组参数", "发射机没有回报参数" or "只收到 9 组参数（共 14 组），
    // 未收到的参数仍是窗口原来的值：…" for the groups seen.
    static QString ofRead(const QList<quint8> &seen);
    // "舵机相位、中点微调 …": the groups not among seen.
    static QString missingNames(const QList<quint8> &seen);
};
