#include <functional>

#include "core/lcd_fixture.h"

namespace nib::testing {
namespace {

class MainScreenTest : public LcdTest {
 protected:
  void ShowEverything() {
    for (Element* e : {&scr.NibChar, &scr.Skull, &scr.SleepSign, &scr.Dark, &scr.TempImage,
                       &scr.MealSnack, &scr.DungImage[0], &scr.DungImage[1], &scr.DungImage[2]})
      e->Show();
  }
};

TEST_F(MainScreenTest, AHealthyPetStandsAtItsPlaceWithItsDung) {
  pet.Dung = 2;
  pet.CurrentTempChar = 3;
  pet.IntervalCount = 50;
  pet.FrameStep = 2;
  sim.animation.WalkRight = true;
  scr.DungImage[0].CopyPictureFrom(scr.TempDung[1]);
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.NibChar.Visible());
  EXPECT_EQ(scr.NibChar.Left(), 850);
  EXPECT_EQ(scr.NibChar.Top(), 1160);
  EXPECT_EQ(pet.CurrentTempChar, 0);
  EXPECT_EQ(pet.IntervalCount, 0);
  EXPECT_EQ(pet.FrameStep, 0);
  EXPECT_FALSE(sim.animation.WalkRight);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(scr.DungImage[i].Visible(), i < 2) << i;
  EXPECT_TRUE(Shows(scr.DungImage[0], scr.TempDung[0]));
  EXPECT_FALSE(scr.Skull.Visible());
  EXPECT_FALSE(scr.Dark.Visible());
}

TEST_F(MainScreenTest, ASickPetShowsTheSkullAndItsSickPicture) {
  pet.Sickness = 1;
  pet.IntervalCount = 50;
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.Skull.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
  EXPECT_EQ(scr.NibChar.Left(), 840);
  EXPECT_TRUE(Shows(scr.NibChar, scr.TempSick[0]));
  EXPECT_EQ(pet.StatusText, menu.mCheatAction0.caption);
  EXPECT_EQ(pet.IntervalCount, 50);  // the idle animation is not restarted
}

TEST_F(MainScreenTest, ASleepingPetShowsTheSleepSign) {
  pet.SleepAction = true;
  pet.Sickness = 1;
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.SleepSign.Visible());
  EXPECT_FALSE(scr.Skull.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
}

TEST_F(MainScreenTest, InTheDarkOnlyTheDarknessShows) {
  pet.LightOff = true;
  pet.Dung = 3;
  pet.Sickness = 1;
  pet.SleepAction = true;
  ShowEverything();
  scr.Dark.Hide();
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.Dark.Visible());
  for (const Element* e : {&scr.NibChar, &scr.Skull, &scr.SleepSign, &scr.DungImage[2]})
    EXPECT_FALSE(e->Visible()) << e->Name();

  sim.DoMainScreen(false);
  EXPECT_FALSE(scr.Dark.Visible());
}

TEST_F(MainScreenTest, NothingIsShownOverTheClockOrBehindTheBack) {
  for (const bool clock : {true, false}) {
    SCOPED_TRACE(clock);
    pet.TimerScreen = clock;
    scr.BackView.SetVisible(!clock);
    for (const bool dark : {false, true}) {
      pet.LightOff = dark;
      pet.Dung = 1;
      sim.DoMainScreen(true);
      EXPECT_FALSE(scr.NibChar.Visible());
      EXPECT_FALSE(scr.Dark.Visible());
      EXPECT_FALSE(scr.DungImage[0].Visible());
    }
  }
}

TEST_F(MainScreenTest, TheFlushShowsTheWaterOrTheDarkness) {
  pet.Flushing = true;
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.Water.Visible());
  scr.Water.Hide();
  pet.LightOff = true;
  pet.HappyReaction = true;  // not "in the dark" while a reaction runs
  sim.DoMainScreen(true);
  EXPECT_TRUE(scr.Dark.Visible());
  EXPECT_FALSE(scr.Water.Visible());
}

TEST_F(MainScreenTest, HidingTakesThePetAndItsDungOffTheLitScreen) {
  pet.Dung = 2;
  pet.Sickness = 1;
  pet.SleepAction = true;
  ShowEverything();
  sim.DoMainScreen(false);
  for (const Element* e : {&scr.NibChar, &scr.Skull, &scr.SleepSign, &scr.DungImage[0],
                           &scr.DungImage[1]})
    EXPECT_FALSE(e->Visible()) << e->Name();
  EXPECT_TRUE(scr.Dark.Visible());  // not in the dark: left alone
}

