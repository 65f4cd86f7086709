// SPDX-License-Identifier: GPL-3.0-or-later
#include "Icons.h"

#include <QFile>

QIcon LoadIcon(const QString& name) {
    const QString path = QStringLiteral(":/icons/%1.xpm").arg(name);
    if (!QFile::exists(path))
        return {};
    QIcon icon(path);
    return icon.pixmap(32, 32).isNull() ? QIcon() : icon;
}
