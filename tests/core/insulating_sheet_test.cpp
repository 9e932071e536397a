// The insulating sheet: its slot's geometry, the timer that switches the
// device, and the sheet window driven by the mouse, the menu and hiding.
#include "core/device_fixture.h"
#include "sim/insulating_sheet.h"

namespace nib::testing {
namespace {

// A device at (15000, 7500): home left 17115, attached top 9100.
const SheetSlot kSlot = SheetSlot::Of(15000, 7500, 2175);
constexpr float H = 17115, T = 9100;

TEST(SheetSlotTest, HomeAndTopFollowTheDevice) {
  EXPECT_EQ(kSlot.home_left, H);
  EXPECT_EQ(kSlot.attached_top, T);
  EXPECT_EQ(kSlot.LeftWhenPushed(700), H - 700);
}

TEST(SheetSlotTest, DeepInIsAttachedAtTheSlotAndPushedFiveToSevenHundred) {
  struct Case {
    float left, top;
    bool attached, deep;
  };
  for (const Case c : {Case{H - 700, T, true, true}, Case{H - 500, T, true, true},
                       Case{H - 600, T, true, true}, Case{H - 499, T, true, false},
                       Case{H - 701, T, true, false}, Case{H - 600, T + 15, true, false},
                       Case{H - 600, T, false, false}, Case{H, T, true, false}})
    EXPECT_EQ(kSlot.DeepIn(c.left, c.top, c.attached), c.deep) << c.left - H << " " << c.top - T;
}

TEST(SheetSlotTest, TheSnapZoneCatchesAFloatingSheetOnlyFromTheRight) {
  struct Case {
    float left, top;
    bool attached, caught;
  };
  for (const Case c : {
           Case{H + 1, T, false, true},     // from outside, just right of home
           Case{H + 150, T, false, true},   // right edge of the zone
           Case{H + 151, T, false, false},  // beyond it
           Case{H, T, false, false},        // at home but floating: from inside
           Case{H - 300, T, false, false},  // over the device
           Case{H - 300, T, true, true},    // attached, anywhere along the slot
           Case{H - 700, T, true, true},    Case{H - 701, T, true, false},
           Case{H + 10, T - 150, false, true}, Case{H + 10, T + 150, false, true},
           Case{H + 10, T - 151, false, false}, Case{H + 10, T + 151, false, false},
           Case{H - 10, T + 151, true, false},  // torn off upwards or downwards
       })
    EXPECT_EQ(kSlot.InSnapZone(c.left, c.top, c.attached), c.caught)
        << c.left - H << " " << c.top - T << " " << c.attached;
}

TEST(SheetSlotTest, AnAttachedSheetStopsSevenHundredInAndRoundsItsPush) {
  EXPECT_EQ(kSlot.AttachedLeft(H - 900), H - 700);
  EXPECT_EQ(kSlot.AttachedLeft(H - 699), H - 699);
  EXPECT_EQ(kSlot.AttachedLeft(H + 80), H + 80);
  EXPECT_EQ(kSlot.WidthPushed(H - 700, true), 700);
  EXPECT_EQ(kSlot.WidthPushed(H - 200.4f, true), 200);
  EXPECT_EQ(kSlot.WidthPushed(H, true), 0);
  EXPECT_EQ(kSlot.WidthPushed(H + 90, true), 0);
  EXPECT_EQ(kSlot.WidthPushed(H - 300, false), 0);
}

// The timer, beat by beat: each string is the sheet's place per beat (D deep
// in, O out), with the switches expected on those beats.
std::string RunTimer(const std::string& places, int16 current, int16 sheet_state) {
  std::string switches;
  int16 ticks = 0;
  for (char place : places) {
    switch (SheetTimerStep(place == 'D', current, sheet_state, ticks)) {
      case SheetSwitch::Off:
        switches += 'F';
        current = 1;
        break;
      case SheetSwitch::On:
        switches += 'N';
        current = 2;
        break;
      case SheetSwitch::None:
        switches += '.';
        break;
    }
  }
  return switches;
}

TEST(SheetTimerTest, OnAfterHalfASecondOutOffAfterOneAndAHalfIn) {
  struct Case {
    const char* places;
    int16 current;
    const char* switches;
  };
  for (const Case c : {
           Case{"OOOOOO", 1, ".....N"},                        // out for 5 beats, then on
           Case{"OOOODOOOOOO", 1, "..........N"},             // pushed back in time
           Case{"DDDDDDDDDDDDDDDD", 2, "...............F"},    // in for 15 beats, then off
           Case{"DDDDDDDDOODDDDDDDDDDDDDDDD", 2, ".........................F"},
           Case{"DDDDDDDDDDDDDDDDDDDDDDDDD", 1, "........................."},  // stays off
           Case{"OOOOOOOOOOOOOOOOOOOOOOOOO", 2, "........................."},  // stays on
       }) {
    std::string expected = c.switches;
    expected.resize(std::string(c.places).size(), '.');
    EXPECT_EQ(RunTimer(c.places, c.current, c.current), expected) << c.places;
  }
}

TEST(SheetTimerTest, TheCountStopsAtFifteenHoweverLongTheSheetStays) {
  int16 ticks = 0, sheet_state = 2;
  for (int beat = 0; beat < 100000; ++beat) SheetTimerStep(false, 2, sheet_state, ticks);
  EXPECT_EQ(ticks, kSheetTicksToOff);
}

class SheetWindowTest : public DeviceTest {
 protected:
  void SetUp() override {
    platform.AddFile("\\other\\inssheet.gif", 78, 34);
    platform.AddFile("\\other\\inssheet.cur");
  }
  // A new toy, started with its sheet deep in.
  void StartNewToy() { sim.Form_Load("Fresh"); }
  // The slot of the device where it is now.
  float Home() const { return platform.window_left + 2175 - 60; }
  float SlotTop() const { return platform.window_top + 1600; }
  // One drag of the sheet by (dx, dy) twips, grabbed at its middle.
  void DragSheet(float dx, float dy) {
    sim.SheetMouseDown(kLeftButton, 500, 250);
    sim.SheetMouseMove(kLeftButton, 500 + dx, 250 + dy);
    sim.SheetMouseUp(kLeftButton);
  }
  void SheetBeats(int n) {
    for (int i = 0; i < n; ++i) sim.SheetTimer_Timer();
  }
  float SheetLeft() const { return platform.sheet.left; }
  float SheetTop() const { return platform.sheet.top; }
};

TEST_F(SheetWindowTest, ANewToyShowsItsSheetDeepInAndStaysBlank) {
  sim.Form_Load("Fresh");
  const float home = Home();
  EXPECT_TRUE(platform.window_visible);
  EXPECT_EQ(platform.tab_keys, 1);
  ASSERT_TRUE(platform.sheet.loaded);
  EXPECT_TRUE(platform.sheet.visible);
  EXPECT_EQ(SheetLeft(), home - 700);
  EXPECT_EQ(SheetTop(), SlotTop());
  EXPECT_EQ(platform.sheet.timer_interval, 100);
  EXPECT_NE(platform.sheet.picture, nullptr);
  EXPECT_NE(platform.sheet.pointer, nullptr);
  EXPECT_TRUE(pet.SendInsulatingSheetToBack);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 1);
  EXPECT_EQ(platform.timer_interval, 0);
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_TRUE(menu.mPopupInsulatingSheet.checked);
  EXPECT_FALSE(menu.mPopupInsulatingSheet.enabled);
  EXPECT_FALSE(menu.mPopupSide.enabled);
  EXPECT_FALSE(menu.mCheats.enabled);
  EXPECT_TRUE(platform.topmost);
}

TEST_F(SheetWindowTest, APluginSheetThatDoesNotDecodeGivesWayToTheBaseSheet) {
  platform.AddBrokenFile("\\plugins\\Odd\\other\\inssheet.gif");
  pet.Plugins = "Odd";
  sim.LoadSheetLook();
  const auto* shown = dynamic_cast<const FakePicture*>(platform.sheet.picture.get());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->path, "\\other\\inssheet.gif");
}

