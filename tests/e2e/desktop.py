#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end scripts read off a desktop session: menu (the bell's exported menu, an
entry a line: label|enabled|shortcut), activate and click LABEL (as a host sends them), widgets
APP (AT-SPI: role 'name' states), where APP ROLE NAME (its middle), eval JS (GNOME Shell's)."""
import json
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"


def role(node):  # as AT-SPI 2.46 (Debian 12) names it; 2.56 calls a push button "button"
    import pyatspi
    return "push button" if node.getRole() == pyatspi.ROLE_PUSH_BUTTON else node.getRoleName()


def bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(conn, dest, path, iface, method, args, reply):
    return conn.call_sync(dest, path, iface, method, args, GLib.VariantType(reply),
                          Gio.DBusCallFlags.NONE, 5000, None).unpack()


def registered(conn):
    return call(conn, WATCHER, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties", "Get",
                GLib.Variant("(ss)", (WATCHER, "RegisteredStatusNotifierItems")), "(v)")[0]


def item_of(conn, item=None):
    item = item or registered(conn)[0]
    # SERVICE/PATH, or SERVICE@/PATH as GNOME's AppIndicator extension writes it
    service, _, path = item.partition("@/" if "@/" in item else "/")
    return service, "/" + (path or "StatusNotifierItem")


def exported(conn, item=None):
    service, path = item_of(conn, item)
    menu_path = call(conn, service, path, "org.freedesktop.DBus.Properties", "Get",
                     GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", "Menu")), "(v)")[0]
    layout = call(conn, service, menu_path, "com.canonical.dbusmenu", "GetLayout",
                  GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]
    return service, menu_path, layout[2]


def activate():
    conn = bus()
    call(conn, *item_of(conn), "org.kde.StatusNotifierItem", "Activate", GLib.Variant("(ii)", (0, 0)), "()")


def click(label):
    conn = bus()
    service, menu_path, entries = exported(conn)
    ident = next(i for i, props, _ in entries if props.get("label", "").replace("_", "").startswith(label))
    call(conn, service, menu_path, "com.canonical.dbusmenu", "Event",
         GLib.Variant("(isvu)", (ident, "clicked", GLib.Variant("i", 0), 0)), "()")


def menu(item=None):
    _, menu_path, entries = exported(bus(), item)
    print("menu " + menu_path)
    for _, props, _ in entries:
        if not props.get("visible", True):
            continue
        if props.get("type") == "separator":
            print("-")
            continue
        shortcut = "+".join(props.get("shortcut", [[]])[0]) if "shortcut" in props else ""
        print("%s|%s|%s" % (props.get("label", ""), "enabled" if props.get("enabled", True)
                            else "disabled", shortcut))


def showing(app_name):
    """The showing widgets of the application, depth first."""
    import pyatspi

    def walk(node):
        if not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        yield node
        if node.getRole() != pyatspi.ROLE_TABLE:
            for child in node:
                yield from walk(child)

    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == app_name:
            yield from walk(app)


def where(app_name, role_name, name):
    import pyatspi
    for node in showing(app_name):
        if role(node) == role_name and node.name == name:
            e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(e.x + e.width // 2, e.y + e.height // 2)
            return
    sys.exit(1)


def shell_eval(js):
    ok, value = call(bus(), "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                     GLib.Variant("(s)", (js,)), "(bs)")
    if not ok:
        sys.exit("Eval failed: " + value)
    value = json.loads(value) if value else ""
    print(value if isinstance(value, str) else json.dumps(value))


def widgets(app_name):
    import pyatspi
    states = {pyatspi.STATE_ENABLED: "enabled", pyatspi.STATE_FOCUSED: "focused"}

    for node in showing(app_name):
        state = node.getState()
        print("%s '%s' %s" % (role(node), node.name,
                              " ".join(v for k, v in states.items() if state.contains(k))))
        if node.getRole() == pyatspi.ROLE_TABLE:
            table = node.queryTable()
            for r in range(min(table.nRows, 30)):
                print("row " + " | ".join(table.getAccessibleAt(r, c).name
                                          for c in range(table.nColumns)))


if __name__ == "__main__":
    {"menu": menu, "activate": activate, "click": click, "widgets": widgets, "where": where,
     "eval": shell_eval}[sys.argv[1]](*sys.argv[2:])
