// The LCD's main screen for the pet's current state, and closing whatever
// the screen is doing.
#include <algorithm>

#include "sim/simulator.h"

namespace nib {

namespace {

constexpr int kDungPlaces = 8;
// The dropping animation draws its fresh dropping here.
constexpr int kFreshDropping = 2;

bool Reacting(const Pet& pet) {
  return pet.HappyReaction || pet.UnhappyReaction || pet.RefusalReaction;
}

}  // namespace

bool Simulator::FrontShown() const { return !scr.BackView.Visible(); }

bool Simulator::InTheDark() const { return pet.LightOff && !Reacting(pet); }

void Simulator::ResetDyingTime() {
  pet.DyingTimeLeft = kFullDyingTime;
}

void Simulator::ShowDung() {
  for (int i = 0; i < std::min<int>(pet.Dung, kDungPlaces); ++i) {
    scr.DungImage[i].CopyPictureFrom(scr.TempDung[0]);
    scr.DungImage[i].Show();
  }
}

void Simulator::HideDung() {
  for (int i = 0; i < std::min<int>(pet.Dung, kDungPlaces); ++i) scr.DungImage[i].Hide();
}

void Simulator::DoMainScreen(bool show) {
  // Shows only where the LCD can be seen; hides everywhere.
  const bool draw = show && ScreenVisible();
  auto put = [&](Element& e) {
    if (!show)
      e.Hide();
    else if (draw)
      e.Show();
  };
  if (pet.CharacterNo == kAngel) {
    put(scr.Angel);
    if (pet.AnimStep == 0) {
      put(scr.NibChar);
    } else {
      if (pet.Age > 9) put(scr.AgeDigit[0]);
      put(scr.AgeDigit[1]);
      put(scr.Yr);
    }
    return;
  }
  if (pet.DyingAction > 0) {
    put(scr.NibChar);
    return;
  }
  const bool number_game = menu.mPopupPlay1.checked;
  switch (game.PlayStage) {
    case kGameTitle:
      put(scr.PlayTitle);
      return;
    case kWaitingForGuess:
      put(scr.TempImage);
      if (number_game) put(scr.NibNumber);
      scr.ResultNumber.Hide();
      return;
    case kGuessWon:
    case kGuessLost:
    case kGuessReaction:
    case kGameReaction:
      if (pet.HappyReaction || pet.UnhappyReaction) {
        put(scr.TempImage);
      } else if (number_game) {
        put(scr.NibNumber);
        put(scr.ResultNumber);
      } else {
        put(game.PlayGuess == 0 ? scr.LeftArrow : scr.RightArrow);
      }
      return;
    case kGameScore:
      put(scr.PlayResult);
      put(scr.YourScore);
      put(scr.NibScore);
      return;
    default:
      break;
  }
  if (show)
    DrawMainScreen();
  else
    ClearMainScreen();
}

void Simulator::DrawMainScreen() {
  if (pet.Sickness == 0 && !pet.SleepAction && !pet.Dropping && !pet.UnhappyReaction &&
      !pet.RefusalReaction && pet.CharacterNo >= kBaby && pet.CharacterNo < kAngel) {
    scr.NibChar.Move(layout.OriginalLeft, layout.OriginalTop);
    pet.CurrentTempChar = 0;
    pet.IntervalCount = 0;
    pet.FrameStep = 0;
    animation.WalkRight = false;
  }
  const bool lcd_seen = !pet.TimerScreen && FrontShown();
  if (pet.ActionTimeout == 0) {
    if (InTheDark()) {
      // Not over the clock: the darkness lies above its digits.
      if (lcd_seen) scr.Dark.Show();
      scr.NibChar.Hide();
      HideDung();
      if (pet.Sickness > 0) scr.Skull.Hide();
      if (pet.SleepAction) scr.SleepSign.Hide();
      return;
    }
    if (!lcd_seen) return;
    if (pet.SleepAction) {
      scr.SleepSign.Show();
    } else if (pet.Sickness > 0) {
      if (!pet.LightOff) scr.Skull.Show();
      scr.NibChar.Move(layout.SickLeft, layout.SickTop);
      scr.NibChar.CopyPictureFrom(scr.TempSick[0]);
      pet.StatusText = menu.mCheatAction0.caption;
    }
    scr.NibChar.Show();
    ShowDung();
    if (pet.Flushing) (pet.LightOff ? scr.Dark : scr.Water).Show();
    return;
  }
  if (!lcd_seen) return;
  if (pet.Eating) {
    if (pet.LightOff) {
      scr.Dark.Show();
    } else {
      scr.MealSnack.Show();
      scr.TempImage.Show();
    }
  } else if (device_menu.CurrentIcon == kFoodIcon) {
    if (pet.LightOff) scr.Dark.Hide();
    scr.FeedMenu.Show();
    scr.RightArrow.Show();
  } else if (Reacting(pet)) {
    (pet.LightOff ? scr.Dark : scr.TempImage).Show();
  }
}

void Simulator::ClearMainScreen() {
  if (pet.ActionTimeout == 0) {
    if (InTheDark()) {
      scr.Dark.Hide();
    } else if (FrontShown()) {
      scr.NibChar.Hide();
      HideDung();
      if (pet.Sickness > 0) scr.Skull.Hide();
      if (pet.SleepAction) scr.SleepSign.Hide();
    }
    return;
  }
  if (pet.Eating) scr.MealSnack.Hide();
  if (pet.Eating || Reacting(pet)) scr.TempImage.Hide();
}

void Simulator::DoEndCurrentAction() {
  if (pet.Dropping) {
    pet.AnimFrame = 1;
    scr.DungImage[kFreshDropping].Hide();
    if (pet.Dung < kDungPlaces) ++pet.Dung;
    if (ScreenVisible()) scr.DungImage[pet.Dung - 1].Show();
    pet.Dropping = false;
    DoMainScreen(true);
    pet.FrameStep = 1;
    pet.IntervalCount = 0;
    return;
  }
  if (pet.HappyReaction && pet.Flushing) return EndFlushReaction();
  if (pet.HappyReaction || pet.UnhappyReaction) {
    DoAction(kButtonC);
    // A game's reaction first returns to the game; the second C quits it.
    if (game.PlayStage > kNoGame) {
      game.PlayStage = kNoGame;
      DoAction(kButtonC);
    }
    return;
  }
  if (pet.Eating) {
    // The first C ends the meal and reopens the food menu, the second
    // closes the menu.
    DoAction(kButtonC);
    DoAction(kButtonC);
    return;
  }
  // A running flush sweep is cancelled as well.
  if (scr.FeedMenu.Visible() || scr.LightMenu.Visible() || game.PlayStage > kNoGame ||
      pet.RefusalReaction || meter.MeterPage >= kAgeWeightPage || pet.Flushing) {
    DoAction(kButtonC);
    game.PlayStage = kNoGame;
  }
}

}  // namespace nib
