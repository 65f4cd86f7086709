// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCopy.h"

#include "Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr qint64 BufferSize = 8192;
}

bool FileCopy(const QString& source, const QString& target) {
    const QDateTime stamp = QFileInfo(source).lastModified();
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw EInOutError(
            QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(source)));
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (a full disc) shows in write()'s result; a
    // buffered flush was seen to lose it, and commit() then put a cut copy in place.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EInOutError(
            QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(target)));
    QByteArray buffer(BufferSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 got = in.read(buffer.data(), BufferSize);
        if (got < 0 || (got > 0 && out.write(buffer.constData(), got) != got)) {
            out.cancelWriting();
            return false;
        }
        total += got;
        if (got < BufferSize)
            break;
    }
    if (out.size() != total || out.size() != in.size()) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return false;
    // The copy keeps the time the alarms were last saved, not the time of the copy.
    QFile done(target);
    if (done.open(QIODevice::Append))
        done.setFileTime(stamp, QFileDevice::FileModificationTime);
    return true;
}
