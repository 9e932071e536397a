// The seven life events. The minute rules raise them and the cheat menu
// forces them; either way a sleeping pet refuses all but the sleep toggle.
#include <algorithm>
#include <cmath>

#include "sim/counters.h"
#include "sim/device_timings.h"
#include "sim/simulator.h"

namespace nib {

bool Simulator::EventApplies() const {
  // The menu disables these events for the egg, the dying pet and the
  // angel; a stray command must not make an egg ill or kill an angel.
  return pet.CharacterNo >= kBaby && pet.CharacterNo <= kXerblix && pet.DyingAction == 0;
}

void Simulator::DoAutoShow() {
  if (menu.mPopupAutoShow.checked && menu.mPopupStatus.checked) mPopupStatus_Click();
}

void Simulator::SetStatusCaption(const MenuItem& item) {
  if (pet.StatusText != item.caption) pet.StatusText = item.caption;
}

void Simulator::DisableEventItems(bool include_sleep) {
  for (MenuItem* item :
       {&menu.mCheatAttention, &menu.mCheatAction0, &menu.mCheatAction1, &menu.mCheatAction3})
    item->enabled = false;
  if (include_sleep) menu.mCheatAction2.enabled = false;
}

void Simulator::HideAllDung() {
  for (Element& dung : scr.DungImage) dung.Hide();
}

void Simulator::mCheatAction0_Click() {
  if (pet.SleepAction || !EventApplies()) return;
  DoAutoShow();
  DoEndCurrentAction();
  CountUp(pet.Sickness);
  if (ScreenVisible()) scr.Skull.Show();
  scr.NibChar.Move(layout.SickLeft, layout.SickTop);
  animation.SickFrame = 0;
  scr.NibChar.CopyPictureFrom(scr.TempSick[0]);
  SetStatusCaption(menu.mCheatAction0);
}

void Simulator::mCheatAction1_Click() {
  // A dropping still under way counts: it lands when the new one starts.
  const int dung_to_come = pet.Dung + (pet.Dropping ? 1 : 0);
  if (dung_to_come >= 8 || pet.SleepAction || !EventApplies()) return;
  DoAutoShow();
  DoEndCurrentAction();
  SetStatusCaption(menu.mCheatAction1);
  pet.AnimStep = 0;
  pet.AnimFrame = 0;
  pet.Dropping = true;
  // The first frame comes on the next tick.
  pet.IntervalCount = pet.FrameDelay;
  pet.FrameStep = 1;
  if (ScreenVisible()) {
    // The old droppings make way for the fresh one.
    DoMainScreen(false);
    scr.NibChar.Move(layout.Stool0Left, layout.Stool0Top);
    scr.NibChar.CopyPictureFrom(scr.TempDropping[0]);
    scr.NibChar.Show();
  }
}

void Simulator::mCheatAction2_Click() {
  if (!EventApplies()) return;
  DoAutoShow();
  if (!pet.SleepAction) {
    DoEndCurrentAction();
    pet.AnimStep = 0;
    pet.AnimFrame = 0;
    pet.IntervalCount = pet.FrameDelay;
    pet.FrameStep = 1;
    const bool was_visible = scr.NibChar.Visible();
    scr.NibChar.Move(layout.SleepLeft, layout.SleepTop);
    scr.NibChar.CopyPictureFrom(scr.TempSleep[0]);
    scr.SleepSign.CopyPictureFrom(scr.TempSleepSign[0]);
    SetStatusCaption(menu.mCheatAction2);
    scr.SleepSign.SetVisible(was_visible);
    scr.NibChar.SetVisible(was_visible);
    DisableEventItems(false);
    menu.mCheatAction2.checked = true;
    pet.SleepAction = true;
    // The pet calls for the light to be switched off.
    pet.AttentionSleep = true;
    OpenCall(1);
    return;
  }
  if (pet.Age < 99) ++pet.Age;
  pet.SleepAction = false;
  pet.AttentionSleep = false;
  scr.SleepSign.Hide();
  SetDarkness(kDarkAwake);
  scr.Dark.Hide();
  pet.LightOff = false;
  pet.LightMenuIndex = 0;
  DoMainScreen(true);
  menu.mCheatAttention.enabled = true;
  for (MenuItem* item :
       {&menu.mCheatAction0, &menu.mCheatAction1, &menu.mCheatAction2, &menu.mCheatAction3})
    item->enabled = true;
  menu.mCheatAction2.checked = false;
}

void Simulator::mCheatAction3_Click() {
  if (pet.SleepAction || !EventApplies()) return;
  DoAutoShow();
  // A change-over under way would bring the pet back as the next character.
  pet.ChangeStep = 0;
  scr.ChangingScreen.Hide();
  DoEndCurrentAction();
  DoMainScreen(false);
  pet.DyingAction = 1;
  ShowDyingPet();
  if (ScreenVisible()) scr.NibChar.Show();
}

void Simulator::ShowDyingPet() {
  pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = false;
  scr.AttendIcon.Hide();
  pet.AttendTimeLeft = 0;
  DoHideIcon();
  pet.AnimFrame = 0;
  pet.FrameDelay = 120;
  // The next blink follows one tick from now.
  pet.IntervalCount = 119;
  pet.FrameStep = 0;
  animation.LaidEggLoaded = false;
  scr.NibChar.CopyPictureFrom(scr.TempSick[1]);
  scr.NibChar.Move(layout.DyingLeft, layout.DyingTop);
  DisableEventItems(true);
  for (int i = 0; i < 8 && i < pet.Dung; ++i) scr.DungImage[i].Hide();
  if (ScreenVisible()) scr.Skull.Show();
}

void Simulator::mCheatAttention0_Click() {
  if (pet.SleepAction || !EventApplies()) return;
  DoAutoShow();
  pet.AttentionHungry = true;
  pet.Hunger = 0;
  OpenCall(1);
}

void Simulator::mCheatAttention1_Click() {
  if (pet.SleepAction || !EventApplies()) return;
  DoAutoShow();
  pet.AttentionHappy = true;
  pet.Happiness = 0;
  OpenCall(1);
}

void Simulator::mCheatAttention2_Click() {
  if (pet.SleepAction || !EventApplies()) return;
  DoAutoShow();
  // A call without need still costs the pet a heart.
  if (DrawBelow(random_, 2) == 0) {
    if (pet.Hunger > 0) --pet.Hunger;
  } else if (pet.Happiness > 0) {
    --pet.Happiness;
  }
  pet.AttentionDiscipline = true;
  OpenCall(0);
}

// The attention icon shows and waits for the owner; `needs` is how many
// needs the call counts for the pet's growth.
void Simulator::OpenCall(int needs) {
  scr.AttendIcon.Show();
  pet.AttendTimeLeft = kCallSeconds;
  if (needs > 0) CountUp(pet.NeedCount, needs);
}

void Simulator::RaiseDisciplineCall() {
  DoAutoShow();
  pet.AttentionDiscipline = true;
  OpenCall(0);
}

}  // namespace nib
