// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// Answers the save and load dialogs as soon as they are shown, as a user who
// knows the file name would: the file chooser gets `fileName`, the load
// dialog picks the file through "浏览" and confirms, a question is answered
// "是". Error boxes are confirmed and counted.
class DialogAnswerer final : public QObject
{
public:
    explicit DialogAnswerer(const QString &fileName);
    ~DialogAnswerer() override;

    int errorBoxes() const { return m_errors; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_fileName;
    int m_errors = 0;
};
