#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class StartupTest : public DeviceTest {
 protected:
  void SavedPetOutOfItsSheet(const std::string& name) {
    Simulator first(platform, random);
    first.Form_Load(name);
    first.pet.InsulatingSheet = 0;
    first.Form_Unload();
    platform.timer_interval = 0;
  }
};

TEST_F(StartupTest, TheCommandLineNamesThePet) {
  struct Case {
    const char* command_line;
    const char* name;
  };
  for (const Case c : {Case{"", "Nibbet"}, Case{"Sir Wobble", "Sir Wobble"},
                       Case{"a/b\\c [d]=e", "a/b\\c [d]=e"}}) {
    Simulator device(platform, random);
    device.Form_Load(c.command_line);
    EXPECT_EQ(device.pet.NibbetName, c.name);
    EXPECT_EQ(platform.captions.back(), c.name);
    EXPECT_EQ(device.scr.FrontView.ToolTipText, c.name);
    EXPECT_TRUE(platform.store.count(c.name)) << c.command_line;
  }
}

TEST_F(StartupTest, PlacesTheFixedElementsAndSeedsChanceWithTheSecond) {
  platform.second = 42;
  sim.Form_Load("Pip");
  EXPECT_EQ(scr.FrontView.Top(), 15);
  EXPECT_EQ(scr.BackView.Top(), 30);
  EXPECT_EQ(scr.ButtonA.Left(), 600);
  EXPECT_EQ(scr.ButtonB.Top(), 2130);
  EXPECT_EQ(scr.ButtonC.Left(), 1260);
  EXPECT_EQ(scr.ResetButton.Left(), 270);
  EXPECT_EQ(scr.ResetButton.Top(), 976);
  ASSERT_FALSE(random.seeds.empty());
  EXPECT_EQ(random.seeds.back(), 42u);
  EXPECT_EQ(pet.LastSecond, 42);
  EXPECT_EQ(platform.busy_calls, (std::vector<bool>{true, false}));
}

TEST_F(StartupTest, ANewToyWaitsBehindItsSheet) {
  sim.Form_Load("Fresh");
  EXPECT_EQ(pet.InsulatingSheet, 1);
  EXPECT_EQ(platform.timer_interval, 0);
  EXPECT_TRUE(menu.mPopupInsulatingSheet.checked);
  EXPECT_FALSE(menu.mPopupInsulatingSheet.enabled);
  EXPECT_EQ(menu.mCharacterName.caption, "Fresh");
  EXPECT_EQ(platform.tray_tip, "Fresh");
}

TEST_F(StartupTest, APulledSheetStartsTheTickAndClosingSavesAndStops) {
  SavedPetOutOfItsSheet("Pip");
  sim.Form_Load("Pip");
  EXPECT_EQ(platform.timer_interval, 10);
  EXPECT_TRUE(platform.tray_present);
  EXPECT_EQ(menu.mCharacterName.caption, "Nibbet");

  pet.Age = 6;
  sim.Form_Unload();
  EXPECT_EQ(platform.store["Pip"]["Age"], "6");
  EXPECT_FALSE(platform.tray_present);
  EXPECT_EQ(platform.timer_interval, 0);
}

TEST_F(StartupTest, AHiddenDeviceStartsHidden) {
  SavedPetOutOfItsSheet("Shy");
  platform.store["Shy"]["FormVisible"] = "False";
  sim.Form_Load("Shy");
  EXPECT_FALSE(platform.window_visible);
  EXPECT_TRUE(menu.mPopupStatus.checked);
  EXPECT_FALSE(menu.mPopupInsulatingSheet.enabled);
}

TEST_F(StartupTest, WithoutATrayTheDeviceIsNeverHidden) {
  SavedPetOutOfItsSheet("Shy");
  platform.store["Shy"]["FormVisible"] = "False";
  platform.tray_available = false;
  sim.Form_Load("Shy");
  EXPECT_TRUE(platform.window_visible) << "nothing could show it again";
  EXPECT_FALSE(menu.mPopupStatus.checked);

  platform.sounds.clear();
  sim.mPopupStatus_Click();
  EXPECT_TRUE(platform.window_visible);
  EXPECT_FALSE(menu.mPopupStatus.checked);
  EXPECT_TRUE(platform.sounds.empty());
}

TEST_F(StartupTest, ASleepingPetStartsInTheDarkWithItsCheatsLocked) {
  SavedPetOutOfItsSheet("Zzz");
  platform.store["Zzz"]["CharacterNo"] = "3";
  platform.store["Zzz"]["SleepAction"] = "True";
  platform.AddFile("\\other\\dark0.gif", 64, 40);
  platform.AddFile("\\other\\dark2.gif", 30, 40);
  sim.Form_Load("Zzz");
  EXPECT_EQ(scr.Dark.GetPicture(), scr.TempDark[0].GetPicture());
  EXPECT_EQ(sim.layout.DarkWidth, 64 * 15);
  EXPECT_TRUE(menu.mCheatAction2.checked);
  EXPECT_FALSE(menu.mCheatAction0.enabled);
  EXPECT_FALSE(menu.mCheatAttention.enabled);
}

TEST_F(StartupTest, DraggingMovesTheWindowByTheMouse) {
  platform.MoveWindow(3000, 4000);
  sim.DragMouseDown(kLeftButton, 150, 300);
  sim.DragMouseMove(kLeftButton, 450, 330);
  EXPECT_EQ(platform.window_left, 3300);
  EXPECT_EQ(platform.window_top, 4030);
  EXPECT_EQ(platform.processed_events, 1);
  sim.DragMouseDown(kLeftButton, 0, 0);  // a second press does not restart it
  sim.DragMouseMove(kLeftButton, 150, 300);
  EXPECT_EQ(platform.window_left, 3300);
  sim.DragMouseUp(kLeftButton);
  sim.DragMouseMove(kLeftButton, 900, 900);
  EXPECT_EQ(platform.window_left, 3300);
}

TEST_F(StartupTest, ARightPressOpensTheMenuWithoutDragging) {
  sim.DragMouseDown(kRightButton, 100, 100);
  EXPECT_EQ(platform.popups, 1);
  EXPECT_FALSE(sim.window.DragActive);
  sim.DragMouseMove(kLeftButton, 400, 400);
  EXPECT_EQ(platform.window_left, 0);
}

TEST_F(StartupTest, SoundFollowsItsOptions) {
  struct Case {
    bool sound_on, wave;
    const char* heard;
  };
  for (const Case c : {Case{false, true, nullptr}, Case{false, false, nullptr},
                       Case{true, true, "\\sounds\\turn.wav"}, Case{true, false, "beep"}}) {
    platform.sounds.clear();
    sim.PlaySoundFile("\\sounds\\turn.wav", c.sound_on, c.wave);
    if (c.heard)
      EXPECT_EQ(platform.sounds, std::vector<std::string>{c.heard});
    else
      EXPECT_TRUE(platform.sounds.empty());
  }
  menu.mPopupSound.checked = true;
  menu.mPopupWave.checked = false;
  platform.sounds.clear();
  sim.PlaySound("\\sounds\\hatch.wav");
  EXPECT_EQ(platform.sounds, std::vector<std::string>{"beep"});
}

}  // namespace
}  // namespace nib::testing