TEST_F(SheetWindowTest, PullingTheSheetOutStartsAnEggWithTheResetSound) {
  StartNewToy();
  DragSheet(201, 0);  // left now above H - 500
  EXPECT_EQ(pet.InsulatingSheetWidthPushed, 499);
  SheetBeats(5);
  EXPECT_EQ(platform.timer_interval, 0) << "not yet: five beats out, then the switch";
  platform.sounds.clear();
  SheetBeats(1);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 2);
  EXPECT_EQ(pet.InsulatingSheet, 2);
  EXPECT_EQ(platform.timer_interval, 10);
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(platform.sounds, (std::vector<std::string>{"\\sounds\\reset.wav"}));
  EXPECT_TRUE(menu.mPopupInsulatingSheet.enabled);
  EXPECT_TRUE(menu.mCheats.enabled);
}

TEST_F(SheetWindowTest, PushedBackWithinHalfASecondTheDeviceStaysOff) {
  StartNewToy();
  DragSheet(201, 0);
  SheetBeats(4);
  DragSheet(-300, 0);
  EXPECT_EQ(SheetLeft(), Home() - 700) << "stops 700 in";
  SheetBeats(50);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 1);
  EXPECT_EQ(platform.timer_interval, 0);
}

TEST_F(SheetWindowTest, PushingTheSheetDeepInAgainSwitchesOffToANewEgg) {
  StartNewToy();
  DragSheet(600, 0);
  SheetBeats(6);
  ASSERT_EQ(pet.CurrentInsulatingSheet, 2);
  pet.CharacterNo = 3;
  pet.TimerScreen = true;
  DragSheet(-550, 0);  // pushed in 650
  SheetBeats(15);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 2);
  SheetBeats(1);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 1);
  EXPECT_EQ(pet.InsulatingSheet, 1);
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_FALSE(pet.TimerScreen);
  EXPECT_EQ(platform.timer_interval, 0);
  EXPECT_FALSE(scr.AttendIcon.Visible());
  EXPECT_EQ(platform.tray_tip, "Fresh");
  EXPECT_EQ(menu.mCharacterName.caption, "Fresh");
  EXPECT_FALSE(menu.mPopupInsulatingSheet.enabled);
  EXPECT_FALSE(menu.mCheats.enabled);
}

