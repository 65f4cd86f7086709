#include "FileCopy.h"
#include "Errors.h"
#include "FileSizeLimit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
QString errorOf(const QString& from, const QString& to) {
    try {
        FileCopy(from, to);
    } catch (const EInOutError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(FileCopy, CopiesEveryByteAndKeepsTheTimeStamp) {
    QTemporaryDir dir;
    const QString src = dir.path() + "/Tockwell.alarms";
    const QString dst = dir.path() + "/Tockwell.backup";
    for (qsizetype size :
         {qsizetype(0), qsizetype(624), qsizetype(8192), qsizetype(8192 * 3 + 5)}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char(i * 31 % 251);
        write(src, bytes);
        const QDateTime stamp = QDateTime::currentDateTime().addDays(-40);
        {
            QFile f(src);
            ASSERT_TRUE(f.open(QIODevice::Append));
            ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
        }
        ASSERT_TRUE(FileCopy(src, dst)) << size;
        EXPECT_EQ(read(dst), bytes) << size;
        EXPECT_LE(std::abs(QFileInfo(dst).lastModified().msecsTo(stamp)), 2000) << size;
    }
}

TEST(FileCopy, FailuresLeaveTheOldTarget) {
    QTemporaryDir dir;
    const QString src = dir.path() + "/Tockwell.alarms";
    const QString dst = dir.path() + "/Tockwell.backup";
    EXPECT_EQ(errorOf(src, dst), "Cannot open file " + QDir::toNativeSeparators(src));
    QDir().mkdir(dir.path() + "/folder");
    EXPECT_EQ(errorOf(dir.path() + "/folder", dst),
              "Cannot open file " + QDir::toNativeSeparators(dir.path() + "/folder"));
    write(src, QByteArray(20000, 'n'));
    const QString nowhere = dir.path() + "/missing/Tockwell.backup";
    EXPECT_EQ(errorOf(src, nowhere), "Cannot create file " + QDir::toNativeSeparators(nowhere));

    // A full disc part-way: false, the old back-up whole, no half copy left beside it.
    // Both a file larger than one block and one smaller than Qt's write buffer.
    for (qsizetype size : {qsizetype(20000), qsizetype(3120)}) {
        write(src, QByteArray(size, 'n'));
        write(dst, "old backup");
        bool copied = true;
        {
            FileSizeLimit limit(1000);
            copied = FileCopy(src, dst);
        }
        EXPECT_FALSE(copied) << size;
        EXPECT_EQ(read(dst), "old backup") << size;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << size;
    }
}
