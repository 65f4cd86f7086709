#pragma once

#include "TrayIcon.h"

#include <QStringList>

// A notification area that only writes down what it is asked: "add <tip>",
// "modify <tip>", "delete", with "(no image)" when the icon is null.
class FakeTray : public TTrayBackend {
public:
    explicit FakeTray(QStringList* log)
        : m_log(log) {}
    bool Add(const QIcon& icon, const QString& tip) override { return note("add", icon, tip); }
    bool Modify(const QIcon& icon, const QString& tip) override {
        return note("modify", icon, tip);
    }
    bool Delete() override {
        *m_log << "delete";
        return true;
    }
    bool Shown() const override { return shown; }
    bool HostShowsMenu() const override { return hostShowsMenu; }

    bool shown = true;          // a tray host shows the icon
    bool hostShowsMenu = false; // as a StatusNotifierItem host does

private:
    bool note(const char* what, const QIcon& icon, const QString& tip) {
        *m_log << QString::fromLatin1(what) + u' ' + (icon.isNull() ? "(no image) " : "") + tip;
        return true;
    }
    QStringList* m_log;
};
