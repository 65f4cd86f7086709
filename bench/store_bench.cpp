// SPDX-License-Identifier: GPL-3.0-or-later
// The check pass, and load, sort and save of the alarm list at the sizes a user, a damaged file and
// a stress case give: 20, 1,000 and 100,000 records.
#include "AlarmFile.h"
#include "RecordCodec.h"
#include "Rules.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

AlarmList makeList(int n) {
    AlarmList list;
    for (int i = 0; i < n; ++i) {
        // Times scattered so that sorting has work to do.
        const double t = 46000.0 + ((i * 7919) % n) + (i % 1440) / 1440.0;
        list.Append(NewAlarm(i % 5, t, "Alarm number " + QByteArray::number(i)));
    }
    return list;
}

void BM_Save(benchmark::State& state) {
    QTemporaryDir dir;
    TAlarmFile file(dir.path() + u'/');
    const AlarmList list = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state)
        file.SaveList(list);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0) * RecordCodec::RecordSize);
}

void BM_Load(benchmark::State& state) {
    QTemporaryDir dir;
    TAlarmFile file(dir.path() + u'/');
    file.SaveList(makeList(static_cast<int>(state.range(0))));
    AlarmList list;
    for (auto _ : state) {
        file.LoadList(list);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0) * RecordCodec::RecordSize);
}

void BM_Sort(benchmark::State& state) {
    const AlarmList source = makeList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        AlarmList list;
        for (const auto& rec : source)
            list.Append(*rec);
        state.ResumeTiming();
        list.Sort();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One check cycle's worth of decisions: all five tests for every alarm, at a moment
// when some of them are due.
void BM_CheckPass(benchmark::State& state) {
    AlarmList list = makeList(static_cast<int>(state.range(0)));
    const TDateTime now = 46010.5;
    for (auto _ : state) {
        int due = 0;
        for (const auto& rec : list)
            due += Rules::CheckAlarm(*rec, now, Rules::TCheckMode::Normal, 5) ? 1 : 0;
        benchmark::DoNotOptimize(due);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_CheckPass)->Arg(20)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load)->Arg(20)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sort)->Arg(20)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Save)->Arg(20)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
