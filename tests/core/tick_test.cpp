#include <algorithm>

#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class TickTest : public DeviceTest {
 protected:
  void SetUp() override { MakeLivingPet(); }

};

TEST_F(TickTest, EvolutionLivesOnOnlyInItsPauses) {
  struct Case {
    int16 step;
    int16 interval_after;
  };
  // Steps 2..14 and 72..105 run the whole tick; the others freeze the pet.
  for (const Case c : {Case{5, 10}, Case{14, 10}, Case{72, 10}, Case{105, 10}, Case{16, 0},
                       Case{1, 0}, Case{71, 0}, Case{106, 0}, Case{161, 0}}) {
    pet.ChangeStep = c.step;
    pet.IntervalCount = 0;
    sim.Timer1_Timer();
    EXPECT_EQ(pet.ChangeStep, c.step + 1) << c.step;
    EXPECT_EQ(pet.IntervalCount, c.interval_after) << c.step;
  }
}

TEST_F(TickTest, EvolutionShowsSixteenFramesAndSwitchesOnStep162) {
  for (int n = 0; n < 8; ++n)
    scr.TempChangingScreen[n].SetPicture(PictureAt("\\other\\change" + std::to_string(n) + ".gif"));
  auto frame_shown = [&]() -> int {
    if (!scr.ChangingScreen.Visible()) return -1;
    for (int n = 0; n < 8; ++n)
      if (scr.ChangingScreen.GetPicture() == scr.TempChangingScreen[n].GetPicture()) return n;
    return -2;
  };
  pet.CharacterNo = 4;
  sim.StartEvolution(6);
  std::vector<int> change_sound_steps;
  for (int step = 1; step <= 161; ++step) {
    const auto before = platform.sounds.size();
    sim.Timer1_Timer();
    if (platform.sounds.size() > before) change_sound_steps.push_back(step);
    int expected = -1;  // hidden before step 15 and in the pause
    if (step >= 15 && step < 71) expected = (step - 15) / 7;
    if (step >= 106) expected = (step - 106) / 7;
    if (step >= 15) {
      EXPECT_EQ(frame_shown(), expected) << step;
    }
    ASSERT_EQ(pet.CharacterNo, 4) << "switched early at step " << step;
  }
  EXPECT_EQ(change_sound_steps, (std::vector<int>{15, 22, 29, 36, 43, 50, 57, 64}));
  EXPECT_EQ(SoundsOf("\\sounds\\change.wav"), 8);

  sim.Timer1_Timer();  // step 162
  EXPECT_EQ(pet.CharacterNo, 6);
  EXPECT_EQ(pet.ChangeStep, 0);
  EXPECT_FALSE(scr.ChangingScreen.Visible());
  EXPECT_EQ(platform.busy_calls, (std::vector<bool>{true, false}));
}

TEST_F(TickTest, TheChangeOversFirstStepLeavesTheClockOrEndsTheOpenAction) {
  for (const bool clock : {false, true}) {
    SCOPED_TRACE(clock ? "clock" : "food menu");
    sim.device_menu.CurrentIcon = 7;
    sim.DoNextIcon();
    sim.DoAction(1);  // the food menu opens
    ASSERT_TRUE(scr.FeedMenu.Visible());
    if (clock) {
      sim.DoEndCurrentAction();
      pet.TimerScreen = true;
      sim.DoShowTimerScreen(true);
      ASSERT_TRUE(scr.Colon.Visible());
    }
    sim.StartEvolution(5);
    sim.Timer1_Timer();
    EXPECT_FALSE(pet.TimerScreen);
    EXPECT_FALSE(scr.Colon.Visible());
    EXPECT_FALSE(scr.FeedMenu.Visible());
    EXPECT_EQ(pet.ActionTimeout, 0);
    EXPECT_EQ(pet.ChangeStep, 2);
    pet.ChangeStep = 0;
  }
}

