// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// Keeps the program to one running copy per user. The first copy holds a lock file
// named "OnlyOne" + the first 20 characters of the application title in the user's
// runtime folder, and listens on a local socket of the same name. A later copy finds
// the lock taken, asks the first copy through the socket to raise its window, and is
// told to end (SecondCopy()) before it reads or writes anything or shows anything.
//
// A copy that was killed leaves its lock behind; the lock names its process, and a
// lock whose process is gone is taken over at once. Taking the lock is atomic, so of
// two copies started at the same instant only one runs.
class TOnlyOne : public QObject {
    Q_OBJECT
public:
    // The check runs here, with the application title as it is now.
    explicit TOnlyOne(const QString& title, bool enforceOnlyOne = true, QObject* parent = nullptr);
    ~TOnlyOne() override;

    bool EnforceOnlyOne() const { return m_enforce; }
    // Another copy runs: this one must end.
    bool SecondCopy() const { return m_secondCopy; }
    QString MarkerName() const { return m_marker; }

    // "OnlyOne" followed by the first 20 characters of the title.
    static QString MarkerFor(const QString& title);
    // Where the lock and the socket live: the user's runtime folder.
    static QString RuntimeFolder();

signals:
    // A later copy asked this one to bring its window titled like this forward.
    void RaiseRequested(const QString& title);

private:
    void check(const QString& title);
    void serve();

    bool m_enforce;
    bool m_secondCopy = false;
    QString m_marker;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
