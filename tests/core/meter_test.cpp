#include <string>

#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class MeterTest : public DeviceTest {
 protected:
  void SetUp() override {
    MakeLivingPet();
    sim.device_menu.CurrentIcon = 5;
    LoadSet(scr.LargeNumber, "\\other\\l");
  }
  // The digits a pair shows, as the eye reads them: "" when hidden.
  std::string Read(ElementArray& digits) const {
    std::string text;
    for (int i = 0; i < 2; ++i)
      if (digits[i].Visible())
        text += static_cast<char>('0' + ShownIndex(digits[i], scr.LargeNumber));
    return text;
  }
  static int CountShown(ElementArray& items) {
    int n = 0;
    for (Element& e : items) n += e.Visible() ? 1 : 0;
    return n;
  }
  // How many of the first elements are shown, or -1 if the shown ones are
  // not a run from the start.
  static int ShownRun(ElementArray& items) {
    const int n = CountShown(items);
    for (int i = 0; i < n; ++i)
      if (!items[i].Visible()) return -1;
    return n;
  }
  void Press(int button, int times = 1) {
    for (int i = 0; i < times; ++i) sim.DoMeterAction(button);
  }
  std::vector<Element*> Everything() {
    std::vector<Element*> all;
    for (ElementArray* a : {&scr.Meter, &scr.AgeDigit, &scr.WeightDigit, &scr.SmallBar, &scr.Heart})
      for (Element& e : *a) all.push_back(&e);
    return all;
  }
};

TEST_F(MeterTest, PagesCycleWithAOrBAndEachShowsOnlyItsOwnFrame) {
  EXPECT_EQ(sim.meter.MeterPage, -1);
  pet.Discipline = 14;
  pet.Hunger = pet.Happiness = 4;
  const int expected_pages[] = {0, 1, 2, 3, 0, 1};
  for (int press = 0; press < 6; ++press) {
    pet.ActionTimeout = 3;
    Press(press % 2);  // A and B alike
    const int page = expected_pages[press];
    EXPECT_EQ(sim.meter.MeterPage, page) << press;
    EXPECT_EQ(pet.ActionTimeout, 10);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(scr.Meter[i].Visible(), i == page) << press;
    EXPECT_EQ(CountShown(scr.AgeDigit) + CountShown(scr.WeightDigit) > 0, page == 0);
    EXPECT_EQ(CountShown(scr.SmallBar) > 0, page == 1);
    EXPECT_EQ(CountShown(scr.Heart) > 0, page >= 2);
  }
  EXPECT_EQ(pet.IconTimeout, 10);
}

TEST_F(MeterTest, AgeAndWeightShowTwoDigitsWithoutALeadingZero) {
  struct Case {
    int16 value;
    const char* shown;
  };
  // Values the record should never hold show as the nearest two-digit one.
  for (const Case c : {Case{0, "0"}, Case{7, "7"}, Case{10, "10"}, Case{12, "12"},
                       Case{99, "99"}, Case{-3, "0"}, Case{150, "99"}}) {
    pet.Age = c.value;
    pet.Weight = c.value;
    Press(0);
    ASSERT_EQ(sim.meter.MeterPage, 0);
    EXPECT_EQ(Read(scr.AgeDigit), c.shown) << c.value;
    EXPECT_EQ(Read(scr.WeightDigit), c.shown) << c.value;
    Press(2);
  }
  pet.Age = 3;
  pet.Weight = 45;
  Press(0);
  EXPECT_EQ(Read(scr.AgeDigit), "3");
  EXPECT_EQ(Read(scr.WeightDigit), "45");
}

TEST_F(MeterTest, BarAndHeartsShowTheFirstSegmentsUpToTheValue) {
  struct Case {
    int16 value;
    int bars, hearts;
  };
  for (const Case c : {Case{0, 0, 0}, Case{1, 1, 1}, Case{3, 3, 3}, Case{4, 4, 4},
                       Case{14, 14, 4}, Case{-1, 0, 0}, Case{20, 14, 4}}) {
    pet.Discipline = pet.Hunger = pet.Happiness = c.value;
    Press(0, 2);
    EXPECT_EQ(ShownRun(scr.SmallBar), c.bars) << c.value;
    Press(0);
    EXPECT_EQ(ShownRun(scr.Heart), c.hearts) << c.value;
    Press(0);
    EXPECT_EQ(ShownRun(scr.Heart), c.hearts) << c.value;
    Press(2);
  }
}