TEST_F(SheetWindowTest, TornOffTheSheetFloatsAboveAndCannotSwitch) {
  StartNewToy();
  DragSheet(0, -400);
  EXPECT_EQ(SheetTop(), SlotTop()) << "attached, the sheet only slides sideways";
  DragSheet(900, 0);  // pulled out beyond the zone's right edge
  SheetBeats(6);
  ASSERT_EQ(pet.CurrentInsulatingSheet, 2);
  ASSERT_TRUE(pet.SendInsulatingSheetToBack);
  DragSheet(0, -400);  // the move starts outside the zone: torn off
  EXPECT_FALSE(pet.SendInsulatingSheetToBack);
  EXPECT_TRUE(platform.sheet.topmost);
  EXPECT_FALSE(platform.topmost);
  EXPECT_EQ(SheetTop(), SlotTop() - 400);
  // Laid over the device at the slot's height, from the left: no snap.
  DragSheet(-600, 400);
  DragSheet(-200, 0);
  EXPECT_FALSE(pet.SendInsulatingSheetToBack);
  EXPECT_EQ(SheetLeft(), Home() - 700 + 900 - 800);
  SheetBeats(40);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 2) << "a floating sheet never switches the device";
}

TEST_F(SheetWindowTest, AFloatingSheetBroughtFromTheRightSnapsAndSlides) {
  StartNewToy();
  DragSheet(900, 0);
  DragSheet(0, -400);  // torn off
  ASSERT_FALSE(pet.SendInsulatingSheetToBack);
  DragSheet(-100, 410);  // right of home, slightly below the slot
  ASSERT_FALSE(pet.SendInsulatingSheetToBack) << "the move into the zone is free";
  DragSheet(-50, 0);     // the next move starts in the zone: caught
  EXPECT_TRUE(pet.SendInsulatingSheetToBack);
  EXPECT_EQ(SheetTop(), SlotTop());
  EXPECT_EQ(SheetLeft(), Home() + 50);
  EXPECT_FALSE(platform.sheet.topmost);
  EXPECT_TRUE(platform.topmost);
}

TEST_F(SheetWindowTest, DraggingTheDeviceCarriesAnAttachedSheetOnly) {
  StartNewToy();
  sim.DragMouseDown(kLeftButton, 300, 300);
  sim.DragMouseMove(kLeftButton, 1300, 600);
  EXPECT_EQ(SheetLeft(), Home() - 700);
  EXPECT_EQ(SheetTop(), SlotTop());
  sim.DragMouseUp(kLeftButton);

  DragSheet(300, 0);  // partly pushed in: still carried
  sim.DragMouseDown(kLeftButton, 300, 300);
  sim.DragMouseMove(kLeftButton, 0, 0);
  sim.DragMouseUp(kLeftButton);
  EXPECT_EQ(SheetLeft(), Home() - 400);

  DragSheet(900, 0);
  DragSheet(0, 600);  // torn off
  ASSERT_FALSE(pet.SendInsulatingSheetToBack);
  const float left = SheetLeft(), top = SheetTop();
  sim.DragMouseDown(kLeftButton, 300, 300);
  sim.DragMouseMove(kLeftButton, 900, 900);
  sim.DragMouseUp(kLeftButton);
  EXPECT_EQ(SheetLeft(), left);
  EXPECT_EQ(SheetTop(), top);
}

