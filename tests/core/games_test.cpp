#include <algorithm>
#include <string>

#include "core/device_fixture.h"

namespace nib::testing {
namespace {

constexpr int kStep = 5;  // ticks per game step

class GamesTest : public DeviceTest {
 protected:
  void SetUp() override {
    MakeLivingPet();
    sim.device_menu.CurrentIcon = 2;
    LoadSet(scr.LargeNumber, "\\other\\l");
    LoadSet(scr.TempPlay, "\\Chars\\03\\play");
    LoadSet(scr.TempHappy, "\\Chars\\03\\happy");
    LoadSet(scr.TempUnhappy, "\\Chars\\03\\unhappy");
    LoadSet(scr.TempNegative, "\\Chars\\03\\no");
    Layout& l = sim.layout;
    l.PlayLeft = 700, l.PlayTop = 1100;
    l.HappyLeft = 710, l.HappyTop = 1110;
    l.UnhappyLeft = 720, l.UnhappyTop = 1120;
    l.NoLeft = 730, l.NoTop = 1130;
    l.LeftArrowLeft = 600, l.LeftArrowTop = 1000;
    l.RightArrowLeft = 1500, l.RightArrowTop = 1000;
    pet.Weight = 25;
    pet.MinWeight = 20;
  }
  void Steps(int ticks) {
    for (int i = 0; i < ticks; ++i) sim.DoPlayStep();
  }
  void UseNumberGame(bool numbers) {
    menu.mPopupPlay1.checked = numbers;
    menu.mPopupPlay0.checked = !numbers;
  }
  // A started game waiting for its first guess.
  void StartAndWaitForGuess() {
    sim.DoPlayAction(1);
    ASSERT_EQ(sim.game.PlayStage, 1);
    Steps(9 * kStep);
    ASSERT_EQ(sim.game.PlayStage, 2);
  }
  // The pet's reaction to one guess or to the game ends, as its animation
  // does, with C.
  void EndReaction() { sim.DoPlayAction(2); }
  std::vector<Element*> GameElements() {
    return {&scr.PlayTitle, &scr.PlayResult, &scr.YourScore,  &scr.NibScore,    &scr.LeftArrow,
            &scr.RightArrow, &scr.TempImage, &scr.NibNumber, &scr.ResultNumber};
  }
};

TEST_F(GamesTest, BStartsAGameWithItsTitle) {
  pet.ActionTimeout = 4;
  sim.DoPlayAction(1);
  EXPECT_EQ(sim.game.PlayStage, 1);
  EXPECT_EQ(sim.game.GuessCount, 0);
  EXPECT_EQ(sim.game.PlayWins, 0);
  EXPECT_EQ(SoundsOf("\\sounds\\plystart.wav"), 1);
  EXPECT_TRUE(scr.PlayTitle.Visible());
  EXPECT_EQ(pet.AnimRepeat, 9);
  EXPECT_EQ(pet.ActionTimeout, 10);
  EXPECT_EQ(pet.IconTimeout, 10);
}

TEST_F(GamesTest, ASickOrUnrulyPetRefusesAndNothingElseChanges) {
  struct Case {
    const char* what;
    int16 sickness;
    bool discipline_call;
    int end_button;  // how the refusal is ended
  };
  for (const Case c : {Case{"sick, ended by A", 1, false, 0}, Case{"calling, ended by B", 0, true, 1},
                       Case{"both, ended by C", 2, true, 2}}) {
    SCOPED_TRACE(c.what);
    pet.Sickness = c.sickness;
    pet.AttentionDiscipline = c.discipline_call;
    const PetSaved before = pet;
    sim.DoPlayAction(1);
    EXPECT_EQ(sim.game.PlayStage, 0);
    EXPECT_TRUE(pet.RefusalReaction);
    EXPECT_EQ(pet.AnimRepeat, 7);
    EXPECT_EQ(pet.ActionTimeout, 10);
    EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempNegative), 0);
    EXPECT_EQ(scr.TempImage.Left(), 730);
    EXPECT_TRUE(scr.TempImage.Visible());
    EXPECT_EQ(static_cast<const PetSaved&>(pet), before);
    EXPECT_EQ(platform.sounds, std::vector<std::string>{});

