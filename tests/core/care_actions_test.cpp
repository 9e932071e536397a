#include <functional>
#include <utility>

#include "core/lcd_fixture.h"

namespace nib::testing {
namespace {

// --- Food ---

class FoodTest : public LcdTest {
 protected:
  void OpenFoodMenu() {
    Select(0);
    PressB();
  }
  // Meal (line 0) or snack (line 1), chosen from the open menu.
  void Feed(int line) {
    OpenFoodMenu();
    if (sim.device_menu.MenuIndex != line) PressA();
    PressB();
  }
  // What the eating animation shows: the food frame counted from the first
  // picture of its kind, its height, and the pet's pose.
  std::string Frame() {
    if (!pet.Eating) return "end";
    std::string food = "?";
    for (int i = 0; i < 8; ++i)
      if (Shows(scr.MealSnack, scr.TempMeal[i])) food = "F" + std::to_string(i - pet.AnimFrame);
    if (scr.MealSnack.Top() == sim.layout.MealSnack0Top) food += " falling";
    std::string pose = "?";
    for (int i = 0; i < 2; ++i) {
      if (Shows(scr.TempImage, scr.TempEat[i])) pose = "eat" + std::to_string(i);
      if (Shows(scr.TempImage, scr.TempNegative[i])) pose = "no" + std::to_string(i);
    }
    return food + " " + pose;
  }
  // Every change of frame with the tick it happened on, until the meal ends.
  std::vector<std::pair<int, std::string>> Animation() {
    std::vector<std::pair<int, std::string>> frames{{0, Frame()}};
    for (int tick = 1; tick <= 200 && pet.Eating; ++tick) {
      sim.Timer1_Timer();
      if (Frame() != frames.back().second) frames.emplace_back(tick, Frame());
    }
    return frames;
  }
};

TEST_F(FoodTest, TheMenuOpensOnTheLineChosenLastAndAMovesTheArrow) {
  pet.FeedMenuIndex = 1;
  scr.NibChar.Show();
  OpenFoodMenu();
  EXPECT_TRUE(scr.FeedMenu.Visible());
  EXPECT_TRUE(scr.RightArrow.Visible());
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_EQ(sim.device_menu.MenuIndex, 1);
  EXPECT_EQ(scr.RightArrow.Left(), 700);
  EXPECT_EQ(scr.RightArrow.Top(), 1200);
  EXPECT_EQ(pet.ActionTimeout, 10);
  for (const int line : {0, 1, 0}) {
    PressA();
    EXPECT_EQ(sim.device_menu.MenuIndex, line);
    EXPECT_EQ(scr.RightArrow.Top(), line == 0 ? 1000 : 1200);
  }
  EXPECT_EQ(pet.FeedMenuIndex, 1);  // moving the arrow chooses nothing
  PressC();
  EXPECT_FALSE(scr.FeedMenu.Visible());
  EXPECT_FALSE(scr.RightArrow.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_TRUE(scr.NibChar.Visible());
}

TEST_F(FoodTest, AMealFillsAHeartAndAnswersAHungerCall) {
  pet.Hunger = 1;
  pet.Weight = 20;
  pet.AttentionHungry = true;
  pet.DyingTimeLeft = 30;
  Feed(0);
  EXPECT_TRUE(pet.Eating);
  EXPECT_EQ(pet.Hunger, 2);
  EXPECT_EQ(pet.Weight, 21);
  EXPECT_EQ(pet.CareWhenNeed, 1);
  EXPECT_FALSE(pet.AttentionHungry);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  EXPECT_EQ(pet.FeedMenuIndex, 0);
  EXPECT_FALSE(scr.FeedMenu.Visible());
  EXPECT_TRUE(scr.MealSnack.Visible());
  EXPECT_EQ(scr.MealSnack.Left(), 1100);
  EXPECT_EQ(scr.MealSnack.Top(), 900);
  EXPECT_TRUE(Shows(scr.MealSnack, scr.TempMeal[0]));
  EXPECT_TRUE(Shows(scr.TempImage, scr.TempEat[0]));
  EXPECT_EQ(scr.TempImage.Left(), 800);
  EXPECT_TRUE(scr.TempImage.Visible());
}

TEST_F(FoodTest, AMealIsRefusedByAFullSickOrUndisciplinedPet) {
  struct Case {
    const char* why;
    std::function<void(Pet&)> make;
  };
  const Case cases[] = {
      {"full", [](Pet& p) { p.Hunger = 4; }},
      {"sick", [](Pet& p) { p.Sickness = 1; }},
      {"calling for discipline", [](Pet& p) { p.AttentionDiscipline = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    sim.DoEndCurrentAction();
    sim.DoHideIcon();
    pet.Weight = 20;
    pet.Hunger = 2;
    pet.Sickness = 0;
    pet.AttentionDiscipline = false;
    pet.AttentionHungry = true;
    pet.DyingTimeLeft = 30;
    c.make(pet);
    Pet expected = pet;
    expected.DyingTimeLeft = 480;
    Feed(0);
    EXPECT_EQ(static_cast<const PetSaved&>(pet), static_cast<const PetSaved&>(expected));
    EXPECT_TRUE(pet.Eating);
    EXPECT_TRUE(Shows(scr.TempImage, scr.TempNegative[0]));
    EXPECT_EQ(scr.TempImage.Left(), 810);
  }
}

TEST_F(FoodTest, ASnackIsNeverRefusedAndWeighsTwo) {
  struct Case {
    int16 character, weight, happiness;
    int16 weight_after, happiness_after;
  };
  for (const Case c : {Case{3, 50, 2, 52, 3}, Case{3, 98, 4, 99, 4}, Case{3, 99, 0, 99, 1},
                       Case{1, 5, 1, 5, 2}, Case{2, 10, 0, 12, 1}}) {
    SCOPED_TRACE(::testing::Message() << c.character << " weighing " << c.weight);
    sim.DoHideIcon();
    pet.CharacterNo = c.character;
    pet.Weight = c.weight;
    pet.Happiness = c.happiness;
    pet.Sickness = 1;  // would refuse a meal
    pet.AttentionHappy = true;
    const int16 snacks = pet.SnackCount, care = pet.CareWhenNeed;
    Feed(1);
    EXPECT_EQ(pet.Weight, c.weight_after);
    EXPECT_EQ(pet.Happiness, c.happiness_after);
    EXPECT_EQ(pet.SnackCount, snacks + 1);
    EXPECT_EQ(pet.CareWhenNeed, care + 1);
    EXPECT_FALSE(pet.AttentionHappy);
    EXPECT_EQ(pet.FeedMenuIndex, 1);
    EXPECT_TRUE(Shows(scr.MealSnack, scr.TempMeal[4]));
    EXPECT_TRUE(Shows(scr.TempImage, scr.TempEat[0]));
    sim.DoEndCurrentAction();
  }
}

TEST_F(FoodTest, TheBabyGainsNoWeightFromAMeal) {
  struct Case {
    int16 character, weight_after;
  };
  for (const Case c : {Case{1, 40}, Case{2, 41}}) {
    sim.DoHideIcon();
    pet.CharacterNo = c.character;
    pet.Weight = 40;
    pet.Hunger = 0;
    Feed(0);
    EXPECT_EQ(pet.Weight, c.weight_after);
    sim.DoEndCurrentAction();
  }
  sim.DoHideIcon();
  pet.Weight = 99;
  pet.Hunger = 0;
  Feed(0);
  EXPECT_EQ(pet.Weight, 99);
}

using Frames = std::vector<std::pair<int, std::string>>;

TEST_F(FoodTest, AnOlderCharacterEatsInFiveFrames) {
  for (const int line : {0, 1}) {
    SCOPED_TRACE(line);
    sim.DoHideIcon();
    pet.Hunger = 0;
    Feed(line);
    EXPECT_EQ(Animation(), (Frames{{0, "F0 falling eat0"},
                                   {7, "F0 eat0"},
                                   {14, "F2 eat1"},
                                   {21, "F3 eat0"},
                                   {28, "F3 eat1"},
                                   {35, "end"}}));
    // Back to the menu for another helping.
    EXPECT_TRUE(scr.FeedMenu.Visible());
    EXPECT_TRUE(scr.RightArrow.Visible());
    EXPECT_FALSE(scr.MealSnack.Visible());
    EXPECT_FALSE(scr.TempImage.Visible());
    EXPECT_EQ(pet.ActionTimeout, 10);
    PressC();
  }
}

TEST_F(FoodTest, TheBabyEatsInEightFrames) {
  pet.CharacterNo = 1;
  Feed(0);
  EXPECT_EQ(Animation(), (Frames{{0, "F0 falling eat0"},
                                 {7, "F0 eat0"},
                                 {14, "F1 eat1"},
                                 {21, "F1 eat0"},
                                 {28, "F2 eat1"},
                                 {35, "F2 eat0"},
                                 {42, "F3 eat1"},
                                 {49, "F3 eat0"},
                                 {56, "end"}}));
  EXPECT_TRUE(scr.FeedMenu.Visible());
}

TEST_F(FoodTest, ARefusedMealShakesTheHeadFourTimes) {
  pet.Hunger = 4;
  Feed(0);
  EXPECT_EQ(Animation(), (Frames{{0, "F0 falling no0"},
                                 {7, "F0 no0"},
                                 {14, "F0 no1"},
                                 {21, "F0 no0"},
                                 {28, "F0 no1"},
                                 {35, "F0 no0"},
                                 {42, "F0 no1"},
                                 {49, "F0 no0"},
                                 {56, "end"}}));
  EXPECT_TRUE(scr.FeedMenu.Visible());
}

TEST_F(FoodTest, EatingInTheDarkRunsUnseen) {
  pet.LightOff = true;
  pet.Hunger = 0;
  Feed(0);
  EXPECT_TRUE(scr.Dark.Visible());
  EXPECT_FALSE(scr.MealSnack.Visible());
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_EQ(Animation().back(), (std::pair<int, std::string>{35, "end"}));
  EXPECT_FALSE(scr.TempImage.Visible());
  // The menu is offered over the darkness.
  EXPECT_FALSE(scr.Dark.Visible());
  EXPECT_TRUE(scr.FeedMenu.Visible());
}

TEST_F(FoodTest, AnyButtonStopsTheMealAndTheMenuComesBack) {
  for (const int button : {0, 1, 2}) {
    SCOPED_TRACE(button);
    sim.DoHideIcon();
    pet.LightOff = true;
    pet.Hunger = 0;
    Feed(0);
    Ticks(10);
    if (button == 0) PressA();
    if (button == 1) PressB();
    if (button == 2) PressC();
    EXPECT_FALSE(pet.Eating);
    EXPECT_FALSE(scr.MealSnack.Visible());
    EXPECT_FALSE(scr.TempImage.Visible());
    EXPECT_TRUE(scr.FeedMenu.Visible());
    EXPECT_TRUE(scr.RightArrow.Visible());
    EXPECT_FALSE(scr.Dark.Visible());
    EXPECT_EQ(pet.ActionTimeout, 10);
    PressC();
    EXPECT_FALSE(scr.FeedMenu.Visible());
    EXPECT_TRUE(scr.Dark.Visible());
  }
}

TEST_F(FoodTest, AMealLeftAloneEndsOnTheMainScreen) {
  pet.CharacterNo = 1;
  pet.Hunger = 4;  // a refusal, which runs long enough
  Feed(0);
  Ticks(20);
  for (int s = 0; s < 10; ++s) NextSecond();
  EXPECT_FALSE(pet.Eating);
  EXPECT_FALSE(scr.FeedMenu.Visible());
  EXPECT_FALSE(scr.MealSnack.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);
}

TEST_F(FoodTest, TheMealFinishedBehindTheBackOffersTheMenuWhenTurnedRound) {
  pet.Hunger = 0;
  Feed(0);
  scr.BackView.Show();
  sim.DoMainScreen(false);
  Animation();
  EXPECT_EQ(pet.ActionTimeout, 10);
  scr.BackView.Hide();
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.FeedMenu.Visible());
  PressC();
  EXPECT_FALSE(scr.FeedMenu.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);
}

TEST_F(FoodTest, WhileNotEatingTheStepDoesNothing) {
  pet.AnimStep = 3;
  scr.MealSnack.Move(1100, 900);
  sim.DoEatStep();
  EXPECT_EQ(pet.AnimStep, 3);
  EXPECT_EQ(scr.MealSnack.Top(), 900);
}

// --- Light ---

class LightTest : public LcdTest {
 protected:
  void Choose(int line) {
    Select(1);
    PressB();
    if (sim.device_menu.MenuIndex != line) PressA();
    PressB();
  }
};

TEST_F(LightTest, SwitchingOffWhileAwakeCoversTheScreen) {
  scr.Dark.SetPicture(nullptr);
  Choose(1);
  EXPECT_TRUE(pet.LightOff);
  EXPECT_EQ(pet.LightMenuIndex, 1);
  EXPECT_TRUE(Shows(scr.Dark, scr.TempDark[2]));
  EXPECT_EQ(sim.layout.DarkWidth, 64 * 15);
  EXPECT_TRUE(scr.Dark.Visible());
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_FALSE(scr.LightMenu.Visible());
  EXPECT_FALSE(scr.RightArrow.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);

  // The menu comes back on the line chosen, over the darkness.
  sim.DoHideIcon();
  Select(1);
  PressB();
  EXPECT_EQ(sim.device_menu.MenuIndex, 1);
  EXPECT_EQ(scr.RightArrow.Top(), 1200);
  EXPECT_FALSE(scr.Dark.Visible());
  PressA();
  PressB();
  EXPECT_FALSE(pet.LightOff);
  EXPECT_EQ(pet.LightMenuIndex, 0);
  EXPECT_FALSE(scr.Dark.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
}

TEST_F(LightTest, SwitchingOffAnswersTheSleepCall) {
  pet.SleepAction = true;
  pet.AttentionSleep = pet.AttentionHappy = true;
  pet.NeedCount = 3;
  pet.CareWhenNeed = 1;
  pet.AttendTimeLeft = 80;
  pet.DyingTimeLeft = 50;
  scr.AttendIcon.Show();
  Choose(1);
  EXPECT_TRUE(pet.LightOff);
  EXPECT_TRUE(Shows(scr.Dark, scr.TempDark[0]));
  EXPECT_EQ(pet.StatusText, menu.mCheatAction2.caption);
  EXPECT_EQ(pet.NeedCount, 2);
  EXPECT_EQ(pet.CareWhenNeed, 2);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  EXPECT_FALSE(pet.AttentionSleep || pet.AttentionHappy || pet.AttentionHungry ||
               pet.AttentionDiscipline);
  EXPECT_FALSE(scr.AttendIcon.Visible());
  EXPECT_EQ(pet.AttendTimeLeft, 0);
}

TEST_F(LightTest, SwitchingOffForASleeperThatDidNotCallCountsNothing) {
  pet.SleepAction = true;
  pet.NeedCount = 0;
  pet.DyingTimeLeft = 50;
  Choose(1);
  EXPECT_TRUE(Shows(scr.Dark, scr.TempDark[0]));
  EXPECT_EQ(pet.NeedCount, 0);
  EXPECT_EQ(pet.DyingTimeLeft, 50);
}

TEST_F(LightTest, CClosesTheMenuWithoutAChoice) {
  Select(1);
  PressB();
  PressA();
  PressC();
  EXPECT_FALSE(scr.LightMenu.Visible());
  EXPECT_FALSE(pet.LightOff);
  EXPECT_EQ(pet.LightMenuIndex, 0);
  EXPECT_EQ(pet.ActionTimeout, 0);
}

// --- Medicine ---

class MedicineTest : public LcdTest {
 protected:
  void Give() {
    Select(3);
    PressB();
  }
};

TEST_F(MedicineTest, AHealthyPetRefusesAndNothingChanges) {
  pet.DyingTimeLeft = 50;
  const Pet before = pet;
  Give();
  EXPECT_TRUE(pet.RefusalReaction);
  EXPECT_TRUE(Shows(scr.TempImage, scr.TempNegative[0]));
  EXPECT_EQ(scr.TempImage.Left(), 810);
  EXPECT_TRUE(scr.TempImage.Visible());
  EXPECT_EQ(pet.AnimRepeat, 7);
  EXPECT_EQ(pet.ActionTimeout, 10);
  PressC();
  EXPECT_FALSE(pet.RefusalReaction);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_EQ(static_cast<const PetSaved&>(pet), static_cast<const PetSaved&>(before));
}

TEST_F(MedicineTest, EachDoseCuresOneLevel) {
  pet.Sickness = 2;
  pet.DyingTimeLeft = 50;
  for (const int16 left : {1, 0}) {
    sim.DoHideIcon();
    Give();
    EXPECT_TRUE(pet.UnhappyReaction);
    EXPECT_TRUE(Shows(scr.TempImage, scr.TempUnhappy[0]));
    EXPECT_EQ(scr.TempImage.Left(), 820);
    EXPECT_FALSE(scr.Skull.Visible());
    sim.DoAction(2);  // the end of the animation
    EXPECT_EQ(pet.Sickness, left);
    EXPECT_EQ(pet.DyingTimeLeft, 480);
    EXPECT_FALSE(pet.UnhappyReaction);
    EXPECT_EQ(pet.ActionTimeout, 0);
    EXPECT_EQ(pet.IconTimeout, 10);
    EXPECT_EQ(scr.Skull.Visible(), left > 0);
  }
}

TEST_F(MedicineTest, TheDoseEndsByItselfAfterSevenFrames) {
  pet.Sickness = 1;
  Give();
  Ticks(7 * 7 - 1);
  EXPECT_TRUE(pet.UnhappyReaction);
  EXPECT_EQ(pet.Sickness, 1);
  Ticks(1);
  EXPECT_FALSE(pet.UnhappyReaction);
  EXPECT_EQ(pet.Sickness, 0);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
}

TEST_F(MedicineTest, ASecondBEndsTheDoseInsteadOfGivingAnother) {
  pet.Sickness = 2;
  Give();
  PressB();
  EXPECT_EQ(pet.Sickness, 1);
  EXPECT_FALSE(pet.UnhappyReaction);
}

TEST_F(MedicineTest, InTheDarkTheDarknessStays) {
  pet.LightOff = true;
  pet.Sickness = 1;
  sim.DoMainScreen(true);
  ASSERT_TRUE(scr.Dark.Visible());
  Give();
  EXPECT_TRUE(scr.Dark.Visible());
  EXPECT_FALSE(scr.TempImage.Visible());
  PressA();
  EXPECT_TRUE(scr.Dark.Visible());
}

// --- Toilet ---

class ToiletTest : public LcdTest {
 protected:
  void SetUp() override {
    LcdTest::SetUp();
    pet.Dung = 3;
    sim.DoMainScreen(true);
  }
  void Flush() {
    Select(4);
    PressB();
  }
};

TEST_F(ToiletTest, BStartsTheWave) {
  Flush();
  EXPECT_TRUE(pet.Flushing);
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_TRUE(scr.Water.Visible());
  EXPECT_EQ(scr.Water.Left(), sim.layout.WaterLeft);
  EXPECT_EQ(scr.Water.Top(), 900);
  EXPECT_EQ(scr.Dark.Width(), 64 * 15 - 60);
  EXPECT_EQ(pet.ActionTimeout, 10);
  EXPECT_EQ(pet.IconTimeout, 10);
}

TEST_F(ToiletTest, ThePressedWaveWashesAtOnceWithoutCountingAsCare) {
  for (const int button : {0, 1, 2}) {
    SCOPED_TRACE(button);
    sim.DoHideIcon();
    pet.Dung = 3;
    pet.DyingTimeLeft = 50;
    sim.DoMainScreen(true);
    Flush();
    Ticks(3);
    if (button == 0) PressA();
    if (button == 1) PressB();
    if (button == 2) PressC();
    EXPECT_EQ(pet.Dung, 0);
    EXPECT_EQ(pet.DyingTimeLeft, 50);
    EXPECT_FALSE(pet.Flushing);
    EXPECT_FALSE(scr.Water.Visible());
    EXPECT_EQ(scr.Water.Left(), sim.layout.WaterLeft);
    EXPECT_EQ(scr.Dark.Width(), 64 * 15);
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(scr.DungImage[i].Visible()) << i;
    EXPECT_TRUE(scr.NibChar.Visible());
    EXPECT_EQ(pet.ActionTimeout, 0);
  }
}

TEST_F(ToiletTest, TheWholeSweepCleansAndThePetIsHappy) {
  pet.DyingTimeLeft = 50;
  Flush();
  for (int tick = 0; tick < 100 && !pet.HappyReaction; ++tick) sim.Timer1_Timer();
  EXPECT_TRUE(pet.HappyReaction);
  EXPECT_EQ(pet.Dung, 0);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  // A press during the happy end stops it too.
  PressB();
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_FALSE(pet.Flushing);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
}

TEST_F(ToiletTest, TheWaveGivesTheDarknessBackTheWidthOfItsOwnPicture) {
  // The darkness pictures are narrower than the screen.
  scr.NibScr.SetPicture(PictureAt("\\test\\nibscr.gif", 80, 50));
  Fill(scr.TempDark, "narrowdark", 40);
  for (const int line : {1, 0}) {  // the light off, and on again
    sim.DoHideIcon();
    Select(1);
    PressB();
    if (sim.device_menu.MenuIndex != line) PressA();
    PressB();
  }
  ASSERT_FALSE(pet.LightOff);
  EXPECT_EQ(sim.layout.DarkWidth, 40 * 15);
  for (const bool interrupted : {false, true}) {
    SCOPED_TRACE(interrupted ? "interrupted" : "whole sweep");
    sim.DoHideIcon();
    pet.Dung = 3;
    sim.DoMainScreen(true);
    Flush();
    Ticks(interrupted ? 2 : 100);
    if (interrupted) PressC();
    EXPECT_EQ(scr.Dark.Width(), 40 * 15);
    pet.HappyReaction = pet.Flushing = false;
    pet.ActionTimeout = 0;
  }
}

TEST_F(ToiletTest, WithNoFlushRunningOnlyBActs) {
  Select(4);
  sim.DoAction(0);
  sim.DoAction(2);
  EXPECT_EQ(pet.Dung, 3);
  EXPECT_TRUE(scr.DungImage[2].Visible());
}

// --- Discipline ---

class DisciplineTest : public LcdTest {
 protected:
  void Scold() {
    Select(6);
    PressB();
  }
};

TEST_F(DisciplineTest, FourJustifiedScoldingsFillTheBar) {
  for (const int16 after : {3, 7, 10, 14, 14}) {
    sim.DoHideIcon();
    pet.AttentionDiscipline = true;
    pet.DyingTimeLeft = 50;
    platform.sounds.clear();
    Scold();
    EXPECT_EQ(SoundsOf("\\sounds\\discipln.wav"), 1);
    EXPECT_TRUE(pet.UnhappyReaction);
    EXPECT_TRUE(Shows(scr.TempImage, scr.TempUnhappy[0]));
    EXPECT_EQ(scr.TempImage.Left(), 820);
    EXPECT_EQ(pet.AnimRepeat, 7);
    EXPECT_EQ(pet.DyingTimeLeft, 480);
    pet.DyingTimeLeft = 50;
    sim.DoAction(2);
    EXPECT_EQ(pet.Discipline, after);
    EXPECT_FALSE(pet.AttentionDiscipline);
    EXPECT_FALSE(pet.UnhappyReaction);
    EXPECT_EQ(pet.DyingTimeLeft, 480);
    EXPECT_FALSE(scr.TempImage.Visible());
  }
}

TEST_F(DisciplineTest, ScoldingAPetThatNeedsCareIsCountedAgainstYou) {
  struct Case {
    bool hungry, unhappy;
    int16 when_need;
  };
  for (const Case c : {Case{true, false, 1}, Case{false, true, 1}, Case{false, false, 0}}) {
    sim.DoHideIcon();
    pet.AttentionHungry = c.hungry;
    pet.AttentionHappy = c.unhappy;
    pet.DisciplineWhenNeed = 0;
    pet.Discipline = 3;
    platform.sounds.clear();
    Scold();
    EXPECT_EQ(SoundsOf("\\sounds\\discipln.wav"), 0);
    PressA();
    EXPECT_EQ(pet.DisciplineWhenNeed, c.when_need);
    EXPECT_EQ(pet.Discipline, 3);
  }
}

}  // namespace
}  // namespace nib::testing
