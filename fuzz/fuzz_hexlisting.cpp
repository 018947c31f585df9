// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Hex byte listings, compared with a plain tokenizer: tokens are runs of
// characters other than white space, each one or more hex digits worth at
// most FF; no token at all, or one bad token, fails the whole listing.

#include "comm.h"
#include "fuzzcheck.h"
#include "hexdigit.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

struct Listing
{
    bool ok = false;
    QByteArray bytes;
};

Listing reference(const QString &text)
{
    QByteArray bytes;
    qsizetype i = 0;
    for (;;) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        if (i == text.size())
            break;
        int value = 0;
        bool digitsOnly = true;
        for (; i < text.size() && !text.at(i).isSpace(); ++i) {
            const int digit = hexDigitValue(text.at(i));
            if (digit < 0)
                digitsOnly = false;
            else if (value <= 255)
                value = value * 16 + digit;
        }
        if (!digitsOnly || value > 255)
            return {};
        bytes.append(char(value));
    }
    if (bytes.isEmpty())
        return {};
    return {true, bytes};
}

void check(const QString &text)
{
    const Listing want = reference(text);
    bool ok = !want.ok;
    const QByteArray got = BgComm::HexStringToByteArray(text, &ok);
    FUZZ_CHECK(ok == want.ok);
    FUZZ_CHECK(got == want.bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *chars = reinterpret_cast<const char *>(data);
    check(QString::fromLatin1(chars, qsizetype(size)));
    check(QString::fromUtf8(chars, qsizetype(size)));
    return 0;
}