TEST_F(SheetWindowTest, HidingTheDeviceHidesTheSheetAndShowingBringsItBack) {
  StartNewToy();
  sim.mPopupStatus_Click();
  EXPECT_FALSE(platform.window_visible);
  EXPECT_FALSE(platform.sheet.visible);
  platform.topmost = false;
  sim.mPopupStatus_Click();
  EXPECT_TRUE(platform.window_visible);
  EXPECT_TRUE(platform.sheet.visible);
  EXPECT_TRUE(platform.topmost) << "the device lies above its sheet";
  EXPECT_EQ(platform.sheet.loads, 1);
}

TEST_F(SheetWindowTest, AToySavedHiddenLoadsItsSheetWhenShown) {
  StartNewToy();
  sim.mPopupStatus_Click();
  sim.Form_Unload();
  FakePlatform::Sheet gone;
  platform.sheet = gone;
  Simulator again(platform, random);
  again.Form_Load("Fresh");
  EXPECT_FALSE(platform.window_visible);
  EXPECT_FALSE(platform.sheet.loaded);
  EXPECT_FALSE(again.menu.mPopupInsulatingSheet.enabled);
  again.mPopupStatus_Click();
  EXPECT_TRUE(platform.sheet.visible);
  EXPECT_EQ(platform.sheet.left, Home() - 700);
}

TEST_F(SheetWindowTest, TheMenuInsertsASheetIntoARunningDeviceAndRemovesIt) {
  MakeLivingPet();
  pet.InsulatingSheetWidthPushed = 0;
  platform.window_visible = true;
  sim.DoTurnToBack(true);
  menu.mPopupSound.checked = false;
  platform.sounds.clear();

  sim.mPopupInsulatingSheet_Click();
  EXPECT_EQ(platform.sounds, (std::vector<std::string>{"\\sounds\\turn.wav"}))
      << "turned to the front with sound, even with Sound On unchecked";
  EXPECT_FALSE(scr.BackView.Visible());
  EXPECT_EQ(pet.InsulatingSheet, 2);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 2);
  EXPECT_TRUE(platform.sheet.visible);
  EXPECT_EQ(SheetLeft(), Home());
  EXPECT_FALSE(menu.mPopupSide.enabled);
  EXPECT_TRUE(menu.mCheats.enabled);

  menu.mPopupOnTop.checked = false;
  sim.mPopupInsulatingSheet_Click();
  EXPECT_FALSE(platform.sheet.loaded);
  EXPECT_EQ(pet.InsulatingSheet, 0);
  EXPECT_EQ(pet.CurrentInsulatingSheet, 0);
  EXPECT_TRUE(menu.mPopupSide.enabled);
  EXPECT_FALSE(platform.topmost);
}

TEST_F(SheetWindowTest, ARightClickOnTheSheetOpensThePopupAndStartsNoDrag) {
  StartNewToy();
  sim.SheetMouseDown(kRightButton, 10, 10);
  EXPECT_EQ(platform.popups, 1);
  const float left = SheetLeft();
  sim.SheetMouseMove(kLeftButton, 500, 10);
  EXPECT_EQ(SheetLeft(), left);
}

TEST_F(SheetWindowTest, ASheetSavedOutStartsTheDeviceAndShowsTheSheet) {
  StartNewToy();
  DragSheet(300, 0);
  SheetBeats(6);
  sim.Form_Unload();
  platform.sheet = FakePlatform::Sheet{};
  platform.timer_interval = 0;
  Simulator again(platform, random);
  again.Form_Load("Fresh");
  EXPECT_EQ(again.pet.InsulatingSheet, 2);
  EXPECT_EQ(platform.timer_interval, 10);
  EXPECT_TRUE(platform.sheet.visible);
  EXPECT_EQ(SheetLeft(), Home() - 400);
  EXPECT_TRUE(again.menu.mPopupInsulatingSheet.checked);
  EXPECT_TRUE(again.menu.mPopupInsulatingSheet.enabled);
}

}  // namespace
}  // namespace nib::testing
