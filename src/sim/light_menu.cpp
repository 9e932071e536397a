// The light icon: switching the room light on or off, which also answers a
// sleeping pet's call for darkness.
#include <cmath>

#include "sim/counters.h"
#include "sim/simulator.h"

namespace nib {

namespace {

// Pictures of the darkness: asleep and awake.

}  // namespace

void Simulator::DoLightAction(int Button) {
  const bool menu_shown = scr.LightMenu.Visible();
  if (!menu_shown) {
    if (Button == kButtonB) OpenMenu(scr.LightMenu, pet.LightMenuIndex);
    return;
  }
  if (Button == kButtonA) {
    NextMenuLine();
    return;
  }
  scr.LightMenu.Hide();
  scr.RightArrow.Hide();
  pet.ActionTimeout = 0;
  if (Button == kButtonB) ChooseLight();
  DoMainScreen(true);
}

void Simulator::ChooseLight() {
  pet.LightMenuIndex = device_menu.MenuIndex;
  if (device_menu.MenuIndex == 0) {
    pet.LightOff = false;
    return;
  }
  pet.LightOff = true;
  if (pet.SleepAction) {
    pet.StatusText = menu.mCheatAction2.caption;
    SetDarkness(kDarkAsleep);
    if (pet.AttentionSleep) {
      // The pet asked for the dark: its call is answered, not missed.
      if (pet.NeedCount > 0) --pet.NeedCount;
      ResetDyingTime();
      if (pet.AttentionHappy) CountUp(pet.CareWhenNeed);
      if (pet.AttentionHungry) CountUp(pet.CareWhenNeed);
      pet.AttentionHungry = pet.AttentionHappy = false;
      pet.AttentionDiscipline = pet.AttentionSleep = false;
      scr.AttendIcon.Hide();
      pet.AttendTimeLeft = 0;
    }
  } else {
    SetDarkness(kDarkAwake);
  }
}

// The flush narrows the darkness and gives the width remembered here back.
void Simulator::SetDarkness(int frame) {
  scr.Dark.CopyPictureFrom(scr.TempDark[frame]);
  layout.DarkWidth = static_cast<int16>(std::lround(scr.Dark.Width()));
}

}  // namespace nib
