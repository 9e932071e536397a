#include <string>

#include "core/device_fixture.h"
#include "sim/clock_text.h"

namespace nib::testing {
namespace {

TEST(ClockTextTest, FormatsTwelveHourTimeWithoutTheLocale) {
  struct Case {
    ClockTime time;
    const char* text;
  };
  const Case cases[] = {
      {{9, 5, 7, false}, "090507 AM"},
      {{12, 0, 0, true}, "120000 PM"},   // noon
      {{12, 30, 0, false}, "123000 AM"},  // half past midnight
      {{11, 59, 59, true}, "115959 PM"},
      {{10, 0, 9, false}, "100009 AM"},
      // A platform handing over 0 or a 24-hour value still reads 12-hour.
      {{0, 30, 0, false}, "123000 AM"},
      {{13, 1, 2, true}, "010102 PM"},
      // Out-of-range minutes and seconds stay two digits.
      {{1, 75, -4, false}, "015900 AM"},
  };
  for (const Case& c : cases) {
    const ClockText text = FormatClockText(c.time);
    EXPECT_EQ(std::string(text.begin(), text.end()), c.text);
  }
}

class ClockTest : public DeviceTest {
 protected:
  void SetUp() override {
    MakeLivingPet();
    LoadSet(scr.LargeNumber, "\\other\\l");
    LoadSet(scr.SmallNumber, "\\other\\s");
    LoadSet(scr.SecondIndex, "\\other\\second");
    LoadSet(scr.AmPm, "\\other\\ampm");
  }
  void ShowClockAt(ClockTime time) {
    platform.now = time;
    pet.TimerScreen = true;
    sim.DoShowTimerScreen(true);
    sim.Timer1_Timer();
  }
  std::vector<Element*> ClockElements() {
    return {&scr.HourDigit[0],   &scr.HourDigit[1],   &scr.Colon,
            &scr.MinuteDigit[0], &scr.MinuteDigit[1], &scr.SecondDigit[0],
            &scr.SecondDigit[1], &scr.AmOrPm,         &scr.SecondIdx};
  }
};

TEST_F(ClockTest, DrawsTheTimeOnTheDigitPictures) {
  struct Case {
    const char* what;
    ClockTime time;
    int hour_tens;  // -1: hidden
    int hour, minute_tens, minute, second_tens, second, am_pm;
  };
  const Case cases[] = {
      {"9:05:07 in the morning", {9, 5, 7, false}, -1, 9, 0, 5, 0, 7, 0},
      {"noon", {12, 0, 0, true}, 1, 2, 0, 0, 0, 0, 1},
      {"00:30 at night", {12, 30, 0, false}, 1, 2, 3, 0, 0, 0, 0},
      {"11:59:58 at night", {11, 59, 58, true}, 1, 1, 5, 9, 5, 8, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShowClockAt(c.time);
    EXPECT_EQ(scr.HourDigit[0].Visible(), c.hour_tens >= 0);
    if (c.hour_tens >= 0) {
      EXPECT_EQ(ShownIndex(scr.HourDigit[0], scr.LargeNumber), c.hour_tens);
    }
    EXPECT_EQ(ShownIndex(scr.HourDigit[1], scr.LargeNumber), c.hour);
    EXPECT_EQ(ShownIndex(scr.MinuteDigit[0], scr.LargeNumber), c.minute_tens);
    EXPECT_EQ(ShownIndex(scr.MinuteDigit[1], scr.LargeNumber), c.minute);
    EXPECT_EQ(ShownIndex(scr.SecondDigit[0], scr.SmallNumber), c.second_tens);
    EXPECT_EQ(ShownIndex(scr.SecondDigit[1], scr.SmallNumber), c.second);
    EXPECT_EQ(ShownIndex(scr.AmOrPm, scr.AmPm), c.am_pm);
    EXPECT_EQ(ShownIndex(scr.SecondIdx, scr.SecondIndex), c.second);
    for (int i = 1; i < 9; ++i) EXPECT_TRUE(ClockElements()[i]->Visible()) << i;
  }
}

TEST_F(ClockTest, RedrawsOnlyWhenTheSecondChanges) {
  ShowClockAt({9, 5, 7, false});
  // A picture taken away between drawings shows whether a tick redrew.
  scr.SecondIdx.SetPicture(nullptr);
  scr.damage.Clear();
  for (int i = 0; i < 50; ++i) sim.DoShowClock();
  EXPECT_EQ(scr.SecondIdx.GetPicture(), nullptr);
  EXPECT_TRUE(scr.damage.Empty());

  platform.now.second = 8;
  sim.Timer1_Timer();
  EXPECT_EQ(ShownIndex(scr.SecondIdx, scr.SecondIndex), 8);
  EXPECT_EQ(ShownIndex(scr.SecondDigit[1], scr.SmallNumber), 8);
}

TEST_F(ClockTest, HidingAndShowingWithinOneSecondBringsBackTheTensOfTheHour) {
  ShowClockAt({10, 15, 0, false});
  ASSERT_TRUE(scr.HourDigit[0].Visible());

  pet.TimerScreen = false;
  sim.DoShowTimerScreen(false);
  for (Element* e : ClockElements()) EXPECT_FALSE(e->Visible()) << e->Name() << e->Index();

  pet.TimerScreen = true;
  sim.DoShowTimerScreen(true);
  EXPECT_FALSE(scr.HourDigit[0].Visible());  // left to the next drawing
  EXPECT_TRUE(scr.SecondIdx.Visible());
  sim.Timer1_Timer();  // the same second as before
  EXPECT_TRUE(scr.HourDigit[0].Visible());
}

TEST_F(ClockTest, TheHourTensFollowTheHour) {
  ShowClockAt({12, 59, 59, false});
  EXPECT_TRUE(scr.HourDigit[0].Visible());
  platform.now = {1, 0, 0, false};
  sim.Timer1_Timer();
  EXPECT_FALSE(scr.HourDigit[0].Visible());
  EXPECT_EQ(ShownIndex(scr.HourDigit[1], scr.LargeNumber), 1);
}

TEST_F(ClockTest, NothingChangesWhileTheBackIsShown) {
  platform.now = {9, 5, 7, false};
  scr.BackView.Show();
  pet.TimerScreen = true;
  sim.DoShowTimerScreen(true);
  scr.damage.Clear();
  for (int i = 0; i < 3; ++i) sim.DoShowClock();
  EXPECT_EQ(scr.HourDigit[1].GetPicture(), nullptr);
  EXPECT_TRUE(scr.damage.Empty());

  scr.BackView.Hide();  // the front again: the next tick draws
  sim.Timer1_Timer();
  EXPECT_EQ(ShownIndex(scr.HourDigit[1], scr.LargeNumber), 9);
  EXPECT_EQ(ShownIndex(scr.SecondIdx, scr.SecondIndex), 7);
}

TEST_F(ClockTest, TheTickDrawsTheClockOnlyWhileItIsShown) {
  platform.now = {9, 5, 7, false};
  pet.TimerScreen = false;
  Ticks(3);
  EXPECT_EQ(scr.HourDigit[1].GetPicture(), nullptr);
}

TEST_F(ClockTest, BWithoutAHighlightTogglesTheClockOverThePet) {
  platform.now = {9, 5, 7, false};
  scr.NibChar.Show();
  PressB();
  ASSERT_TRUE(pet.TimerScreen);
  EXPECT_FALSE(scr.NibChar.Visible());
  sim.Timer1_Timer();
  EXPECT_EQ(ShownIndex(scr.HourDigit[1], scr.LargeNumber), 9);
  EXPECT_TRUE(scr.SecondIdx.Visible());
  // A and C alone do nothing on the clock.
  PressA();
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
  PressB();
  EXPECT_FALSE(pet.TimerScreen);
  for (Element* e : ClockElements()) EXPECT_FALSE(e->Visible()) << e->Name() << e->Index();
  EXPECT_TRUE(scr.NibChar.Visible());
}

}  // namespace
}  // namespace nib::testing