TEST_F(MainScreenTest, AnOpenActionRedrawsItsOwnPictures) {
  struct Case {
    const char* name;
    std::function<void(Simulator&)> state;
    std::vector<const Element*> shown;
    std::vector<const Element*> hidden_when_cleared;
  };
  const Case cases[] = {
      {"meal", [](Simulator& s) { s.pet.Eating = true; }, {&scr.MealSnack, &scr.TempImage},
       {&scr.MealSnack, &scr.TempImage}},
      {"meal in the dark",
       [](Simulator& s) {
         s.pet.Eating = true;
         s.pet.LightOff = true;
       },
       {&scr.Dark}, {&scr.MealSnack, &scr.TempImage}},
      {"food menu", [](Simulator& s) { s.device_menu.CurrentIcon = 0; }, {&scr.FeedMenu, &scr.RightArrow}, {}},
      {"reaction",
       [](Simulator& s) {
         s.device_menu.CurrentIcon = 3;
         s.pet.RefusalReaction = true;
       },
       {&scr.TempImage}, {&scr.TempImage}},
      {"reaction in the dark",
       [](Simulator& s) {
         s.device_menu.CurrentIcon = 6;
         s.pet.UnhappyReaction = true;
         s.pet.LightOff = true;
       },
       {&scr.Dark}, {&scr.TempImage}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pet.Eating = pet.LightOff = pet.RefusalReaction = pet.UnhappyReaction = false;
    sim.device_menu.CurrentIcon = 7;
    for (Element* e : {&scr.MealSnack, &scr.TempImage, &scr.Dark, &scr.FeedMenu, &scr.RightArrow})
      e->Hide();
    pet.ActionTimeout = 5;
    c.state(sim);
    sim.DoMainScreen(true);
    for (const Element* e : c.shown) EXPECT_TRUE(e->Visible()) << e->Name();
    EXPECT_FALSE(scr.NibChar.Visible());
    sim.DoMainScreen(false);
    for (const Element* e : c.hidden_when_cleared) EXPECT_FALSE(e->Visible()) << e->Name();
  }
}

TEST_F(MainScreenTest, TheFoodMenuComesOutFromUnderTheDarkness) {
  pet.ActionTimeout = 5;
  pet.LightOff = true;
  sim.device_menu.CurrentIcon = 0;
  scr.Dark.Show();
  sim.DoMainScreen(true);
  EXPECT_FALSE(scr.Dark.Visible());
  EXPECT_TRUE(scr.FeedMenu.Visible());
}

TEST_F(MainScreenTest, OtherStatesShowTheirOwnElements) {
  struct Case {
    const char* name;
    std::function<void(Simulator&)> state;
    std::vector<const Element*> elements;
  };
  const Case cases[] = {
      {"grave", [](Simulator& s) { s.pet.CharacterNo = kAngel; }, {&scr.Angel, &scr.NibChar}},
      {"age of 12",
       [](Simulator& s) {
         s.pet.CharacterNo = kAngel;
         s.pet.AnimStep = 1;
         s.pet.Age = 12;
       },
       {&scr.Angel, &scr.AgeDigit[0], &scr.AgeDigit[1], &scr.Yr}},
      {"age of 5",
       [](Simulator& s) {
         s.pet.CharacterNo = kAngel;
         s.pet.AnimStep = 1;
         s.pet.Age = 5;
       },
       {&scr.Angel, &scr.AgeDigit[1], &scr.Yr}},
      {"dying", [](Simulator& s) { s.pet.DyingAction = 3; }, {&scr.NibChar}},
      {"game title", [](Simulator& s) { s.game.PlayStage = kGameTitle; }, {&scr.PlayTitle}},
      {"waiting for a guess", [](Simulator& s) { s.game.PlayStage = kWaitingForGuess; }, {&scr.TempImage}},
      {"number game guess",
       [](Simulator& s) {
         s.menu.mPopupPlay1.checked = true;
         s.game.PlayStage = kWaitingForGuess;
       },
       {&scr.TempImage, &scr.NibNumber}},
      {"guessed left",
       [](Simulator& s) {
         s.game.PlayStage = kGuessWon;
         s.game.PlayGuess = 0;
       },
       {&scr.LeftArrow}},
      {"guessed right",
       [](Simulator& s) {
         s.game.PlayStage = kGuessLost;
         s.game.PlayGuess = 1;
       },
       {&scr.RightArrow}},
      {"number game result",
       [](Simulator& s) {
         s.menu.mPopupPlay1.checked = true;
         s.game.PlayStage = kGuessWon;
       },
       {&scr.NibNumber, &scr.ResultNumber}},
      {"reaction to a guess",
       [](Simulator& s) {
         s.game.PlayStage = kGuessReaction;
         s.pet.HappyReaction = true;
       },
       {&scr.TempImage}},
      {"score", [](Simulator& s) { s.game.PlayStage = kGameScore; }, {&scr.PlayResult, &scr.YourScore, &scr.NibScore}},
  };
  const std::vector<Element*> all = {
      &scr.Angel,    &scr.NibChar,   &scr.AgeDigit[0], &scr.AgeDigit[1], &scr.Yr,
      &scr.PlayTitle, &scr.TempImage, &scr.NibNumber,   &scr.ResultNumber, &scr.LeftArrow,
      &scr.RightArrow, &scr.PlayResult, &scr.YourScore, &scr.NibScore};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (Element* e : all) e->Hide();
    pet.CharacterNo = 3;
    pet.DyingAction = pet.AnimStep = 0;
    sim.game.PlayStage = kNoGame;
    pet.HappyReaction = false;
    menu.mPopupPlay1.checked = false;
    c.state(sim);
    sim.DoMainScreen(true);
    for (const Element* e : all) {
      const bool expected = std::find(c.elements.begin(), c.elements.end(), e) != c.elements.end();
      EXPECT_EQ(e->Visible(), expected) << e->Name();
    }
    sim.DoMainScreen(false);
    for (const Element* e : c.elements) EXPECT_FALSE(e->Visible()) << e->Name();
    // In the dark they are not shown.
    pet.LightOff = true;
    sim.DoMainScreen(true);
    for (const Element* e : c.elements) EXPECT_FALSE(e->Visible()) << e->Name();
    pet.LightOff = false;
  }
}

