// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// S and T records. The input is read as text (Latin-1 and UTF-8) for the
// parameter-file check, the file round trip and lenient decoding, and as a
// source of control values for building records.

#include "fuzzcheck.h"
#include "hexdigit.h"
#include "paramaccess.h"
#include "recordcodec.h"

#include <QString>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using Records::Field;
using Records::FieldKind;
using Records::Format;
using Records::kFileLength;
using Records::kMixBiasFile;
using Records::kMixBiasTransmitter;
using Records::kRecordLength;

int biasOf(const Field &f, int mixBias)
{
    return f.kind == FieldKind::MixHex ? mixBias : f.bias;
}

QString control(const Field &f)
{
    return QLatin1String(f.control);
}

const Field &dualRateChannelField()
{
    for (const Field &f : Records::tFormat()) {
        if (qstrcmp(f.control, Records::kDualRateChannel) == 0)
            return f;
    }
    std::abort();
}

struct FieldMask
{
    bool at[kRecordLength] = {};
    explicit FieldMask(const Format &format)
    {
        for (const Field &f : format) {
            for (int i = f.pos; i < f.pos + f.width; ++i)
                at[i] = true;
        }
    }
};

bool inField(const Format &format, int pos)
{
    static const FieldMask s(Records::sFormat());
    static const FieldMask t(Records::tFormat());
    return (&format == &Records::sFormat() ? s : t).at[pos];
}

bool isFieldwiseHex(const Format &format, const QString &record)
{
    if (record.at(0) != format.letter || record.at(kRecordLength - 1) != format.endLetter)
        return false;
    for (int i = 0; i < kRecordLength; ++i) {
        if (inField(format, i) && hexDigitValue(record.at(i)) < 0)
            return false;
    }
    return true;
}

bool looksLikeParameterFile(const QString &text)
{
    // Only the first 162 characters count; whatever follows is not looked at.
    if (text.size() < kFileLength)
        return false;
    // They are text: no control character but tab, line ends and Ctrl-Z, and
    // nothing that failed to decode, also where no field is.
    for (int i = 0; i < kFileLength; ++i) {
        const QChar c = text.at(i);
        const bool allowedControl = c == u'\t' || c == u'\n' || c == u'\r' || c.unicode() == 0x1A;
        if (c == QChar::ReplacementCharacter || (c.category() == QChar::Other_Control && !allowedControl))
            return false;
    }
    return isFieldwiseHex(Records::sFormat(), text.left(kRecordLength))
           && isFieldwiseHex(Records::tFormat(), text.mid(kRecordLength, kRecordLength));
}

// A built record: its letters and the fixed template characters in place,
// nothing but upper-case hex digits in the fields.
void checkShape(const Format &format, const QString &record)
{
    FUZZ_CHECK(record.size() == kRecordLength);
    FUZZ_CHECK(!record.contains(QLatin1Char('-')));
    FUZZ_CHECK(Records::isWellFormed(format, record));
    const QString templ = QString::fromLatin1(format.templ);
    for (int i = 0; i < kRecordLength; ++i) {
        if (inField(format, i))
            FUZZ_CHECK(hexDigitValue(record.at(i)) >= 0 && !record.at(i).isLower());
        else
            FUZZ_CHECK(record.at(i) == templ.at(i));
    }
}

// What build gives back for a well-formed record after apply: template
// characters outside the fields, hex digits in upper case, a one-digit field
// holding a hex letter clipped to 9, and the dual-rate pair left as in the
// template unless the dual-rate channel is CH1..CH4.
QString rebuiltRecord(const Format &format, const QString &record, bool withDualRate)
{
    QString out = QString::fromLatin1(format.templ);
    for (const Field &f : format) {
        if (f.kind == FieldKind::DualRate && !withDualRate)
            continue;
        if (f.kind == FieldKind::Digit) {
            out[f.pos] = QLatin1Char(char('0' + qMin(hexDigitValue(record.at(f.pos)), 9)));
        } else {
            for (int i = f.pos; i < f.pos + f.width; ++i)
                out[i] = record.at(i).toUpper();
        }
    }
    return out;
}

