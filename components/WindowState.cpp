// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowState.h"

#include <QGuiApplication>
#include <QWindow>
#include <xcb/xcb.h>

namespace {
xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, false, qstrlen(name), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : XCB_NONE;
    free(reply);
    return a;
}
} // namespace

void UnshadeWindow(QWindow* window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !window || !window->handle())
        return;
    // The EWMH request to a window manager: remove (0) the state, from an application (1).
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = static_cast<xcb_window_t>(window->winId());
    ev.type = atom(c, "_NET_WM_STATE");
    ev.data.data32[0] = 0;
    ev.data.data32[1] = atom(c, "_NET_WM_STATE_SHADED");
    ev.data.data32[3] = 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
}