TEST_F(TickTest, FlushSweepWashesTheScreenAndStartsTheHappyReaction) {
  scr.NibScr.Move(600, 900);
  sim.layout.WaterLeft = 600 + 10 * 60;
  sim.layout.WaterTop = 900;
  scr.Dark.SetPicture(PictureAt("\\other\\dark2.gif", 64, 40));
  sim.layout.DarkWidth = 64 * 15;
  scr.TempHappy[0].SetPicture(PictureAt("\\Chars\\03\\happy0.gif"));
  sim.layout.HappyLeft = 700;
  pet.Dung = 2;
  scr.DungImage[0].Move(1150, 1000);  // the first the wave reaches
  scr.DungImage[1].Move(700, 1000);   // near the left edge
  for (Element* e : {&scr.DungImage[0], &scr.DungImage[1], &scr.NibChar, &scr.Water})
    e->Show();
  scr.NibChar.Move(900, 1000);
  pet.DyingTimeLeft = 20;
  pet.SecondCount = 10;

  sim.StartFlush();
  NextSecond();  // clocks stand still during the sweep
  EXPECT_EQ(scr.Water.Left(), 1140);
  EXPECT_EQ(scr.Dark.Width(), 64 * 15 - 60);
  EXPECT_FALSE(scr.DungImage[0].Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
  Ticks(4);  // water at 900: the pet is passed
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_TRUE(scr.DungImage[1].Visible());
  Ticks(5);  // water at 600, the screen's left edge
  EXPECT_FALSE(scr.DungImage[1].Visible());
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_EQ(pet.SecondCount, 10);

  sim.Timer1_Timer();  // the sweep ends
  EXPECT_FALSE(scr.Water.Visible());
  EXPECT_EQ(scr.Water.Left(), 1200);
  EXPECT_EQ(scr.Dark.Width(), 64 * 15);
  EXPECT_EQ(pet.Dung, 0);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  EXPECT_TRUE(pet.HappyReaction);
  EXPECT_TRUE(pet.Flushing);
  EXPECT_EQ(pet.ActionTimeout, 10);
  EXPECT_EQ(pet.AnimRepeat, 7);
  EXPECT_EQ(scr.TempImage.GetPicture(), scr.TempHappy[0].GetPicture());
  EXPECT_EQ(scr.TempImage.Left(), 700);
  EXPECT_TRUE(scr.TempImage.Visible());

  // From now on the normal tick runs again while the reaction plays.
  NextSecond();
  EXPECT_EQ(pet.SecondCount, 11);
}

TEST_F(TickTest, FlushWithoutDungJustEnds) {
  scr.NibScr.Move(600, 900);
  sim.layout.WaterLeft = 660;
  pet.Dung = 0;
  pet.ActionTimeout = 8;
  sim.StartFlush();
  Ticks(2);
  EXPECT_FALSE(pet.Flushing);
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
}

TEST_F(TickTest, DungFlipsEveryTwelveTicksExceptOnTheClock) {
  scr.TempDung[0].SetPicture(PictureAt("\\other\\dung0.gif"));
  scr.TempDung[1].SetPicture(PictureAt("\\other\\dung1.gif"));
  pet.Dung = 3;
  for (int i = 0; i < 4; ++i) scr.DungImage[i].CopyPictureFrom(scr.TempDung[0]);
  auto showing = [&](int i) { return scr.DungImage[i].GetPicture() == scr.TempDung[1].GetPicture() ? 1 : 0; };

  Ticks(11);
  EXPECT_EQ(showing(0), 0);
  Ticks(1);
  EXPECT_EQ(showing(0), 1);
  EXPECT_EQ(showing(2), 1);
  EXPECT_EQ(showing(3), 0);  // beyond the dung count
  Ticks(12);
  EXPECT_EQ(showing(0), 0);

  pet.TimerScreen = true;
  Ticks(36);
  EXPECT_EQ(showing(0), 0);
}

TEST_F(TickTest, AttentionBeepsEverySeventhTickInTheFirstFiveSeconds) {
  pet.AttentionHungry = true;  // a call lasts only while it has a reason
  pet.AttendTimeLeft = 120;
  Ticks(6);
  EXPECT_EQ(SoundsOf("\\sounds\\attend.wav"), 0);
  Ticks(1);
  EXPECT_EQ(SoundsOf("\\sounds\\attend.wav"), 1);
  Ticks(7);
  EXPECT_EQ(SoundsOf("\\sounds\\attend.wav"), 2);

  pet.AttendTimeLeft = 115;
  Ticks(50);
  EXPECT_EQ(SoundsOf("\\sounds\\attend.wav"), 2);
}

TEST_F(TickTest, SecondsFollowTheWallClockNotTheTicks) {
  pet.SecondCount = 0;
  Ticks(500);
  EXPECT_EQ(pet.SecondCount, 0);
  NextSecond();
  Ticks(99);
  EXPECT_EQ(pet.SecondCount, 1);
  platform.second += 5;  // a late tick still counts one second
  sim.Timer1_Timer();
  EXPECT_EQ(pet.SecondCount, 2);
}

TEST_F(TickTest, TheMinuteBoundaryCountsRunsTheRulesAndSaves) {
  pet.MinuteToChangeCharacter = 730;  // a teen whose time is not up
  pet.SecondCount = 59;
  pet.MinuteCount = 7;
  pet.DyingTimeLeft = 100;
  const int flushes = platform.flushes;
  NextSecond();
  EXPECT_EQ(pet.MinuteCount, 8);
  EXPECT_EQ(pet.SecondCount, 0);
  EXPECT_EQ(pet.DyingTimeLeft, 99);
  EXPECT_EQ(platform.flushes, flushes + 1);
  EXPECT_EQ(platform.store[pet.NibbetName]["MinuteCount"], "8");

  pet.SecondCount = 59;
  pet.DyingTimeLeft = -3;
  NextSecond();
  EXPECT_EQ(pet.DyingTimeLeft, 0);
}

TEST_F(TickTest, TheMinuteRulesRunFromTheTick) {
  struct Case {
    const char* what;
    int16 character;
    int32 minute_before;
    bool (*done)(const Pet&);
  };
  const Case cases[] = {
      {"a dropping on minute 2 of 30", 3, 31, [](const Pet& p) { return p.Dropping; }},
      {"bedtime on minute 121", 3, 120, [](const Pet& p) { return p.SleepAction; }},
      {"a teen's time up: the change-over", 3, 729, [](const Pet& p) { return p.ChangeStep > 0; }},
      {"an adult's time up: old age", 5, 729, [](const Pet& p) { return p.DyingAction > 0; }},
      {"the baby falls ill on minute 14", 1, 13, [](const Pet& p) { return p.Sickness == 2; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    pet = Pet{};
    pet.InsulatingSheet = 0;
    pet.LastSecond = static_cast<int16>(platform.second);
    int16 character = c.character;
    sim.DoSetCharacter(character);
    pet.MinuteToChangeCharacter = 730;
    pet.MinuteCount = c.minute_before;
    pet.SecondCount = 58;
    NextSecond();
    EXPECT_FALSE(c.done(pet)) << "not before the minute ends";
    NextSecond();
    EXPECT_EQ(pet.MinuteCount, c.minute_before + 1);
    EXPECT_TRUE(c.done(pet));
  }
}

TEST_F(TickTest, APetThatStartsDyingOnItsLastMinuteDiesWithoutChanging) {
  // Neglect and the end of its time fall on the same boundary.
  pet.MinuteToChangeCharacter = 8;
  pet.MinuteCount = 7;
  pet.SecondCount = 59;
  pet.DyingTimeLeft = 0;
  NextSecond();
  EXPECT_EQ(pet.DyingAction, 1);
  EXPECT_EQ(pet.ChangeStep, 0) << "no change-over for a dying pet";
  EXPECT_EQ(pet.MinuteCount, 8);
  EXPECT_EQ(platform.store[pet.NibbetName]["DyingAction"], "1");
  Ticks(200);
  EXPECT_EQ(pet.CharacterNo, 3);
  EXPECT_GT(pet.DyingAction, 1);
}

TEST_F(TickTest, APetThatStartsDyingDuringTheChangeOverDiesWithoutChanging) {
  // Seconds, and so neglect, run on in the change-over's pauses.
  pet.MinuteToChangeCharacter = 730;
  pet.MinuteCount = 7;
  pet.SecondCount = 59;
  pet.DyingTimeLeft = 0;
  sim.StartEvolution(9);
  pet.ChangeStep = 80;
  NextSecond();
  EXPECT_EQ(pet.DyingAction, 1);
  EXPECT_EQ(pet.ChangeStep, 0);
  Ticks(200);
  EXPECT_EQ(pet.CharacterNo, 3);
  EXPECT_GT(pet.DyingAction, 1);
  EXPECT_FALSE(scr.ChangingScreen.Visible());
}

TEST_F(TickTest, TimeStandsStillForTheDyingAndTheAngel) {
  for (const bool angel : {false, true}) {
    pet.CharacterNo = angel ? kAngel : 5;
    pet.DyingAction = angel ? 0 : 2;
    pet.SecondCount = 59;
    pet.MinuteCount = 3;
    pet.AttentionHungry = true;
    pet.AttendTimeLeft = 30;
    pet.ActionTimeout = 4;
    pet.IconTimeout = 4;
    pet.DyingTimeLeft = 9;
    pet.IntervalCount = 0;
    for (int i = 0; i < 5; ++i) NextSecond();
    EXPECT_EQ(pet.SecondCount, 59);
    EXPECT_EQ(pet.MinuteCount, 3);
    EXPECT_EQ(pet.AttendTimeLeft, 30);
    EXPECT_EQ(pet.ActionTimeout, 4);
    EXPECT_EQ(pet.IconTimeout, 4);
    EXPECT_EQ(pet.DyingTimeLeft, 9);
    EXPECT_EQ(pet.IntervalCount, 50) << "animations go on";
  }
}

TEST_F(TickTest, TimeoutsCountDownAndCallsLapse) {
  pet.ActionTimeout = 1;
  pet.IconTimeout = 5;
  NextSecond();
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_EQ(pet.IconTimeout, 5) << "the icon waits while an action is open";
  EXPECT_EQ(SoundsOf("\\sounds\\beep.wav"), 1);
  NextSecond();
  EXPECT_EQ(pet.IconTimeout, 4);

  pet.AttendTimeLeft = 1;
  pet.AttendBeepCount = 3;
  pet.AttentionHungry = pet.AttentionHappy = pet.AttentionSleep = pet.AttentionDiscipline = true;
  scr.AttendIcon.Show();
  NextSecond();
  EXPECT_FALSE(scr.AttendIcon.Visible());
  EXPECT_EQ(pet.AttendBeepCount, 0);
  EXPECT_FALSE(pet.AttentionHungry || pet.AttentionHappy || pet.AttentionSleep ||
               pet.AttentionDiscipline);
}

TEST_F(TickTest, AnIdleTickChangesNothingOnScreen) {
  scr.damage.Clear();
  Ticks(1000);
  EXPECT_TRUE(scr.damage.Empty());
}

TEST_F(TickTest, TheAnimationClockNeverOverflows) {
  // Stopped at the top, the clock is past the frame delay and the frame
  // takes it back to 0; wrapped negative, no frame would ever come again.
  pet.IntervalCount = 32760;
  Ticks(1);
  EXPECT_EQ(pet.IntervalCount, 0);
  EXPECT_EQ(pet.FrameStep, 1);
}

}  // namespace
}  // namespace nib::testing
