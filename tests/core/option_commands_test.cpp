// The popup's options with their check marks and saved values, and turning
// the device between front and back.
#include <functional>

#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class OptionCommandsTest : public DeviceTest {
 protected:
  void SetUp() override {
    sim.Form_Load("Opt");
    pet.InsulatingSheet = 0;
    menu.mPopupInsulatingSheet.checked = false;
    platform.sounds.clear();
  }
  std::string Saved(const std::string& key) {
    sim.DoSaveSettings();
    return platform.store["Opt"][key];
  }
};

TEST_F(OptionCommandsTest, EachCommandSetsItsChecksAndIsSaved) {
  using Command = void (Simulator::*)();
  struct Case {
    Command command;
    const char* key;
    const char* saved_after_once;
    const char* saved_after_twice;
  };
  for (const Case c : {
           Case{&Simulator::mPopupSound_Click, "Sound", "False", "True"},
           Case{&Simulator::mPopupBeep_Click, "SoundType", "1", "1"},
           Case{&Simulator::mPopupWave_Click, "SoundType", "0", "0"},
           Case{&Simulator::mPopupOnTop_Click, "AlwaysOnTop", "False", "True"},
           Case{&Simulator::mPopupAutoShow_Click, "AutoShow", "True", "False"},
           Case{&Simulator::mPopupPlay1_Click, "PlayType", "1", "1"},
           Case{&Simulator::mPopupPlay0_Click, "PlayType", "0", "0"},
       }) {
    (sim.*c.command)();
    EXPECT_EQ(Saved(c.key), c.saved_after_once) << c.key;
    (sim.*c.command)();
    EXPECT_EQ(Saved(c.key), c.saved_after_twice) << c.key;
  }
  // Pairs: exactly one of each is checked.
  sim.mPopupBeep_Click();
  EXPECT_TRUE(menu.mPopupBeep.checked);
  EXPECT_FALSE(menu.mPopupWave.checked);
  sim.mPopupPlay1_Click();
  EXPECT_FALSE(menu.mPopupPlay0.checked);
  EXPECT_TRUE(menu.mPopupPlay1.checked);
}

TEST_F(OptionCommandsTest, OptionsSurviveARestart) {
  sim.mPopupSound_Click();
  sim.mPopupBeep_Click();
  sim.mPopupOnTop_Click();
  sim.mPopupAutoShow_Click();
  sim.mPopupPlay1_Click();
  sim.Form_Unload();
  Simulator again(platform, random);
  again.Form_Load("Opt");
  EXPECT_FALSE(again.menu.mPopupSound.checked);
  EXPECT_TRUE(again.menu.mPopupBeep.checked);
  EXPECT_FALSE(again.menu.mPopupWave.checked);
  EXPECT_FALSE(again.menu.mPopupOnTop.checked);
  EXPECT_FALSE(platform.topmost);
  EXPECT_TRUE(again.menu.mPopupAutoShow.checked);
  EXPECT_TRUE(again.menu.mPopupPlay1.checked);
  EXPECT_FALSE(again.menu.mPopupPlay0.checked);
}

TEST_F(OptionCommandsTest, SwitchingSoundOffIsHeardOnceThenSilence) {
  sim.mPopupSound_Click();
  EXPECT_EQ(platform.sounds, (std::vector<std::string>{"\\sounds\\turnsnd.wav"}));
  sim.DoTurnToBack(menu.mPopupSound.checked);
  sim.mPopupStatus_Click();
  EXPECT_EQ(platform.sounds.size(), 1u);
  // With Beep chosen the confirmation is the beep.
  sim.mPopupBeep_Click();
  sim.mPopupSound_Click();
  EXPECT_EQ(platform.sounds.back(), "beep");
}

TEST_F(OptionCommandsTest, AlwaysOnTopPlacesTheDevice) {
  EXPECT_TRUE(platform.topmost);
  sim.mPopupOnTop_Click();
  EXPECT_FALSE(platform.topmost);
  sim.mPopupOnTop_Click();
  EXPECT_TRUE(platform.topmost);
}

TEST_F(OptionCommandsTest, TurningShowsTheBackWithItsSoundAndTheFrontAgain) {
  sim.FrontView_DblClick();
  EXPECT_TRUE(scr.BackView.Visible());
  EXPECT_TRUE(scr.ResetButton.Visible());
  EXPECT_TRUE(menu.mPopupSide.checked);
  EXPECT_FALSE(scr.NibChar.Visible());
  sim.BackView_DblClick();
  EXPECT_FALSE(scr.BackView.Visible());
  EXPECT_FALSE(menu.mPopupSide.checked);
  sim.mPopupSide_Click();
  EXPECT_TRUE(scr.BackView.Visible());
  sim.mPopupSide_Click();
  EXPECT_FALSE(scr.BackView.Visible());
  EXPECT_EQ(platform.sounds, std::vector<std::string>(4, "\\sounds\\turn.wav"));

  menu.mPopupSound.checked = false;
  platform.sounds.clear();
  sim.mPopupSide_Click();
  sim.mPopupSide_Click();
  EXPECT_TRUE(platform.sounds.empty()) << "Sound On unchecked: a silent turn";
}

TEST_F(OptionCommandsTest, TheDeviceDoesNotTurnWhileTheSheetIsShown) {
  menu.mPopupInsulatingSheet.checked = true;
  sim.FrontView_DblClick();
  EXPECT_FALSE(scr.BackView.Visible());
  EXPECT_TRUE(platform.sounds.empty());
}

TEST_F(OptionCommandsTest, TurningToTheFrontLeavesTheClockScreen) {
  sim.DoTurnToBack(true);
  pet.TimerScreen = true;
  scr.NibChar.Hide();
  sim.DoTurnToFront(true);
  EXPECT_FALSE(scr.NibChar.Visible()) << "the clock screen is not redrawn as the main screen";
}

}  // namespace
}  // namespace nib::testing
