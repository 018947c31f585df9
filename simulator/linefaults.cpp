// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linefaults.h"

namespace {

QString hexByte(char c)
{
    return QStringLiteral("0x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
}

} // namespace

QString LineFaultSettings::describe() const
{
    QStringList parts;
    if (strayEveryMs > 0)
        parts << QStringLiteral("stray bytes every %1 ms while idle").arg(strayEveryMs);
    if (dropChance > 0)
        parts << QStringLiteral("a byte dropped from %1 of the answers").arg(dropChance);
    if (corruptChance > 0)
        parts << QStringLiteral("a byte corrupted in %1 of the answers").arg(corruptChance);
    if (cutAfter >= 0)
        parts << QStringLiteral("answers cut off after %1 bytes").arg(cutAfter);
    if (frameGapMs > 0)
        parts << QStringLiteral("%1 ms between frames").arg(frameGapMs);
    if (hangUpAfter >= 0)
        parts << QStringLiteral("hang-up after %1 bytes sent").arg(hangUpAfter);
    if (parts.isEmpty())
        return QStringLiteral("no faults");
    return QStringLiteral("faults (seed %1): %2").arg(seed).arg(parts.join(QStringLiteral(", ")));
}

LineFaults::LineFaults(const LineFaultSettings &settings)
    : m_settings(settings)
    , m_answerRandom(settings.seed)
    , m_strayRandom(settings.seed ^ 0x9E3779B9u)
{
}

bool LineFaults::happens(double chance)
{
    if (chance <= 0)
        return false;
    return std::uniform_real_distribution<double>(0, 1)(m_answerRandom) < chance;
}

QByteArray LineFaults::damage(QByteArray answer, QStringList *notes)
{
    const qsizetype whole = answer.size();
    if (!answer.isEmpty() && happens(m_settings.dropChance)) {
        const auto at = std::uniform_int_distribution<qsizetype>(0, answer.size() - 1)(m_answerRandom);
        notes->append(QStringLiteral("fault: dropped byte %1 (%2) of the answer").arg(at).arg(hexByte(answer.at(at))));
        answer.remove(at, 1);
    }
    if (!answer.isEmpty() && happens(m_settings.corruptChance)) {
        const auto at = std::uniform_int_distribution<qsizetype>(0, answer.size() - 1)(m_answerRandom);
        const char was = answer.at(at);
        answer[at] = char(uchar(was) ^ std::uniform_int_distribution<int>(1, 255)(m_answerRandom));
        notes->append(QStringLiteral("fault: corrupted byte %1 of the answer, %2 sent as %3")
                          .arg(at).arg(hexByte(was), hexByte(answer.at(at))));
    }
    if (m_settings.cutAfter >= 0 && answer.size() > m_settings.cutAfter) {
        notes->append(QStringLiteral("fault: answer cut off after %1 of %2 bytes").arg(m_settings.cutAfter).arg(whole));
        answer.truncate(m_settings.cutAfter);
    }
    return answer;
}

QByteArray LineFaults::strayBytes()
{
    QByteArray bytes(std::uniform_int_distribution<int>(1, 4)(m_strayRandom), Qt::Uninitialized);
    for (char &c : bytes)
        c = char(std::uniform_int_distribution<int>(0, 255)(m_strayRandom));
    return bytes;
}
