// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// What the new-model wizard asks and the set it makes from the answers.
// Only what the transmitter's functions plainly mean is set: the elevon mix
// for a flying wing, the V-tail mix for a V-tail, the stick mode, the alarm
// voltage from the battery's cells and the throttle's failsafe. Everything
// else keeps the starting values of a fresh window.
class AircraftSetup
{
    Q_DECLARE_TR_FUNCTIONS(AircraftSetup)

public:
    enum class Aircraft { Conventional, FlyingWing, VTail, Other };
    static constexpr Aircraft kAircraft[] = {Aircraft::Conventional, Aircraft::FlyingWing, Aircraft::VTail,
                                             Aircraft::Other};

    // A LiPo cell is flat at about 3.5 V under load; 3.7 V a cell leaves
    // time to land. 3 cells at 3.7 V is the 11.1 V a fresh window holds.
    static constexpr double kVoltsPerCell = 3.7;
    static constexpr int kMinCells = 1;
    static constexpr int kMaxCells = 6; // 6 × 3.9 V still fits the 23.9 V the record holds
    static constexpr double kMaxVoltsPerCell = 3.9;
    static constexpr double kMinVoltsPerCell = 3.0;

    // The throttle is CH3 on this transmitter; its failsafe is low (0) so a
    // lost link stops the motor.
    static constexpr int kThrottleChannel = 3;

    struct Choices
    {
        Aircraft aircraft = Aircraft::Conventional;
        int stickMode = 2; // 1..4
        int cells = 3;
        double voltsPerCell = kVoltsPerCell;
        int throttleFailsafe = 0; // 0..100, 0 is throttle closed
    };

    // One value the wizard sets, as the summary shows it.
    struct Setting
    {
        QString control; // objectName
        QString title;   // what the user calls it
        double value = 0;
        QString text;    // the value in words ("打开", "11.1 V")
    };

    static QString name(Aircraft aircraft);
    // What the aircraft's type means for the mixes, one sentence.
    static QString explanation(Aircraft aircraft);
    // The alarm voltage for the choices, in whole tenths as the record holds it.
    static double alarmVoltage(const Choices &choices);
    // Every value the wizard sets, in the order the summary lists them.
    static QList<Setting> settings(const Choices &choices);
    // The whole set: the starting values with settings() over them.
    static MapParamAccess values(const Choices &choices);
    // The file-safe key of a built-in template ("flying-wing").
    static QString key(Aircraft aircraft);
};