int hexLettersInDigits(const Format &format, const QString &record)
{
    int n = 0;
    for (const Field &f : format) {
        if (f.kind == FieldKind::Digit && hexDigitValue(record.at(f.pos)) > 9)
            ++n;
    }
    return n;
}

// Mixing values loaded from a file (+100) that the transmitter's +116 pushes
// past FF.
int mixesAboveTransmitterLimit(const QString &tRecord)
{
    int n = 0;
    for (const Field &f : Records::tFormat()) {
        if (f.kind == FieldKind::MixHex
            && hexDigitValue(tRecord.at(f.pos)) * 16 + hexDigitValue(tRecord.at(f.pos + 1))
                       - kMixBiasFile + kMixBiasTransmitter > 255)
            ++n;
    }
    return n;
}

void checkParameterFile(const QString &text)
{
    const QString s = text.left(kRecordLength);
    const QString t = text.mid(kRecordLength, kRecordLength);
    MapParamAccess access;
    Records::apply(Records::sFormat(), s, access);
    Records::apply(Records::tFormat(), t, access, kMixBiasFile);

    const QString s2 = Records::build(Records::sFormat(), access);
    const QString t2 = Records::build(Records::tFormat(), access, kMixBiasFile);
    const QString rebuilt = s2 + t2;
    FUZZ_CHECK(rebuilt.size() == kFileLength);
    FUZZ_CHECK(Records::isParameterFile(rebuilt));
    checkShape(Records::sFormat(), s2);
    checkShape(Records::tFormat(), t2);

    const bool withDualRate = hexDigitValue(t.at(dualRateChannelField().pos)) <= 3;
    FUZZ_CHECK(s2 == rebuiltRecord(Records::sFormat(), s, withDualRate));
    FUZZ_CHECK(t2 == rebuiltRecord(Records::tFormat(), t, withDualRate));

    const int sLetters = hexLettersInDigits(Records::sFormat(), s);
    const int tLetters = hexLettersInDigits(Records::tFormat(), t);
    FUZZ_CHECK(Records::limitProblems(Records::sFormat(), access).size() == sLetters);
    FUZZ_CHECK(Records::limitProblems(Records::tFormat(), access, kMixBiasFile).size() == tLetters);
    FUZZ_CHECK(Records::limitProblems(Records::tFormat(), access, kMixBiasTransmitter).size()
               == tLetters + mixesAboveTransmitterLimit(t));

    MapParamAccess again;
    Records::apply(Records::sFormat(), s2, again);
    Records::apply(Records::tFormat(), t2, again, kMixBiasFile);
    FUZZ_CHECK(Records::build(Records::sFormat(), again) == s2);
    FUZZ_CHECK(Records::build(Records::tFormat(), again, kMixBiasFile) == t2);
}

// Lenient decoding of any text: a field reads as a hex number of at most two
// characters (Qt's conversion also takes a sign) or as 0.
void checkLenientApply(const Format &format, const QString &text, int mixBias)
{
    MapParamAccess access;
    Records::apply(format, text, access, mixBias);
    for (const Field &f : format) {
        FUZZ_CHECK(access.values.contains(control(f)));
        const double v = access.value(control(f));
        FUZZ_CHECK(std::isfinite(v));
        switch (f.kind) {
        case FieldKind::Digit:
            FUZZ_CHECK(v >= 0 && v <= 15 && v == std::floor(v));
            break;
        case FieldKind::Tenths:
            FUZZ_CHECK(std::fabs(v * 10 + f.bias) <= 255.0001);
            break;
        default:
            FUZZ_CHECK(std::fabs(v + biasOf(f, mixBias)) <= 255 && v == std::floor(v));
            break;
        }
    }
    checkShape(format, Records::build(format, access, mixBias));
}

