#pragma once

#include <QByteArray>
#include <cstdint>
#include <cstring>

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

    static void putLe(QByteArray& b, int offset, std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    static std::uint64_t bitsOf(double d) {
        std::uint64_t u;
        std::memcpy(&u, &d, sizeof u);
        return u;
    }

    QByteArray build() const {
        QByteArray b(624, filler);
        putLe(b, 0, bitsOf(alarmTime), 8);
        putLe(b, 8, static_cast<std::uint32_t>(kind), 4);
        const int n = static_cast<int>(std::min<qsizetype>(text.size(), 601));
        for (int i = 0; i < n; ++i)
            b[12 + i] = text[i];
        if (terminate && n < 601)
            b[12 + n] = 0;
        b[613] = static_cast<char>(snoozePending);
        b[614] = static_cast<char>(rung);
        b[615] = static_cast<char>(padding);
        putLe(b, 616, bitsOf(lastRung), 8);
        return b;
    }
};