// --- Ending whatever runs ---

class EndCurrentActionTest : public LcdTest {};

TEST_F(EndCurrentActionTest, ADroppingEndsWithTheNewDungOnTheScreen) {
  pet.Dropping = true;
  pet.Dung = 2;
  scr.DungImage[2].Show();
  sim.DoEndCurrentAction();
  EXPECT_FALSE(pet.Dropping);
  EXPECT_EQ(pet.Dung, 3);
  EXPECT_EQ(pet.AnimFrame, 1);
  EXPECT_EQ(pet.FrameStep, 1);
  EXPECT_EQ(pet.IntervalCount, 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(scr.DungImage[i].Visible()) << i;
  EXPECT_TRUE(scr.NibChar.Visible());

  // The ninth place does not exist: eight stay eight.
  pet.Dropping = true;
  pet.Dung = 8;
  sim.DoEndCurrentAction();
  EXPECT_EQ(pet.Dung, 8);
}

TEST_F(EndCurrentActionTest, EveryActionReturnsToTheMainScreen) {
  struct Case {
    const char* name;
    int icon;
    int presses_of_b;
  };
  const Case cases[] = {
      {"food menu", 0, 1}, {"meal", 0, 2},  {"light menu", 1, 1},
      {"medicine", 3, 1},  {"flush", 4, 1}, {"scolding", 6, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim.DoHideIcon();
    Select(c.icon);
    for (int i = 0; i < c.presses_of_b; ++i) PressB();
    ASSERT_GT(pet.ActionTimeout, 0);
    sim.DoEndCurrentAction();
    EXPECT_EQ(pet.ActionTimeout, 0);
    EXPECT_FALSE(pet.Eating || pet.Flushing || pet.UnhappyReaction || pet.RefusalReaction);
    for (const Element* e : {&scr.FeedMenu, &scr.LightMenu, &scr.RightArrow, &scr.MealSnack,
                             &scr.TempImage, &scr.Water})
      EXPECT_FALSE(e->Visible()) << e->Name();
    EXPECT_TRUE(scr.NibChar.Visible());
  }
}

TEST_F(EndCurrentActionTest, TheHappyEndOfAFlushEndsTheFlush) {
  sim.device_menu.CurrentIcon = 4;
  pet.Flushing = pet.HappyReaction = true;
  pet.ActionTimeout = 8;
  scr.TempImage.Show();
  sim.DoEndCurrentAction();
  EXPECT_FALSE(pet.Flushing);
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_TRUE(scr.NibChar.Visible());
}

TEST_F(EndCurrentActionTest, NothingRunningMeansNothingToDo) {
  Select(3);
  const Pet before = pet;
  sim.DoEndCurrentAction();
  EXPECT_EQ(static_cast<const PetSaved&>(pet), static_cast<const PetSaved&>(before));
  EXPECT_EQ(sim.device_menu.CurrentIcon, 3);
  EXPECT_EQ(pet.IconTimeout, 10);
}

}  // namespace
}  // namespace nib::testing
