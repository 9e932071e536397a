// The device's three buttons and its icon menu: what A, B and C do in each
// state of the screen, the A-and-C combination, and the dead pet's grave
// and age views.
#include <algorithm>

#include "sim/device_timings.h"
#include "sim/simulator.h"

namespace nib {

namespace {


bool Living(const Pet& pet) {
  return pet.CharacterNo >= kBaby && pet.CharacterNo < kAngel && pet.DyingAction == 0;
}

}  // namespace

// With the sheet in, the buttons reach nothing.
bool Simulator::ButtonsDead() const { return pet.InsulatingSheet == 1; }

// Any press the device feels ends the beeping part of a call.
void Simulator::QuietTheCall() {
  pet.AttendTimeLeft = std::min(pet.AttendTimeLeft, kCallQuietFrom);
}

void Simulator::ToggleSoundByCombination() {
  // The dead pet keeps its sound; the combination starts a new egg instead.
  if (pet.CharacterNo < kAngel) mPopupSound_Click();
  device_menu.ButtonACPressed = true;
}

void Simulator::ReleaseCombination(bool other_held) {
  if (!device_menu.ButtonACPressed) return;
  if (!other_held) device_menu.ButtonACPressed = false;
  if (pet.CharacterNo != kAngel) return;
  platform_.SetBusyPointer(true);
  int16 egg = 0;
  DoSetCharacter(egg);
  platform_.SetBusyPointer(false);
  PlaySound("\\sounds\\reset.wav");
}

void Simulator::DoButtonA(bool PressedDown) {
  if (ButtonsDead()) return;
  QuietTheCall();
  if (!PressedDown) {
    ReleaseCombination(pet.ButtonCPressed);
    return;
  }
  if (pet.ButtonCPressed && !pet.ButtonBPressed) {
    ToggleSoundByCombination();
    return;
  }
  if (pet.TimerScreen) return;
  PlaySound("\\sounds\\beep.wav");
  if (!Living(pet) || pet.ButtonBPressed || pet.ButtonCPressed) return;
  if (pet.Dropping)
    pet.AnimStep = 13;  // the dropping animation ends on its next frame
  else if (pet.ActionTimeout != 0)
    DoAction(kButtonA);
  else
    DoNextIcon();
}

void Simulator::DoButtonB() {
  if (ButtonsDead()) return;
  QuietTheCall();
  // Leaving the clock always works; a pet that died while it was shown
  // would otherwise stay behind it.
  if (pet.TimerScreen && pet.IconTimeout == 0 && !pet.Dropping) {
    pet.TimerScreen = false;
    DoShowTimerScreen(false);
    return;
  }
  if (pet.CharacterNo >= kAngel || pet.DyingAction != 0) return;
  if (pet.Dropping) {
    pet.AnimStep = 13;
    return;
  }
  if (pet.IconTimeout == 0) {
    pet.TimerScreen = !pet.TimerScreen;
    DoShowTimerScreen(pet.TimerScreen);
    return;
  }
  // Asleep, only the light and the meter respond.
  const int16 icon = device_menu.CurrentIcon;
  if (pet.SleepAction && icon != kLightIcon && icon != kMeterIcon) return;
  DoAction(kButtonB);
}

void Simulator::DoButtonC(bool PressedDown) {
  if (ButtonsDead()) return;
  QuietTheCall();
  if (!PressedDown) {
    ReleaseCombination(pet.ButtonAPressed);
    return;
  }
  if (pet.ButtonAPressed && !pet.ButtonBPressed) {
    ToggleSoundByCombination();
    return;
  }
  if (pet.TimerScreen) return;
  PlaySound("\\sounds\\beep.wav");
  if (pet.CharacterNo == kAngel) {
    ToggleDeadPetView();
    return;
  }
  if (!Living(pet) || pet.ButtonAPressed || pet.ButtonBPressed) return;
  if (pet.Dropping)
    pet.AnimStep = 13;
  else if (pet.ActionTimeout != 0)
    DoAction(kButtonC);
  else
    DoHideIcon();
}

void Simulator::DoNextIcon() {
  if (device_menu.LastIcon < kNoIcon) scr.NibIcon[device_menu.LastIcon].Hide();
  // After the last icon comes a step with none highlighted.
  int16& icon = device_menu.CurrentIcon;
  icon = icon >= kNoIcon ? int16{kFoodIcon} : static_cast<int16>(icon + 1);
  if (device_menu.CurrentIcon < kNoIcon) {
    pet.IconTimeout = 10;
    scr.NibIcon[device_menu.CurrentIcon].Show();
    device_menu.LastIcon = device_menu.CurrentIcon;
  } else {
    pet.IconTimeout = 0;
  }
}

void Simulator::DoHideIcon() {
  if (device_menu.LastIcon >= kNoIcon) return;
  pet.IconTimeout = 0;
  scr.NibIcon[device_menu.LastIcon].Hide();
  device_menu.CurrentIcon = kNoIcon;
  device_menu.LastIcon = kNoIcon;
}

void Simulator::ToggleDeadPetView() {
  const bool front = FrontShown();
  Element& tens = scr.AgeDigit[0];
  Element& units = scr.AgeDigit[1];
  if (pet.AnimStep == 0) {
    pet.AnimStep = 1;
    scr.NibChar.Hide();
    scr.Angel.SetLeft(layout.AngelInAgeScreenLeft);
    tens.Move(layout.AgeDigit0DeathLeft, layout.AgeDigit0DeathTop);
    units.Move(layout.AgeDigit1DeathLeft, layout.AgeDigit1DeathTop);
    const int age = std::clamp<int>(pet.Age, 0, 99);
    units.CopyPictureFrom(scr.LargeNumber[age % 10]);
    if (age > 9) {
      tens.CopyPictureFrom(scr.LargeNumber[age / 10]);
      tens.SetVisible(front);
    } else {
      tens.Hide();
    }
    units.SetVisible(front);
    scr.Yr.SetVisible(front);
    return;
  }
  pet.AnimStep = 0;
  scr.Yr.Hide();
  tens.Hide();
  units.Hide();
  tens.Move(layout.AgeDigit0Left, layout.AgeDigit0Top);
  units.Move(layout.AgeDigit1Left, layout.AgeDigit1Top);
  scr.Angel.SetLeft(layout.AngelLeft);
  if (front) scr.NibChar.Show();
}

}  // namespace nib
