// Whole lives on a fake clock: a neglected pet, a pet kept only clean, and
// pets cared for in the ways that lead to each adult, to the secret
// character and to Zelmoc's second life. The keeper presses the device's
// buttons as a user would; chance comes from a seeded generator.
#include <functional>
#include <sstream>

#include "core/life_fixture.h"

namespace nib::testing {
namespace {

constexpr int kTicksPerSecond = 10;

// How a keeper looks after the pet, checked once a second.
struct Keeper {
  bool clean = true;  // flush droppings, cure illness, switch the light off
  enum Feeding { kNever, kCalls, kFull } feeding = kFull;
  bool snacks = true;         // happiness by snacks
  bool games = false;         // happiness by games, before any snack
  int16 weight_limit = 99;    // no meals at or above this weight
  bool discipline = true;     // scold when called to order
};

class LifeScriptTest : public LifeTest {
 protected:
  void SetUp() override {
    LifeTest::SetUp();
    random.FallBackToSeed(20240611);
    pet.InsulatingSheet = 0;
    pet.LastSecond = static_cast<int16>(platform.second);
    sim.mCheatChar0_Click();
    path_ = {0};
  }

  void Food(int line) {
    Select(0);
    PressB();
    if (sim.device_menu.MenuIndex != line) PressA();
    PressB();
    PressC();  // enough eating: back to the menu
    PressC();  // menu closed
    PressC();  // no icon
  }
  void Meal() { Food(0); }
  void Snack() { Food(1); }
  void Medicine() {
    Select(3);
    PressB();
    PressC();
    PressC();
  }
  void Scold() {
    Select(6);
    PressB();
    PressC();
    PressC();
  }
  void Flush() {
    Select(4);
    PressB();
    RunUntil([&] { return !pet.Flushing && !pet.HappyReaction; }, 1000);
    PressC();
  }
  void Play() {
    Select(2);
    PressB();
    // Through the title and five guesses to the score; A hurries every
    // stage and guesses left.
    for (int n = 0; n < 3000 && sim.game.PlayStage != 6; ++n) {
      if (sim.game.PlayStage >= 1 && sim.game.PlayStage <= 5) PressA();
      Tick();
    }
    ASSERT_EQ(sim.game.PlayStage, 6);
    PressC();  // quit at the score
    PressC();
  }
  // Whatever would make the pet refuse care is dealt with first.
  void Settle() {
    RunUntil([&] { return !pet.Dropping; }, 1000);
    if (pet.Sickness > 0) Medicine();
    if (pet.Sickness > 0) Medicine();
    if (pet.AttentionDiscipline) Scold();
  }
  void LightOff() {
    Select(1);
    PressB();
    if (sim.device_menu.MenuIndex != 1) PressA();
    PressB();
    PressC();
  }

  void Care() {
    if (pet.CharacterNo < 1 || pet.CharacterNo > 11 || pet.DyingAction > 0) return;
    if (hands_off_ || pet.ChangeStep > 0 || pet.Dropping || pet.ActionTimeout > 0) return;
    const Keeper& k = keeper;
    if (pet.SleepAction) {
      if (k.clean && pet.AttentionSleep && !pet.LightOff) LightOff();
      return;
    }
    if (k.clean && pet.Sickness > 0) return Medicine();
    if (k.clean && pet.Dung > 0) return Flush();
    if (pet.AttentionDiscipline) {
      if (k.discipline) Scold();
      return;  // meals are refused meanwhile
    }
    const bool may_eat = pet.Weight < k.weight_limit || pet.CharacterNo == 1;
    if (k.feeding == Keeper::kCalls) {
      if (pet.AttentionHungry && may_eat) return Meal();
      if (pet.AttentionHappy && k.snacks) return Snack();
    } else if (k.feeding == Keeper::kFull) {
      if (pet.Hunger < 2 && may_eat) return Meal();
      if (pet.Happiness < 3 && k.games) return Play();
      if (pet.Happiness < 2 && k.snacks) return Snack();
    }
  }

  // Something the user does at a minute of a character, once.
  void At(int16 character, int32 minute, std::function<void()> action) {
    hooks_.push_back({character, minute, std::move(action), false});
  }

  void Tick() {
    if (++ticks_ % kTicksPerSecond == 0) platform.second = (platform.second + 1) % 60;
    sim.Timer1_Timer();
    scr.damage.Clear();
    if (pet.CharacterNo != path_.back()) path_.push_back(pet.CharacterNo);
  }

