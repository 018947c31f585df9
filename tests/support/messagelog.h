// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// Collects the messages Qt's logging lets through while it lives (a
// category that is off never reaches it).
class MessageLog final
{
public:
    struct Entry
    {
        QString category;
        QString text;
    };

    MessageLog()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&MessageLog::collect);
    }
    ~MessageLog()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QList<Entry> entries;

private:
    static void collect(QtMsgType, const QMessageLogContext &context, const QString &text)
    {
        if (s_current)
            s_current->entries << Entry{QString::fromLatin1(context.category), text};
    }

    inline static MessageLog *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
};
