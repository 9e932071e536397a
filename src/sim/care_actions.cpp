// The icon actions: DoAction hands a button to the selected icon. Medicine,
// the toilet and discipline live here; food, light, the game and the meter
// have their own files.
#include <algorithm>

#include "sim/counters.h"
#include "sim/device_timings.h"
#include "sim/simulator.h"

namespace nib {

namespace {


}  // namespace

void Simulator::DoAction(int Button) {
  switch (device_menu.CurrentIcon) {
    case kFoodIcon:
      DoFoodAction(Button);
      break;
    case kLightIcon:
      DoLightAction(Button);
      break;
    case kPlayIcon:
      DoPlayAction(Button);
      break;
    case kMedicineIcon:
      DoMedicineAction(Button);
      break;
    case kToiletIcon:
      DoToiletAction(Button);
      break;
    case kMeterIcon:
      DoMeterAction(Button);
      break;
    case kDisciplineIcon:
      DoDisciplineAction(Button);
      break;
    default:
      break;
  }
}

// The common start of the medicine and scolding animations; the reaction
// steps of the tick run them.
void Simulator::StartReaction(bool unhappy) {
  SetReactionPicture(unhappy ? Reaction::kUnhappy : Reaction::kRefusal);
  // With a reaction flagged, clearing the screen leaves the darkness on.
  DoMainScreen(false);
  StartReactionFrames();
  scr.TempImage.SetVisible(ScreenVisible());
  pet.IconTimeout = 10;
}

void Simulator::DoMedicineAction(int Button) {
  if (Button == kButtonB && !pet.UnhappyReaction && !pet.RefusalReaction) {
    // A healthy pet refuses the medicine.
    StartReaction(pet.Sickness > 0);
    return;
  }
  // One dose, however the animation ends.
  if (pet.Sickness > 0) {
    --pet.Sickness;
    ResetDyingTime();
  }
  scr.TempImage.Hide();
  pet.ActionTimeout = 0;
  pet.UnhappyReaction = false;
  pet.RefusalReaction = false;
  DoMainScreen(true);
  pet.IconTimeout = 10;
}

void Simulator::DoToiletAction(int Button) {
  const bool running = pet.Flushing || pet.HappyReaction;
  if (Button == kButtonB && !running) {
    pet.ActionTimeout = 10;
    StartFlush();
    scr.Water.Show();
    scr.Dark.SetWidth(scr.Dark.Width() - kFlushStepTwips);
    pet.IconTimeout = 10;
    return;
  }
  // Only a running flush can be stopped.
  if (!running) return;
  pet.ActionTimeout = 0;
  scr.Water.Hide();
  scr.Water.Move(layout.WaterLeft, layout.WaterTop);
  scr.Dark.SetWidth(layout.DarkWidth);
  HideDung();
  pet.Dung = 0;
  pet.Flushing = false;
  scr.TempImage.Hide();
  pet.HappyReaction = false;
  DoMainScreen(true);
}

void Simulator::DoDisciplineAction(int Button) {
  if (Button == kButtonB && !pet.UnhappyReaction) {
    if (pet.AttentionDiscipline) PlaySound("\\sounds\\discipln.wav");
    StartReaction(true);
    ResetDyingTime();
    return;
  }
  if (pet.AttentionDiscipline) {
    pet.AttentionDiscipline = false;
    // Four justified scoldings fill the bar: 0, 3, 7, 10, 14.
    const int step = pet.Discipline == 0 || pet.Discipline == 7 ? 3 : 4;
    pet.Discipline = static_cast<int16>(std::min(pet.Discipline + step, int{kFullDiscipline}));
  } else if (pet.AttentionHungry || pet.AttentionHappy) {
    CountUp(pet.DisciplineWhenNeed);
  }
  scr.TempImage.Hide();
  pet.ActionTimeout = 0;
  pet.UnhappyReaction = false;
  DoMainScreen(true);
  ResetDyingTime();
  pet.IconTimeout = 10;
}

}  // namespace nib
