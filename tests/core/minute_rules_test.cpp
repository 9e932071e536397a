// The rules of one minute: the baby's timetable, the pet day, droppings,
// illness, falling hearts, calls and the end of a character.
#include "core/life_fixture.h"

namespace nib::testing {
namespace {

class MinuteRulesTest : public LifeTest {};

TEST_F(MinuteRulesTest, TheBabyFollowsItsTimetable) {
  struct Case {
    int32 minute;
    bool asleep_before;
    bool dropping, asleep_after, evolving;
    int16 sickness;
  };
  const Case cases[] = {
      {5, false, true, false, false, 0},    // first dropping
      {11, false, false, true, false, 0},   // falls asleep
      {13, true, false, false, false, 0},   // wakes up
      {14, false, false, false, false, 2},  // falls ill, needing two doses
      {21, false, false, false, true, 0},   // becomes a child
      {25, false, false, false, true, 0},
  };
  for (const Case& c : cases) {
    pet.SleepAction = pet.Dropping = false;
    Become(1);
    if (c.asleep_before) sim.mCheatAction2_Click();
    pet.Hunger = pet.Happiness = 4;
    RulesAtMinute(c.minute);
    EXPECT_EQ(pet.Dropping, c.dropping) << c.minute;
    EXPECT_EQ(pet.SleepAction, c.asleep_after) << c.minute;
    EXPECT_EQ(pet.ChangeStep == 1 && pet.NextCharacterNo == 2, c.evolving) << c.minute;
    EXPECT_EQ(pet.Sickness, c.sickness) << c.minute;
    pet.ChangeStep = 0;
  }
}

TEST_F(MinuteRulesTest, TheBabysFixedMinutesDependOnSleep) {
  // Minute 11 puts only an awake baby to bed; minute 13 wakes only a
  // sleeping one; otherwise the hearts fall as on any minute.
  Become(1);
  sim.mCheatAction2_Click();
  pet.Hunger = pet.Happiness = 3;
  Draws({0.9, 0.9});
  RulesAtMinute(11);
  EXPECT_TRUE(pet.SleepAction);
  EXPECT_EQ(pet.Hunger, 2);

  sim.mCheatAction2_Click();  // awake
  Draws({0.1, 0.1});
  RulesAtMinute(13);
  EXPECT_FALSE(pet.SleepAction);
  EXPECT_EQ(pet.Hunger, 2);
  EXPECT_EQ(pet.Happiness, 2);
}

TEST_F(MinuteRulesTest, ABabyKeptAsleepPastMinute14DoesNotFallIll) {
  Become(1);
  sim.mCheatAction2_Click();
  RulesAtMinute(14);
  EXPECT_EQ(pet.Sickness, 0);
}

TEST_F(MinuteRulesTest, TheBabysHeartsFallByChanceAndEmptyHeartsCall) {
  struct Case {
    int16 hunger, happiness, sickness;
    double hunger_draw, happiness_draw;
    int16 hunger_after, happiness_after;
    bool hungry_call, unhappy_call;
  };
  const Case cases[] = {
      {2, 2, 0, 0.6, 0.4, 1, 2, false, false},
      {1, 3, 0, 0.7, 0.0, 0, 3, true, false},
      {0, 1, 0, 0.9, 0.9, 0, 0, true, true},  // an empty heart draws nothing
      {1, 1, 1, 0.9, 0.9, 0, 0, false, false},  // a sick baby does not call
  };
  for (const Case& c : cases) {
    Become(1);
    pet.AttentionHungry = pet.AttentionHappy = false;
    pet.NeedCount = 0;
    pet.Hunger = c.hunger;
    pet.Happiness = c.happiness;
    pet.Sickness = c.sickness;
    random.draws.clear();
    if (c.hunger > 0) random.draws.push_back(c.hunger_draw);
    if (c.happiness > 0) random.draws.push_back(c.happiness_draw);
    RulesAtMinute(7);
    EXPECT_EQ(pet.Hunger, c.hunger_after);
    EXPECT_EQ(pet.Happiness, c.happiness_after);
    EXPECT_EQ(pet.AttentionHungry, c.hungry_call);
    EXPECT_EQ(pet.AttentionHappy, c.unhappy_call);
    EXPECT_EQ(pet.NeedCount, (c.hungry_call ? 1 : 0) + (c.unhappy_call ? 1 : 0));
    EXPECT_TRUE(random.draws.empty());
  }
}

TEST_F(MinuteRulesTest, BedtimeTogglesEveryTwelvePetHoursFromMinute121) {
  Become(3);
  pet.Hunger = pet.Happiness = 4;
  random.fallback = 0.99;
  struct Step {
    int32 minute;
    bool asleep;
    int16 age;
  };
  for (const Step s : {Step{120, false, 0}, Step{121, true, 0}, Step{122, true, 0},
                       Step{240, true, 0}, Step{241, false, 1}, Step{361, true, 1},
                       Step{481, false, 2}}) {
    RulesAtMinute(s.minute);
    EXPECT_EQ(pet.SleepAction, s.asleep) << s.minute;
    EXPECT_EQ(pet.Age, s.age) << s.minute;
  }
}

TEST_F(MinuteRulesTest, AgeStopsAt99) {
  Become(6);
  pet.Age = 99;
  RulesAtMinute(121);
  RulesAtMinute(241);
  EXPECT_FALSE(pet.SleepAction);
  EXPECT_EQ(pet.Age, 99);
}

TEST_F(MinuteRulesTest, OnlyCharacter5SwitchesItsOwnLightOffAboutHalfTheTime) {
  struct Case {
    int16 character;
    double draw;
    bool light_off;
  };
  for (const Case c : {Case{5, 0.2, true}, Case{5, 0.7, false}, Case{6, 0.2, false}}) {
    Become(c.character);
    pet.LightOff = false;
    pet.NeedCount = 3;
    random.draws = {c.draw};
    RulesAtMinute(121);
    ASSERT_TRUE(pet.SleepAction);
    EXPECT_EQ(pet.LightOff, c.light_off) << c.character;
    EXPECT_EQ(pet.LightMenuIndex, c.light_off ? 1 : 0);
    // The sleep call is withdrawn and taken out of the count.
    EXPECT_EQ(pet.AttentionSleep, !c.light_off);
    EXPECT_EQ(scr.AttendIcon.Visible(), !c.light_off);
    EXPECT_EQ(pet.AttendTimeLeft, c.light_off ? 0 : 120);
    EXPECT_EQ(pet.NeedCount, c.light_off ? 3 : 4);
    if (c.light_off) {
      EXPECT_TRUE(Shows(scr.Dark, scr.TempDark[0]));
    }
    EXPECT_EQ(random.draws.empty(), c.character == 5) << "only character 5 draws";
    sim.mCheatAction2_Click();
  }
}

TEST_F(MinuteRulesTest, AsleepNothingArisesButNeglectRunsOn) {
  Become(4);
  sim.mCheatAction2_Click();
  pet.Weight = 95;  // would fall ill at any ten-minute step
  pet.Hunger = pet.Happiness = 0;
  pet.AttentionSleep = false;
  pet.NeedCount = 0;
  pet.DyingTimeLeft = 50;
  random.fallback = 0.0;
  for (int32 m : {2, 3, 13, 32, 730}) RulesAtMinute(m);
  EXPECT_EQ(pet.Sickness, 0);
  EXPECT_FALSE(pet.Dropping);
  EXPECT_EQ(pet.TotalNeedCount, 0);
  EXPECT_FALSE(pet.AttentionHungry || pet.AttentionHappy || pet.AttentionDiscipline);
  EXPECT_EQ(pet.ChangeStep, 0) << "no evolution while asleep";
  EXPECT_EQ(pet.DyingAction, 0);

  // The tick still takes a minute of neglect.
  pet.SecondCount = 59;
  NextSecond();
  EXPECT_EQ(pet.DyingTimeLeft, 49);
}

TEST_F(MinuteRulesTest, TheEndOfACharacterEvolvesOrDiesOfOldAge) {
  struct Case {
    int16 character;
    bool evolves;
  };
  for (const Case c : {Case{2, true}, Case{3, true}, Case{4, true}, Case{7, true},
                       Case{5, false}, Case{6, false}, Case{8, false}, Case{9, false},
                       Case{10, false}, Case{11, false}}) {
    pet.MaxMinutes = 480;
    Become(c.character);
    random.fallback = 0.5;
    RulesAtMinute(pet.MinuteToChangeCharacter - 1);
    EXPECT_EQ(pet.DyingAction, 0) << c.character;
    EXPECT_EQ(pet.ChangeStep, 0) << c.character;
    RulesAtMinute(pet.MinuteToChangeCharacter);
    // Character 7 at its first end lives on instead of changing.
    const bool changed = pet.ChangeStep == 1 || pet.MinuteToChangeCharacter == 730;
    EXPECT_EQ(changed, c.evolves) << c.character;
    EXPECT_EQ(pet.DyingAction, c.evolves ? 0 : 1) << c.character;
    pet.ChangeStep = 0;
    pet.DyingAction = 0;
  }
}

TEST_F(MinuteRulesTest, ADroppingEveryThirtyMinutes) {
  Become(3);
  random.fallback = 0.99;
  for (const int32 m : {2, 12, 31, 32, 62}) {
    pet.Dropping = false;
    RulesAtMinute(m);
    EXPECT_EQ(pet.Dropping, m % 30 == 2) << m;
  }
}

TEST_F(MinuteRulesTest, TheDroppingRuleChangesNothingWithEightDroppings) {
  Become(3);
  pet.Dung = 8;
  pet.StatusText = "before";
  RulesAtMinute(32);
  EXPECT_FALSE(pet.Dropping);
  EXPECT_EQ(pet.Dung, 8);
  EXPECT_EQ(pet.StatusText, "before");
}

TEST_F(MinuteRulesTest, TenMinuteStepsCountOpportunities) {
  Become(3);
  pet.Hunger = pet.Happiness = 4;
  random.fallback = 0.99;
  for (const int32 m : {3, 4, 13, 22, 23}) RulesAtMinute(m);
  EXPECT_EQ(pet.TotalNeedCount, 6);
}

TEST_F(MinuteRulesTest, IllnessStrikesWithChanceTenInHundredMinusWeight) {
  struct Case {
    int16 weight;
    double draw;
    double extra_draw;
    int16 sickness;
  };
  const Case cases[] = {
      {0, 0.0999, 0.2, 1},   // floor(9.99) = 9
      {0, 0.1, 0.2, 0},      // floor(10.0) = 10
      {90, 0.999, 0.7, 2},   // certain from weight 90: floor(9.99); a second dose
      {89, 0.95, 0.0, 0},    // floor(10.45)
      {99, 0.999, 0.0, 1},
  };
  for (const Case& c : cases) {
    Become(3);
    pet.Weight = c.weight;
    pet.Hunger = pet.Happiness = 0;  // no hearts to draw for
    pet.Sickness = 0;
    random.draws = {c.draw, c.extra_draw};
    RulesAtMinute(3);
    EXPECT_EQ(pet.Sickness, c.sickness) << c.weight << " " << c.draw;
    if (c.sickness > 0) {
      EXPECT_EQ(pet.StatusText, menu.mCheatAction0.caption);
    }
  }
}

TEST_F(MinuteRulesTest, SicknessCostsAgeMinutesOfNeglectEveryTenMinutes) {
  pet.MaxMinutes = 480;
  Become(6);
  pet.Sickness = 1;
  pet.Age = 7;
  pet.DyingTimeLeft = 100;
  random.fallback = 0.99;
  RulesAtMinute(13);
  EXPECT_EQ(pet.DyingTimeLeft, 93);
  RulesAtMinute(14);
  EXPECT_EQ(pet.DyingTimeLeft, 93);
  pet.Sickness = 0;
  RulesAtMinute(23);
  EXPECT_EQ(pet.DyingTimeLeft, 93);
}

TEST_F(MinuteRulesTest, FallingHeartsMayRaiseADisciplineCall) {
  // Draws in order: illness, hunger heart, its discipline chance,
  // happiness heart, its discipline chance.
  struct Case {
    const char* what;
    int16 hunger, happiness, discipline, sickness;
    std::initializer_list<double> draws;
    int16 hunger_after, happiness_after;
    bool discipline_call;
  };
  const Case cases[] = {
      {"hunger falls, call", 3, 4, 0, 0, {0.99, 0.1, 0.2, 0.9}, 2, 4, true},
      {"hunger falls, no call", 3, 4, 0, 0, {0.99, 0.1, 0.5, 0.9}, 2, 4, false},
      {"heart stays", 3, 4, 0, 0, {0.99, 0.6, 0.9}, 3, 4, false},
      // Sick, so the empty heart raises no hunger call either.
      {"last heart: no call", 1, 4, 0, 1, {0.99, 0.1, 0.0, 0.9}, 0, 4, false},
      {"full discipline: no call", 3, 4, 14, 0, {0.99, 0.1, 0.0, 0.9}, 2, 4, false},
      {"happiness falls, call", 4, 2, 7, 0, {0.99, 0.9, 0.0, 0.0}, 4, 1, true},
      {"one call at a time", 3, 3, 0, 0, {0.99, 0.1, 0.0, 0.1, 0.0}, 2, 2, true},
  };
  for (const Case& c : cases) {
    Become(3);
    pet.Hunger = c.hunger;
    pet.Happiness = c.happiness;
    pet.Discipline = c.discipline;
    pet.Sickness = c.sickness;
    pet.NeedCount = 0;
    random.draws = c.draws;
    RulesAtMinute(3);
    EXPECT_EQ(pet.Hunger, c.hunger_after) << c.what;
    EXPECT_EQ(pet.Happiness, c.happiness_after) << c.what;
    EXPECT_EQ(pet.AttentionDiscipline, c.discipline_call) << c.what;
    EXPECT_EQ(scr.AttendIcon.Visible(), c.discipline_call) << c.what;
    EXPECT_EQ(pet.AttendTimeLeft, c.discipline_call ? 120 : 0) << c.what;
    EXPECT_EQ(pet.NeedCount, 0) << c.what << ": a discipline call is no need";
    EXPECT_TRUE(random.draws.empty()) << c.what;
  }
}

TEST_F(MinuteRulesTest, EmptyHeartsCallUnlessSickOrCalledToOrder) {
  struct Case {
    int16 hunger, happiness, sickness;
    bool discipline_open;
    bool hungry_call, unhappy_call;
  };
  const Case cases[] = {
      {0, 2, 0, false, true, false}, {2, 0, 0, false, false, true},
      {0, 0, 0, false, true, true},  {0, 0, 1, false, false, false},
      {0, 0, 0, true, false, false},
  };
  for (const Case& c : cases) {
    Become(3);
    pet.Weight = 20;
    pet.Hunger = c.hunger;
    pet.Happiness = c.happiness;
    pet.Sickness = c.sickness;
    pet.AttentionDiscipline = c.discipline_open;
    pet.NeedCount = 0;
    random.fallback = 0.99;  // no illness, no falling hearts
    RulesAtMinute(13);
    EXPECT_EQ(pet.AttentionHungry, c.hungry_call);
    EXPECT_EQ(pet.AttentionHappy, c.unhappy_call);
    EXPECT_EQ(pet.NeedCount, (c.hungry_call ? 1 : 0) + (c.unhappy_call ? 1 : 0));
  }
}

TEST_F(MinuteRulesTest, TheEggsOnlyRuleIsItsEnd) {
  Become(0);
  pet.DyingTimeLeft = 100;
  random.fallback = 0.0;
  RulesAtMinute(1);
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(pet.ChangeStep, 0);
  EXPECT_EQ(pet.Sickness, 0);
  EXPECT_FALSE(pet.Dropping);
}

}  // namespace
}  // namespace nib::testing