    sim.DoPlayAction(c.end_button);
    EXPECT_FALSE(pet.RefusalReaction);
    EXPECT_FALSE(scr.TempImage.Visible());
    EXPECT_EQ(pet.ActionTimeout, 0);
    EXPECT_EQ(sim.game.PlayStage, 0);
  }
}

TEST_F(GamesTest, TheTitleWaitsNineStepsUnlessSkipped) {
  sim.DoPlayAction(1);
  Steps(9 * kStep - 1);
  EXPECT_EQ(sim.game.PlayStage, 1);
  sim.DoPlayStep();
  EXPECT_EQ(sim.game.PlayStage, 2);
  EXPECT_FALSE(scr.PlayTitle.Visible());
  EXPECT_EQ(SoundsOf("\\sounds\\playing.wav"), 1);
  EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempPlay), 0);
  EXPECT_EQ(scr.TempImage.Left(), 700);
  EXPECT_TRUE(scr.TempImage.Visible());
  EXPECT_FALSE(scr.NibNumber.Visible());  // the turn game has no digit

  sim.DoPlayAction(2);
  sim.DoPlayAction(1);
  for (const int button : {0, 1}) {
    SCOPED_TRACE(button);
    sim.DoPlayAction(2);
    sim.DoPlayAction(1);
    sim.DoPlayAction(button);  // skip the title
    sim.DoPlayStep();
    EXPECT_EQ(sim.game.PlayStage, 2);
  }
}

TEST_F(GamesTest, WhileWaitingThePetSwaysEveryStep) {
  StartAndWaitForGuess();
  const int sounds = SoundsOf("\\sounds\\playing.wav");
  std::vector<int> poses;
  for (int n = 0; n < 4; ++n) {
    Steps(kStep);
    poses.push_back(ShownIndex(scr.TempImage, scr.TempPlay));
    EXPECT_TRUE(scr.TempImage.Visible());
  }
  EXPECT_EQ(poses, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(SoundsOf("\\sounds\\playing.wav"), sounds + 4);
  EXPECT_EQ(sim.game.PlayStage, 2);
}

TEST_F(GamesTest, TurnGameGuesses) {
  struct Case {
    const char* what;
    int button;
    double r;
    bool cheats;
    bool won;
    int pose;
  };
  const Case cases[] = {
      {"left, pet turns left", 0, 0.2, false, true, 2},
      {"left, pet turns right", 0, 0.7, false, false, 3},
      {"right, pet turns left", 1, 0.49, false, false, 2},
      {"right, pet turns right", 1, 0.5, false, true, 3},
      {"left with cheats", 0, 0.9, true, true, 2},
      {"right with cheats", 1, 0.1, true, true, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    menu.mCheats.visible = c.cheats;
    StartAndWaitForGuess();
    random.draws = {c.r};
    sim.DoPlayAction(c.button);
    EXPECT_EQ(sim.game.GuessCount, 1);
    EXPECT_EQ(sim.game.PlayGuess, c.button);
    EXPECT_EQ(sim.game.PlayStage, c.won ? 3 : 4);
    EXPECT_EQ(sim.game.PlayWins, c.won ? 1 : 0);
    EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempPlay), c.pose);
    EXPECT_EQ(scr.TempImage.Left(), 700);
    Element& arrow = c.button == 0 ? scr.LeftArrow : scr.RightArrow;
    Element& other = c.button == 0 ? scr.RightArrow : scr.LeftArrow;
    EXPECT_TRUE(arrow.Visible());
    EXPECT_FALSE(other.Visible());
    EXPECT_EQ(arrow.Left(), c.button == 0 ? 600 : 1500);
    EXPECT_FALSE(scr.ResultNumber.Visible());
    EXPECT_EQ(pet.AnimRepeat, 3);
    EXPECT_EQ(pet.ActionTimeout, 10);
    sim.DoPlayAction(2);
  }
}

