// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Starting with the desktop session. A reminder that is not running misses every alarm,
// so at a user's first start the program adds its launcher to the user's autostart
// folder (the XDG one the desktops read: ~/.config/autostart). It does so once: a
// marker file remembers that the entry was offered, and what the user then does with
// the entry (deletes it, switches it off in the desktop's settings) is never undone.
namespace Autostart {

enum class Result {
    Added,        // the entry was written, and the offer marked
    LeftAsItWas,  // an entry of that name was already there (copied by hand, switched
                  // off): it stays as it is, and the offer is marked
    OfferedBefore // the marker says it was offered at an earlier start: nothing is done
};

struct Place {
    QString folder; // the autostart folder
    QString marker; // the file that remembers the offer
};

// The user's autostart folder ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart),
// and the marker in the user's data folder (with its trailing separator).
Place UserPlace(const QString& userDataFolder);

// The launcher template's text with the program to start and the app id filled in.
QString EntryText(const QString& launcherTemplate, const QString& exec, const QString& appId);

// What the entry's Exec key starts: the link bin/tockwell beside the program's prefix
// when it leads to this program (/usr/bin/tockwell, ~/.local/bin/tockwell), otherwise
// the program file itself; quoted as desktop entries need where the path asks for it.
QString ExecFor(const QString& programFile);

// Adds the entry "<appId>.desktop" with the text entryText to place.folder, unless the
// offer was made before. Throws EInOutError, marking nothing, when the entry or the
// marker cannot be written, so that the next start tries again.
Result OfferOnce(const Place& place, const QString& appId, const QString& entryText);

} // namespace Autostart
