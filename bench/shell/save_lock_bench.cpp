// What a lock file left beside the settings costs a save: an empty one, left
// by a save killed at the wrong moment, is broken at once; one held by a
// live program is waited for up to SettingsStore::kLockWaitMs, then the save
// gives up until the next one.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include "shell/settings_store.h"

namespace nib {
namespace {

void BM_SaveBesideLeftEmptyLock(benchmark::State& state) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("bench.ini");
  SettingsStore store(ini);
  int minute = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QFile(ini + ".lock").open(QIODevice::WriteOnly);
    store.Write("Bench", "MinuteCount", std::to_string(++minute));
    state.ResumeTiming();
    if (!store.Flush()) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_SaveBesideLeftEmptyLock)->Unit(benchmark::kMicrosecond);

void BM_SaveAgainstHeldLock(benchmark::State& state) {
  QTemporaryDir folder;
  const QString ini = folder.filePath("bench.ini");
  QLockFile held(ini + ".lock");
  if (!held.tryLock(0)) state.SkipWithError("cannot hold the lock");
  SettingsStore store(ini);
  for (auto _ : state) {
    store.Write("Bench", "MinuteCount", "1");
    if (store.Flush()) state.SkipWithError("saved through a held lock");
  }
}
BENCHMARK(BM_SaveAgainstHeldLock)->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace
}  // namespace nib