TEST_F(GamesTest, NumberGameGuesses) {
  UseNumberGame(true);
  struct Case {
    const char* what;
    double pet_r;
    int button;
    double r;
    bool cheats;
    int pet_digit, digit;
    bool won;
  };
  const Case cases[] = {
      {"lower, drawn lower", 0.55, 0, 0.1, false, 5, 0, true},
      {"lower, drawn higher", 0.55, 0, 0.6, false, 5, 6, false},
      {"higher, drawn higher", 0.55, 1, 0.99, false, 5, 9, true},
      {"higher on 9 can only lose", 0.95, 1, 0.5, false, 9, 4, false},
      {"lower on 0 can only lose", 0.0, 0, 0.0, false, 0, 1, false},
      {"cheats: the pet avoids 0", 0.0, 0, 0.99, true, 1, 0, true},
      {"cheats: the pet avoids 9", 0.99, 1, 0.0, true, 8, 9, true},
      {"cheats: lower on 5", 0.5, 0, 0.99, true, 5, 4, true},
      {"cheats: higher on 5", 0.5, 1, 0.0, true, 5, 6, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    menu.mCheats.visible = c.cheats;
    random.draws = {c.pet_r};
    StartAndWaitForGuess();
    EXPECT_EQ(sim.game.PetNumber, c.pet_digit);
    EXPECT_EQ(ShownIndex(scr.NibNumber, scr.LargeNumber), c.pet_digit);
    EXPECT_TRUE(scr.NibNumber.Visible());
    random.draws = {c.r};
    sim.DoPlayAction(c.button);
    EXPECT_EQ(ShownIndex(scr.ResultNumber, scr.LargeNumber), c.digit);
    EXPECT_TRUE(scr.ResultNumber.Visible());
    EXPECT_EQ(sim.game.PlayStage, c.won ? 3 : 4);
    EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempPlay), 3);
    EXPECT_FALSE(scr.LeftArrow.Visible());
    EXPECT_FALSE(scr.RightArrow.Visible());
    sim.DoPlayAction(2);
  }
}

TEST_F(GamesTest, TheDrawnDigitNeverEqualsThePetsAndCheatsAlwaysWin) {
  UseNumberGame(true);
  for (const bool cheats : {false, true}) {
    menu.mCheats.visible = cheats;
    for (int r_step = 0; r_step < 100; ++r_step) {
      const double pet_r = r_step / 100.0;
      for (const int button : {0, 1}) {
        random.draws = {pet_r};
        StartAndWaitForGuess();
        random.draws = {(r_step * 37 % 100) / 100.0};
        sim.DoPlayAction(button);
        const int pet_digit = sim.game.PetNumber;
        const int digit = ShownIndex(scr.ResultNumber, scr.LargeNumber);
        ASSERT_NE(digit, pet_digit) << pet_r;
        ASSERT_GE(digit, 0);
        if (cheats) {
          ASSERT_GE(pet_digit, 1);
          ASSERT_LE(pet_digit, 8);
          ASSERT_EQ(sim.game.PlayStage, 3) << pet_r << " " << button;
        }
        sim.DoPlayAction(2);
      }
    }
  }
}

TEST_F(GamesTest, AGuessShowsThreeStepsThenThePetReacts) {
  struct Case {
    double r;
    bool won;
  };
  for (const Case c : {Case{0.1, true}, Case{0.9, false}}) {
    SCOPED_TRACE(c.won);
    StartAndWaitForGuess();
    random.draws = {c.r};
    sim.DoPlayAction(0);
    Steps(3 * kStep - 1);
    EXPECT_EQ(sim.game.PlayStage, c.won ? 3 : 4);
    sim.DoPlayStep();
    EXPECT_EQ(sim.game.PlayStage, 5);
    EXPECT_EQ(SoundsOf(c.won ? "\\sounds\\plyhappy.wav" : "\\sounds\\plyunhap.wav"), 1);
    EXPECT_EQ(pet.HappyReaction, c.won);
    EXPECT_EQ(pet.UnhappyReaction, !c.won);
    EXPECT_EQ(ShownIndex(scr.TempImage, c.won ? scr.TempHappy : scr.TempUnhappy), 0);
    EXPECT_EQ(scr.TempImage.Left(), c.won ? 710 : 720);
    EXPECT_TRUE(scr.TempImage.Visible());
    EXPECT_FALSE(scr.LeftArrow.Visible());
    EXPECT_EQ(pet.AnimRepeat, 7);
    EXPECT_EQ(pet.ActionTimeout, 10);

    // The reaction animation owns the screen: the game waits.
    const auto state = std::make_tuple(pet.AnimStep, pet.AnimRepeat, sim.game.PlayStage);
    Steps(40);
    EXPECT_EQ(std::make_tuple(pet.AnimStep, pet.AnimRepeat, sim.game.PlayStage), state);

    EndReaction();  // the next guess
    EXPECT_EQ(sim.game.PlayStage, 1);
    EXPECT_FALSE(pet.HappyReaction || pet.UnhappyReaction || pet.RefusalReaction);
    EXPECT_FALSE(scr.TempImage.Visible());
    sim.DoPlayStep();
    EXPECT_EQ(sim.game.PlayStage, 2);
    sim.DoPlayAction(2);
    platform.sounds.clear();
  }
}

