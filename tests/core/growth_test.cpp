// Growth: what switching to each character does, which character follows
// when a character's time is up, and the cheat commands that force them.
#include "core/life_fixture.h"

namespace nib::testing {
namespace {

class GrowthTest : public LifeTest {
 protected:
  void SetUp() override {
    LifeTest::SetUp();
    pet.InsulatingSheet = 0;
    pet.LastSecond = static_cast<int16>(platform.second);
  }
  void Counters(int16 value) {
    pet.TotalNeedCount = pet.DisciplineWhenNeed = pet.SnackCount = pet.PlayCounter = value;
    pet.NeedCount = pet.CareWhenNeed = value;
  }
};

TEST_F(GrowthTest, EachLivingCharacterGetsItsLifeLengthPaceAndWeight) {
  struct Row {
    int16 character;
    int32 minutes;
    int16 frame_delay, min_weight;
    int16 discipline_after;  // -1: kept
  };
  const Row rows[] = {
      {2, 490, 80, 10, -1}, {3, 730, 80, 20, -1}, {4, 730, 80, 20, -1}, {5, 960, 50, 30, -1},
      {6, 960, 80, 30, -1}, {7, 490, 80, 30, 0},  {8, 960, 80, 30, -1}, {9, 960, 80, 30, 7},
      {10, 960, 80, 30, -1}, {11, 960, 60, 30, -1},
  };
  sim.layout.OriginalLeft = 800;
  sim.layout.OriginalTop = 950;
  for (const Row& r : rows) {
    pet.MaxMinutes = 960;
    pet.Discipline = 10;
    pet.Weight = 3;
    pet.MinuteCount = 400;
    pet.SecondCount = 30;
    pet.IntervalCount = 50;
    pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = true;
    pet.AttendTimeLeft = 80;
    scr.AttendIcon.Show();
    Counters(9);
    scr.NibChar.Move(0, 0);
    scr.NibChar.Show();
    sim.animation.IconFrame = 5;
    pet.CurrentTempChar = 3;
    pet.DelayValue = 2;

    int16 n = r.character;
    sim.DoSetCharacter(n);
    EXPECT_EQ(pet.CharacterNo, r.character);
    EXPECT_EQ(pet.MinuteToChangeCharacter, r.minutes) << r.character;
    EXPECT_EQ(pet.FrameDelay, r.frame_delay) << r.character;
    EXPECT_EQ(pet.MinWeight, r.min_weight) << r.character;
    EXPECT_EQ(pet.Weight, r.min_weight) << "raised to the minimum";
    EXPECT_EQ(pet.DelayValue, 7);
    EXPECT_EQ(pet.Discipline, r.discipline_after < 0 ? 10 : r.discipline_after) << r.character;
    EXPECT_EQ(pet.MaxMinutes, r.character == 7 ? 730 : 960);
    EXPECT_EQ(pet.MinuteCount, 0);
    EXPECT_EQ(pet.SecondCount, 0);
    EXPECT_EQ(pet.IntervalCount, 0);
    EXPECT_FALSE(pet.AttentionHungry || pet.AttentionHappy || pet.AttentionDiscipline);
    EXPECT_FALSE(scr.AttendIcon.Visible());
    EXPECT_EQ(pet.AttendTimeLeft, 0);
    // Every stage is judged on its own calls only.
    EXPECT_EQ(pet.TotalNeedCount + pet.DisciplineWhenNeed + pet.SnackCount + pet.PlayCounter +
                  pet.NeedCount + pet.CareWhenNeed,
              0);
    EXPECT_EQ(scr.NibChar.Left(), 800);
    EXPECT_EQ(scr.NibChar.Top(), 950);
    EXPECT_TRUE(Shows(scr.NibChar, scr.TempChar[0]));
    EXPECT_TRUE(scr.NibChar.Visible());
    EXPECT_EQ(sim.animation.IconFrame, 0);
    EXPECT_FALSE(sim.animation.WalkRight);
    EXPECT_TRUE(sim.menu.CheatChar(r.character).checked);
    EXPECT_EQ(CheckedCharacters(menu), 1);
    EXPECT_EQ(pet.CharacterName, sim.menu.CheatChar(r.character).caption);
    EXPECT_EQ(menu.mCharacterName.caption, pet.CharacterName);
  }
}

TEST_F(GrowthTest, AHeavierPetKeepsItsWeight) {
  pet.Weight = 40;
  int16 child = 2;
  sim.DoSetCharacter(child);
  EXPECT_EQ(pet.Weight, 40);
}

TEST_F(GrowthTest, TheEggIsANewPet) {
  struct Case {
    double draw;
    int16 max_minutes;
  };
  for (const Case c : {Case{0.0, 240}, Case{0.2, 480}, Case{0.45, 720}, Case{0.79, 960},
                       Case{0.999, 1200}}) {
    pet.Age = 30;
    pet.Weight = pet.MinWeight = 40;
    pet.Discipline = 14;
    pet.Happiness = pet.Hunger = 3;
    pet.Sickness = 2;
    pet.Dung = 4;
    pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = pet.AttentionSleep = true;
    pet.LightOff = pet.SleepAction = true;
    pet.LightMenuIndex = 1;
    pet.DyingTimeLeft = 12;
    for (Element* e : {&scr.Skull, &scr.Dark, &scr.SleepSign, &scr.AttendIcon, &scr.NibChar})
      e->Show();
    for (Element& dung : scr.DungImage) dung.Show();
    menu.mCheatAction2.checked = true;
    random.draws = {c.draw};

    int16 egg = 0;
    sim.DoSetCharacter(egg);
    EXPECT_EQ(pet.MaxMinutes, c.max_minutes) << c.draw;
    EXPECT_EQ(pet.DyingTimeLeft, 480);
    EXPECT_EQ(pet.MinuteToChangeCharacter, 1);
    EXPECT_EQ(pet.FrameDelay, 80);
    EXPECT_EQ(pet.Age + pet.Weight + pet.MinWeight + pet.Discipline + pet.Happiness + pet.Hunger +
                  pet.Sickness + pet.Dung,
              0);
    EXPECT_FALSE(pet.AttentionHungry || pet.AttentionHappy || pet.AttentionDiscipline ||
                 pet.AttentionSleep || pet.LightOff || pet.SleepAction);
    EXPECT_EQ(pet.LightMenuIndex, 0);
    for (Element* e : {&scr.Skull, &scr.Dark, &scr.SleepSign, &scr.AttendIcon})
      EXPECT_FALSE(e->Visible()) << e->Name();
    for (const Element& dung : scr.DungImage) EXPECT_FALSE(dung.Visible());
    // The pet that was on the screen is an egg on the screen now.
    EXPECT_TRUE(Shows(scr.NibChar, scr.TempChar[0]));
    EXPECT_TRUE(scr.NibChar.Visible());
    EXPECT_FALSE(menu.mCheatAction2.checked);
    for (const MenuItem* item : {&menu.mCheatAttention, &menu.mCheatAction0, &menu.mCheatAction1,
                                 &menu.mCheatAction2, &menu.mCheatAction3})
      EXPECT_FALSE(item->enabled) << item->name;
    EXPECT_TRUE(menu.mCheatChar0.checked);
    EXPECT_EQ(CheckedCharacters(menu), 1);
  }
}

TEST_F(GrowthTest, TheBabyIsBornHungryAndUnhappy) {
  pet.Age = 3;
  pet.Discipline = 5;
  pet.NeedCount = 4;
  int16 baby = 1;
  sim.DoSetCharacter(baby);
  EXPECT_EQ(pet.MinuteToChangeCharacter, 21);
  EXPECT_EQ(pet.FrameDelay, 60);
  EXPECT_EQ(pet.Weight, 5);
  EXPECT_EQ(pet.MinWeight, 5);
  EXPECT_EQ(pet.Age, 0);
  EXPECT_EQ(pet.Discipline, 0);
  EXPECT_TRUE(pet.AttentionHungry && pet.AttentionHappy);
  EXPECT_FALSE(pet.AttentionDiscipline);
  EXPECT_TRUE(scr.AttendIcon.Visible());
  EXPECT_EQ(pet.AttendTimeLeft, 120);
  EXPECT_EQ(pet.NeedCount, 2) << "its two calls, counted after the reset";
  EXPECT_FALSE(menu.mCheatAttention2.enabled);
  EXPECT_TRUE(menu.mCheatAttention.enabled);
  EXPECT_TRUE(menu.mCheatAction0.enabled);
}

TEST_F(GrowthTest, TheAngelClearsEverythingAndKeepsThePositionsOfThePetBefore) {
  platform.AddTextFile("\\Chars\\12\\char.ini", "original.left=1\nsick.left=2\n");
  sim.layout.StarsLeft = 710;
  sim.layout.StarsTop = 640;
  sim.layout.AngelLeft = 1200;
  sim.layout.SickLeft = 333;
  pet.MaxMinutes = 480;
  Become(6);
  sim.mCheatAction3_Click();
  pet.Sickness = 2;
  pet.Dung = 3;
  pet.AnimStep = 1;
  int16 angel = kAngel;
  sim.DoSetCharacter(angel);
  EXPECT_EQ(pet.DyingAction, 0);
  EXPECT_FALSE(scr.Skull.Visible());
  EXPECT_EQ(sim.layout.SickLeft, 333);
  EXPECT_EQ(scr.NibChar.Left(), 710);
  EXPECT_EQ(scr.NibChar.Top(), 640);
  EXPECT_TRUE(Shows(scr.NibChar, scr.Stars[0]));
  EXPECT_EQ(scr.Angel.Left(), 1200);
  EXPECT_TRUE(scr.Angel.Visible());
  EXPECT_EQ(pet.Sickness + pet.Dung + pet.AnimStep + pet.AnimFrame, 0);
  EXPECT_EQ(pet.MinuteToChangeCharacter, 1);
  EXPECT_FALSE(menu.mCheatAction2.enabled);
  EXPECT_TRUE(menu.mCheatChar12.checked);
  EXPECT_EQ(pet.CharacterName, "Angel (Death)");
  sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_icon, scr.AngelIcon[0].GetPicture());
}

TEST_F(GrowthTest, TheAngelShowsOnlyWhereTheScreenCanBeSeen) {
  pet.LightOff = true;  // the angel switches the light on again
  int16 angel = kAngel;
  sim.DoSetCharacter(angel);
  EXPECT_TRUE(scr.Angel.Visible());
  scr.Angel.Hide();
  pet.TimerScreen = true;
  sim.DoSetCharacter(angel);
  EXPECT_FALSE(scr.Angel.Visible());
}

TEST_F(GrowthTest, ACharacterReadsItsFilesWithThePluginsOverTheBase) {
  platform.AddTextFile("\\Chars\\05\\char.ini", "sick.left=100\nsleep.left=200\nwalk=true\n");
  platform.AddTextFile("\\plugins\\Fancy\\chars\\05\\char.ini", "sick.left=111\n");
  platform.AddFile("\\Chars\\05\\sick0.gif");
  platform.AddFile("\\plugins\\Fancy\\Chars\\05\\0.gif");
  pet.Plugins = "Fancy";
  Become(5);
  EXPECT_EQ(sim.layout.SickLeft, 111);
  EXPECT_EQ(sim.layout.SleepLeft, 200);
  EXPECT_TRUE(sim.layout.CharacterWalks);
  EXPECT_EQ(std::static_pointer_cast<const FakePicture>(scr.TempSick[0].GetPicture())->path,
            "\\chars\\05\\sick0.gif");
  EXPECT_EQ(std::static_pointer_cast<const FakePicture>(scr.TempChar[0].GetPicture())->path,
            "\\plugins\\fancy\\chars\\05\\0.gif");
}

TEST_F(GrowthTest, ASleepingPetSleepsOnInItsNewForm) {
  Become(2);
  sim.mCheatAction2_Click();
  int16 teen = 3;
  sim.DoSetCharacter(teen);
  EXPECT_TRUE(pet.SleepAction);
  EXPECT_TRUE(menu.mCheatAction2.checked);
  EXPECT_TRUE(menu.mCheatAction2.enabled);
  EXPECT_FALSE(menu.mCheatAction0.enabled);
  EXPECT_FALSE(menu.mCheatAttention.enabled);
}

TEST_F(GrowthTest, AHiddenPetStaysHiddenAndAVisibleOneOnlyOnAVisibleScreen) {
  Become(3);
  scr.NibChar.Hide();
  int16 n = 4;
  sim.DoSetCharacter(n);
  EXPECT_FALSE(scr.NibChar.Visible());
  scr.NibChar.Show();
  pet.TimerScreen = true;
  sim.DoSetCharacter(n);
  EXPECT_FALSE(scr.NibChar.Visible());
}

TEST_F(GrowthTest, AnUnknownCharacterBecomesAnEgg) {
  int16 n = 13;
  sim.DoSetCharacter(n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(pet.CharacterNo, 0);
  n = -2;
  sim.DoSetCharacter(n);
  EXPECT_EQ(pet.CharacterNo, 0);
}

TEST_F(GrowthTest, NeglectTimeLeftAtZeroIsRenewed) {
  pet.DyingTimeLeft = 0;
  Become(4);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  pet.DyingTimeLeft = 17;
  Become(5);
  EXPECT_EQ(pet.DyingTimeLeft, 17);
}

// N, C, T, D, W, P, S, G as DoEvolve reads them.
struct Care {
  int16 need, care, total, discipline, discipline_when_need, play, snack, weight;
};

class EvolveTest : public GrowthTest {
 protected:
  // The character that follows, or -1 when none was chosen.
  int Evolve(int16 from, const Care& c) {
    Become(from);
    pet.NeedCount = c.need;
    pet.CareWhenNeed = c.care;
    pet.TotalNeedCount = c.total;
    pet.Discipline = c.discipline;
    pet.DisciplineWhenNeed = c.discipline_when_need;
    pet.PlayCounter = c.play;
    pet.SnackCount = c.snack;
    pet.Weight = c.weight;
    pet.ChangeStep = 0;
    sim.DoEvolve();
    return pet.ChangeStep == 1 ? pet.NextCharacterNo : -1;
  }
};

TEST_F(EvolveTest, TheBabyAlwaysBecomesAChild) {
  EXPECT_EQ(Evolve(1, {0, 0, 0, 0, 0, 0, 0, 5}), 2);
  EXPECT_EQ(Evolve(1, {9, 0, 0, 0, 0, 0, 9, 5}), 2);
}

TEST_F(EvolveTest, TheChildBecomesTheTeenOfItsCareAndPlay) {
  struct Case {
    Care care;
    int next;
  };
  const Case cases[] = {
      {{3, 1, 0, 0, 0, 9, 0, 20}, 4},  // 1 < 1.5
      {{3, 2, 0, 0, 0, 2, 2, 20}, 4},  // play must beat snacks
      {{3, 2, 0, 0, 0, 3, 2, 20}, 3},
      {{4, 2, 0, 0, 0, 1, 0, 20}, 3},  // 2 >= 2.0 exactly
      {{0, 0, 0, 0, 0, 1, 0, 20}, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(Evolve(2, c.care), c.next);
}

TEST_F(EvolveTest, TheTeenBecomesTheAdultOfTheFirstRuleThatHolds) {
  struct Case {
    const char* what;
    Care care;
    int next;
  };
  const Case cases[] = {
      {"no calls, no care", {0, 0, 70, 0, 0, 0, 0, 40}, 9},
      {"care at exactly a tenth", {30, 3, 70, 14, 20, 0, 0, 55}, 9},
      {"few calls, disciplined when needed", {3, 1, 30, 0, 2, 0, 0, 40}, 5},
      {"few calls, scolded too little", {3, 1, 30, 8, 1, 0, 0, 40}, 6},
      {"half the opportunities, strict", {20, 10, 40, 8, 0, 0, 0, 40}, 6},
      {"strict, no scolding, no snacks, 55", {40, 30, 40, 14, 0, 0, 0, 55}, 7},
      {"strict, no scolding, no snacks, 50", {40, 30, 40, 8, 0, 0, 0, 50}, 7},
      {"too heavy for 7, scolded", {40, 30, 40, 14, 0, 0, 0, 61}, -2},
      {"light and scolded when needed", {40, 30, 40, 3, 1, 0, 0, 30}, 8},
      {"cared for, never disciplined", {40, 33, 40, 0, 0, 0, 0, 40}, 10},
      {"cared for at exactly 80%", {40, 32, 40, 0, 0, 0, 0, 40}, -2},
      // Each comparison on both sides of its edge.
      {"care just above a tenth", {30, 4, 70, 0, 0, 0, 0, 40}, -2},
      {"calls exactly a tenth, scolded exactly half", {4, 1, 40, 0, 2, 0, 0, 40}, 5},
      {"calls just above a tenth", {5, 1, 40, 0, 3, 0, 0, 40}, -2},
      {"scolded just below half", {4, 1, 40, 0, 1, 0, 0, 40}, -2},
      {"calls just above half the opportunities", {21, 10, 40, 8, 0, 0, 0, 40}, -2},
      {"half the opportunities, discipline 7", {20, 10, 40, 7, 0, 0, 0, 40}, -2},
      {"strict, no scolding, no snacks, 60", {40, 30, 40, 8, 0, 0, 0, 60}, 7},
      {"strict, no scolding, no snacks, 49", {40, 30, 40, 8, 0, 0, 0, 49}, -2},
      {"no scolding, no snacks, 55, discipline 7", {40, 30, 40, 7, 0, 0, 0, 55}, -2},
      {"strict, scolded once, 55", {40, 30, 40, 8, 1, 0, 0, 55}, -2},
      {"strict, no scolding, a snack, 55", {40, 30, 40, 8, 0, 0, 1, 55}, -2},
      {"scolded when needed, 31", {40, 30, 40, 3, 1, 0, 0, 31}, -2},
      {"scolded when needed, 30, discipline 0", {40, 30, 40, 0, 1, 0, 0, 30}, -2},
      {"disciplined, 30, never when needed", {40, 30, 40, 3, 0, 0, 0, 30}, -2},
      {"cared for, discipline 1", {40, 33, 40, 1, 0, 0, 0, 40}, -2},
      {"cared for, scolded once", {40, 33, 40, 0, 1, 0, 0, 40}, -2},
  };
  for (const Case& c : cases) {
    random.draws = {0.5};  // rule 7 gives character 8
    const int next = Evolve(3, c.care);
    EXPECT_EQ(next, c.next == -2 ? 8 : c.next) << c.what;
    EXPECT_EQ(random.draws.empty(), c.next == -2) << c.what << ": only the last rule draws";
  }
}

TEST_F(EvolveTest, WhenNoRuleHoldsChanceChoosesAmongTheSixAdults) {
  const Care care{40, 32, 40, 0, 0, 0, 0, 40};
  const double draws[] = {0.0, 0.17, 0.34, 0.5, 0.67, 0.99};
  for (int k = 0; k < 6; ++k) {
    random.draws = {draws[k]};
    EXPECT_EQ(Evolve(4, care), 5 + k);
  }
}

TEST_F(EvolveTest, Character7BecomesTheSecretCharacterOrLivesOnceMore) {
  struct Case {
    Care care;
    int next;
    int32 end_after;  // MinuteToChangeCharacter afterwards
  };
  const Case cases[] = {
      {{5, 0, 50, 3, 0, 0, 0, 55}, 11, 490},   // 5 <= 5.0 and disciplined
      {{6, 0, 50, 3, 0, 0, 0, 55}, -1, 730},   // one call too many
      {{0, 0, 50, 0, 0, 0, 0, 55}, -1, 730},   // never disciplined as 7
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Evolve(7, c.care), c.next);
    EXPECT_EQ(pet.MinuteToChangeCharacter, c.end_after);
    EXPECT_EQ(pet.DyingAction, 0);
  }
  // At the end of its second life it dies, unless it earned the secret.
  Evolve(7, {6, 0, 50, 3, 0, 0, 0, 55});
  pet.ChangeStep = 0;
  sim.DoEvolve();
  EXPECT_EQ(pet.DyingAction, 1);
}

TEST_F(EvolveTest, AdultsAndTheEggDoNotEvolve) {
  for (const int16 n : {0, 5, 6, 8, 9, 10, 11}) {
    pet.MaxMinutes = 480;
    EXPECT_EQ(Evolve(n, {0, 0, 0, 1, 0, 0, 0, 40}), -1) << n;
    EXPECT_EQ(pet.DyingAction, 0);
  }
}

TEST_F(EvolveTest, EvolvingShowsAHiddenDevice) {
  menu.mPopupAutoShow.checked = true;
  menu.mPopupStatus.checked = true;
  Evolve(1, {});
  EXPECT_FALSE(menu.mPopupStatus.checked);
}

TEST_F(GrowthTest, TheChangeOverFreezesThePetAndSwitchesOnItsLastStep) {
  Become(4);
  pet.SecondCount = 10;
  sim.mCheatChar9_Click();
  EXPECT_EQ(pet.NextCharacterNo, 9);
  EXPECT_EQ(pet.ChangeStep, 1);
  for (int step = 1; step < 162; ++step) NextSecond();
  EXPECT_EQ(pet.CharacterNo, 4);
  // Only the 47 ticks of steps 2..14 and 72..105 counted their seconds.
  EXPECT_EQ(pet.SecondCount, 10 + 47);
  NextSecond();
  EXPECT_EQ(pet.CharacterNo, 9);
  EXPECT_EQ(pet.ChangeStep, 0);
  EXPECT_TRUE(menu.mCheatChar9.checked);
}

TEST_F(GrowthTest, CharacterCommandsStartTheChangeOverFor2To11) {
  menu.mCheats.visible = true;
  for (int n = 2; n <= 11; ++n) {
    Become(3);
    ASSERT_TRUE(sim.DoCheatCommand(menu.CheatChar(n).name));
    EXPECT_EQ(pet.ChangeStep, 1) << n;
    EXPECT_EQ(pet.NextCharacterNo, n);
    EXPECT_EQ(pet.CharacterNo, 3);
    pet.ChangeStep = 0;
  }
}

TEST_F(GrowthTest, TheEggAndTheAngelComeAtOnce) {
  Become(6);
  platform.busy_calls.clear();
  sim.mCheatChar12_Click();
  EXPECT_EQ(pet.CharacterNo, kAngel);
  EXPECT_EQ(pet.ChangeStep, 0);
  sim.mCheatChar0_Click();
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(pet.SecondCount, 0);
  EXPECT_EQ(platform.busy_calls, (std::vector<bool>{true, false, true, false}));
}

TEST_F(GrowthTest, TheBabyCommandHatchesANewEggFourSecondsLater) {
  Become(6);
  scr.NibChar.Show();
  sim.mCheatChar1_Click();
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(pet.SecondCount, 58);
  EXPECT_EQ(pet.MinuteCount, 0);
  EXPECT_EQ(pet.IntervalCount, 0);
  for (int s = 0; s < 3; ++s) {
    platform.second = (platform.second + 1) % 60;
    for (int t = 0; t < 100; ++t) sim.Timer1_Timer();
  }
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_GT(SoundsOf("\\sounds\\hatch.wav"), 0);
  NextSecond();
  EXPECT_EQ(pet.CharacterNo, 1);
}

TEST_F(GrowthTest, ALoadedEggDrawsANewAdultLifeLength) {
  pet.MaxMinutes = 1200;
  sim.DoSaveSettings();
  Simulator again(platform, random);
  again.pet.NibbetName = pet.NibbetName;
  random.draws = {0.1};
  again.DoLoadSettings();
  EXPECT_EQ(again.pet.CharacterNo, 0);
  EXPECT_EQ(again.pet.MaxMinutes, 240);
}

}  // namespace
}  // namespace nib::testing
