// SPDX-License-Identifier: GPL-3.0-or-later
#include "Icons.h"

#include <QFile>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <vector>

namespace {

QImage readXpm(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The picture's rows are the XPM's strings, handed to QImage as they stand: the
    // first use of QImageReader looks through every image-format plug-in on the
    // machine, and the bell is needed before anything else at start-up.
    const QByteArray text = file.readAll();
    QList<QByteArray> rows;
    for (qsizetype open = text.indexOf('"'); open >= 0; open = text.indexOf('"', open + 1)) {
        const qsizetype close = text.indexOf('"', open + 1);
        if (close < 0)
            break;
        rows << text.mid(open + 1, close - open - 1);
        open = close;
    }
    // "width height colours characters-per-pixel", then the colours, then the rows.
    const QList<QByteArray> values = rows.value(0).simplified().split(' ');
    const int height = values.value(1).toInt(), colours = values.value(2).toInt();
    if (values.size() < 4 || height <= 0 || colours <= 0 || rows.size() < 1 + colours + height)
        return {};
    std::vector<const char*> lines;
    for (const QByteArray& row : rows)
        lines.push_back(row.constData());
    return QImage(lines.data());
}

} // namespace

QIcon LoadIcon(const QString& name) {
    const QImage image = readXpm(QStringLiteral(":/icons/%1.xpm").arg(name));
    if (image.isNull())
        return {};
    QIcon icon(QPixmap::fromImage(image));
    // The same picture drawn at twice the size, for screens at twice the pixels and for
    // panels that ask for a larger icon.
    const QImage large = readXpm(QStringLiteral(":/icons/%1@2x.xpm").arg(name));
    if (!large.isNull())
        icon.addPixmap(QPixmap::fromImage(large));
    return icon;
}
