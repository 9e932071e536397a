// A device on a fake desktop, with the one set of helpers every fixture
// shares: pressing its buttons, giving its elements pictures, and reading
// back what the screen shows and what was heard.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/scripted_random.h"
#include "sim/simulator.h"

namespace nib::testing {

inline const std::string kBeep = "\\sounds\\beep.wav";

// --- Reading the screen ---

// Whether the element shows the holder's picture.
inline bool Shows(const Element& e, const Element& holder) {
  return e.GetPicture() && e.GetPicture() == holder.GetPicture();
}
// Index of the holder whose picture the element shows, or -1.
inline int ShownIndex(const Element& e, const ElementArray& holders) {
  for (int i = 0; i < holders.Count(); ++i)
    if (Shows(e, holders[i])) return i;
  return -1;
}
// The file (folded) the element's picture or cursor came from, or "".
inline std::string PictureSource(const Element& e) {
  auto* fake = dynamic_cast<const FakePicture*>(e.GetPicture().get());
  return fake ? fake->path : "";
}
inline std::string CursorSource(const Element& e) {
  auto* fake = dynamic_cast<const FakeCursor*>(e.MouseIcon.get());
  return fake ? fake->path : "";
}

// How many character items of the cheat menu carry a check mark.
inline int CheckedCharacters(Menu& menu) {
  int checked = 0;
  for (int n = 0; n <= kAngel; ++n) checked += menu.CheatChar(n).checked ? 1 : 0;
  return checked;
}

class DeviceTest : public ::testing::Test {
 protected:
  FakePlatform platform;
  ScriptedRandom random;
  Simulator sim{platform, random};
  Pet& pet = sim.pet;
  Screen& scr = sim.scr;
  Menu& menu = sim.menu;

  // --- Time ---

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

  // --- Presses, as the mouse gives them: no key is held ---

  void PressA() {
    sim.DoButtonA(true);
    sim.DoButtonA(false);
  }
  void PressB() { sim.DoButtonB(); }
  void PressC() {
    sim.DoButtonC(true);
    sim.DoButtonC(false);
  }
  // Highlights an icon with A, from wherever the highlight is.
  void Select(int icon) {
    for (int i = 0; i < 9 && sim.device_menu.CurrentIcon != icon; ++i) PressA();
    ASSERT_EQ(sim.device_menu.CurrentIcon, icon);
  }

  // --- Pictures ---

  // A picture file of the program folder, decoded.
  Picture PictureAt(const std::string& path, int w = 10, int h = 10) {
    platform.AddFile(path, w, h);
    return platform.LoadPicture(path);
  }
  // Every holder of an array gets its own file: the stem and its index.
  void LoadSet(ElementArray& holders, const std::string& stem, int w = 10, int h = 10) {
    for (int i = 0; i < holders.Count(); ++i)
      holders[i].SetPicture(PictureAt(stem + std::to_string(i) + ".gif", w, h));
  }

  // --- Hearing ---

  int SoundsOf(const std::string& path) const {
    return static_cast<int>(std::count(platform.sounds.begin(), platform.sounds.end(), path));
  }
};

}  // namespace nib::testing