TEST_F(MeterTest, HungerAndHappinessPagesDoNotShareHearts) {
  pet.Hunger = 3;
  pet.Happiness = 1;
  Press(0, 3);
  EXPECT_EQ(ShownRun(scr.Heart), 3);
  Press(0);
  EXPECT_EQ(ShownRun(scr.Heart), 1);
  Press(0);  // back to page 0: no heart left behind
  EXPECT_EQ(CountShown(scr.Heart), 0);
}

TEST_F(MeterTest, CClosesEveryPageAndLeavesNothingBehind) {
  pet.Age = 23;
  pet.Weight = 31;
  pet.Discipline = 14;
  pet.Hunger = pet.Happiness = 4;
  for (int pages = 1; pages <= 4; ++pages) {
    Press(1, pages);
    ASSERT_EQ(sim.meter.MeterPage, pages - 1);
    Press(2);
    EXPECT_EQ(sim.meter.MeterPage, -1);
    EXPECT_EQ(pet.ActionTimeout, 0);
    for (Element* e : Everything()) EXPECT_FALSE(e->Visible()) << e->Name() << e->Index();
    EXPECT_TRUE(scr.NibChar.Visible()) << "back to the pet from page " << pages - 1;
  }
}

TEST_F(MeterTest, OpensWhileThePetSleepsInTheDark) {
  pet.SleepAction = true;
  pet.LightOff = true;
  pet.Age = 5;
  Press(1);
  EXPECT_TRUE(scr.Meter[0].Visible());
  EXPECT_EQ(Read(scr.AgeDigit), "5");
  Press(2);
  EXPECT_FALSE(scr.Meter[0].Visible());
  EXPECT_TRUE(pet.SleepAction);
}

TEST_F(MeterTest, AgeDigitsComeBackFromTheAgeViewOfADeadPet) {
  sim.layout.AgeDigit0Left = 700;
  sim.layout.AgeDigit0Top = 1200;
  sim.layout.AgeDigit1Left = 820;
  sim.layout.AgeDigit1Top = 1200;
  scr.AgeDigit[0].Move(1000, 1500);  // where the grave's age view left them
  scr.AgeDigit[1].Move(1120, 1500);
  pet.Age = 21;
  Press(0);
  EXPECT_EQ(scr.AgeDigit[0].Left(), 700);
  EXPECT_EQ(scr.AgeDigit[0].Top(), 1200);
  EXPECT_EQ(scr.AgeDigit[1].Left(), 820);
  EXPECT_EQ(scr.AgeDigit[1].Top(), 1200);
}

TEST_F(MeterTest, OtherButtonNumbersDoNothing) {
  Press(0);
  Press(3);
  Press(-1);
  EXPECT_EQ(sim.meter.MeterPage, 0);
  EXPECT_TRUE(scr.Meter[0].Visible());
}

TEST_F(MeterTest, OnTheDeviceBPagesAndCReturnsToTheSleepingPetInTheDark) {
  sim.device_menu.CurrentIcon = 7;
  pet.SleepAction = true;
  pet.LightOff = true;
  scr.Dark.Show();
  for (int i = 0; i < 6; ++i) {
    PressA();
  }
  ASSERT_EQ(sim.device_menu.CurrentIcon, 5);
  PressB();
  EXPECT_EQ(sim.meter.MeterPage, 0);
  EXPECT_TRUE(scr.Meter[0].Visible());
  EXPECT_FALSE(scr.Dark.Visible());  // the meter is read in the light
  for (int page : {1, 2, 3, 0}) {
    PressB();
    EXPECT_EQ(sim.meter.MeterPage, page);
  }
  PressC();
  EXPECT_EQ(sim.meter.MeterPage, -1);
  EXPECT_FALSE(scr.Meter[0].Visible());
  EXPECT_TRUE(scr.Dark.Visible());
  EXPECT_TRUE(pet.SleepAction);
}

TEST_F(MeterTest, LeftAloneForTenSecondsTheMeterCloses) {
  sim.DoMeterAction(1);
  for (int s = 0; s < 9; ++s) NextSecond();
  sim.DoMeterAction(0);  // paging keeps it open
  for (int s = 0; s < 9; ++s) NextSecond();
  EXPECT_EQ(sim.meter.MeterPage, 1);
  NextSecond();
  EXPECT_EQ(sim.meter.MeterPage, -1);
  EXPECT_FALSE(scr.Meter[1].Visible());
}

}  // namespace
}  // namespace nib::testing
