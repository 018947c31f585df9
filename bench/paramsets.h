// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

namespace Bench {

// Two parameter sets that differ in almost every control, so that decoding
// or applying them in turn really changes the window: the window's own
// values, and the same with the simulator's answer decoded over them.
struct ParamSets
{
    MapParamAccess window;
    MapParamAccess transmitter;
};

ParamSets paramSets(QWidget *window);

// The fourteen reply frames that carry a parameter set.
QByteArray answerOf(const ParamAccess &values);

// A frame as the window assembles it for decoding: two lowercase hex digits a byte.
QString frameHex(const QByteArray &frame);

// The frames of both answers, in turn, as hex.
QList<QString> alternatingFrameHex(const ParamSets &sets);

} // namespace Bench
