// A device on a fake desktop.
#pragma once

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "fakes/scripted_random.h"
#include "sim/simulator.h"

namespace nib::testing {

class DeviceTest : public ::testing::Test {
 protected:
  FakePlatform platform;
  ScriptedRandom random;
  Simulator sim{platform, random};
  Pet& pet = sim.pet;
  Screen& scr = sim.scr;
  Menu& menu = sim.menu;

  // Runs n ticks without the wall-clock second changing.
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) sim.Timer1_Timer();
  }
  // One tick in the next wall-clock second.
  void NextSecond() {
    platform.second = (platform.second + 1) % 60;
    sim.Timer1_Timer();
  }
  // A hatched pet, out of its sheet, in the middle of a minute.
  void MakeLivingPet() {
    pet.InsulatingSheet = 0;
    pet.CharacterNo = 3;
    pet.LastSecond = static_cast<int16>(platform.second);
  }
};

}  // namespace nib::testing
