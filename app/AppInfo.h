// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The application's title: caption of every message box, name of the settings
// section, and the name the single-instance guard uses.
inline const QString AppTitle = QStringLiteral("Tockwell");
// Organisation under which the settings file lives.
inline const QString AppOrganisation = QStringLiteral("Ostrand");
