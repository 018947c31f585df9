// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QStringList>

// The window's message in the status bar: what the last action did. It
// stays until a newer message replaces it (a hover's status tip does not
// wipe it). A text longer than the room is cut with "…"; the whole text is
// its tooltip, and a click shows it in a small window with its details
// (the groups that did not come, the values that differed or were clamped).
class MessageLine final : public QLabel
{
    Q_OBJECT

public:
    explicit MessageLine(QWidget *parent = nullptr);

    void say(const QString &text, const QStringList &details = {}, const QString &advice = {});
    void clear();

    const QString &fullText() const { return m_text; }
    const QStringList &details() const { return m_details; }

    // The whole account in a dialog of its own (objectName "accountDetails").
    void showDetails();

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fit();

    QString m_text;
    QStringList m_details;
    QString m_advice;
};