TEST_F(GamesTest, AOrBAdvanceAShownGuessAtOnce) {
  StartAndWaitForGuess();
  random.draws = {0.1};
  sim.DoPlayAction(0);
  sim.DoPlayAction(1);
  EXPECT_EQ(sim.game.PlayStage, 5);
  EXPECT_TRUE(pet.HappyReaction);
}

TEST_F(GamesTest, AWholeGameShowsTheScoreAndTheReaction) {
  pet.Happiness = 1;
  pet.PlayCounter = 6;
  pet.DyingTimeLeft = 17;
  StartAndWaitForGuess();
  // Left every time; the pet turns left, left, right, left, right.
  const double turns[] = {0.1, 0.2, 0.8, 0.3, 0.9};
  for (int guess = 0; guess < 5; ++guess) {
    SCOPED_TRACE(guess);
    ASSERT_EQ(sim.game.PlayStage, 2);
    random.draws = {turns[guess]};
    sim.DoPlayAction(0);
    Steps(3 * kStep);
    ASSERT_EQ(sim.game.PlayStage, 5);
    EndReaction();
    sim.DoPlayStep();  // the next guess, or the end of the game
  }
  EXPECT_EQ(sim.game.GuessCount, 5);
  EXPECT_EQ(sim.game.PlayWins, 3);
  EXPECT_EQ(sim.game.PlayStage, 6);
  EXPECT_EQ(SoundsOf("\\sounds\\plystop.wav"), 1);
  EXPECT_EQ(pet.PlayCounter, 7);
  EXPECT_EQ(pet.Happiness, 2);
  EXPECT_EQ(pet.Weight, 24);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  EXPECT_EQ(ShownIndex(scr.YourScore, scr.LargeNumber), 3);
  EXPECT_EQ(ShownIndex(scr.NibScore, scr.LargeNumber), 2);
  for (Element* e : {&scr.PlayResult, &scr.YourScore, &scr.NibScore}) EXPECT_TRUE(e->Visible());

  Steps(7 * kStep - 1);
  EXPECT_EQ(sim.game.PlayStage, 6);
  sim.DoPlayStep();
  EXPECT_EQ(sim.game.PlayStage, 7);
  for (Element* e : {&scr.PlayResult, &scr.YourScore, &scr.NibScore}) EXPECT_FALSE(e->Visible());
  EXPECT_TRUE(pet.HappyReaction);
  EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempHappy), 0);
  EXPECT_EQ(pet.ActionTimeout, 10);

  EndReaction();  // games follow one another
  EXPECT_EQ(sim.game.PlayStage, 1);
  EXPECT_EQ(sim.game.GuessCount, 0);
  EXPECT_EQ(sim.game.PlayWins, 0);
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_EQ(SoundsOf("\\sounds\\plystart.wav"), 2);
}

