// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <random>

// Faults of a poor line, for the simulator to inject into what it sends.
// Every choice is drawn from pseudo-random sequences seeded by one number, so
// a run with the same seed and the same requests sends the same bytes.
struct LineFaultSettings
{
    quint32 seed = 0;
    int strayEveryMs = 0;    // a few stray bytes this often while the line is idle; 0: never
    double dropChance = 0;    // an answer loses one byte
    double corruptChance = 0; // one byte of an answer is changed
    int cutAfter = -1;        // every answer ends after this many bytes; -1: whole answers
    int frameGapMs = 0;       // a pause after every frame
    qint64 hangUpAfter = -1;  // the line goes away once this many bytes went out; -1: never

    bool any() const
    {
        return strayEveryMs > 0 || dropChance > 0 || corruptChance > 0 || cutAfter >= 0 || frameGapMs > 0
               || hangUpAfter >= 0;
    }
    // One line naming the faults set, for the log.
    QString describe() const;
};

class LineFaults final
{
public:
    explicit LineFaults(const LineFaultSettings &settings = {});

    const LineFaultSettings &settings() const { return m_settings; }

    // One answer as it goes on the line; *notes gets a line per fault injected.
    QByteArray damage(QByteArray answer, QStringList *notes);
    // One to four random bytes for an idle line.
    QByteArray strayBytes();

private:
    bool happens(double chance);

    LineFaultSettings m_settings;
    // Stray bytes come when a timer says, so they draw from a sequence of
    // their own: the answers' faults then do not depend on the timing.
    std::mt19937 m_answerRandom;
    std::mt19937 m_strayRandom;
};
