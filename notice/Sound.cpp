#include "Sound.h"

#include <QDir>
#include <QFileInfo>

TQtSoundPlayer::TQtSoundPlayer(QString programDir, QObject* parent)
    : QObject(parent)
    , m_programDir(std::move(programDir)) {
    connect(&m_effect, &QSoundEffect::statusChanged, this, [this] {
        if (m_effect.status() == QSoundEffect::Error && m_effect.source() != QUrl(DefaultSound))
            playDefault();
    });
}

QString TQtSoundPlayer::Resolve(const QString& file) const {
    if (file.isEmpty() || QDir::isAbsolutePath(file))
        return file;
    return QDir(m_programDir.isEmpty() ? QDir::currentPath() : m_programDir).filePath(file);
}

void TQtSoundPlayer::playDefault() {
    m_effect.setSource(QUrl(DefaultSound));
    m_effect.setLoopCount(m_loop ? QSoundEffect::Infinite : 1);
    m_effect.play();
}

void TQtSoundPlayer::Play(const QString& file, bool loop) {
    m_loop = loop;
    const QString path = Resolve(file);
    m_effect.stop();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        playDefault();
        return;
    }
    m_effect.setSource(QUrl::fromLocalFile(path));
    m_effect.setLoopCount(loop ? QSoundEffect::Infinite : 1);
    // Plays once the file is loaded; an undecodable file turns the status to Error,
    // where the default sound takes over.
    m_effect.play();
}

void TQtSoundPlayer::Stop() {
    m_effect.stop();
}