TEST_F(GamesTest, TheEndOfAGameRewardsThreeWinsAndCostsWeight) {
  struct Case {
    const char* what;
    int16 wins, happiness;
    bool happy_call;
    int16 character, weight, min_weight;
    int16 happiness_after, care_after;
    bool happy_call_after;
    int16 weight_after;
    bool happy_reaction;
  };
  const Case cases[] = {
      {"three wins", 3, 2, false, 3, 25, 20, 3, 0, false, 24, true},
      {"two wins", 2, 2, false, 3, 25, 20, 2, 0, false, 24, false},
      {"no win", 0, 0, false, 3, 25, 20, 0, 0, false, 24, false},
      {"five wins, already full", 5, 4, false, 3, 25, 20, 4, 0, false, 24, true},
      {"answers an unhappiness call", 4, 0, true, 3, 25, 20, 1, 1, false, 24, true},
      {"call left open by a lost game", 1, 0, true, 3, 25, 20, 0, 0, true, 24, false},
      {"at the base weight", 3, 0, false, 3, 20, 20, 1, 0, false, 20, true},
      {"at 99", 3, 0, false, 6, 99, 30, 1, 0, false, 99, true},
      {"the baby", 3, 0, false, 1, 8, 5, 1, 0, false, 8, true},
      {"the egg", 3, 0, false, 0, 8, 0, 1, 0, false, 8, true},
      {"the child", 3, 0, false, 2, 12, 10, 1, 0, false, 11, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    pet.Happiness = c.happiness;
    pet.AttentionHappy = c.happy_call;
    pet.CareWhenNeed = 0;
    pet.CharacterNo = c.character;
    pet.Weight = c.weight;
    pet.MinWeight = c.min_weight;
    pet.PlayCounter = 0;
    sim.DoPlayAction(1);
    sim.game.GuessCount = 5;
    sim.game.PlayWins = c.wins;
    sim.DoPlayAction(0);  // skip the title: the game is over
    sim.DoPlayStep();
    ASSERT_EQ(sim.game.PlayStage, 6);
    EXPECT_EQ(pet.PlayCounter, 1);
    EXPECT_EQ(pet.Happiness, c.happiness_after);
    EXPECT_EQ(pet.CareWhenNeed, c.care_after);
    EXPECT_EQ(pet.AttentionHappy, c.happy_call_after);
    EXPECT_EQ(pet.Weight, c.weight_after);
    EXPECT_EQ(ShownIndex(scr.YourScore, scr.LargeNumber), c.wins);
    EXPECT_EQ(ShownIndex(scr.NibScore, scr.LargeNumber), 5 - c.wins);
    sim.DoPlayAction(0);  // advance the score at once
    EXPECT_EQ(sim.game.PlayStage, 7);
    EXPECT_EQ(pet.HappyReaction, c.happy_reaction);
    EXPECT_EQ(pet.UnhappyReaction, !c.happy_reaction);
    sim.DoPlayAction(2);  // a new game
    sim.DoPlayAction(2);  // quit it
    ASSERT_EQ(sim.game.PlayStage, 0);
  }
}

TEST_F(GamesTest, CQuitsEachGameFromEveryStageThatWaitsForThePlayerBackToThePet) {
  struct Case {
    const char* what;
    int stage;
  };
  for (const bool numbers : {false, true}) {
    for (const Case c :
         {Case{"title", 1}, Case{"guess", 2}, Case{"guess shown", 3}, Case{"score", 6}}) {
      SCOPED_TRACE(c.what);
      SCOPED_TRACE(numbers ? "number game" : "turn game");
      UseNumberGame(numbers);
      sim.DoPlayAction(1);
      if (c.stage == 6) {
        sim.game.GuessCount = 5;
        sim.DoPlayAction(0);
        sim.DoPlayStep();
      } else if (c.stage >= 2) {
        Steps(9 * kStep);
      }
      if (c.stage == 3) {
        random.draws = {0.9};
        sim.DoPlayAction(1);
      }
      ASSERT_EQ(sim.game.PlayStage, c.stage);
      sim.DoPlayAction(2);
      EXPECT_EQ(sim.game.PlayStage, 0);
      EXPECT_EQ(pet.ActionTimeout, 0);
      EXPECT_FALSE(pet.HappyReaction || pet.UnhappyReaction || pet.RefusalReaction);
      for (Element* e : GameElements()) EXPECT_FALSE(e->Visible()) << e->Name();
      EXPECT_TRUE(scr.NibChar.Visible());
      // Nothing moves on once the game is gone.
      const auto sounds = platform.sounds.size();
      Steps(100);
      EXPECT_EQ(sim.game.PlayStage, 0);
      EXPECT_EQ(platform.sounds.size(), sounds);
    }
  }
}

TEST_F(GamesTest, AReactionEndedByAnyButtonGoesOn) {
  for (const int button : {0, 1, 2}) {
    SCOPED_TRACE(button);
    StartAndWaitForGuess();
    random.draws = {0.9};
    sim.DoPlayAction(0);
    sim.DoPlayAction(0);
    ASSERT_EQ(sim.game.PlayStage, 5);
    sim.DoPlayAction(button);
    EXPECT_EQ(sim.game.PlayStage, 1);
    EXPECT_FALSE(pet.UnhappyReaction);
    sim.DoPlayAction(2);
  }
}

TEST_F(GamesTest, TheVariantIsReadAtEveryStep) {
  StartAndWaitForGuess();  // the turn game
  UseNumberGame(true);
  sim.game.PetNumber = 4;
  random.draws = {0.0};
  sim.DoPlayAction(1);
  EXPECT_TRUE(scr.ResultNumber.Visible());
  EXPECT_FALSE(scr.RightArrow.Visible());
  EXPECT_EQ(ShownIndex(scr.ResultNumber, scr.LargeNumber), 0);
  EXPECT_EQ(sim.game.PlayStage, 4);

  Steps(3 * kStep);
  EndReaction();
  random.draws = {0.75};
  sim.DoPlayStep();  // the next guess starts in the number game
  EXPECT_EQ(sim.game.PetNumber, 7);
  EXPECT_TRUE(scr.NibNumber.Visible());

  UseNumberGame(false);
  random.draws = {0.1};
  sim.DoPlayAction(0);
  EXPECT_TRUE(scr.LeftArrow.Visible());
  EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempPlay), 2);
}

