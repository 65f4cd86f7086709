// SPDX-License-Identifier: GPL-3.0-or-later
#include "OnlyOne.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
// Only a lock whose process cannot be checked (another host sharing the folder) is
// taken over by age; a lock of a process that is gone is taken over at once.
constexpr int StaleLockMs = 24 * 60 * 60 * 1000;
constexpr int ConnectMs = 2000;
} // namespace

TOnlyOne::TOnlyOne(const QString& title, bool enforceOnlyOne, QObject* parent)
    : QObject(parent)
    , m_enforce(enforceOnlyOne) {
    if (m_enforce)
        check(title);
}

TOnlyOne::~TOnlyOne() {
    m_server.close();
    if (m_lock)
        m_lock->unlock();
}

QString TOnlyOne::MarkerFor(const QString& title) {
    return QStringLiteral("OnlyOne") + title.left(20);
}

QString TOnlyOne::RuntimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

void TOnlyOne::check(const QString& title) {
    m_marker = MarkerFor(title);
    const QString base = RuntimeFolder() + u'/' + m_marker;
    m_lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(StaleLockMs);
    if (m_lock->tryLock(0)) {
        serve();
        return;
    }
    if (m_lock->error() != QLockFile::LockFailedError) {
        // No lock can be made here at all (the folder is not writable): running unguarded
        // is better than not running.
        m_lock.reset();
        return;
    }
    m_lock.reset();
    m_secondCopy = true;
    QLocalSocket socket;
    socket.connectToServer(base + QStringLiteral(".socket"));
    if (socket.waitForConnected(ConnectMs)) {
        socket.write(title.toUtf8() + '\n');
        socket.waitForBytesWritten(ConnectMs);
        socket.disconnectFromServer();
    }
}

void TOnlyOne::serve() {
    const QString name = RuntimeFolder() + u'/' + m_marker + QStringLiteral(".socket");
    // The lock is ours, so a socket file left there belongs to a copy that is gone.
    QLocalServer::removeServer(name);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(name))
        return; // the guard still holds; only the raising of this copy's window is lost
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            // A request is one short line; nothing more is kept from anyone.
            peer->setReadBufferSize(256);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                while (peer->canReadLine()) {
                    const QString title = QString::fromUtf8(peer->readLine()).trimmed();
                    emit RaiseRequested(title.left(30));
                }
            });
        }
    });
}
