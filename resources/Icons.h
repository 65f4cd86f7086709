// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The program's pictures by name: "MAINICON" and the animation frames "ICON_1" to
// "ICON_6", 32 x 32 in 16 colours, each with its drawing at 64 x 64 for screens and
// panels that want more pixels. A name without a picture gives a null icon, which the
// caller reports.
QIcon LoadIcon(const QString& name);
