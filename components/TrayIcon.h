#pragma once

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
};

// One icon in the notification area with a tooltip. A click reports OnClick, a double
// click OnDblClick (after the click of its first press), a right click opens PopupMenu
// at the cursor and then reports OnRightClick.
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

// The notification area of the desktop, through QSystemTrayIcon. Qt shows the icon as
// soon as a tray host appears and again after the host restarts (XEmbed on X11,
// StatusNotifierItem where a watcher runs).
class TQtTrayBackend : public TTrayBackend {
public:
    explicit TQtTrayBackend(TTrayIcon* owner);
    bool Add(const QIcon& icon, const QString& toolTip) override;
    bool Modify(const QIcon& icon, const QString& toolTip) override;
    bool Delete() override;

private:
    QSystemTrayIcon m_tray;
};
