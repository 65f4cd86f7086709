// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a data file, through what a start and a check cycle do
// with it (LoadList, the recurrence tests, the clean-up pass with its refreshes and saves,
// the grid, SaveList). A saved list loads back the same, and a file that could not be read
// whole is kept aside byte for byte before anything replaces it.
#include "AlarmFile.h"
#include "Cleanup.h"
#include "Errors.h"
#include "Fakes.h"
#include "ListRefresh.h"
#include "RecordCodec.h"
#include "Rules.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "alarmfile_fuzz: %s\n", what);
        std::abort();
    }
}

std::unique_ptr<QTemporaryDir> folder;

struct Hooks : TListHooks {
    Hooks(AlarmList& l, TAlarmFile& f)
        : list(l)
        , file(f) {}
    AlarmList& list;
    TAlarmFile& file;
    void RefreshList() override { ::RefreshList(list, true, QLocale::c()); }
    void SaveList() override { file.SaveList(list); }
    void CheckButtons() override { ::CheckButtons(list); }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // A folder in memory when there is one: every save syncs its file.
    const bool shm = QFileInfo("/dev/shm").isDir() && QFileInfo("/dev/shm").isWritable();
    folder = std::make_unique<QTemporaryDir>(shm ? "/dev/shm/tockwell-fuzz-XXXXXX" : QString());
    check(folder->isValid(), "no temporary folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString current = QDir::currentPath(); // LoadList makes the program's folder current
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QDir dir(folder->path());
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    check(WriteBytes(dir.filePath(TAlarmFile::FileName), input), "cannot write the input file");
    TManualClock clock(46000.5);
    TAlarmFile file(folder->path() + u'/', &clock);
    AlarmList list;
    bool damaged = false;
    try {
        file.LoadList(list);
    } catch (const EInOutError&) {
        damaged = true;
    }
    check(damaged == (size % RecordCodec::RecordSize != 0), "damage not reported as such");
    check(list.Count() == static_cast<int>(size / RecordCodec::RecordSize), "whole records lost");
    for (const auto& rec : list) // whatever a text holds, its edit can be saved as shown
        check(DisplayToText(EditableText(rec->Text)).has_value(), "edited text not storable");
    // Noon, just before midnight, the epoch, far past, the last valid day, impossible times.
    for (const double now : {46000.5, 46000.99999, 0.0, -693593.25, 2958465.9, -1.75, 1e300,
                             std::numeric_limits<double>::quiet_NaN()})
        for (const auto mode :
             {Rules::TCheckMode::CatchUp, Rules::TCheckMode::Normal, Rules::TCheckMode::Gap})
            for (const auto& rec : list) {
                TAlarmRec copy = *rec;
                Rules::CheckAlarm(copy, now, mode, now > 46000 ? 5 : -7, now - 0.5);
            }
    Hooks hooks(list, file);
    TCheckState state;
    for (const double now : {46000.5, 46003.25}) {
        clock.set(now);
        Cleanup(list, state, now, hooks);
    }
    file.SaveList(list);
    if (damaged)
        check(ReadBytes(file.KeptAsidePath()) == input, "damaged file not kept aside whole");
    const QByteArray saved = ReadBytes(dir.filePath(TAlarmFile::FileName));
    check(saved == RecordCodec::EncodeAll(list), "saved file differs from the list");
    AlarmList again;
    TAlarmFile(folder->path() + u'/', &clock).LoadList(again);
    check(RecordCodec::EncodeAll(again) == saved, "save then load changed the records");
    QDir::setCurrent(current);
    return 0;
}
