// What one minute does to the pet: the baby's fixed timetable, and for
// every other character the pet day, droppings, illness, falling hearts,
// calls and the end of its time.
#include <cmath>

#include "sim/counters.h"
#include "sim/simulator.h"

namespace nib {

namespace {

// This adult switches its own light off at about half of its bedtimes.

}  // namespace

void Simulator::SwitchOwnLightOff() {
  // Its sleep call is answered before anyone hears it.
  pet.AttentionSleep = false;
  scr.AttendIcon.Hide();
  pet.AttendTimeLeft = 0;
  if (pet.NeedCount > 0) --pet.NeedCount;
  pet.LightMenuIndex = 1;
  pet.LightOff = true;
  SetDarkness(kDarkAsleep);
  DoMainScreen(true);
}

void Simulator::DoMinuteRules() {
  const int32 m = pet.MinuteCount;

  if (pet.CharacterNo == kBaby) {
    if (m == 5) return mCheatAction1_Click();
    if (!pet.SleepAction && m == 11) return mCheatAction2_Click();
    if (pet.SleepAction && m == 13) return mCheatAction2_Click();
    if (m == 14) {
      // The baby's illness needs two doses; a baby kept asleep past its
      // waking time does not fall ill at all.
      const int16 before = pet.Sickness;
      mCheatAction0_Click();
      if (pet.Sickness > before) CountUp(pet.Sickness);
      return;
    }
    if (m >= pet.MinuteToChangeCharacter) return DoEvolve();
    if (pet.Hunger > 0) pet.Hunger = static_cast<int16>(pet.Hunger - DrawBelow(random_, 2));
    if (pet.Happiness > 0)
      pet.Happiness = static_cast<int16>(pet.Happiness - DrawBelow(random_, 2));
    if (pet.Sickness == 0) {
      if (pet.Hunger == 0) mCheatAttention0_Click();
      if (pet.Happiness == 0) mCheatAttention1_Click();
    }
    return;
  }

  const int d = pet.HourMinutes;
  const int day_half = d * 12;
  if (m > day_half && m % day_half == 1) {
    mCheatAction2_Click();
    if (pet.SleepAction && pet.CharacterNo == kSelfSleeper && DrawBelow(random_, 2) == 0)
      SwitchOwnLightOff();
    return;
  }
  if (pet.SleepAction) return;

  if (m >= pet.MinuteToChangeCharacter) {
    if (pet.CharacterNo > kQuillop && pet.CharacterNo != kZelmoc)
      mCheatAction3_Click();  // old age
    else
      DoEvolve();
    return;
  }

  if (m % (d * 3) == 2) mCheatAction1_Click();
  if (m % d != 3) return;

  CountUp(pet.TotalNeedCount, 2);
  const int chance = static_cast<int>(std::floor((100 - pet.Weight) * random_.Next()));
  if (chance < 10) {
    mCheatAction0_Click();
    CountUp(pet.Sickness, DrawBelow(random_, 2));
  }
  if (pet.Sickness > 0) CountDown(pet.DyingTimeLeft, pet.Age);

  if (pet.Hunger > 0 && DrawBelow(random_, 2) == 0) {
    --pet.Hunger;
    if (DrawBelow(random_, 3) == 0 && !pet.AttentionDiscipline && pet.Hunger > 0 &&
        pet.Discipline < kFullDiscipline)
      RaiseDisciplineCall();
  }
  if (pet.Happiness > 0 && DrawBelow(random_, 2) == 0) {
    --pet.Happiness;
    if (DrawBelow(random_, 3) == 0 && !pet.AttentionDiscipline && pet.Happiness > 0 &&
        pet.Discipline < kFullDiscipline)
      RaiseDisciplineCall();
  }

  if (pet.Sickness != 0 || pet.AttentionDiscipline) return;
  if (pet.Hunger == 0) mCheatAttention0_Click();
  if (pet.Happiness == 0) mCheatAttention1_Click();
}

}  // namespace nib
