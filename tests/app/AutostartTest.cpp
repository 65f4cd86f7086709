// SPDX-License-Identifier: GPL-3.0-or-later
#include "Autostart.h"
#include "Errors.h"
#include "Fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString Id = QStringLiteral("org.example.Test");
}

// Offered once: what the user then does with the entry (deletes it, switches it off) is
// never undone; an entry already there is left as it is; a failure marks nothing.
TEST(AutostartTest, TheEntryIsOfferedOnceAndWhatTheUserDidStays) {
    QTemporaryDir dir;
    const Autostart::Place place{dir.path() + "/config/autostart", dir.path() + "/offered"};
    const QString entry = place.folder + "/" + Id + ".desktop";
    ASSERT_TRUE(WriteBytes(dir.path() + "/config", "a file")); // where the folder should be
    EXPECT_THROW(Autostart::OfferOnce(place, Id, "[Desktop Entry]\n"), EInOutError);
    EXPECT_FALSE(QFile::exists(place.marker));
    ASSERT_TRUE(QFile::remove(dir.path() + "/config"));
    EXPECT_EQ(Autostart::OfferOnce(place, Id, "[Desktop Entry]\n"), Autostart::Result::Added);
    // Once: later starts do nothing (a deleted entry stays deleted: install_e2e.sh).
    EXPECT_EQ(Autostart::OfferOnce(place, Id, "changed"), Autostart::Result::OfferedBefore);
    EXPECT_EQ(ReadBytes(entry), "[Desktop Entry]\n");
    // A user who copied the launcher by hand and switched it off, before the offer.
    const Autostart::Place earlier{place.folder, dir.path() + "/offered-earlier"};
    ASSERT_TRUE(WriteBytes(entry, "[Desktop Entry]\nHidden=true\n"));
    EXPECT_EQ(Autostart::OfferOnce(earlier, Id, "x"), Autostart::Result::LeftAsItWas);
    EXPECT_TRUE(ReadBytes(entry) == "[Desktop Entry]\nHidden=true\n" &&
                QFile::exists(earlier.marker));
}

// Exec names the bin link that leads to the program, quoted as desktop entries want; a
// link that leads elsewhere: the program itself.
TEST(AutostartTest, ExecNamesTheLinkToTheProgramQuotedWhereNeeded) {
    QTemporaryDir dir;
    const QString root = dir.path() + "/my home/100% $ure";
    ASSERT_TRUE(QDir().mkpath(root + "/lib/tockwell") && QDir().mkpath(root + "/bin"));
    ASSERT_TRUE(WriteBytes(root + "/lib/tockwell/tockwell", "program"));
    ASSERT_TRUE(QFile::link("../lib/tockwell/tockwell", root + "/bin/tockwell"));
    EXPECT_EQ(Autostart::ExecFor(root + "/lib/tockwell/tockwell"),
              "\"" + dir.path() + "/my home/100%% \\\\$ure/bin/tockwell\"");
    ASSERT_TRUE(QFile::remove(root + "/bin/tockwell") &&
                WriteBytes(root + "/bin/tockwell", "another program"));
    EXPECT_EQ(Autostart::ExecFor(root + "/lib/tockwell/tockwell"),
              "\"" + dir.path() + "/my home/100%% \\\\$ure/lib/tockwell/tockwell\"");
    EXPECT_EQ(
        Autostart::EntryText("Exec=@TOCKWELL_EXEC@\nIcon=@TOCKWELL_APP_ID@\n", "/usr/bin/t", Id),
        "Exec=/usr/bin/t\nIcon=" + Id + "\n");
}
