// Cost of the pet's life: the tick of a living, walking pet, and a whole
// life from the egg to the angel by old age on 10 ms ticks.
#include <benchmark/benchmark.h>

#include "lean_platform.h"
#include "sim/simulator.h"

namespace nib::testing {
namespace {

// A pet out of its sheet on a screen with pictures, so it walks and its
// frames and tray icon really change.
void SetUpDevice(LeanPlatform& platform, Simulator& sim) {
  platform.AddFile("\\other\\nibscr.gif", 64, 40);
  for (int n = 0; n < 8; ++n) platform.AddFile("\\Chars\\03\\" + std::to_string(n) + ".ico", 16, 16);
  for (int n = 0; n < 4; ++n) platform.AddFile("\\Chars\\03\\" + std::to_string(n) + ".gif", 16, 16);
  platform.AddTextFile("\\Chars\\03\\char.ini", "walk=true\noriginal.left=600\noriginal.top=900\n");
  sim.look.DoGetPlugins("");
  sim.scr.NibScr.Move(300, 600);
  sim.pet.InsulatingSheet = 0;
}

// The least care that keeps a pet to old age: droppings cleaned, illness
// cured, the light switched off for the night. Written on the record as
// the care actions would.
void Keep(Pet& pet) {
  if (pet.Dung > 0 && !pet.Dropping) {
    pet.Dung = 0;
    pet.DyingTimeLeft = kFullDyingTime;
  }
  if (pet.Sickness > 0) {
    pet.Sickness = 0;
    pet.DyingTimeLeft = kFullDyingTime;
  }
  if (pet.AttentionSleep) {
    if (pet.NeedCount > 0) --pet.NeedCount;
    pet.AttentionSleep = pet.AttentionHungry = pet.AttentionHappy = false;
    pet.AttentionDiscipline = false;
    pet.LightOff = true;
    pet.DyingTimeLeft = kFullDyingTime;
  }
}

void BM_IdleTickWalkingTeen(benchmark::State& state) {
  LeanPlatform platform;
  StdRandomSource random;
  Simulator sim(platform, random);
  SetUpDevice(platform, sim);
  int16 teen = 3;
  sim.DoSetCharacter(teen);
  sim.scr.NibChar.Show();
  long ticks = 0;
  for (auto _ : state) {
    if (++ticks % 100 == 0) platform.second = (platform.second + 1) % 60;
    sim.Timer1_Timer();
    // Within the first hours of the teen: no evolution, no bedtime.
    Keep(sim.pet);
    if (sim.pet.MinuteCount >= 100) sim.pet.MinuteCount = 10;
    sim.scr.damage.Clear();  // the window repaints after every tick
  }
  benchmark::DoNotOptimize(sim.pet.SecondCount);
}
BENCHMARK(BM_IdleTickWalkingTeen);

void BM_WholeLife(benchmark::State& state) {
  long ticks_per_life = 0;
  int minutes = 0;
  for (auto _ : state) {
    LeanPlatform platform;
    StdRandomSource random;
    random.Seed(7);
    Simulator sim(platform, random);
    SetUpDevice(platform, sim);
    sim.mCheatChar0_Click();
    sim.pet.MaxMinutes = 240;  // the shortest adult life
    long ticks = 0;
    int lived = 0;
    while (sim.pet.CharacterNo != kAngel) {
      if (++ticks % 100 == 0) platform.second = (platform.second + 1) % 60;
      const int16 second_before = sim.pet.SecondCount;
      sim.Timer1_Timer();
      Keep(sim.pet);
      sim.scr.damage.Clear();
      if (second_before == 59 && sim.pet.SecondCount == 0) ++lived;
    }
    ticks_per_life = ticks;
    minutes = lived;
  }
  state.counters["ticks"] = static_cast<double>(ticks_per_life);
  state.counters["minutes"] = minutes;
}
BENCHMARK(BM_WholeLife)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace nib::testing
