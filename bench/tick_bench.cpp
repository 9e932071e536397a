// Cost of the main tick on an idle living pet, and of writing the record.
#include <benchmark/benchmark.h>

#include "lean_platform.h"
#include "sim/simulator.h"

namespace nib::testing {
namespace {

void BM_IdleTick(benchmark::State& state) {
  LeanPlatform platform;
  StdRandomSource random;
  Simulator sim(platform, random);
  sim.pet.InsulatingSheet = 0;
  sim.pet.CharacterNo = 3;
  long ticks = 0;
  for (auto _ : state) {
    // The wall-clock second moves every hundred ticks, as in real time.
    if (++ticks % 100 == 0) platform.second = (platform.second + 1) % 60;
    sim.Timer1_Timer();
  }
  benchmark::DoNotOptimize(sim.pet.SecondCount);
}
BENCHMARK(BM_IdleTick);

// One beat of the insulating sheet's timer with the sheet deep in and the
// device off: what a new toy costs while it waits.
void BM_SheetTimerBeat(benchmark::State& state) {
  LeanPlatform platform;
  StdRandomSource random;
  Simulator sim(platform, random);
  platform.window_visible = true;
  sim.Form_Load("Bench");
  for (auto _ : state) sim.SheetTimer_Timer();
  benchmark::DoNotOptimize(sim.sheet.SheetTicks);
}
BENCHMARK(BM_SheetTimerBeat);

void BM_SaveSettingsToMemory(benchmark::State& state) {
  LeanPlatform platform;
  StdRandomSource random;
  Simulator sim(platform, random);
  sim.pet.NibbetName = "Bench";
  for (auto _ : state) sim.DoSaveSettings();
}
BENCHMARK(BM_SaveSettingsToMemory);

}  // namespace
}  // namespace nib::testing
