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
        if (OnDblClick)
            OnDblClick();
        break;
    case QSystemTrayIcon::Context: {
        const QPoint where = QCursor::pos();
        if (PopupMenu) {
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

TQtTrayBackend::TQtTrayBackend(TTrayIcon* owner) {
    QObject::connect(&m_tray, &QSystemTrayIcon::activated, owner, &TTrayIcon::Activated);
}

bool TQtTrayBackend::Add(const QIcon& icon, const QString& toolTip) {
    m_tray.setIcon(icon);
    m_tray.setToolTip(toolTip);
    m_tray.show();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TQtTrayBackend::Modify(const QIcon& icon, const QString& toolTip) {
    m_tray.setIcon(icon);
    m_tray.setToolTip(toolTip);
    return true;
}

bool TQtTrayBackend::Delete() {
    m_tray.hide();
    return true;
}
