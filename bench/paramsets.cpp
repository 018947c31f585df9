// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramsets.h"

#include "formaccess.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "transmitter.h"

namespace Bench {

ParamSets paramSets(QWidget *window)
{
    const FormAccess form(window);
    ParamSets sets;
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f) {
            const QString control = QLatin1String(field.control);
            sets.window.setValue(control, form.value(control));
        }
    }
    for (quint8 group : ReplyFrames::groups()) {
        for (const ReplyFrames::Slot &s : ReplyFrames::slotsOf(group)) {
            const QString control = QLatin1String(s.control);
            sets.window.setValue(control, form.value(control));
        }
    }
    sets.transmitter = sets.window;
    const QByteArray answer = Transmitter().replyFrames();
    for (int i = 0; i + ReplyFrames::kFrameLength <= answer.size(); i += ReplyFrames::kFrameLength)
        ReplyFrames::decode(frameHex(answer.mid(i, ReplyFrames::kFrameLength)), sets.transmitter);
    return sets;
}

QByteArray answerOf(const ParamAccess &values)
{
    QByteArray answer;
    for (quint8 group : ReplyFrames::groups()) {
        answer += ReplyFrames::encode(group, [&values](const ReplyFrames::Slot &s) {
            return values.value(QLatin1String(s.control));
        });
    }
    return answer;
}

QString frameHex(const QByteArray &frame)
{
    return QString::fromLatin1(frame.toHex());
}

QList<QString> alternatingFrameHex(const ParamSets &sets)
{
    QList<QString> frames;
    for (const QByteArray &answer : {answerOf(sets.window), answerOf(sets.transmitter)}) {
        for (int i = 0; i + ReplyFrames::kFrameLength <= answer.size(); i += ReplyFrames::kFrameLength)
            frames << frameHex(answer.mid(i, ReplyFrames::kFrameLength));
    }
    return frames;
}

} // namespace Bench