  void RunUntil(const std::function<bool()>& done, long limit) {
    for (long n = 0; n < limit && !done(); ++n) Tick();
  }

  // Lives until the angel, or until the given character, or a limit.
  void Live(int until = kAngel, long max_ticks = 4'000'000) {
    for (long n = 0; n < max_ticks && pet.CharacterNo != until; ++n) {
      Tick();
      for (Hook& h : hooks_) {
        if (h.done || pet.CharacterNo != h.character || pet.MinuteCount != h.minute) continue;
        if (pet.SecondCount < 5 || pet.ChangeStep > 0) continue;
        h.done = true;
        h.action();
      }
      if (ticks_ % kTicksPerSecond == 0) Care();
    }
  }

  // The counters DoEvolve reads, for the message of a failed expectation.
  std::string Counters() const {
    std::ostringstream out;
    out << "N=" << pet.NeedCount << " C=" << pet.CareWhenNeed << " T=" << pet.TotalNeedCount
        << " D=" << pet.Discipline << " W=" << pet.DisciplineWhenNeed << " P=" << pet.PlayCounter
        << " S=" << pet.SnackCount << " G=" << pet.Weight;
    return out.str();
  }
  // Remembers the counters in the last minute of a teen.
  void RecordTeenEnd() {
    for (const int16 teen : {int16{3}, int16{4}})
      At(teen, 729, [this] {
        teen_end_ = Counters();
        end_ = pet;
      });
  }

  // A call raised through the cheat menu, as the user can.
  void CheatCall(const char* item) {
    menu.mCheats.visible = true;
    ASSERT_TRUE(sim.DoCheatCommand(item)) << item;
  }

  struct Hook {
    int16 character;
    int32 minute;
    std::function<void()> action;
    bool done;
  };

  Keeper keeper;
  bool hands_off_ = false;
  std::vector<int> path_;
  std::vector<Hook> hooks_;
  std::string teen_end_;
  PetSaved end_;  // the teen's record in its last minute
  long ticks_ = 0;
};

TEST_F(LifeScriptTest, ANeglectedPetDiesAChildAndBecomesTheAngel) {
  keeper.clean = false;
  keeper.feeding = Keeper::kNever;
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, kAngel}));
  EXPECT_EQ(pet.DyingTimeLeft, 480) << "the angel's neglect time is renewed";
  EXPECT_TRUE(menu.mCheatChar12.checked);
}

TEST_F(LifeScriptTest, APetKeptOnlyCleanBecomesVosselAndDiesOfOldAge) {
  keeper.feeding = Keeper::kNever;
  RecordTeenEnd();
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 9, kAngel})) << teen_end_;
  EXPECT_GT(end_.NeedCount, 0);
  EXPECT_EQ(end_.CareWhenNeed, 0);
}

TEST_F(LifeScriptTest, FewCallsAnsweredAndScoldedMakeFennick) {
  RecordTeenEnd();
  At(4, 50, [this] {
    // One hunger call: scolded while it is open, then fed.
    CheatCall("mCheatAttention0");
    Scold();
    Meal();
  });
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 5, kAngel})) << teen_end_;
  EXPECT_EQ(end_.NeedCount, 1);
  EXPECT_EQ(end_.CareWhenNeed, 1);
  EXPECT_EQ(end_.DisciplineWhenNeed, 1);
}

TEST_F(LifeScriptTest, AStrictKeeperRaisesTovrin) {
  RecordTeenEnd();
  At(4, 40, [this] {
    CheatCall("mCheatAttention0");
    Meal();
    for (int i = 0; i < 3; ++i) {
      CheatCall("mCheatAttention2");
      Scold();
    }
  });
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 6, kAngel})) << teen_end_;
  EXPECT_GT(end_.Discipline, 7);
  EXPECT_EQ(end_.DisciplineWhenNeed, 0);
}

