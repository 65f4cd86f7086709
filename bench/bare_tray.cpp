// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for Tockwell's idle cost: a bare Qt program that shows only a tray icon
// with a menu and runs a ten-second timer, built by the same CMake with the same flags.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(8, 8, 16, 16, Qt::darkYellow);
    QMenu menu;
    menu.addAction(QStringLiteral("&About"));
    menu.addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("bare tray program"));
    icon.setContextMenu(&menu);
    icon.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.start(10000);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    return app.exec();
}
