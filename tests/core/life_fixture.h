// A device whose holders all hold distinct pictures, so a test can tell
// which picture an element shows, and helpers to run the pet's clock.
#pragma once

#include <string>

#include "core/device_fixture.h"

namespace nib::testing {

class LifeTest : public DeviceTest {
 protected:
  void SetUp() override { GivePictures(); }

  // A picture of its own for a holder or the screen.
  Picture Pic(const std::string& name, int w = 10, int h = 10) {
    return PictureAt("\\test\\" + name, w, h);
  }

  void Fill(ElementArray& holders, int w = 10, int h = 10) {
    for (Element& e : holders) e.SetPicture(Pic(e.Name() + std::to_string(e.Index()), w, h));
  }

  void GivePictures() {
    for (ElementArray* a :
         {&scr.TempChar, &scr.TempEat, &scr.TempHappy, &scr.TempUnhappy, &scr.TempSick,
          &scr.TempSleep, &scr.TempDropping, &scr.TempPlay, &scr.TempNegative, &scr.TempIcon,
          &scr.TempDung, &scr.TempSleepSign, &scr.Stars, &scr.DungIcon, &scr.SleepIcon,
          &scr.AngelIcon, &scr.TempMeal})
      Fill(*a);
    Fill(scr.TempDark, 64, 40);
    for (Element* e : {&scr.SickIcon, &scr.AttentionIcon, &scr.NullIcon})
      e->SetPicture(Pic(e->Name()));
  }

  // A pet of the given character, out of its sheet, the clock in step.
  void Become(int16 character) {
    pet.InsulatingSheet = 0;
    pet.LastSecond = static_cast<int16>(platform.second);
    sim.DoSetCharacter(character);
  }

  // Runs the rules of minute m of the current character directly.
  void RulesAtMinute(int32 m) {
    pet.MinuteCount = m;
    sim.DoMinuteRules();
  }

  // Ticks until the animation clock has given n frame periods.
  void Periods(int n) {
    for (int i = 0; i < n; ++i) {
      pet.IntervalCount = pet.FrameDelay;
      sim.DoAnimatePet();
    }
  }

  // n whole seconds, one tick each.
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) NextSecond();
  }

  void Draws(std::initializer_list<double> draws) { random.draws.assign(draws); }
};

}  // namespace nib::testing
