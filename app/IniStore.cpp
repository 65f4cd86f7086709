// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniStore.h"

#include "AppInfo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

TIniStore::TIniStore(QString filePath)
    : m_path(std::move(filePath)) {}

TIniStore::~TIniStore() = default;

QString TIniStore::DefaultPath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, AppOrganisation, AppTitle)
        .fileName();
}

bool TIniStore::Open() {
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    if (info.exists() && (!info.isFile() || !info.isReadable()))
        return false;
    reopen();
    if (m_settings->status() == QSettings::AccessError) {
        m_settings.reset();
        return false;
    }
    return true;
}

void TIniStore::reopen() {
    m_settings.reset(); // its pending values are written (or fail) first
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    // QSettings parses on first use; ask now so that a damaged file is known before
    // anything is read from it or written to it.
    m_settings->allKeys();
    m_malformed = m_settings->status() == QSettings::FormatError;
}

TKeyValueStore::Value TIniStore::Read(const QString& section, const QString& name) {
    if (!m_settings)
        return {};
    const QString key = section + u'/' + name;
    if (!m_settings->contains(key))
        return m_malformed ? Value{Value::Unreadable, {}} : Value{};
    if (m_malformed)
        return {Value::Unreadable, {}};
    const QVariant v = m_settings->value(key);
    if (v.typeId() != QMetaType::QString)
        return {Value::Unreadable, {}};
    return {Value::Text, v.toString()};
}

bool TIniStore::CreateSection(const QString&) {
    return m_settings && QDir().mkpath(QFileInfo(m_path).absolutePath());
}

bool TIniStore::keepMalformedAside() {
    if (!m_malformed || !m_keptAside.isEmpty() || !QFileInfo::exists(m_path))
        return true;
    const QString base = m_path + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = base + QStringLiteral("-%1").arg(n);
    if (!QFile::copy(m_path, aside))
        return false;
    m_keptAside = aside;
    return true;
}

bool TIniStore::SetText(const QString& section, const QString& name, const QString& value) {
    if (!m_settings || !keepMalformedAside())
        return false;
    if (m_writeFailed) {
        // QSettings goes on reporting the first error it met: start afresh (not while
        // the write fails, as a new QSettings takes the failed write's pending values
        // over), so that this write, once the disc has room again, stands by itself.
        reopen();
        m_writeFailed = false;
    }
    m_settings->setValue(section + u'/' + name, value);
    m_settings->sync();
    const QSettings::Status status = m_settings->status();
    if (status == QSettings::AccessError) {
        m_writeFailed = true;
        return false;
    }
    if (status == QSettings::FormatError) {
        // The write has replaced the damaged file with the lines that parsed plus this
        // value. QSettings keeps reporting the old format error, so start afresh on the
        // file as it is now.
        reopen();
    }
    return true;
}
