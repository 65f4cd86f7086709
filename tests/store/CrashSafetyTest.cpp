// A program killed while it saves must leave a data file that holds one whole list:
// the one before the save or the one it was saving, never a mixture or a cut file.
// save_loop saves list after list; it is killed with SIGKILL at random moments.
#include "AlarmFile.h"
#include "Generations.h"
#include "RecordCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Starts save_loop and returns once it has begun to save, with its PID.
pid_t startSaver(const QString& folder, int first) {
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray dir = folder.toLocal8Bit();
    const QByteArray firstText = QByteArray::number(first);
    char* args[] = {const_cast<char*>(SAVE_LOOP), const_cast<char*>(dir.constData()),
                    const_cast<char*>(firstText.constData()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, SAVE_LOOP, &actions, nullptr, args, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char c = 0;
    while (pid > 0 && read(out[0], &c, 1) == 1 && c != '\n') {
    }
    close(out[0]);
    return pid;
}

// The generation a whole file holds, or -1 with the reason in *why.
int generationOf(const QByteArray& bytes, std::string* why) {
    using RecordCodec::RecordSize;
    if (bytes.isEmpty() || bytes.size() % RecordSize != 0) {
        *why = "length " + std::to_string(bytes.size()) + " is no whole number of records";
        return -1;
    }
    const auto record = [&](int i) {
        return RecordCodec::Decode(
            std::span<const char, RecordSize>(bytes.constData() + i * RecordSize, RecordSize));
    };
    const QList<QByteArray> words = record(0).Text.split(' ');
    const int g = words.size() > 1 ? words[1].toInt() : -1;
    if (g < 0 || bytes.size() / RecordSize != GenerationSize(g)) {
        *why = "first record " + record(0).Text.left(40).toStdString() + " does not match count " +
               std::to_string(bytes.size() / RecordSize);
        return -1;
    }
    for (int i = 0; i < GenerationSize(g); ++i)
        if (!(record(i) == GenerationRecord(g, i))) {
            *why = "record " + std::to_string(i) + " is not as generation " + std::to_string(g) +
                   " wrote it";
            return -1;
        }
    return g;
}

TEST(CrashSafety, KilledDuringSavesTheFileAlwaysHoldsOneWholeList) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString dataPath = dir.path() + "/Tockwell.alarms";
    TAlarmFile(dir.path() + u'/').SaveList(Generation(0));

    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayUs(0, 12000);
    constexpr int Kills = 200;
    int previous = 0;
    int changed = 0;
    int leftovers = 0;
    for (int k = 1; k <= Kills; ++k) {
        const int first = k * 100000;
        const pid_t pid = startSaver(dir.path(), first);
        ASSERT_GT(pid, 0) << "save_loop did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ASSERT_EQ(kill(pid, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "save_loop ended by itself, status " << status;

        QFile f(dataPath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "kill " << k << ": the data file is gone";
        std::string why;
        const int g = generationOf(f.readAll(), &why);
        ASSERT_GE(g, 0) << "kill " << k << ": " << why;
        ASSERT_TRUE(g == previous || (g >= first && g < first + 100000))
            << "kill " << k << ": generation " << g << " after " << previous;
        changed += g != previous;
        previous = g;
        // The swap of a save is a link of the finished file under a temporary name and
        // a rename; a kill between the two leaves that file behind. It must be a whole
        // list too, never part of one.
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            if (name == "Tockwell.alarms")
                continue;
            QFile extra(dir.path() + u'/' + name);
            ASSERT_TRUE(extra.open(QIODevice::ReadOnly));
            ASSERT_GE(generationOf(extra.readAll(), &why), first)
                << "kill " << k << ": " << name.toStdString() << ": " << why;
            extra.close();
            extra.remove();
            ++leftovers;
        }
    }
    // The kills must have come while the saver was at work, not only before it began.
    EXPECT_GT(changed, Kills / 4);
    RecordProperty("kills", Kills);
    RecordProperty("kills_after_a_new_save", changed);
    std::printf("%d kills, %d of them after at least one new list was saved, %d between the "
                "link and the rename of a save\n",
                Kills, changed, leftovers);
}

} // namespace
