// The main tick: the scheduler of the whole pet. Each phase is a few
// comparisons unless its state is active, and pictures are only switched,
// never loaded, here.
#include <algorithm>

#include "sim/device_timings.h"
#include "sim/simulator.h"

namespace nib {

namespace {

constexpr int16 kLastEvolutionStep = 162;

bool LivesOnDuringEvolution(int16 step) {
  return (step >= 2 && step <= 14) || (step >= 72 && step <= 105);
}

int16 SaturatingAdd(int16 a, int16 b) {
  return static_cast<int16>(std::min<int>(a + b, 32767));
}

}  // namespace

void Simulator::StartEvolution(int16 next_character) {
  pet.NextCharacterNo = next_character;
  pet.ChangeStep = 1;
}

void Simulator::StartFlush() {
  pet.Flushing = true;
  pet.HappyReaction = false;
  scr.Water.Move(layout.WaterLeft, layout.WaterTop);
}

void Simulator::Timer1_Timer() {
  const int16 step = pet.ChangeStep;
  if (step > 0) {
    if (!LivesOnDuringEvolution(step)) {
      // The pet is frozen while the change-over screen runs.
      if (step % 7 == 1) RunEvolutionStep(step);
      ++pet.ChangeStep;
      DoSetToolTip();
      return;
    }
    ++pet.ChangeStep;
  }

  if (pet.Flushing && !pet.HappyReaction) {
    RunFlushStep();
    DoSetToolTip();
    return;
  }

  pet.IntervalCount = SaturatingAdd(pet.IntervalCount, pet.TimerInterval);
  if (pet.TimerScreen) {
    DoShowClock();
  } else if (pet.Dung > 0 && ++pet.DungFlipCount >= kDungFlipTicks) {
    pet.DungFlipCount = 0;
    FlipDung();
  }
  DoPlayStep();
  DoEatStep();
  DoUnhappyReaction();
  DoHappyReaction();
  DoRefusalReaction();

  if (pet.AttendTimeLeft > kCallQuietFrom && ++pet.AttendBeepCount >= kCallBeepTicks) {
    pet.AttendBeepCount = 0;
    PlaySound("\\sounds\\attend.wav");
  }

  if (pet.DyingAction == 0 && pet.CharacterNo != kAngel) {
    const int second = platform_.CurrentSecond();
    if (second != pet.LastSecond) {
      pet.LastSecond = static_cast<int16>(second);
      RunSecondStep();
    }
  }
  DoAnimatePet();
  DoSetToolTip();
}

void Simulator::RunEvolutionStep(int16 step) {
  Element& changing = scr.ChangingScreen;
  if (step == 1) {
    if (pet.TimerScreen) {
      pet.TimerScreen = false;
      DoShowTimerScreen(false);
    } else {
      DoEndCurrentAction();
    }
  } else if (step >= 15 && step <= 64) {
    PlaySound("\\sounds\\change.wav");
    changing.CopyPictureFrom(scr.TempChangingScreen[(step - 15) / 7]);
    changing.Show();
  } else if (step == 71) {
    changing.Hide();
  } else if (step >= 106 && step <= 155) {
    changing.CopyPictureFrom(scr.TempChangingScreen[(step - 106) / 7]);
    changing.Show();
  } else if (step == kLastEvolutionStep) {
    pet.ChangeStep = -1;  // the increment that follows ends the sequence at 0
    changing.Hide();
    platform_.SetBusyPointer(true);
    int16 next = std::clamp<int16>(pet.NextCharacterNo, 0, kAngel);
    DoSetCharacter(next);
    platform_.SetBusyPointer(false);
  }
}

void Simulator::RunFlushStep() {
  Element& water = scr.Water;
  if (water.Left() <= scr.NibScr.Left()) {
    scr.Dark.SetWidth(layout.DarkWidth);
    water.Hide();
    water.Move(layout.WaterLeft, layout.WaterTop);
    scr.DungImage[6].Hide();
    scr.DungImage[7].Hide();
    scr.NibChar.Hide();
    if (pet.Dung > 0) {
      pet.DyingTimeLeft = kFullDyingTime;
      pet.Dung = 0;
      StartReactionFrames();
      SetReactionPicture(Reaction::kHappy);
      if (ScreenVisible()) scr.TempImage.Show();
    } else {
      pet.ActionTimeout = 0;
      pet.Flushing = false;
      DoMainScreen(true);
    }
    return;
  }
  water.SetLeft(water.Left() - kFlushStepTwips);
  scr.Dark.SetWidth(scr.Dark.Width() - kFlushStepTwips);
  // The wave washes away whatever it has passed.
  auto wash = [&](Element& e) {
    if (e.Visible() && e.Left() >= water.Left()) e.Hide();
  };
  for (int i = 0; i < 6; ++i) wash(scr.DungImage[i]);
  wash(scr.NibChar);
  wash(scr.Skull);
}

void Simulator::FlipDung() {
  const Picture& first = scr.TempDung[0].GetPicture();
  for (int i = 0; i < 8 && i < pet.Dung; ++i) {
    Element& dung = scr.DungImage[i];
    const bool shows_first = dung.GetPicture() == first;
    dung.CopyPictureFrom(scr.TempDung[shows_first ? 1 : 0]);
  }
}

void Simulator::RunSecondStep() {
  ++pet.SecondCount;
  if (pet.IconTimeout > 0 && pet.ActionTimeout == 0 && --pet.IconTimeout == 0) DoHideIcon();
  if (pet.ActionTimeout > 0 && --pet.ActionTimeout == 0) {
    DoAction(kButtonC);
    PlaySound("\\sounds\\beep.wav");
  }
  if (pet.AttendTimeLeft > 0 && --pet.AttendTimeLeft == 0) {
    // An unanswered call simply lapses.
    scr.AttendIcon.Hide();
    pet.AttendBeepCount = 0;
    pet.AttentionHungry = pet.AttentionHappy = false;
    pet.AttentionSleep = pet.AttentionDiscipline = false;
  }
  if (pet.SecondCount >= 60) RunMinuteBoundary();
}

void Simulator::RunMinuteBoundary() {
  if (pet.DyingTimeLeft <= 0) {
    pet.DyingTimeLeft = 0;
    mCheatAction3_Click();
  } else {
    --pet.DyingTimeLeft;
  }
  if (pet.MinuteCount < 2147483647) ++pet.MinuteCount;
  pet.SecondCount = 0;
  // A pet that has begun dying is past the minute's rules: an evolution now
  // would bring it back to life as the next character.
  if (pet.DyingAction == 0) DoMinuteRules();
  DoSaveSettings();
}

}  // namespace nib
