// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sound.h"

#include <QDir>
#include <QFileInfo>

TQtSoundPlayer::TQtSoundPlayer(QStringList folders, QObject* parent)
    : QObject(parent)
    , m_folders(std::move(folders)) {}

QSoundEffect& TQtSoundPlayer::effect() {
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        connect(m_effect.get(), &QSoundEffect::statusChanged, this, [this] {
            if (m_effect->status() == QSoundEffect::Error)
                LoadFailed();
        });
    }
    return *m_effect;
}

QString TQtSoundPlayer::Resolve(const QString& file) const {
    if (file.isEmpty() || QDir::isAbsolutePath(file))
        return file;
    for (const QString& folder : m_folders) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QDir(m_folders.value(0, QDir::currentPath())).filePath(file);
}

void TQtSoundPlayer::LoadFailed() {
    if (m_effect && m_effect->source() != QUrl(DefaultSound))
        playDefault();
}

void TQtSoundPlayer::playDefault() {
    effect().setSource(QUrl(DefaultSound));
    effect().setLoopCount(m_loop ? QSoundEffect::Infinite : 1);
    effect().play();
}

void TQtSoundPlayer::Play(const QString& file, bool loop) {
    m_loop = loop;
    const QString path = Resolve(file);
    effect().stop();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        playDefault();
        return;
    }
    effect().setSource(QUrl::fromLocalFile(path));
    effect().setLoopCount(loop ? QSoundEffect::Infinite : 1);
    // Plays once the file is loaded; an undecodable file turns the status to Error,
    // where the default sound takes over.
    effect().play();
}

void TQtSoundPlayer::Stop() {
    if (m_effect)
        m_effect->stop();
}