TEST_F(GamesTest, InTheDarkTheGameRunsUnseen) {
  UseNumberGame(true);
  pet.LightOff = true;
  sim.DoPlayAction(1);
  EXPECT_EQ(sim.game.PlayStage, 1);
  EXPECT_TRUE(scr.Dark.Visible());
  EXPECT_FALSE(scr.PlayTitle.Visible());
  Steps(9 * kStep);
  EXPECT_EQ(sim.game.PlayStage, 2);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_FALSE(scr.NibNumber.Visible());
  Steps(3 * kStep);
  EXPECT_FALSE(scr.TempImage.Visible());
  random.draws = {0.0};
  sim.DoPlayAction(0);
  EXPECT_FALSE(scr.ResultNumber.Visible());
  EXPECT_FALSE(scr.TempImage.Visible());
  sim.game.GuessCount = 5;
  Steps(3 * kStep);
  EndReaction();
  sim.DoPlayStep();
  EXPECT_EQ(sim.game.PlayStage, 6);
  EXPECT_FALSE(scr.PlayResult.Visible());
  EXPECT_FALSE(scr.YourScore.Visible());
}

TEST_F(GamesTest, ThroughTheTickAGuessLeftAloneTimesOut) {
  // The tick runs the game steps and counts the action timeout down.
  sim.DoPlayAction(1);
  Ticks(9 * kStep);
  EXPECT_EQ(sim.game.PlayStage, 2);
  for (int s = 0; s < 9; ++s) {
    NextSecond();
    Ticks(20);
  }
  EXPECT_EQ(pet.ActionTimeout, 1);  // the waiting frames do not refresh it
  EXPECT_EQ(sim.game.PlayStage, 2);
}

TEST_F(GamesTest, NoGameNoWork) {
  const Pet before = pet;
  Steps(1000);
  EXPECT_EQ(sim.game.PlayStage, 0);
  EXPECT_EQ(pet.AnimStep, before.AnimStep);
  EXPECT_TRUE(platform.sounds.empty());
  EXPECT_TRUE(random.draws.empty());
}

// The whole device: the buttons pick the game icon and play, the tick runs
// the steps and the pet's reactions.
class GameOnTheDeviceTest : public GamesTest {
 protected:
  void SetUp() override {
    GamesTest::SetUp();
    sim.device_menu.CurrentIcon = 7;
  }
  void OpenGameIcon() {
    for (int i = 0; i < 3; ++i) PressA();
    ASSERT_EQ(sim.device_menu.CurrentIcon, 2);
  }
  // Ticks until the stage is reached; the number of ticks it took.
  int TicksUntilStage(int stage, int limit = 500) {
    for (int n = 1; n <= limit; ++n) {
      sim.Timer1_Timer();
      if (sim.game.PlayStage == stage) return n;
    }
    return -1;
  }
};

