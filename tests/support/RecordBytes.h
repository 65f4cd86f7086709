// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <cstring>
#include <initializer_list>

// One data-file record put together byte by byte from the file format's table, apart
// from the program's own codec, so that a mistake there cannot hide in the tests.
struct RecordBytes {
    double alarmTime = 0.0;
    std::int32_t kind = 0;
    QByteArray text;       // copied to offset 12, at most 601 bytes
    bool terminate = true; // write the zero after text
    std::uint8_t snoozePending = 1;
    std::uint8_t rung = 0;
    std::uint8_t padding = 0;
    double lastRung = 0.0;
    char filler = 0; // what stands in the rest of the text field

    QByteArray build() const {
        QByteArray b(624, filler);
        qToLittleEndian(alarmTime, b.data());
        qToLittleEndian(kind, b.data() + 8);
        const qsizetype n = std::min<qsizetype>(text.size(), 601);
        std::memcpy(b.data() + 12, text.constData(), n);
        if (terminate && n < 601)
            b[12 + n] = 0;
        b[613] = char(snoozePending);
        b[614] = char(rung);
        b[615] = char(padding);
        qToLittleEndian(lastRung, b.data() + 616);
        return b;
    }
};

// Records one after the other, as a data file holds them.
inline QByteArray Records(std::initializer_list<RecordBytes> records) {
    QByteArray all;
    for (const RecordBytes& r : records)
        all += r.build();
    return all;
}
