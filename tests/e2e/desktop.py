#!/usr/bin/python3
"""What the end-to-end scripts read off a desktop session, and a tray host of their own.

  desktop.py menu [ITEM]         an item's exported menu (com.canonical.dbusmenu
                                 GetLayout), one entry a line: label, enabled, shortcut;
                                 "-" for a separator
  desktop.py watcher             a StatusNotifierWatcher with one host registered, and
                                 nothing else: a tray host that speaks only D-Bus;
                                 writes each item that registers on its output
  desktop.py widgets APP         the accessible widgets of the application APP, read
                                 through AT-SPI as a screen reader does: role 'name'
                                 and the states enabled, focused, one a line
"""
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_XML = """<node><interface name="org.kde.StatusNotifierWatcher">
<method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
<signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
<signal name="StatusNotifierHostRegistered"/>
</interface></node>"""


def bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(conn, dest, path, iface, method, args, reply):
    return conn.call_sync(dest, path, iface, method, args, GLib.VariantType(reply),
                          Gio.DBusCallFlags.NONE, 5000, None).unpack()


def registered(conn):
    return call(conn, WATCHER, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties", "Get",
                GLib.Variant("(ss)", (WATCHER, "RegisteredStatusNotifierItems")), "(v)")[0]


def menu(item=None):
    conn = bus()
    item = item or registered(conn)[0]
    service, _, path = item.partition("/")
    path = "/" + (path or "StatusNotifierItem")
    menu_path = call(conn, service, path, "org.freedesktop.DBus.Properties", "Get",
                     GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", "Menu")), "(v)")[0]
    layout = call(conn, service, menu_path, "com.canonical.dbusmenu", "GetLayout",
                  GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]
    print("menu " + menu_path)
    for _, props, _ in layout[2]:
        if not props.get("visible", True):
            continue
        if props.get("type") == "separator":
            print("-")
            continue
        shortcut = "+".join(props.get("shortcut", [[]])[0]) if "shortcut" in props else ""
        print("%s|%s|%s" % (props.get("label", ""), "enabled" if props.get("enabled", True)
                            else "disabled", shortcut))


def watcher():
    conn = bus()
    found = []
    info = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML).interfaces[0]

    def on_call(conn, sender, path, iface, method, args, invocation):
        if method == "RegisterStatusNotifierItem":
            service = args.unpack()[0]
            # A bus name ("org.kde.StatusNotifierItem-PID-1" or ":1.2"), or the sender's path.
            item = sender + service if service.startswith("/") else service + "/StatusNotifierItem"
            if item not in found:
                found.append(item)
                # As a real watcher does, an item whose owner leaves the bus is dropped.
                Gio.bus_watch_name_on_connection(conn, item.split("/")[0], Gio.BusNameWatcherFlags.NONE,
                                                 None, lambda c, n, i=item: i in found and found.remove(i))
            print(item, flush=True)
            conn.emit_signal(None, path, iface, "StatusNotifierItemRegistered",
                             GLib.Variant("(s)", (item,)))
        invocation.return_value(None)

    def on_get(conn, sender, path, iface, prop):
        return {"RegisteredStatusNotifierItems": GLib.Variant("as", found),
                "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
                "ProtocolVersion": GLib.Variant("i", 0)}[prop]

    conn.register_object("/StatusNotifierWatcher", info, on_call, on_get, None)

    def owned(conn, name):
        # The host registers itself, as a panel does; items that were waiting for a
        # watcher register now.
        conn.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierHostRegistered",
                         None)
        print("watching", flush=True)

    Gio.bus_own_name_on_connection(conn, WATCHER, Gio.BusNameOwnerFlags.NONE, owned, None)
    Gio.bus_own_name_on_connection(conn, "org.kde.StatusNotifierHost-test",
                                   Gio.BusNameOwnerFlags.NONE, None, None)
    GLib.MainLoop().run()


def widgets(app_name):
    import pyatspi
    states = {pyatspi.STATE_ENABLED: "enabled", pyatspi.STATE_FOCUSED: "focused"}

    def walk(node):
        state = node.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            return
        print("%s '%s' %s" % (node.getRoleName(), node.name,
                              " ".join(v for k, v in states.items() if state.contains(k))))
        if node.getRole() == pyatspi.ROLE_TABLE:
            table = node.queryTable()
            for r in range(min(table.nRows, 30)):
                print("row " + " | ".join(table.getAccessibleAt(r, c).name
                                          for c in range(table.nColumns)))
            return
        for child in node:
            walk(child)

    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == app_name:
            walk(app)


def focusable(app_name, title):
    """Every control of the app's window with that title that takes the keyboard focus,
    with its role and name, in tree order; fails when one has no name."""
    import pyatspi
    unnamed = 0

    def walk(node):
        nonlocal unnamed
        state = node.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            return
        if state.contains(pyatspi.STATE_FOCUSABLE) and node.getRole() != pyatspi.ROLE_FRAME:
            print("%s '%s'" % (node.getRoleName(), node.name))
            unnamed += not node.name.strip()
        for child in node:
            walk(child)

    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == app_name:
            for window in app:
                if window.name == title:
                    walk(window)
    sys.exit(1 if unnamed else 0)


if __name__ == "__main__":
    {"menu": menu, "watcher": watcher, "widgets": widgets, "focusable": focusable}[
        sys.argv[1]](*sys.argv[2:])
