// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QDBusPendingCallWatcher;

// Watches for a tray host on this desktop: a StatusNotifierWatcher with a registered
// host on the session bus (told by the bus as it happens), or the owner of the XEmbed
// tray selection _NET_SYSTEM_TRAY_S<screen> on X11 (looked for at start and whenever
// Look() is called; the program calls it from its ten-second check, so nothing polls
// more often than that).
class TTrayHostWatch : public QObject {
    Q_OBJECT
public:
    explicit TTrayHostWatch(QObject* parent = nullptr);

    // A StatusNotifierItem host is registered, as far as the bus has told.
    bool StatusNotifierHost() const { return m_sniHost; }
    // The XEmbed tray selection has an owner now (asked at the call).
    static bool XEmbedHost();
    // Asks the watcher now, waiting for its answer, as Qt does when it chooses its tray
    // protocol: the answer then matches Qt's choice.
    static bool StatusNotifierHostNow();

    // Looks for an XEmbed host; emits Appeared when one is there.
    void Look();
    // A StatusNotifierItem host is known to be there (asked with StatusNotifierHostNow).
    void NoteStatusNotifierHost() { m_sniHost = true; }

signals:
    // A host is there, or came back after it went: a tray icon can be shown.
    void Appeared();

private:
    Q_SLOT void askWatcher();
    void answered(QDBusPendingCallWatcher* call);

    bool m_sniHost = false;
};
