// The tip of the tray icon: asleep, sick, a pending call, or the status
// line, in the words of the plugin.
#include "core/life_fixture.h"

namespace nib::testing {
namespace {

class StatusTipTest : public LifeTest {
 protected:
  void SetUp() override {
    LifeTest::SetUp();
    Become(3);
    pet.AttentionHungry = pet.AttentionHappy = false;
    Layout& l = sim.layout;
    l.AgeToolTip = "Age";
    l.WeightToolTip = "Weight";
    l.HungryToolTip = "Hunger";
    l.HappyToolTip = "Happy";
    l.DisciplineToolTip = "Discipline";
    pet.Age = 4;
    pet.Weight = 33;
    pet.Hunger = 2;
    pet.Happiness = 1;
    pet.Discipline = 10;
  }
  std::string Tip() {
    sim.DoSetToolTip();
    return pet.StatusText;
  }
};

TEST_F(StatusTipTest, AsleepThenSickThenACallThenTheStatusLine) {
  struct Case {
    bool asleep, sick, discipline, hungry, unhappy;
    const char* tip;
  };
  const Case cases[] = {
      {true, true, true, true, true, "Sleep"},
      {false, true, true, true, true, "Sick"},
      {false, false, true, true, true, "Discipline"},
      {false, false, false, true, true, "Hungry, Unhappy"},
      {false, false, false, true, false, "Hungry"},
      {false, false, false, false, true, "Unhappy"},
      {false, false, false, false, false, "Age=4, Weight=33, Hunger=2, Happy=1, Discipline=10"},
  };
  for (const Case& c : cases) {
    pet.SleepAction = c.asleep;
    pet.Sickness = c.sick ? 1 : 0;
    pet.AttentionDiscipline = c.discipline;
    pet.AttentionHungry = c.hungry;
    pet.AttentionHappy = c.unhappy;
    EXPECT_EQ(Tip(), c.tip);
  }
}

TEST_F(StatusTipTest, TheStatusLineShowsOnlyTheCaptionsThePluginGives) {
  struct Case {
    const char *age, *weight, *hunger, *happy, *discipline;
    const char* tip;
  };
  const Case cases[] = {
      {"", "Weight", "", "Happy", "", "Weight=33, Happy=1"},
      {"", "", "", "", "", ""},
      {"", "", "", "", "D", "D=10"},
      {"Âge", "", "", "", "", "Âge=4"},
  };
  for (const Case& c : cases) {
    Layout& l = sim.layout;
    l.AgeToolTip = c.age;
    l.WeightToolTip = c.weight;
    l.HungryToolTip = c.hunger;
    l.HappyToolTip = c.happy;
    l.DisciplineToolTip = c.discipline;
    EXPECT_EQ(Tip(), c.tip);
  }
}

TEST_F(StatusTipTest, TheTipFollowsEveryChangeOfItsInputs) {
  sim.layout.AgeToolTip = "Age";
  sim.layout.WeightToolTip = sim.layout.HungryToolTip = "";
  sim.layout.HappyToolTip = sim.layout.DisciplineToolTip = "";
  EXPECT_EQ(Tip(), "Age=4");
  pet.Age = 5;
  EXPECT_EQ(Tip(), "Age=5");
  sim.layout.AgeToolTip = "Alter";  // a new plugin
  EXPECT_EQ(Tip(), "Alter=5");
  pet.StatusText = "Poop";  // an event's caption, until the next call
  EXPECT_EQ(Tip(), "Alter=5");
  pet.AttentionHungry = true;
  menu.mCheatAttention0.caption = "Hunger!";
  EXPECT_EQ(Tip(), "Hunger!");
  menu.mCheatAttention0.caption = "Food";
  EXPECT_EQ(Tip(), "Food");
  pet.AttentionHungry = false;
  EXPECT_EQ(Tip(), "Alter=5");
}

TEST_F(StatusTipTest, TheEggAndTheAngelHaveNoTip) {
  for (const int16 n : {int16{0}, int16{kAngel}}) {
    Become(n);
    pet.StatusText = "Poop";
    pet.AttentionHungry = true;
    EXPECT_EQ(Tip(), "") << n;
  }
}

TEST_F(StatusTipTest, WithoutACallTheAttentionIconGoes) {
  struct Case {
    int16 character;
    bool sleep_call;
    bool icon_after;
  };
  for (const Case c : {Case{3, false, false}, Case{3, true, true}, Case{0, false, false},
                       Case{kAngel, false, false}}) {
    Become(c.character);
    pet.AttentionHungry = pet.AttentionHappy = false;
    pet.AttentionSleep = c.sleep_call;
    scr.AttendIcon.Show();
    pet.AttendTimeLeft = 50;
    Tip();
    EXPECT_EQ(scr.AttendIcon.Visible(), c.icon_after) << c.character;
    EXPECT_EQ(pet.AttendTimeLeft, c.icon_after ? 50 : 0) << c.character;
  }
}

TEST_F(StatusTipTest, ALongTipIsCutAt63CharactersNeverInsideOne) {
  sim.layout.AgeToolTip = std::string(40, 'a');
  sim.layout.WeightToolTip = std::string(40, 'w');
  const std::string tip = Tip();
  EXPECT_EQ(tip, std::string(40, 'a') + "=4, " + std::string(19, 'w'));

  // Two-byte letters count as one character each.
  std::string umlauts;
  for (int i = 0; i < 70; ++i) umlauts += "ü";
  menu.mCheatAction0.caption = umlauts;
  pet.Sickness = 1;
  EXPECT_EQ(Tip(), umlauts.substr(0, 63 * 2));
}

// The tip as a function of the record, the captions and the tooltips,
// with no device around it.
TEST(StatusTipOfTest, BuildsFromTheRecordAlone) {
  Pet pet;
  Menu menu;
  Layout layout;
  layout.AgeToolTip = "Age";
  layout.HappyToolTip = "Joy";
  pet.CharacterNo = kWembic;
  pet.Age = 12;
  pet.Happiness = 3;
  EXPECT_EQ(StatusTip(pet, menu, layout), "Age=12, Joy=3");
  pet.AttentionHungry = true;
  EXPECT_EQ(StatusTip(pet, menu, layout), menu.mCheatAttention0.caption);
  pet.CharacterNo = kAngel;
  EXPECT_EQ(StatusTip(pet, menu, layout), "");
}

}  // namespace
}  // namespace nib::testing