class ZelmocTest : public LifeScriptTest {
 protected:
  // A teen left unhappy, strict, never given snacks, whose many calls were
  // answered now and then, fattened to 52 near the end of its time.
  void RaiseZelmoc() {
    keeper.snacks = false;
    keeper.weight_limit = 50;
    RecordTeenEnd();
    At(4, 490, [this] {
      for (int i = 0; i < 3; ++i) {
        CheatCall("mCheatAttention2");
        Scold();
      }
      // Unhappy calls answered by games won.
      const int16 answered = static_cast<int16>(pet.CareWhenNeed + 10);
      for (int i = 0; i < 40 && pet.CareWhenNeed < answered; ++i) {
        Settle();
        CheatCall("mCheatAttention1");
        Play();
      }
      ASSERT_EQ(pet.CareWhenNeed, answered);
      while (pet.Weight < 52) {
        Settle();
        CheatCall("mCheatAttention0");
        for (int meal = 0; meal < 4 && pet.Weight < 52; ++meal) Meal();
      }
      for (int i = 0; i < 45; ++i) CheatCall("mCheatAttention1");
    });
    Live(7);
    ASSERT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 7})) << teen_end_;
    EXPECT_GT(end_.NeedCount, 37) << "too few calls for Tovrin";
    EXPECT_EQ(end_.SnackCount, 0);
    EXPECT_EQ(end_.DisciplineWhenNeed, 0);
    EXPECT_EQ(pet.Discipline, 0) << "Zelmoc starts undisciplined";
    EXPECT_EQ(pet.MinuteToChangeCharacter, 490);
  }
};

TEST_F(ZelmocTest, DisciplinedAndCaredForItBecomesTheSecretCharacter) {
  RaiseZelmoc();
  keeper = Keeper{};
  At(7, 30, [this] {
    CheatCall("mCheatAttention2");
    Scold();
  });
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 7, 11, kAngel}));
}

TEST_F(ZelmocTest, NeverDisciplinedItLivesOnceMoreAndDies) {
  RaiseZelmoc();
  keeper = Keeper{};
  keeper.discipline = false;
  int32 oldest = 0;
  At(7, 489, [&] { oldest = 489; });
  At(7, 600, [&] {
    oldest = pet.MinuteCount;
    EXPECT_EQ(pet.MinuteToChangeCharacter, 730);
  });
  Live();
  EXPECT_EQ(oldest, 600);
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 7, kAngel}));
}

TEST_F(LifeScriptTest, ALightUnfedTeenScoldedInNeedBecomesDrubbel) {
  keeper.feeding = Keeper::kCalls;
  keeper.snacks = false;
  keeper.discipline = false;
  keeper.weight_limit = 30;
  RecordTeenEnd();
  At(4, 50, [this] {
    // Once called to order, once scolded while hungry.
    CheatCall("mCheatAttention2");
    Scold();
    CheatCall("mCheatAttention0");
    Scold();
  });
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 8, kAngel})) << teen_end_;
  EXPECT_LE(end_.Weight, 30);
  EXPECT_EQ(end_.Discipline, 3);
  EXPECT_EQ(end_.DisciplineWhenNeed, 1);
}

TEST_F(LifeScriptTest, EveryCallAnsweredAndNeverScoldedMakesOmpadu) {
  keeper.discipline = false;
  RecordTeenEnd();
  At(4, 50, [this] {
    CheatCall("mCheatAttention0");
    Meal();
  });
  Live();
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 10, kAngel})) << teen_end_;
  EXPECT_EQ(end_.Discipline, 0);
  EXPECT_GT(end_.CareWhenNeed * 5, end_.NeedCount * 4);
}

TEST_F(LifeScriptTest, WhenNoRuleFitsChanceChoosesTheAdult) {
  keeper.discipline = false;
  RecordTeenEnd();
  At(4, 50, [this] {
    CheatCall("mCheatAttention0");
    Meal();
  });
  At(4, 729, [this] {
    // A second call left open: one answer in two calls fits no rule.
    hands_off_ = true;
    CheatCall("mCheatAttention1");
    random.draws = {0.5};  // the next draw is the teen's end: Drubbel
  });
  Live(8);
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 4, 8})) << teen_end_;
  EXPECT_TRUE(random.draws.empty());
}

TEST_F(LifeScriptTest, APetThatPlaysInsteadOfSnackingBecomesWembic) {
  // Every life above had snacks or no games: its teen was Quillop.
  keeper.snacks = false;
  keeper.games = true;
  Live(3);
  EXPECT_EQ(path_, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(pet.PlayCounter, 0) << "the teen's own count starts afresh";
}

}  // namespace
}  // namespace nib::testing
