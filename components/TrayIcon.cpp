// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayIcon.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

TTrayIcon::TTrayIcon(QObject* owner, std::unique_ptr<TTrayBackend> backend)
    : QObject(owner)
    , m_backend(std::move(backend)) {
    if (!m_backend)
        m_backend = std::make_unique<TQtTrayBackend>(this);
}

TTrayIcon::~TTrayIcon() {
    if (m_active)
        remove();
}

void TTrayIcon::SetActive(bool value) {
    if (value == m_active)
        return;
    m_active = value;
    if (value)
        add();
    else
        remove();
}

void TTrayIcon::SetIcon(const QIcon& icon) {
    if (&icon == &m_icon)
        return;
    m_icon = icon;
    change();
}

void TTrayIcon::SetToolTip(const QString& text) {
    m_toolTip = text.left(MaxToolTip);
    change();
}

void TTrayIcon::add() {
    m_backend->Add(m_icon, m_toolTip);
    if (m_toolTip.isEmpty())
        QMetaObject::invokeMethod(this, &TTrayIcon::refresh, Qt::QueuedConnection);
}

void TTrayIcon::change() {
    if (m_active)
        m_backend->Modify(m_icon, m_toolTip);
}

void TTrayIcon::remove() {
    m_backend->Delete();
}

void TTrayIcon::refresh() {
    SetToolTip(m_toolTip);
}

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (OnClick)
            OnClick();
        break;
    case QSystemTrayIcon::DoubleClick:
        // On XEmbed Qt reports the second click of a double click as the double click
        // alone; it is a click too. StatusNotifierItem hosts send what they send.
        if (OnClick && !m_backend->HostShowsMenu())
            OnClick();
        if (OnDblClick)
            OnDblClick();
        break;
    case QSystemTrayIcon::Context: {
        const QPoint where = QCursor::pos();
        // A host that shows the exported menu has shown it already; one that asks through
        // ContextMenu would wait for its reply while a menu ran here.
        if (PopupMenu && !m_backend->HostShowsMenu()) {
            // Let what is queued run first, then wait for the menu to close.
            QCoreApplication::processEvents();
            PopupMenu->exec(where);
        }
        if (OnRightClick)
            OnRightClick(Qt::RightButton, Qt::NoModifier, where);
        break;
    }
    default:
        break;
    }
}

void TTrayIcon::LookForHost() {
    if (m_active)
        m_backend->LookForHost();
}

TQtTrayBackend::TQtTrayBackend(TTrayIcon* owner)
    : m_owner(owner)
    , m_hosts(std::make_unique<TTrayHostWatch>()) {
    QObject::connect(m_hosts.get(), &TTrayHostWatch::Appeared, owner, [this] {
        if (m_tray && m_statusNotifier) {
            // WORKAROUND: Qt 6.4 does not register its item again with a watcher that
            // restarted (a panel restart): hiding and showing the icon does.
            m_tray->hide();
            m_tray->show();
        } else {
            create();
        }
    });
}

TQtTrayBackend::~TQtTrayBackend() = default;

void TQtTrayBackend::create() {
    if (!m_wanted || m_tray || m_icon.isNull())
        return;
    // Asked again just before Qt asks, so that both see the same desktop.
    m_statusNotifier = TTrayHostWatch::StatusNotifierHostNow();
    if (m_statusNotifier)
        m_hosts->NoteStatusNotifierHost();
    m_tray = std::make_unique<QSystemTrayIcon>(m_icon);
    QObject::connect(m_tray.get(), &QSystemTrayIcon::activated, m_owner, &TTrayIcon::Activated);
    m_tray->setToolTip(m_toolTip);
    if (m_statusNotifier && m_owner->PopupMenu)
        m_tray->setContextMenu(m_owner->PopupMenu);
    m_tray->show();
}

bool TQtTrayBackend::Add(const QIcon& icon, const QString& toolTip) {
    m_wanted = true;
    return Modify(icon, toolTip);
}

bool TQtTrayBackend::Modify(const QIcon& icon, const QString& toolTip) {
    m_icon = icon;
    m_toolTip = toolTip;
    if (m_tray) {
        m_tray->setIcon(icon);
        m_tray->setToolTip(toolTip);
    } else if (m_hosts->StatusNotifierHost() || TTrayHostWatch::XEmbedHost()) {
        // Made from the event loop, once the owner has its menu.
        QMetaObject::invokeMethod(
            m_owner, [this] { create(); }, Qt::QueuedConnection);
    }
    return true;
}

bool TQtTrayBackend::Delete() {
    m_wanted = false;
    m_tray.reset();
    return true;
}

bool TQtTrayBackend::Shown() const {
    if (!m_tray)
        return false;
    return m_statusNotifier ? m_hosts->StatusNotifierHost() : TTrayHostWatch::XEmbedHost();
}

void TQtTrayBackend::LookForHost() {
    if (m_wanted && !m_tray)
        m_hosts->Look();
}
