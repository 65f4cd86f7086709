// libFuzzer target: any bytes as a data file. They go through what a start and a check
// cycle do with a file: LoadList, every recurrence test at a few fixed moments, the
// clean-up pass with its refreshes and saves, the grid, and SaveList. It checks that a
// saved list loads back the same, and that a file that could not be read whole is kept
// aside byte for byte before anything replaces it.
#include "AlarmFile.h"
#include "Cleanup.h"
#include "Errors.h"
#include "Fakes.h"
#include "ListRefresh.h"
#include "RecordCodec.h"
#include "Rules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "alarmfile_fuzz: %s\n", what);
        std::abort();
    }
}

std::unique_ptr<QTemporaryDir> folder;

QString dataPath() {
    return folder->path() + QStringLiteral("/Tockwell.alarms");
}

void writeFile(const QByteArray& bytes) {
    QFile f(dataPath());
    check(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input file");
    check(f.write(bytes) == bytes.size(), "short write of the input file");
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    check(f.open(QIODevice::ReadOnly), "cannot read back a file");
    return f.readAll();
}

// Every file but the data file goes between inputs (the kept-aside copies).
void clearFolder() {
    QDir dir(folder->path());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (name != TAlarmFile::FileName)
            dir.remove(name);
}

// Moments the rules are tried at: an ordinary noon, just before midnight, the epoch,
// far in the past and the last valid day, and values no clock gives.
constexpr double Moments[] = {
    46000.5,   46000.99999, 0.0,   -693593.25,
    2958465.9, -1.75,       1e300, std::numeric_limits<double>::quiet_NaN()};

class Hooks : public TListHooks {
public:
    Hooks(AlarmList& list, TAlarmFile& file)
        : m_list(list)
        , m_file(file) {}
    void RefreshList() override {
        const TGridContent grid = ::RefreshList(m_list, true, QLocale::c());
        check(grid.rows.size() == m_list.Count(), "grid rows differ from the list");
    }
    void SaveList() override { m_file.SaveList(m_list); }
    void CheckButtons() override {
        const TButtonStates b = ::CheckButtons(m_list);
        check(b.Delete == (m_list.Count() > 0), "Delete button state");
    }

private:
    AlarmList& m_list;
    TAlarmFile& m_file;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // A folder in memory when there is one: every save syncs its file.
    const QString shm = QStringLiteral("/dev/shm");
    folder = std::make_unique<QTemporaryDir>(QFileInfo(shm).isDir() && QFileInfo(shm).isWritable()
                                                 ? shm + "/tockwell-fuzz-XXXXXX"
                                                 : QString());
    check(folder->isValid(), "no temporary folder");
    return 0;
}

// LoadList makes the program's folder the current folder; libFuzzer reads its corpus
// by relative names, so the fuzzer's own folder comes back after each input.
struct KeepCurrentFolder {
    QString path = QDir::currentPath();
    ~KeepCurrentFolder() { QDir::setCurrent(path); }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KeepCurrentFolder keep;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    clearFolder();
    writeFile(input);

    TManualClock clock(46000.5);
    TAlarmFile file(folder->path() + u'/', &clock);
    AlarmList list;
    bool damaged = false;
    try {
        file.LoadList(list);
    } catch (const EInOutError& e) {
        check(e.message() == TAlarmFile::MsgReadFailed, "unexpected load message");
        damaged = true;
    }
    check(damaged == (size % RecordCodec::RecordSize != 0), "damage not reported as such");
    check(list.Count() == static_cast<int>(size / RecordCodec::RecordSize),
          "whole records lost on load");

    // Whatever a record's text holds, its edit can be saved as it is shown.
    for (const auto& rec : list)
        check(DisplayToText(EditableText(rec->Text)).has_value(), "edited text not storable");

    for (const double now : Moments)
        for (const auto mode :
             {Rules::TCheckMode::CatchUp, Rules::TCheckMode::Normal, Rules::TCheckMode::Gap})
            for (const int snooze : {5, 60, 0, -7})
                for (const auto& rec : list) {
                    TAlarmRec copy = *rec;
                    Rules::CheckAlarm(copy, now, mode, snooze, now - 0.5);
                    Rules::DateMatches(copy, now);
                }

    Hooks hooks(list, file);
    TCheckState state;
    for (const double now : {46000.5, 46003.25}) {
        clock.set(now);
        Cleanup(list, state, now, hooks);
        check(!state.CleanupBusy, "CleanupBusy left set");
    }
    hooks.RefreshList();

    file.SaveList(list);
    if (damaged) {
        check(!file.KeptAsidePath().isEmpty(), "damaged file not kept aside");
        check(readFile(file.KeptAsidePath()) == input, "kept-aside copy differs from the file");
    }
    const QByteArray saved = readFile(dataPath());
    check(saved == RecordCodec::EncodeAll(list), "saved file differs from the list");

    AlarmList again;
    TAlarmFile(folder->path() + u'/', &clock).LoadList(again);
    check(RecordCodec::EncodeAll(again) == saved, "save then load changed the records");
    return 0;
}
