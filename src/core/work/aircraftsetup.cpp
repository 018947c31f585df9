// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aircraftsetup.h"

#include "recordcodec.h"

#include <QtMath>

namespace {

struct AircraftFacts
{
    AircraftSetup::Aircraft aircraft;
    const char *key;
    const char *name;
    const char *explanation;
    bool elevon;
    bool vtail;
};

// clang-format off
constexpr AircraftFacts kFacts[] = {
    {AircraftSetup::Aircraft::Conventional, "conventional", QT_TRANSLATE_NOOP("AircraftSetup", "常规固定翼"),
     QT_TRANSLATE_NOOP("AircraftSetup", "副翼、升降舵、方向舵各用一个舵机：升降副翼混控和 V 型尾翼混控都关闭。"), false, false},
    {AircraftSetup::Aircraft::FlyingWing, "flying-wing", QT_TRANSLATE_NOOP("AircraftSetup", "三角翼/飞翼"),
     QT_TRANSLATE_NOOP("AircraftSetup", "两片升降副翼同时管横滚和俯仰：打开升降副翼混控（比例用初始值），V 型尾翼混控关闭。"), true, false},
    {AircraftSetup::Aircraft::VTail, "v-tail", QT_TRANSLATE_NOOP("AircraftSetup", "V 尾固定翼"),
     QT_TRANSLATE_NOOP("AircraftSetup", "两片 V 尾同时管俯仰和偏航：打开 V 型尾翼混控（比例用初始值），升降副翼混控关闭。"), false, true},
    {AircraftSetup::Aircraft::Other, "other", QT_TRANSLATE_NOOP("AircraftSetup", "其他"),
     QT_TRANSLATE_NOOP("AircraftSetup", "不设混控：升降副翼混控和 V 型尾翼混控都关闭，需要时在窗口中自己设置。"), false, false},
};
// clang-format on

const AircraftFacts &facts(AircraftSetup::Aircraft aircraft)
{
    for (const AircraftFacts &f : kFacts) {
        if (f.aircraft == aircraft)
            return f;
    }
    return kFacts[0];
}

const Records::Field *field(const char *control)
{
    for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &f : *format) {
            if (qstrcmp(f.control, control) == 0)
                return &f;
        }
    }
    return nullptr;
}

QString onOff(bool on)
{
    return on ? AircraftSetup::tr("打开") : AircraftSetup::tr("关闭");
}

} // namespace

QString AircraftSetup::name(Aircraft aircraft)
{
    return tr(facts(aircraft).name);
}

QString AircraftSetup::explanation(Aircraft aircraft)
{
    return tr(facts(aircraft).explanation);
}

QString AircraftSetup::key(Aircraft aircraft)
{
    return QString::fromLatin1(facts(aircraft).key);
}

double AircraftSetup::alarmVoltage(const Choices &choices)
{
    const double volts = qBound(kMinCells, choices.cells, kMaxCells)
                         * qBound(kMinVoltsPerCell, choices.voltsPerCell, kMaxVoltsPerCell);
    // Whole tenths, rounded down: never an alarm above what was asked.
    return qFloor(volts * 10 + 1e-6) / 10.0;
}

QList<AircraftSetup::Setting> AircraftSetup::settings(const Choices &choices)
{
    const AircraftFacts &f = facts(choices.aircraft);
    const double alarm = alarmVoltage(choices);
    const int mode = qBound(1, choices.stickMode, 4);
    const int failsafe = qBound(0, choices.throttleFailsafe, 100);
    struct Line
    {
        const char *control;
        double value;
        QString text;
    };
    const Line lines[] = {
        {"comboBox_5", f.elevon ? 1.0 : 0.0, onOff(f.elevon)},
        {"comboBox_6", f.vtail ? 1.0 : 0.0, onOff(f.vtail)},
        {"spinBox_45", double(mode), tr("模式 %1").arg(mode)},
        {"doubleSpinBox", alarm,
         tr("%1 V（%2 节 × %3 V）").arg(QString::number(alarm, 'f', 1)).arg(choices.cells)
             .arg(QString::number(choices.voltsPerCell, 'f', 2))},
        {"spinBox_35", double(failsafe), failsafe == 0 ? tr("0（油门最低）") : QString::number(failsafe)},
    };
    QList<Setting> out;
    for (const Line &line : lines) {
        const Records::Field *fd = field(line.control);
        out << Setting{QString::fromLatin1(line.control), fd ? Records::titleOf(*fd) : QString(), line.value, line.text};
    }
    return out;
}

MapParamAccess AircraftSetup::values(const Choices &choices)
{
    MapParamAccess set;
    Records::applyStartingValues(set);
    for (const Setting &s : settings(choices))
        set.setValue(s.control, s.value);
    return set;
}
