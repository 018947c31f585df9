// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QString>
#include <QStringList>

// The two 81-character text records that carry the parameter set: the S record
// and the T record. Towards the transmitter the ten mixing fields of the T
// record carry value + 116; in a parameter file they carry value + 100.
namespace Records {

constexpr int kRecordLength = 81;
constexpr int kFileLength = 2 * kRecordLength;
constexpr int kMixBiasTransmitter = 116;
constexpr int kMixBiasFile = 100;

enum class FieldKind {
    Digit,    // one decimal digit: a spin box's value or a combo box's index
    Hex,      // value + bias, two uppercase hex digits
    MixHex,   // like Hex, with the caller's mixing bias
    Tenths,   // alarm voltage: whole tenths of a volt + bias, two hex digits
    DualRate, // like Hex, written only while the dual-rate channel is CH1..CH4
};

struct Field
{
    int pos;
    int width;
    FieldKind kind;
    int bias;
    const char *control; // objectName of the control that holds the value
    const char *param;   // the transmitter's name of the value
    const char *title;   // what the user calls it, in the "Records" translation context
};

struct Format
{
    QChar letter;
    QChar endLetter;
    const char *templ;
    const Field *fields;
    int count;

    const Field *begin() const { return fields; }
    const Field *end() const { return fields + count; }
};

const Format &sFormat();
const Format &tFormat();

// The dual-rate pair at T positions 55..58 belongs to the channel this combo
// box names (index 0..3 for CH1..CH4).
inline constexpr const char kDualRateChannel[] = "comboBox_2";

QString build(const Format &format, const ParamAccess &access, int mixBias = kMixBiasTransmitter);

// Lenient decoding: characters that are not a hex number read as 0, a field
// beyond the end of the text reads as 0. The caller checks the text first
// where that matters.
void apply(const Format &format, const QString &record, ParamAccess &access,
           int mixBias = kMixBiasTransmitter);

// How messages name a field: its title and the transmitter's name,
// "CH1 舵机相位 (Rev1)".
QString fieldName(const Field &field);

// One line per value that cannot be written into its field (an alarm voltage
// of 24.0 or more, a combo box without a current item, ...). Empty when both
// records can be built as they stand.
QStringList limitProblems(const Format &format, const ParamAccess &access,
                          int mixBias = kMixBiasTransmitter);

// The value as its field carries it: the alarm voltage in whole tenths
// (11.15 is written as 11.1), every other value as it is.
double carriedValue(const Field &field, double value);

// What the user calls the field, in the current language.
QString titleOf(const Field &field);

// True when text is one well-formed record of the format: 81 characters,
// its two letters in place, every field hexadecimal.
bool isWellFormed(const Format &format, const QString &record);

// True when the first 162 characters of text are the S record and the T
// record; what follows them is not looked at. *reason says what is wrong
// otherwise.
bool isParameterFile(const QString &text, QString *reason = nullptr);

// The form's starting values, decoded from the records a fresh window
// builds (the T record with mixes + 100 is the T template).
void applyStartingValues(ParamAccess &access);

} // namespace Records
