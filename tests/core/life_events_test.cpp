// The seven life events, their refusals and everything they change.
#include "core/life_fixture.h"

namespace nib::testing {
namespace {

class LifeEventsTest : public LifeTest {
 protected:
  void SetUp() override {
    LifeTest::SetUp();
    Become(3);
    scr.NibChar.Show();
  }

  using Event = void (Simulator::*)();
  static constexpr Event kEvents[] = {
      &Simulator::mCheatAction0_Click,    &Simulator::mCheatAction1_Click,
      &Simulator::mCheatAction3_Click,    &Simulator::mCheatAttention0_Click,
      &Simulator::mCheatAttention1_Click, &Simulator::mCheatAttention2_Click,
  };

  // Everything an event could change, to compare before and after.
  struct Snapshot {
    PetSaved saved;
    bool dropping;
    bool skull, attend;
    int16 dying_action;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    return {pet, pet.Dropping, scr.Skull.Visible(), scr.AttendIcon.Visible(), pet.DyingAction};
  }
};

TEST_F(LifeEventsTest, ASleepingPetRefusesEveryEventButWakingUp) {
  sim.mCheatAction2_Click();
  ASSERT_TRUE(pet.SleepAction);
  for (const Event event : kEvents) {
    const Snapshot before = Take();
    (sim.*event)();
    EXPECT_TRUE(Take() == before);
  }
  sim.mCheatAction2_Click();
  EXPECT_FALSE(pet.SleepAction);
}

TEST_F(LifeEventsTest, TheEggTheDyingPetAndTheAngelHaveNoEvents) {
  // Their menu items are disabled; a stray command changes nothing either.
  for (const int16 who : {int16{0}, int16{5}, int16{kAngel}}) {
    Become(who);
    if (who == 5) sim.mCheatAction3_Click();
    for (const Event event : kEvents) {
      const Snapshot before = Take();
      (sim.*event)();
      EXPECT_TRUE(Take() == before) << who;
    }
    const bool asleep = pet.SleepAction;
    sim.mCheatAction2_Click();
    EXPECT_EQ(pet.SleepAction, asleep) << who;
  }
}

TEST_F(LifeEventsTest, FallingIllShowsTheSickPetWhereItStood) {
  sim.layout.SickLeft = 700;
  sim.layout.SickTop = 800;
  pet.Sickness = 1;
  sim.mCheatAction0_Click();
  EXPECT_EQ(pet.Sickness, 2);
  EXPECT_TRUE(scr.Skull.Visible());
  EXPECT_EQ(scr.NibChar.Left(), 700);
  EXPECT_EQ(scr.NibChar.Top(), 800);
  EXPECT_TRUE(Shows(scr.NibChar, scr.TempSick[0]));
  EXPECT_EQ(pet.StatusText, "Sick");

  // In the dark no skull shows and the pet stays as hidden as it was.
  sim.mCheatAction2_Click();
  sim.mCheatAction2_Click();  // awake again, light on
  pet.LightOff = true;
  scr.Skull.Hide();
  scr.NibChar.Hide();
  sim.mCheatAction0_Click();
  EXPECT_EQ(pet.Sickness, 3);
  EXPECT_FALSE(scr.Skull.Visible());
  EXPECT_FALSE(scr.NibChar.Visible());
}

TEST_F(LifeEventsTest, ADroppingStartsOnTheNextTick) {
  sim.layout.Stool0Left = 640;
  sim.layout.Stool0Top = 900;
  pet.Dung = 2;
  pet.AnimStep = 9;
  sim.mCheatAction1_Click();
  EXPECT_TRUE(pet.Dropping);
  EXPECT_EQ(pet.AnimStep, 0);
  EXPECT_EQ(pet.AnimFrame, 0);
  EXPECT_EQ(pet.IntervalCount, pet.FrameDelay);
  EXPECT_EQ(pet.FrameStep, 1);
  EXPECT_EQ(pet.StatusText, "Poop");
  EXPECT_EQ(scr.NibChar.Left(), 640);
  EXPECT_TRUE(Shows(scr.NibChar, scr.TempDropping[0]));
  EXPECT_TRUE(scr.NibChar.Visible());
  EXPECT_EQ(pet.Dung, 2) << "it lands at the end of the animation";
}

TEST_F(LifeEventsTest, NoDroppingBeyondEight) {
  struct Case {
    int16 dung;
    bool running;
    bool starts;
  };
  for (const Case c : {Case{7, false, true}, Case{8, false, false}, Case{7, true, false},
                       Case{6, true, true}}) {
    pet.Dung = c.dung;
    pet.Dropping = c.running;
    pet.AnimStep = 5;
    sim.mCheatAction1_Click();
    EXPECT_EQ(pet.AnimStep == 0, c.starts) << c.dung << " " << c.running;
    // However the running dropping ends, eight is the most there can be.
    Periods(20);
    EXPECT_LE(pet.Dung, 8);
    pet.Dropping = false;
  }
}

TEST_F(LifeEventsTest, FallingAsleepCallsForTheLight) {
  sim.layout.SleepLeft = 500;
  pet.NeedCount = 4;
  pet.AnimStep = 3;
  sim.mCheatAction2_Click();
  EXPECT_TRUE(pet.SleepAction);
  EXPECT_TRUE(pet.AttentionSleep);
  EXPECT_TRUE(scr.AttendIcon.Visible());
  EXPECT_EQ(pet.AttendTimeLeft, 120);
  EXPECT_EQ(pet.NeedCount, 5);
  EXPECT_EQ(pet.AnimStep, 0);
  EXPECT_EQ(pet.FrameStep, 1);
  EXPECT_EQ(pet.IntervalCount, pet.FrameDelay);
  EXPECT_EQ(scr.NibChar.Left(), 500);
  EXPECT_TRUE(Shows(scr.NibChar, scr.TempSleep[0]));
  EXPECT_TRUE(Shows(scr.SleepSign, scr.TempSleepSign[0]));
  EXPECT_TRUE(scr.SleepSign.Visible());
  EXPECT_EQ(pet.StatusText, "Sleep");
  for (const MenuItem* item : {&menu.mCheatAttention, &menu.mCheatAction0, &menu.mCheatAction1,
                               &menu.mCheatAction3})
    EXPECT_FALSE(item->enabled) << item->name;
  EXPECT_TRUE(menu.mCheatAction2.enabled);
  EXPECT_TRUE(menu.mCheatAction2.checked);
}

TEST_F(LifeEventsTest, AHiddenPetFallsAsleepHidden) {
  scr.NibChar.Hide();
  sim.mCheatAction2_Click();
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_FALSE(scr.SleepSign.Visible());
}

TEST_F(LifeEventsTest, WakingUpAgesThePetAndTurnsTheLightOn) {
  sim.mCheatAction2_Click();
  pet.LightOff = true;
  pet.LightMenuIndex = 1;
  scr.Dark.CopyPictureFrom(scr.TempDark[0]);
  scr.Dark.Show();
  pet.Age = 4;
  sim.mCheatAction2_Click();
  EXPECT_FALSE(pet.SleepAction);
  EXPECT_FALSE(pet.AttentionSleep);
  EXPECT_EQ(pet.Age, 5);
  EXPECT_FALSE(pet.LightOff);
  EXPECT_EQ(pet.LightMenuIndex, 0);
  EXPECT_FALSE(scr.SleepSign.Visible());
  EXPECT_FALSE(scr.Dark.Visible());
  EXPECT_TRUE(Shows(scr.Dark, scr.TempDark[2]));
  EXPECT_EQ(sim.layout.DarkWidth, 64 * 15);
  for (const MenuItem* item : {&menu.mCheatAttention, &menu.mCheatAction0, &menu.mCheatAction1,
                               &menu.mCheatAction2, &menu.mCheatAction3})
    EXPECT_TRUE(item->enabled) << item->name;
  EXPECT_FALSE(menu.mCheatAction2.checked);
}

TEST_F(LifeEventsTest, AnUnansweredSleepCallLapsesButThePetSleepsOn) {
  pet.NeedCount = 0;
  sim.mCheatAction2_Click();
  Seconds(119);
  EXPECT_TRUE(scr.AttendIcon.Visible());
  Seconds(1);
  EXPECT_FALSE(pet.AttentionSleep);
  EXPECT_FALSE(scr.AttendIcon.Visible());
  EXPECT_TRUE(pet.SleepAction);
  EXPECT_EQ(pet.NeedCount, 1);
}

TEST_F(LifeEventsTest, DyingBeginsWithTheSkullAndEndsEveryCall) {
  sim.layout.DyingLeft = 620;
  sim.layout.DyingTop = 960;
  pet.Dung = 3;
  for (int i = 0; i < 3; ++i) scr.DungImage[i].Show();
  sim.mCheatAttention0_Click();
  pet.AttentionDiscipline = true;
  scr.NibIcon[2].Show();
  sim.device_menu.LastIcon = sim.device_menu.CurrentIcon = 2;
  pet.IconTimeout = 5;

  sim.mCheatAction3_Click();
  EXPECT_EQ(pet.DyingAction, 1);
  EXPECT_EQ(pet.FrameDelay, 120);
  EXPECT_EQ(pet.IntervalCount, 119);
  EXPECT_EQ(pet.FrameStep, 0);
  EXPECT_EQ(pet.AnimFrame, 0);
  EXPECT_FALSE(pet.AttentionHungry || pet.AttentionHappy || pet.AttentionDiscipline);
  EXPECT_FALSE(scr.AttendIcon.Visible());
  EXPECT_EQ(pet.AttendTimeLeft, 0);
  EXPECT_FALSE(scr.NibIcon[2].Visible());
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
  EXPECT_TRUE(Shows(scr.NibChar, scr.TempSick[1]));
  EXPECT_EQ(scr.NibChar.Left(), 620);
  EXPECT_TRUE(scr.NibChar.Visible());
  EXPECT_TRUE(scr.Skull.Visible());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(scr.DungImage[i].Visible());
  EXPECT_EQ(pet.Dung, 3);
  for (const MenuItem* item : {&menu.mCheatAttention, &menu.mCheatAction0, &menu.mCheatAction1,
                               &menu.mCheatAction2, &menu.mCheatAction3})
    EXPECT_FALSE(item->enabled) << item->name;
}

TEST_F(LifeEventsTest, HungerAndUnhappinessCallsEmptyTheirHearts) {
  struct Case {
    void (Simulator::*event)();
    bool Pet::*flag;
    int16 Pet::*hearts;
  };
  for (const Case c : {Case{&Simulator::mCheatAttention0_Click, &Pet::AttentionHungry, &Pet::Hunger},
                       Case{&Simulator::mCheatAttention1_Click, &Pet::AttentionHappy,
                            &Pet::Happiness}}) {
    pet.Hunger = pet.Happiness = 3;
    pet.NeedCount = 2;
    pet.AttentionHungry = pet.AttentionHappy = false;
    scr.AttendIcon.Hide();
    pet.AttendTimeLeft = 40;
    (sim.*c.event)();
    EXPECT_TRUE(pet.*c.flag);
    EXPECT_EQ(pet.*c.hearts, 0);
    EXPECT_EQ(pet.Hunger + pet.Happiness, 3) << "the other heart stays";
    EXPECT_TRUE(scr.AttendIcon.Visible());
    EXPECT_EQ(pet.AttendTimeLeft, 120);
    EXPECT_EQ(pet.NeedCount, 3);
  }
}

TEST_F(LifeEventsTest, ADisciplineCallCostsOneHeartButIsNoNeed) {
  struct Case {
    double draw;
    int16 hunger, happiness;
    int16 hunger_after, happiness_after;
  };
  for (const Case c : {Case{0.3, 2, 2, 1, 2}, Case{0.6, 2, 2, 2, 1}, Case{0.3, 0, 2, 0, 2},
                       Case{0.6, 2, 0, 2, 0}}) {
    pet.Hunger = c.hunger;
    pet.Happiness = c.happiness;
    pet.NeedCount = 1;
    pet.AttentionDiscipline = false;
    random.draws = {c.draw};
    sim.mCheatAttention2_Click();
    EXPECT_EQ(pet.Hunger, c.hunger_after);
    EXPECT_EQ(pet.Happiness, c.happiness_after);
    EXPECT_TRUE(pet.AttentionDiscipline);
    EXPECT_TRUE(scr.AttendIcon.Visible());
    EXPECT_EQ(pet.AttendTimeLeft, 120);
    EXPECT_EQ(pet.NeedCount, 1);
  }
}

TEST_F(LifeEventsTest, ACallingPetShowsAHiddenDeviceWhenAutoShowIsOn) {
  struct Case {
    bool auto_show;
    bool shown_after;
  };
  for (const Case c : {Case{true, true}, Case{false, false}}) {
    menu.mPopupAutoShow.checked = c.auto_show;
    menu.mPopupStatus.checked = true;  // hidden
    platform.window_visible = false;
    platform.sounds.clear();
    sim.mCheatAttention0_Click();
    EXPECT_EQ(platform.window_visible, c.shown_after);
    EXPECT_EQ(menu.mPopupStatus.checked, !c.shown_after);
    EXPECT_EQ(SoundsOf("\\sounds\\restore.wav"), c.shown_after ? 1 : 0);
  }
}

TEST_F(LifeEventsTest, ARefusedEventDoesNotShowTheDevice) {
  menu.mPopupAutoShow.checked = true;
  menu.mPopupStatus.checked = true;
  sim.mCheatAction2_Click();  // the sleep toggle is never refused
  EXPECT_FALSE(menu.mPopupStatus.checked);
  menu.mPopupStatus.checked = true;
  platform.window_visible = false;
  sim.mCheatAction0_Click();  // refused: asleep
  EXPECT_TRUE(menu.mPopupStatus.checked);
  EXPECT_FALSE(platform.window_visible);
}

TEST_F(LifeEventsTest, HidingAndShowingTheDevice) {
  pet.InsulatingSheet = 0;
  menu.mPopupInsulatingSheet.checked = false;
  platform.window_visible = true;
  sim.mPopupStatus_Click();
  EXPECT_TRUE(menu.mPopupStatus.checked);
  EXPECT_FALSE(platform.window_visible);
  EXPECT_FALSE(menu.mPopupInsulatingSheet.enabled);
  EXPECT_EQ(SoundsOf("\\sounds\\hide.wav"), 1);
  sim.mPopupStatus_Click();
  EXPECT_FALSE(menu.mPopupStatus.checked);
  EXPECT_TRUE(platform.window_visible);
  EXPECT_TRUE(menu.mPopupInsulatingSheet.enabled);
  EXPECT_EQ(SoundsOf("\\sounds\\restore.wav"), 1);

  // A device in its sheet is put above the sheet.
  pet.InsulatingSheet = 1;
  pet.SendInsulatingSheetToBack = true;
  menu.mPopupInsulatingSheet.checked = true;
  platform.topmost = false;
  sim.mPopupStatus_Click();
  EXPECT_TRUE(menu.mPopupInsulatingSheet.enabled) << "a checked sheet item stays";
  sim.mPopupStatus_Click();
  EXPECT_TRUE(platform.topmost);
}

}  // namespace
}  // namespace nib::testing
