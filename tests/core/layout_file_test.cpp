#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class LayoutFileTest : public DeviceTest {
 protected:
  void SetUp() override { pet.CurrentColor = "Default"; }
};

TEST_F(LayoutFileTest, TheBaseFileSetsCaptionsTooltipsAndPositions) {
  platform.AddTextFile("\\default.ini",
                       " button a = Press A \n"
                       "NIBSCR.LEFT = 615\n"
                       "nibscr.top=\n"
                       "hide=Verstecken\n"
                       "sound on=Ton an\n"
                       "ok=\n"
                       "; close=Never\n"
                       "agetooltip=Age\n"
                       "nibicon6.top=1700\n"
                       "dung7.left=12.5\n"
                       "allhearts.top=1300\n"
                       "heart3.left=900\n"
                       "water.left=1300\n"
                       "angel.left=700\n"
                       "agedigit1.top=1111\n"
                       "agedigit0death.left=55\n"
                       "rarrowselectmenu1.top=1234\n"
                       "buttonb.left=945\n");
  scr.NibScr.Move(1, 2);
  sim.look.DoReadLayoutFile("");
  EXPECT_EQ(scr.ButtonA.ToolTipText, "Press A");
  EXPECT_EQ(scr.NibScr.Left(), 615);
  EXPECT_EQ(scr.NibScr.Top(), 2) << "an empty number is ignored";
  EXPECT_EQ(menu.mPopupStatus.caption, "Verstecken");
  EXPECT_EQ(menu.mPopupSound.caption, "Ton an");
  EXPECT_EQ(pet.OKButtonText, "") << "an empty text is taken";
  EXPECT_EQ(menu.mPopupClose.caption, "Close");
  EXPECT_EQ(sim.layout.AgeToolTip, "Age");
  EXPECT_EQ(scr.NibIcon[6].Top(), 1700);
  EXPECT_EQ(scr.DungImage[7].Left(), 12);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(scr.Heart[i].Top(), 1300);
  EXPECT_EQ(scr.Heart[3].Left(), 900);
  EXPECT_EQ(scr.Water.Left(), 1300);
  EXPECT_EQ(sim.layout.WaterLeft, 1300);
  EXPECT_EQ(sim.layout.AngelLeft, 700);
  EXPECT_EQ(scr.AgeDigit[1].Top(), 1111);
  EXPECT_EQ(sim.layout.AgeDigit1Top, 1111);
  EXPECT_EQ(sim.layout.AgeDigit0DeathLeft, 55);
  EXPECT_EQ(sim.layout.SelectArrow1Top, 1234);
  EXPECT_EQ(sim.layout.ButtonBLeft, 945) << "button places are remembered after the base file";
}

TEST_F(LayoutFileTest, AColorMovesTheButtonsLastWithoutTouchingTheRememberedPlaces) {
  platform.AddTextFile("\\default.ini", "reset.top=976\nbuttona.left=600\n");
  platform.AddTextFile("\\colors\\Mint\\color.ini",
                       "reset.top=1000\nbuttona.left=615\nname=Mint\nnibscr.left=1\n");
  pet.CurrentColor = "Mint";
  scr.NibScr.SetLeft(525);
  sim.look.DoReadLayoutFile("");
  EXPECT_EQ(scr.ResetButton.Top(), 1000);
  EXPECT_EQ(sim.layout.ResetButtonTop, 976);
  EXPECT_EQ(scr.ButtonA.Left(), 615);
  EXPECT_EQ(sim.layout.ButtonALeft, 600);
  EXPECT_EQ(scr.NibScr.Left(), 525) << "a colour moves only the buttons";
}

TEST_F(LayoutFileTest, APluginFileOverridesAndItsAbsenceRereadsTheBase) {
  platform.AddTextFile("\\default.ini", "button a=Base A\nhide=Hide it\nagetooltip=Age\n");
  platform.AddTextFile("\\plugins\\Neon\\plugin.ini", "hide=Hush\nnibscr.left=700\n");
  sim.look.DoReadLayoutFile("");
  sim.look.DoReadLayoutFile("Neon");
  EXPECT_EQ(menu.mPopupStatus.caption, "Hush");
  EXPECT_EQ(scr.ButtonA.ToolTipText, "Base A") << "a plugin file does not clear tooltips";
  EXPECT_EQ(scr.NibScr.Left(), 700);

  scr.ButtonA.ToolTipText = "stale";
  sim.layout.AgeToolTip = "stale";
  sim.look.DoReadLayoutFile("NoFile");
  EXPECT_EQ(scr.ButtonA.ToolTipText, "Base A");
  EXPECT_EQ(sim.layout.AgeToolTip, "Age");
  EXPECT_EQ(menu.mPopupStatus.caption, "Hide it");
}

TEST_F(LayoutFileTest, APluginFileThatCannotBeReadCountsAsMissing) {
  platform.AddTextFile("\\default.ini", "button a=Base A\nhide=Hide it\n");
  platform.AddBrokenFile("\\plugins\\Bad\\plugin.ini");
  scr.ButtonA.ToolTipText = "stale";
  menu.mPopupStatus.caption = "stale";
  sim.look.DoReadLayoutFile("Bad");
  EXPECT_EQ(scr.ButtonA.ToolTipText, "Base A");
  EXPECT_EQ(menu.mPopupStatus.caption, "Hide it");
}

TEST_F(LayoutFileTest, AMissingBaseFileClearsTooltipsAndReadsNoColor) {
  platform.AddTextFile("\\colors\\Default\\color.ini", "buttona.left=1\n");
  scr.ButtonC.ToolTipText = "old";
  scr.ButtonA.SetLeft(600);
  sim.look.DoReadLayoutFile("");
  EXPECT_EQ(scr.ButtonC.ToolTipText, "");
  EXPECT_EQ(scr.ButtonA.Left(), 600);
}

TEST_F(LayoutFileTest, CharacterFilesPlaceThePoses) {
  platform.AddTextFile("\\Chars\\05\\char.ini",
                       "original.left=900\noriginal.top=1200\neat.left=800\nwalk=TRUE\n"
                       "dying.top=1250\nstool1.left=33\neggleft=1\n");
  platform.AddTextFile("\\plugins\\Neon\\chars\\05\\char.ini", "eat.left=750\nwalk=1\n");
  pet.CharacterNo = 5;
  scr.NibChar.Move(0, 0);
  sim.look.DoGetCharacterIni("");
  EXPECT_EQ(scr.NibChar.Left(), 1) << "moved at once, by the last key";
  EXPECT_EQ(scr.NibChar.Top(), 1200);
  EXPECT_EQ(sim.layout.OriginalLeft, 900);
  EXPECT_EQ(sim.layout.EatLeft, 800);
  EXPECT_TRUE(sim.layout.CharacterWalks);
  EXPECT_EQ(sim.layout.DyingTop, 1250);
  EXPECT_EQ(sim.layout.Stool1Left, 33);

  sim.look.DoGetCharacterIni("Neon");
  EXPECT_EQ(sim.layout.EatLeft, 750);
  EXPECT_EQ(sim.layout.OriginalLeft, 900) << "absent keys keep their values";
  EXPECT_FALSE(sim.layout.CharacterWalks) << "only \"true\" walks";
}

}  // namespace
}  // namespace nib::testing
