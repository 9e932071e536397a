#include <functional>
#include <ostream>

#include "core/lcd_fixture.h"

namespace nib::testing {
namespace {

// --- What each button does in each state of the device ---

struct ButtonCase {
  const char* name;
  std::function<void(Simulator&)> setup;
  int button;  // 0 = A, 1 = B, 2 = C
  std::vector<std::string> sounds;
  std::function<void(Simulator&)> check;
};
// The test list names a case, not its bytes.
void PrintTo(const ButtonCase& c, std::ostream* os) { *os << c.name; }

void NoIcon(Simulator& s) {
  EXPECT_EQ(s.device_menu.CurrentIcon, 7);
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(s.scr.NibIcon[i].Visible()) << i;
}

const ButtonCase kButtonCases[] = {
    {"SheetA", [](Simulator& s) { s.pet.InsulatingSheet = 1; }, 0, {},
     [](Simulator& s) {
       NoIcon(s);
       EXPECT_EQ(s.pet.AttendTimeLeft, 120);
     }},
    {"SheetB", [](Simulator& s) { s.pet.InsulatingSheet = 1; }, 1, {},
     [](Simulator& s) {
       EXPECT_FALSE(s.pet.TimerScreen);
       EXPECT_EQ(s.pet.AttendTimeLeft, 120);
     }},
    {"SheetC", [](Simulator& s) { s.pet.InsulatingSheet = 1; }, 2, {},
     [](Simulator& s) { EXPECT_EQ(s.pet.AttendTimeLeft, 120); }},
    {"ClockA", [](Simulator& s) { s.pet.TimerScreen = true; }, 0, {},
     [](Simulator& s) {
       NoIcon(s);
       EXPECT_TRUE(s.pet.TimerScreen);
     }},
    {"ClockB", [](Simulator& s) { s.pet.TimerScreen = true; }, 1, {},
     [](Simulator& s) { EXPECT_FALSE(s.pet.TimerScreen); }},
    {"ClockC", [](Simulator& s) { s.pet.TimerScreen = true; }, 2, {},
     [](Simulator& s) { EXPECT_TRUE(s.pet.TimerScreen); }},
    {"DroppingA", [](Simulator& s) { s.pet.Dropping = true; }, 0, {kBeep},
     [](Simulator& s) {
       EXPECT_EQ(s.pet.AnimStep, 13);
       NoIcon(s);
     }},
    {"DroppingB", [](Simulator& s) { s.pet.Dropping = true; }, 1, {},
     [](Simulator& s) {
       EXPECT_EQ(s.pet.AnimStep, 13);
       EXPECT_FALSE(s.pet.TimerScreen);
     }},
    {"DroppingC", [](Simulator& s) { s.pet.Dropping = true; }, 2, {kBeep},
     [](Simulator& s) { EXPECT_EQ(s.pet.AnimStep, 13); }},
    {"EggA", [](Simulator& s) { s.pet.CharacterNo = 0; }, 0, {kBeep}, NoIcon},
    {"EggB", [](Simulator& s) { s.pet.CharacterNo = 0; }, 1, {},
     [](Simulator& s) { EXPECT_TRUE(s.pet.TimerScreen); }},
    {"EggC", [](Simulator& s) { s.pet.CharacterNo = 0; }, 2, {kBeep}, NoIcon},
    {"DyingA", [](Simulator& s) { s.pet.DyingAction = 5; }, 0, {kBeep}, NoIcon},
    {"DyingB", [](Simulator& s) { s.pet.DyingAction = 5; }, 1, {},
     [](Simulator& s) { EXPECT_FALSE(s.pet.TimerScreen); }},
    {"DyingC", [](Simulator& s) { s.pet.DyingAction = 5; }, 2, {kBeep}, NoIcon},
    {"DeadA", [](Simulator& s) { s.pet.CharacterNo = kAngel; }, 0, {kBeep},
     [](Simulator& s) {
       EXPECT_EQ(s.pet.AnimStep, 0);
       NoIcon(s);
     }},
    {"DeadB", [](Simulator& s) { s.pet.CharacterNo = kAngel; }, 1, {},
     [](Simulator& s) { EXPECT_FALSE(s.pet.TimerScreen); }},
    {"DeadC", [](Simulator& s) { s.pet.CharacterNo = kAngel; }, 2, {kBeep},
     [](Simulator& s) {
       EXPECT_EQ(s.pet.AnimStep, 1);
       EXPECT_TRUE(s.scr.Yr.Visible());
     }},
    {"LivingA", [](Simulator&) {}, 0, {kBeep},
     [](Simulator& s) {
       EXPECT_EQ(s.device_menu.CurrentIcon, 0);
       EXPECT_TRUE(s.scr.NibIcon[0].Visible());
       EXPECT_EQ(s.pet.IconTimeout, 10);
     }},
    {"LivingB", [](Simulator&) {}, 1, {},
     [](Simulator& s) {
       EXPECT_TRUE(s.pet.TimerScreen);
       NoIcon(s);
     }},
    {"LivingC", [](Simulator&) {}, 2, {kBeep}, NoIcon},
    {"HighlightedA", [](Simulator& s) { s.DoNextIcon(); }, 0, {kBeep},
     [](Simulator& s) {
       EXPECT_EQ(s.device_menu.CurrentIcon, 1);
       EXPECT_FALSE(s.scr.NibIcon[0].Visible());
       EXPECT_TRUE(s.scr.NibIcon[1].Visible());
     }},
    {"HighlightedB", [](Simulator& s) { s.DoNextIcon(); }, 1, {},
     [](Simulator& s) {
       EXPECT_TRUE(s.scr.FeedMenu.Visible());
       EXPECT_EQ(s.pet.ActionTimeout, 10);
       EXPECT_FALSE(s.pet.TimerScreen);
     }},
    {"HighlightedC", [](Simulator& s) { s.DoNextIcon(); }, 2, {kBeep},
     [](Simulator& s) {
       NoIcon(s);
       EXPECT_EQ(s.pet.IconTimeout, 0);
     }},
    {"AsleepOnFoodB",
     [](Simulator& s) {
       s.pet.SleepAction = true;
       s.DoNextIcon();
     },
     1, {},
     [](Simulator& s) {
       EXPECT_FALSE(s.scr.FeedMenu.Visible());
       EXPECT_EQ(s.pet.ActionTimeout, 0);
     }},
    {"AsleepOnLightB",
     [](Simulator& s) {
       s.pet.SleepAction = true;
       s.DoNextIcon();
       s.DoNextIcon();
     },
     1, {}, [](Simulator& s) { EXPECT_TRUE(s.scr.LightMenu.Visible()); }},
    {"ActionOpenA",
     [](Simulator& s) {
       s.DoNextIcon();
       s.DoAction(1);
     },
     0, {kBeep}, [](Simulator& s) { EXPECT_EQ(s.device_menu.MenuIndex, 1); }},
    {"ActionOpenB",
     [](Simulator& s) {
       s.DoNextIcon();
       s.DoAction(1);
     },
     1, {}, [](Simulator& s) { EXPECT_TRUE(s.pet.Eating); }},
    {"ActionOpenC",
     [](Simulator& s) {
       s.DoNextIcon();
       s.DoAction(1);
     },
     2, {kBeep},
     [](Simulator& s) {
       EXPECT_FALSE(s.scr.FeedMenu.Visible());
       EXPECT_EQ(s.pet.ActionTimeout, 0);
       EXPECT_EQ(s.device_menu.CurrentIcon, 0);
     }},
};

class ButtonTableTest : public LcdTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonTableTest, PressActsAsTheStateSays) {
  const ButtonCase& c = GetParam();
  pet.AttendTimeLeft = 120;
  c.setup(sim);
  platform.sounds.clear();
  switch (c.button) {
    case 0:
      PressA();
      break;
    case 1:
      PressB();
      break;
    default:
      PressC();
      break;
  }
  EXPECT_EQ(platform.sounds, c.sounds);
  if (pet.InsulatingSheet != 1) {
    EXPECT_EQ(pet.AttendTimeLeft, 115);
  }
  c.check(sim);
}

INSTANTIATE_TEST_SUITE_P(EveryState, ButtonTableTest, ::testing::ValuesIn(kButtonCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The icon menu ---

class IconMenuTest : public LcdTest {};

TEST_F(IconMenuTest, APassesThroughTheSevenIconsAndNone) {
  for (int press = 0; press < 9; ++press) {
    PressA();
    const int expected = press < 7 ? press : press == 7 ? 7 : 0;
    EXPECT_EQ(sim.device_menu.CurrentIcon, expected) << press;
    EXPECT_EQ(pet.IconTimeout, expected < 7 ? 10 : 0) << press;
    for (int i = 0; i < 7; ++i) EXPECT_EQ(scr.NibIcon[i].Visible(), i == expected) << press;
  }
}

TEST_F(IconMenuTest, TheHighlightGoesTenSecondsAfterTheLastPress) {
  Select(2);
  for (int s = 0; s < 9; ++s) NextSecond();
  EXPECT_EQ(sim.device_menu.CurrentIcon, 2);
  PressA();  // a press starts the ten seconds again
  for (int s = 0; s < 9; ++s) NextSecond();
  EXPECT_EQ(sim.device_menu.CurrentIcon, 3);
  NextSecond();
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
  EXPECT_FALSE(scr.NibIcon[3].Visible());
}

TEST_F(IconMenuTest, AnActionLeftAloneClosesAfterTenSecondsWithABeep) {
  Select(0);
  PressB();
  ASSERT_TRUE(scr.FeedMenu.Visible());
  platform.sounds.clear();
  // The highlight does not run out while the action is open.
  for (int s = 0; s < 9; ++s) NextSecond();
  EXPECT_TRUE(scr.FeedMenu.Visible());
  EXPECT_TRUE(platform.sounds.empty());
  NextSecond();
  EXPECT_FALSE(scr.FeedMenu.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);
  EXPECT_EQ(platform.sounds, std::vector<std::string>{kBeep});
  EXPECT_EQ(sim.device_menu.CurrentIcon, 0);
  for (int s = 0; s < 10; ++s) NextSecond();
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
}

TEST_F(IconMenuTest, HidingWithoutAHighlightChangesNothing) {
  pet.IconTimeout = 4;
  sim.DoHideIcon();
  EXPECT_EQ(pet.IconTimeout, 4);
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
}

// --- A and C together ---

class CombinationTest : public LcdTest {
 protected:
  // Presses A while C is held, as the keyboard does it.
  void PressAWhileCHeld() {
    pet.ButtonCPressed = true;
    sim.DoButtonC(true);
    pet.ButtonAPressed = true;
    sim.DoButtonA(true);
  }
  void ReleaseA() {
    pet.ButtonAPressed = false;
    sim.DoButtonA(false);
  }
  void ReleaseC() {
    pet.ButtonCPressed = false;
    sim.DoButtonC(false);
  }
};

TEST_F(CombinationTest, SwitchesTheSoundAudiblyForTheLivingTheEggAndOnTheClock) {
  struct Case {
    const char* state;
    int16 character;
    bool clock;
  };
  for (const Case c : {Case{"living", 3, false}, Case{"egg", 0, false}, Case{"clock", 3, true}}) {
    SCOPED_TRACE(c.state);
    pet.CharacterNo = c.character;
    pet.TimerScreen = c.clock;
    for (const bool wave : {true, false}) {
      menu.mPopupWave.checked = wave;
      const bool sound = menu.mPopupSound.checked;
      platform.sounds.clear();
      PressAWhileCHeld();
      EXPECT_EQ(menu.mPopupSound.checked, !sound);
      // C alone beeps (except on the clock); the switch always sounds.
      std::vector<std::string> expected;
      if (!c.clock && sound) expected.push_back(wave ? kBeep : "beep");
      expected.push_back(wave ? "\\sounds\\turnsnd.wav" : "beep");
      EXPECT_EQ(platform.sounds, expected);
      EXPECT_TRUE(sim.device_menu.ButtonACPressed);
      EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
      ReleaseA();
      EXPECT_TRUE(sim.device_menu.ButtonACPressed);  // C is still down
      ReleaseC();
      EXPECT_FALSE(sim.device_menu.ButtonACPressed);
      EXPECT_EQ(pet.CharacterNo, c.character);
    }
  }
}

TEST_F(CombinationTest, CPressedWhileAHeldWorksTheSameAndBHeldPreventsIt) {
  const bool sound = menu.mPopupSound.checked;
  pet.ButtonAPressed = true;
  sim.DoButtonA(true);
  pet.ButtonCPressed = true;
  sim.DoButtonC(true);
  EXPECT_EQ(menu.mPopupSound.checked, !sound);
  ReleaseC();
  ReleaseA();
  EXPECT_FALSE(sim.device_menu.ButtonACPressed);

  pet.ButtonBPressed = true;
  PressAWhileCHeld();
  EXPECT_EQ(menu.mPopupSound.checked, !sound);
  EXPECT_FALSE(sim.device_menu.ButtonACPressed);
}

TEST_F(CombinationTest, OnTheDeadPetTheFirstReleaseStartsANewEgg) {
  for (const bool release_a_first : {true, false}) {
    pet.CharacterNo = kAngel;
    const bool sound = menu.mPopupSound.checked;
    platform.sounds.clear();
    PressAWhileCHeld();
    EXPECT_EQ(menu.mPopupSound.checked, sound);
    EXPECT_EQ(SoundsOf("\\sounds\\turnsnd.wav"), 0);
    platform.busy_calls.clear();
    if (release_a_first)
      ReleaseA();
    else
      ReleaseC();
    EXPECT_EQ(pet.CharacterNo, 0);
    EXPECT_EQ(SoundsOf("\\sounds\\reset.wav"), 1);
    EXPECT_EQ(platform.busy_calls, (std::vector<bool>{true, false}));
    if (release_a_first)
      ReleaseC();
    else
      ReleaseA();
    EXPECT_EQ(SoundsOf("\\sounds\\reset.wav"), 1);
    EXPECT_FALSE(sim.device_menu.ButtonACPressed);
  }
}

TEST_F(CombinationTest, AReleaseWithoutTheCombinationDoesNothing) {
  pet.CharacterNo = kAngel;
  sim.DoButtonA(false);
  sim.DoButtonC(false);
  EXPECT_EQ(pet.CharacterNo, kAngel);
  EXPECT_TRUE(platform.sounds.empty());
}

// --- The dead pet's views ---

class DeadPetTest : public LcdTest {
 protected:
  void SetUp() override {
    LcdTest::SetUp();
    pet.CharacterNo = kAngel;
    Layout& l = sim.layout;
    l.AngelLeft = 900;
    l.AngelInAgeScreenLeft = 700;
    l.AgeDigit0Left = 1000, l.AgeDigit0Top = 1010;
    l.AgeDigit1Left = 1100, l.AgeDigit1Top = 1010;
    l.AgeDigit0DeathLeft = 1200, l.AgeDigit0DeathTop = 1300;
    l.AgeDigit1DeathLeft = 1350, l.AgeDigit1DeathTop = 1300;
    scr.Angel.Move(900, 950);
    scr.Angel.Show();
    scr.NibChar.Show();
  }
};

TEST_F(DeadPetTest, CTogglesBetweenTheGraveAndTheAge) {
  struct Case {
    int16 age;
    int tens;  // -1: no tens digit
    int units;
  };
  for (const Case c : {Case{7, -1, 7}, Case{9, -1, 9}, Case{10, 1, 0}, Case{11, 1, 1},
                       Case{12, 1, 2}, Case{0, -1, 0}, Case{99, 9, 9},
                       // Beyond two digits the nearest two-digit age shows.
                       Case{150, 9, 9}, Case{-3, -1, 0}}) {
    SCOPED_TRACE(c.age);
    pet.Age = c.age;
    PressC();
    EXPECT_EQ(pet.AnimStep, 1);
    EXPECT_FALSE(scr.NibChar.Visible());
    EXPECT_EQ(scr.Angel.Left(), 700);
    EXPECT_EQ(scr.AgeDigit[1].Left(), 1350);
    EXPECT_EQ(scr.AgeDigit[1].Top(), 1300);
    EXPECT_TRUE(Shows(scr.AgeDigit[1], scr.LargeNumber[c.units]));
    EXPECT_TRUE(scr.AgeDigit[1].Visible());
    EXPECT_EQ(scr.AgeDigit[0].Visible(), c.tens >= 0);
    if (c.tens >= 0) {
      EXPECT_TRUE(Shows(scr.AgeDigit[0], scr.LargeNumber[c.tens]));
      EXPECT_EQ(scr.AgeDigit[0].Left(), 1200);
    }
    EXPECT_TRUE(scr.Yr.Visible());

    PressC();
    EXPECT_EQ(pet.AnimStep, 0);
    EXPECT_TRUE(scr.NibChar.Visible());
    EXPECT_FALSE(scr.Yr.Visible());
    EXPECT_FALSE(scr.AgeDigit[0].Visible());
    EXPECT_FALSE(scr.AgeDigit[1].Visible());
    EXPECT_EQ(scr.AgeDigit[0].Left(), 1000);
    EXPECT_EQ(scr.AgeDigit[1].Left(), 1100);
    EXPECT_EQ(scr.Angel.Left(), 900);
  }
}

TEST_F(DeadPetTest, BehindTheBackTheViewChangesUnseen) {
  scr.BackView.Show();
  pet.Age = 23;
  sim.DoButtonC(true);
  EXPECT_EQ(pet.AnimStep, 1);
  EXPECT_FALSE(scr.AgeDigit[0].Visible());
  EXPECT_FALSE(scr.AgeDigit[1].Visible());
  EXPECT_FALSE(scr.Yr.Visible());
  EXPECT_TRUE(Shows(scr.AgeDigit[0], scr.LargeNumber[2]));
  sim.DoButtonC(true);
  EXPECT_FALSE(scr.NibChar.Visible());
}

TEST_F(DeadPetTest, BLeavesAClockShownWhenThePetDied) {
  pet.TimerScreen = true;
  PressB();
  EXPECT_FALSE(pet.TimerScreen);
  PressB();  // but does not bring the clock back
  EXPECT_FALSE(pet.TimerScreen);
}

}  // namespace
}  // namespace nib::testing
