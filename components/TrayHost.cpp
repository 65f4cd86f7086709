// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace {
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString HostProperty = QStringLiteral("IsStatusNotifierHostRegistered");

// The screen number of the display name ":0.1" is 1; without one it is 0.
int screenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.indexOf('.', colon < 0 ? 0 : colon);
    return dot < 0 ? 0 : display.mid(dot + 1).toInt();
}

QDBusMessage hostQuestion() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        WatcherService, WatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << WatcherService << HostProperty;
    return get;
}
} // namespace

TTrayHostWatch::TTrayHostWatch(QObject* parent)
    : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto* service = new QDBusServiceWatcher(WatcherService, bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(service, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                if (owner.isEmpty())
                    m_sniHost = false;
                else
                    askWatcher();
            });
    bus.connect(WatcherService, WatcherPath, WatcherService,
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(askWatcher()));
    askWatcher();
}

void TTrayHostWatch::askWatcher() {
    auto* call =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(hostQuestion()), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &TTrayHostWatch::answered);
}

void TTrayHostWatch::answered(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusPendingReply<QDBusVariant> reply = *call;
    const bool host = !reply.isError() && reply.value().variant().toBool();
    if (host == m_sniHost)
        return;
    m_sniHost = host;
    if (host)
        emit Appeared();
}

bool TTrayHostWatch::StatusNotifierHostNow() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(WatcherService))
        return false;
    const QDBusReply<QDBusVariant> reply = bus.call(hostQuestion());
    return reply.isValid() && reply.value().variant().toBool();
}

bool TTrayHostWatch::XEmbedHost() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screenNumber());
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, true, name.size(), name.constData()), nullptr);
    if (!atom)
        return false;
    xcb_window_t owner = XCB_NONE;
    if (atom->atom != XCB_NONE) {
        xcb_get_selection_owner_reply_t* reply =
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
        if (reply)
            owner = reply->owner;
        free(reply);
    }
    free(atom);
    return owner != XCB_NONE;
}

void TTrayHostWatch::Look() {
    if (m_sniHost || XEmbedHost())
        emit Appeared();
}
