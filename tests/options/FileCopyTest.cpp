// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCopy.h"
#include "Errors.h"
#include "Fakes.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FileCopy, AWholeCopyWithTheTimeStampOrNoneAtAll) {
    QTemporaryDir dir;
    const QString src = dir.path() + "/Tockwell.alarms", dst = dir.path() + "/Tockwell.backup";
    EXPECT_THROW(FileCopy(src, dst), EInOutError); // no source
    for (qsizetype size : {0, 8192 * 3 + 5}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char(i * 31 % 251);
        WriteBytes(src, bytes);
        const QDateTime stamp = QDateTime::currentDateTime().addDays(-40);
        QFile f(src);
        ASSERT_TRUE(f.open(QIODevice::Append) && f.setFileTime(stamp, QFile::FileModificationTime));
        f.close();
        ASSERT_TRUE(FileCopy(src, dst)) << size;
        EXPECT_EQ(ReadBytes(dst), bytes) << size;
        EXPECT_LE(std::abs(QFileInfo(dst).lastModified().msecsTo(stamp)), 2000) << size;
    }
    // A full disc part-way: false, the old back-up whole, no half copy left beside it
    // (a file smaller than Qt's write buffer: OptionsTest's restore).
    WriteBytes(src, QByteArray(20000, 'n'));
    WriteBytes(dst, "old backup");
    bool copied = true;
    {
        FileSizeLimit limit(1000);
        copied = FileCopy(src, dst);
    }
    EXPECT_TRUE(!copied && ReadBytes(dst) == "old backup");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    EXPECT_THROW(FileCopy(src, dir.path() + "/missing/Tockwell.backup"), EInOutError);
}
