// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrayHost.h"
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

class QMenu;

// What the notification area offers: add the icon, change its image and tooltip,
// delete it. The program uses QSystemTrayIcon (TQtTrayBackend); tests put a fake in
// its place and deliver the clicks themselves.
class TTrayBackend {
public:
    virtual ~TTrayBackend() = default;
    virtual bool Add(const QIcon& icon, const QString& toolTip) = 0;
    virtual bool Modify(const QIcon& icon, const QString& toolTip) = 0;
    virtual bool Delete() = 0;
    // The host shows the menu itself (StatusNotifierItem: the menu is exported).
    virtual bool HostShowsMenu() const { return false; }
    // The icon is in a notification area now.
    virtual bool Shown() const { return true; }
    // Looks for a tray host that may have come since the last look.
    virtual void LookForHost() {}
};

// One icon in the notification area with a tooltip. A click reports OnClick, a double
// click OnClick for each click and then OnDblClick, a right click opens PopupMenu
// at the cursor and then reports OnRightClick; a host that shows the exported menu
// itself (StatusNotifierItem) shows PopupMenu, and only a ContextMenu request of such a
// host reports OnRightClick.
//
// Nothing reaches the notification area while the icon is not active. An icon added
// without a tooltip schedules one refresh for the next event processing, which sends
// the tooltip and image set in the meantime.
class TTrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxToolTip = 62;

    // Without a backend the icon goes to the desktop's notification area.
    explicit TTrayIcon(QObject* owner = nullptr, std::unique_ptr<TTrayBackend> backend = {});
    ~TTrayIcon() override;

    bool Active() const { return m_active; }
    void SetActive(bool value);

    // Only a form designer shows an icon while designing; at run time this is ignored.
    bool ShowDesigning() const { return m_showDesigning; }
    void SetShowDesigning(bool) {}

    const QIcon& Icon() const { return m_icon; }
    // Copies the image in; setting the icon's own object again does nothing.
    void SetIcon(const QIcon& icon);
    // The icon's own image, changed without telling the notification area: it shows
    // the change from the next add or change on.
    QIcon& IconObject() { return m_icon; }

    QString ToolTip() const { return m_toolTip; }
    // Cut to MaxToolTip characters.
    void SetToolTip(const QString& text);

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> OnRightClick;
    QMenu* PopupMenu = nullptr;

    // A mouse event on the icon, as the notification area reports it.
    void Activated(QSystemTrayIcon::ActivationReason reason);

    // Active and shown by a tray host: the user can see the icon.
    bool Shown() const { return m_active && m_backend->Shown(); }
    // Looks for a tray host while the icon waits for one; cheap, for a periodic check.
    void LookForHost();

private:
    void add();
    void change();
    void remove();
    void refresh();

    std::unique_ptr<TTrayBackend> m_backend;
    QIcon m_icon;
    QString m_toolTip;
    bool m_active = false;
    bool m_showDesigning = false;
};

// The notification area of the desktop, through QSystemTrayIcon: StatusNotifierItem
// over D-Bus where a host is registered, else XEmbed on X11.
//
// Qt chooses the protocol once per process, when the first QSystemTrayIcon is made,
// and never asks again: one made before the panel has started would never show on a
// desktop that speaks only StatusNotifierItem. So the QSystemTrayIcon is made only
// once a host is there. From then on Qt shows the icon again after the host restarts.
//
// On StatusNotifierItem the menu is exported (com.canonical.dbusmenu) and the host
// shows it; on XEmbed the icon's owner opens it at the cursor.
class TQtTrayBackend : public TTrayBackend {
public:
    explicit TQtTrayBackend(TTrayIcon* owner);
    ~TQtTrayBackend() override;
    bool Add(const QIcon& icon, const QString& toolTip) override;
    bool Modify(const QIcon& icon, const QString& toolTip) override;
    bool Delete() override;
    bool HostShowsMenu() const override { return m_tray && m_statusNotifier; }
    bool Shown() const override;
    void LookForHost() override;

private:
    void create();

    TTrayIcon* m_owner;
    std::unique_ptr<TTrayHostWatch> m_hosts;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    QIcon m_icon;
    QString m_toolTip;
    bool m_wanted = false;
    bool m_statusNotifier = false;
};
