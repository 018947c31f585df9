// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answeraccount.h"

#include "replyframes.h"

#include <QStringList>

QString AnswerAccount::missingNames(const QList<quint8> &seen)
{
    QStringList names;
    for (const quint8 group : ReplyFrames::missingGroups(seen))
        names << ReplyFrames::groupName(group);
    return names.join(tr("、"));
}

QString AnswerAccount::ofRead(const QList<quint8> &seen)
{
    const int all = int(ReplyFrames::groups().size());
    const int missing = int(ReplyFrames::missingGroups(seen).size());
    if (missing == 0)
        return tr("已读取全部 %n 组参数", nullptr, all);
    if (missing == all)
        return tr("发射机没有回报参数");
    return tr("只收到 %n 组参数（共 %1 组），未收到的参数仍是窗口原来的值：%2", nullptr, all - missing)
        .arg(all)
        .arg(missingNames(seen));
}
