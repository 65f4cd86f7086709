// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Copies a file byte for byte and gives the copy the source's last-write time, as back
// up and restore need it. The target is replaced only by a complete copy: one that
// fails part-way (a full disc) leaves the file that was there as it was.
// - The source cannot be opened: EInOutError "Cannot open file <source>".
// - The target cannot be created: EInOutError "Cannot create file <target>".
// - The copy fails part-way: false, and the old target is untouched.
bool FileCopy(const QString& source, const QString& target);
