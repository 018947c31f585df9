// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "recordcodec.h"

#include <QString>

// What a parameter control tells the user who hovers over it: what it is,
// what it can hold, and what the transmitter calls it. The mixes' bias in
// the records is the program's business and is not shown.
namespace ControlHelp {

// "CH1 舵机行程量（左）\n范围：0 … 120\n发射机中的名称：EPA_L1"
QString toolTip(const Records::Field &field);

} // namespace ControlHelp