void checkText(const QString &text)
{
    QString reason;
    const bool accepted = Records::isParameterFile(text, &reason);
    FUZZ_CHECK(accepted == looksLikeParameterFile(text));
    FUZZ_CHECK(accepted == reason.isEmpty());
    for (const Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const QString &record : {text, text.mid(kRecordLength, kRecordLength)}) {
            FUZZ_CHECK(Records::isWellFormed(*format, record)
                       == (record.size() == kRecordLength && isFieldwiseHex(*format, record)));
        }
    }
    if (accepted)
        checkParameterFile(text);
    checkLenientApply(Records::sFormat(), text, kMixBiasTransmitter);
    checkLenientApply(Records::tFormat(), text, kMixBiasTransmitter);
    if (text.size() > kRecordLength)
        checkLenientApply(Records::tFormat(), text.mid(kRecordLength), kMixBiasFile);
}

class ValueSource
{
public:
    ValueSource(const uint8_t *data, size_t size) : data(data), size(size) {}

    // Whole numbers around every field's limits, hundredths as the alarm
    // voltage box holds them, and now and then a value far outside any field
    // (up to 2^47, finite: what a control can hold).
    double next()
    {
        const quint8 low = byte();
        const quint8 high = byte();
        const quint8 extra = byte();
        const auto whole = qint16(quint16(low | high << 8));
        double v = whole + (extra % 100) / 100.0;
        if (extra & 0x80)
            v *= 4294967296.0;
        return v;
    }

    quint8 byte() { return size == 0 ? 0 : data[at++ % size]; }

private:
    const uint8_t *data;
    size_t size;
    size_t at = 0;
};

qint64 encodedNumber(const Field &f, double v, int mixBias)
{
    switch (f.kind) {
    case FieldKind::Digit:
        return qint64(std::floor(v));
    case FieldKind::Tenths:
        return qint64(std::floor(qRound64(v * 100.0) / 10.0)) + f.bias;
    default:
        return qint64(std::floor(v)) + biasOf(f, mixBias);
    }
}

double decodedBack(const Field &f, qint64 n, int mixBias)
{
    switch (f.kind) {
    case FieldKind::Digit:
        return double(n);
    case FieldKind::Tenths:
        return (n - f.bias) / 10.0;
    default:
        return double(n - biasOf(f, mixBias));
    }
}

// Every field holds its value's number, or that number clipped to the field
// when limitProblems names it.
void checkBuild(const Format &format, const MapParamAccess &access, int mixBias)
{
    const QString record = Records::build(format, access, mixBias);
    checkShape(format, record);

    const double channel = access.value(QLatin1String(Records::kDualRateChannel));
    const bool withDualRate = channel >= 0 && channel <= 3;
    MapParamAccess back;
    Records::apply(format, record, back, mixBias);
    const QString templ = QString::fromLatin1(format.templ);
    int outside = 0;
    for (const Field &f : format) {
        if (f.kind == FieldKind::DualRate && !withDualRate) {
            FUZZ_CHECK(QStringView(record).mid(f.pos, f.width) == QStringView(templ).mid(f.pos, f.width));
            continue;
        }
        const double v = access.value(control(f));
        const qint64 n = encodedNumber(f, v, mixBias);
        const qint64 limit = f.width == 1 ? 9 : 255;
        const bool noItem = v < 0 && QByteArray(f.control).startsWith("comboBox");
        if (noItem || n < 0 || n > limit)
            ++outside;
        FUZZ_CHECK(back.value(control(f)) == decodedBack(f, qBound<qint64>(0, n, limit), mixBias));
    }
    FUZZ_CHECK(Records::limitProblems(format, access, mixBias).size() == outside);
    FUZZ_CHECK(Records::build(format, back, mixBias) == record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    const QString latin1 = QString::fromLatin1(chars, qsizetype(size));
    checkText(latin1);
    const QString utf8 = QString::fromUtf8(chars, qsizetype(size));
    if (utf8 != latin1)
        checkText(utf8);

    ValueSource source(data, size);
    MapParamAccess access;
    for (const Format *format : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Field &f : *format)
            access.setValue(control(f), source.next());
    }
    const int mixBias = source.byte() & 1 ? kMixBiasFile : kMixBiasTransmitter;
    checkBuild(Records::sFormat(), access, kMixBiasTransmitter);
    checkBuild(Records::tFormat(), access, mixBias);
    return 0;
}
