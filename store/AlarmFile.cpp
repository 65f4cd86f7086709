// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlarmFile.h"

#include "Errors.h"
#include "RecordCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Records read per call while loading: large enough to be quick, small enough that a
// read error part-way keeps nearly everything before it.
constexpr qint64 ChunkRecords = 1024;

QString native(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

TAlarmFile::TAlarmFile(QString programDir, const TClock* clock)
    : m_dir(std::move(programDir))
    , m_clock(clock ? clock : &m_systemClock) {}

QString TAlarmFile::Path() const {
    return m_dir.isEmpty() ? FileName : m_dir + FileName;
}

QString TAlarmFile::asideName() const {
    const QDateTime when = DateTime::toQDateTime(m_clock->now());
    const QString stamp = when.isValid() ? when.toString(QStringLiteral("yyyyMMdd-HHmmss"))
                                         : QStringLiteral("undated");
    const QString base = Path() + QStringLiteral(".damaged-") + stamp;
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

bool TAlarmFile::moveAside(bool allowCopy) {
    const QString aside = asideName();
    // A copy leaves the data file in place until a complete new one replaces it; only
    // a file that cannot even be read is renamed.
    if (allowCopy && QFileInfo(Path()).isFile() && QFile::copy(Path(), aside)) {
        m_keptAside = aside;
        return true;
    }
    QFile::remove(aside);
    if (QFile::rename(Path(), aside)) {
        m_keptAside = aside;
        return true;
    }
    return false;
}

bool TAlarmFile::KeepDamagedAside() {
    if (!m_damagedPending)
        return true;
    const QFileInfo info(Path());
    if ((!info.exists() && !info.isSymLink()) || moveAside(true))
        m_damagedPending = false;
    return !m_damagedPending;
}

void TAlarmFile::LoadList(AlarmList& list) {
    if (!m_dir.isEmpty())
        QDir::setCurrent(m_dir);
    list.Clear();
    m_damagedPending = false;

    const QFileInfo info(Path());
    const bool exists = info.exists() || info.isSymLink();
    QFile file(Path());
    // Only a regular file is opened: a folder of that name cannot be read, and opening
    // a pipe or device would block or read forever.
    if (!exists || !info.isFile() || !file.open(QIODevice::ReadOnly)) {
        if (exists && !moveAside(false)) {
            m_damagedPending = true;
            throw EInOutError(QStringLiteral("The alarm data file %1 cannot be opened, and it "
                                             "could not be moved aside either, so it was left as "
                                             "it is. The alarm list is empty")
                                  .arg(native(Path())));
        }
        QFile fresh(Path());
        if (!fresh.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw EInOutError(QStringLiteral("There was an error while reading the alarm data "
                                             "file, and no new file could be created in %1: %2")
                                  .arg(QDir::toNativeSeparators(QFileInfo(Path()).absolutePath()),
                                       fresh.errorString()));
        fresh.close();
        throw EInOutError(MsgNewFile);
    }

    QByteArray chunk(ChunkRecords * RecordCodec::RecordSize, Qt::Uninitialized);
    bool failed = false;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0) {
            failed = true;
            break;
        }
        const qint64 whole = got / RecordCodec::RecordSize;
        for (qint64 i = 0; i < whole; ++i)
            list.Append(RecordCodec::Decode(std::span<const char, RecordCodec::RecordSize>(
                chunk.constData() + i * RecordCodec::RecordSize, RecordCodec::RecordSize)));
        if (got % RecordCodec::RecordSize != 0) {
            // An incomplete last record: QFile fills the buffer unless the file ends.
            failed = true;
            break;
        }
        if (got < chunk.size())
            break;
    }
    file.close();
    if (failed) {
        m_damagedPending = true;
        throw EInOutError(MsgReadFailed);
    }
}

void TAlarmFile::SaveList(const AlarmList& list) {
    if (!KeepDamagedAside())
        throw EInOutError(QStringLiteral("The alarm data file %1 could not be read whole, and it "
                                         "could not be kept aside either, so it was not replaced")
                              .arg(native(Path())));

    const QByteArray data = RecordCodec::EncodeAll(list);
    QSaveFile out(Path());
    // Never fall back to writing the data file in place: a failure part-way would
    // leave it broken.
    out.setDirectWriteFallback(false);
    const auto fail = [&](const QString& what) {
        const QString reason = out.errorString();
        out.cancelWriting();
        throw EInOutError(QStringLiteral("The alarms could not be saved to %1 (%2: %3). The "
                                         "file still holds the alarms as they were last saved")
                              .arg(native(Path()), what, reason));
    };
    // Unbuffered, so that a short write (a full disc) shows in write()'s result: a
    // buffered flush was seen to lose it, and commit() then put a cut file in place.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("opening failed"));
    if (out.write(data) != data.size() || !out.flush() || out.size() != data.size())
        fail(QStringLiteral("writing failed"));
    if (!out.commit())
        throw EInOutError(QStringLiteral("The alarms could not be saved to %1 (%2). The file "
                                         "still holds the alarms as they were last saved")
                              .arg(native(Path()), out.errorString()));
}