TEST_F(GameOnTheDeviceTest, EachVariantPlaysToItsScoreAndOnToTheNextGame) {
  struct Case {
    const char* what;
    bool numbers;
  };
  for (const Case c : {Case{"turn game", false}, Case{"number game", true}}) {
    SCOPED_TRACE(c.what);
    UseNumberGame(c.numbers);
    menu.mCheats.visible = true;  // every guess is won
    pet.Happiness = 2;
    pet.PlayCounter = 0;
    OpenGameIcon();
    PressB();
    ASSERT_EQ(sim.game.PlayStage, 1);
    EXPECT_EQ(TicksUntilStage(2), 45);
    for (int guess = 0; guess < 5; ++guess) {
      SCOPED_TRACE(guess);
      (guess % 2 == 0) ? PressA() : PressB();
      ASSERT_EQ(sim.game.PlayStage, 3);
      EXPECT_EQ(c.numbers, scr.ResultNumber.Visible());
      EXPECT_EQ(TicksUntilStage(5), 15);
      EXPECT_TRUE(pet.HappyReaction);
      // The happy animation ends by itself and the next guess follows; its
      // first tick was the one that started it.
      EXPECT_EQ(TicksUntilStage(1), 48);
      ASSERT_EQ(TicksUntilStage(guess < 4 ? 2 : 6), 1);
    }
    EXPECT_EQ(sim.game.PlayWins, 5);
    EXPECT_TRUE(scr.PlayResult.Visible());
    EXPECT_EQ(ShownIndex(scr.YourScore, scr.LargeNumber), 5);
    EXPECT_EQ(ShownIndex(scr.NibScore, scr.LargeNumber), 0);
    EXPECT_EQ(pet.PlayCounter, 1);
    EXPECT_EQ(pet.Happiness, 3);
    EXPECT_EQ(TicksUntilStage(7), 35);
    EXPECT_EQ(TicksUntilStage(1), 48);  // a new game
    EXPECT_EQ(sim.game.GuessCount, 0);
    PressC();
    EXPECT_EQ(sim.game.PlayStage, 0);
    EXPECT_EQ(pet.ActionTimeout, 0);
    PressC();  // drop the highlight for the next case
    ASSERT_EQ(sim.device_menu.CurrentIcon, 7);
  }
}

TEST_F(GameOnTheDeviceTest, AGuessLeftAloneForTenSecondsQuitsWithABeep) {
  OpenGameIcon();
  PressB();
  TicksUntilStage(2);
  for (int s = 0; s < 9; ++s) NextSecond();
  EXPECT_EQ(sim.game.PlayStage, 2);
  platform.sounds.clear();
  NextSecond();
  EXPECT_EQ(sim.game.PlayStage, 0);
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_EQ(SoundsOf("\\sounds\\beep.wav"), 1);
  for (Element* e : GameElements()) EXPECT_FALSE(e->Visible()) << e->Name();
}

TEST_F(GameOnTheDeviceTest, ARefusalEndsByItselfAndLeavesNoGame) {
  pet.Sickness = 1;
  OpenGameIcon();
  PressB();
  EXPECT_TRUE(pet.RefusalReaction);
  Ticks(49);
  EXPECT_FALSE(pet.RefusalReaction);
  EXPECT_EQ(sim.game.PlayStage, 0);
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_FALSE(scr.TempImage.Visible());
}

TEST_F(GameOnTheDeviceTest, EndingTheCurrentActionEndsTheGameInEveryStage) {
  for (const int stage : {1, 2, 3, 5, 6, 7}) {
    SCOPED_TRACE(stage);
    OpenGameIcon();
    PressB();
    if (stage == 6 || stage == 7) {
      sim.game.GuessCount = 5;
    } else if (stage > 1) {
      TicksUntilStage(2);
    }
    if (stage == 3 || stage == 5) {
      random.draws = {0.0};
      PressA();  // the pet turns left: won
    }
    if (stage > 3) TicksUntilStage(stage);
    ASSERT_EQ(sim.game.PlayStage, stage);

    sim.DoEndCurrentAction();
    EXPECT_EQ(sim.game.PlayStage, 0);
    EXPECT_EQ(pet.ActionTimeout, 0);
    EXPECT_FALSE(pet.HappyReaction || pet.UnhappyReaction || pet.RefusalReaction);
    for (Element* e : GameElements()) EXPECT_FALSE(e->Visible()) << e->Name();
    Ticks(100);
    EXPECT_EQ(sim.game.PlayStage, 0);
    PressC();
    ASSERT_EQ(sim.device_menu.CurrentIcon, 7);
  }
}

}  // namespace
}  // namespace nib::testing
