// SPDX-License-Identifier: GPL-3.0-or-later
#include "Autostart.h"

#include "Errors.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Autostart {

namespace {

bool present(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink(); // a dangling link is the user's too
}

EInOutError notStarted(const QString& what) {
    return EInOutError(QStringLiteral("Tockwell could not %1, so it is not started with the "
                                      "desktop session yet; it tries again at its next start")
                           .arg(what));
}

void writeWhole(const QString& path, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw notStarted(QStringLiteral("write %1 (%2)")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace

Place UserPlace(const QString& userDataFolder) {
    return {QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/autostart"),
            userDataFolder + QStringLiteral("autostart-offered")};
}

QString EntryText(const QString& launcherTemplate, const QString& exec, const QString& appId) {
    QString text = launcherTemplate;
    return text.replace(QStringLiteral("@TOCKWELL_EXEC@"), exec)
        .replace(QStringLiteral("@TOCKWELL_APP_ID@"), appId);
}

QString ExecFor(const QString& programFile) {
    const QFileInfo program(programFile);
    const QString link = QDir::cleanPath(program.absolutePath() + QStringLiteral("/../../bin/") +
                                         program.fileName());
    const QString path = QFileInfo(link).canonicalFilePath() == program.canonicalFilePath()
                             ? link
                             : program.absoluteFilePath();
    // Desktop entries: a path with a reserved character is quoted, and inside the quotes
    // " ` $ \ take a backslash; then the key's value escapes backslashes again, and a
    // per cent sign is doubled (field codes).
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString exec;
    bool quote = false;
    for (const QChar c : path) {
        quote = quote || reserved.contains(c);
        if (QStringLiteral("\"`$\\").contains(c))
            exec += u'\\';
        exec += c;
    }
    if (quote)
        exec = u'"' + exec + u'"';
    return exec.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'%', QStringLiteral("%%"));
}

Result OfferOnce(const Place& place, const QString& appId, const QString& entryText) {
    if (present(place.marker))
        return Result::OfferedBefore;
    const QString entry = place.folder + u'/' + appId + QStringLiteral(".desktop");
    const bool there = present(entry);
    if (!there) {
        if (!QDir().mkpath(place.folder))
            throw notStarted(
                QStringLiteral("make the folder %1").arg(QDir::toNativeSeparators(place.folder)));
        writeWhole(entry, entryText);
    }
    writeWhole(place.marker,
               QStringLiteral("On %1 Tockwell offered to start with your desktop session through\n"
                              "%2\nDelete that file, or switch it off in your desktop's settings, "
                              "and it stays so:\nthis file tells Tockwell never to add it again.\n")
                   .arg(QDate::currentDate().toString(Qt::ISODate), entry));
    return there ? Result::LeftAsItWas : Result::Added;
}

} // namespace Autostart
