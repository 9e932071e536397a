// The plugins-and-colors dialog: its lists under display names mapped to
// their folders, the entry shown on opening, what OK applies and what it
// leaves, and the device locked while it is open.
#include "core/device_fixture.h"
#include "sim/plugins_dialog.h"

namespace nib::testing {
namespace {

class PluginsDialogTest : public DeviceTest {
 protected:
  void SetUp() override {
    for (const char* color : {"Default", "Mint", "Night"}) {
      platform.AddFolder(std::string("\\colors\\") + color);
      for (const char* f : {"front.gif", "back.gif", "button0.gif", "color.ico"})
        platform.AddFile("\\colors\\" + std::string(color) + "\\" + f);
    }
    platform.AddFile("\\other\\nibscr.gif");
    platform.AddFile("\\other\\reset0.gif");
    platform.AddTextFile("\\default.ini", "name=Built-in look\ndescription=The toy as it ships\n");
    platform.AddTextFile("\\colors\\Mint\\color.ini",
                         "name = Peppermint\ndescription=Cool green\nbuttona.left=100\n"
                         "buttona.top=2000.6\nreset.left=\nreset.top=900\n");
    platform.AddTextFile("\\colors\\Night\\color.ini", "name=Midnight blue\n");
    AddPlugin("zeta", "name=Alpha\ndescription=first\ndescription=last wins\n");
    AddPlugin("Alpha", "name=Zulu\nname=ignored, the first name counts\ndefaultcolor=Mint\n");
    platform.AddFolder("\\plugins\\mid");  // no plugin.ini: its folder name
    platform.AddFile("\\plugins\\zeta\\other\\nibscr.gif");
    sim.Form_Load("Dialog");
    pet.InsulatingSheet = 0;
    menu.mPopupInsulatingSheet.checked = false;
    menu.mPopupInsulatingSheet.enabled = true;
    platform.forgets = 0;
  }
  void AddPlugin(const std::string& folder, const std::string& text) {
    platform.AddFolder("\\plugins\\" + folder);
    platform.AddTextFile("\\plugins\\" + folder + "\\plugin.ini", text);
  }
  PluginsDialog Open(bool plugins) {
    pet.PluginsForm = plugins;
    PluginsDialog dialog(sim, platform);
    dialog.Form_Load();
    return dialog;
  }
  // The folder behind the row of a display name.
  std::string FolderOf(PluginsDialog& dialog, const std::string& name) {
    const auto& rows = dialog.List1();
    const auto it = std::find(rows.begin(), rows.end(), name);
    if (it == rows.end()) return "(no row " + name + ")";
    dialog.List1_Click(static_cast<int>(it - rows.begin()));
    return dialog.SelectedFolder();
  }
};

TEST_F(PluginsDialogTest, RowsAreDisplayNamesSortedAndMapToTheirOwnFolders) {
  PluginsDialog dialog = Open(true);
  EXPECT_EQ(dialog.Title(), "Plugins...");
  EXPECT_EQ(dialog.List1(), (std::vector<std::string>{"Alpha", "Built-in look", "mid", "Zulu"}));
  EXPECT_EQ(FolderOf(dialog, "Alpha"), "zeta");
  EXPECT_EQ(dialog.Text1(), "last wins");
  EXPECT_EQ(FolderOf(dialog, "Zulu"), "Alpha");
  EXPECT_EQ(FolderOf(dialog, "mid"), "mid");
  EXPECT_EQ(dialog.Text1(), "");
  EXPECT_EQ(FolderOf(dialog, "Built-in look"), PluginsDialog::kDefaultEntry);
  EXPECT_EQ(dialog.Text1(), "The toy as it ships");
  dialog.List1_Click(99);  // out of range: nothing changes
  EXPECT_EQ(dialog.SelectedFolder(), PluginsDialog::kDefaultEntry);
}

TEST_F(PluginsDialogTest, TwoEntriesOfOneNameEachApplyTheirOwnFolder) {
  AddPlugin("twin1", "name=Twin\n");
  AddPlugin("twin2", "name=Twin\n");
  for (int which = 0; which < 2; ++which) {
    PluginsDialog dialog = Open(true);
    int row = -1, seen = 0;
    for (std::size_t r = 0; r < dialog.List1().size(); ++r)
      if (dialog.List1()[r] == "Twin" && seen++ == which) row = static_cast<int>(r);
    ASSERT_GE(row, 0);
    dialog.List1_DblClick(row);
    EXPECT_EQ(pet.Plugins, which == 0 ? "twin1" : "twin2");
    dialog.Form_Unload();
  }
}

TEST_F(PluginsDialogTest, TheCurrentEntryIsSelectedOnOpening) {
  PluginsDialog builtin = Open(true);
  EXPECT_EQ(builtin.SelectedFolder(), PluginsDialog::kDefaultEntry);
  builtin.Form_Unload();
  pet.Plugins = "ZETA";  // any letter case
  PluginsDialog plugin = Open(true);
  EXPECT_EQ(plugin.SelectedFolder(), "zeta");
  EXPECT_EQ(plugin.List1()[static_cast<std::size_t>(plugin.SelectedRow())], "Alpha");
  plugin.Form_Unload();
  pet.CurrentColor = "mint";
  PluginsDialog colors = Open(false);
  EXPECT_EQ(colors.Title(), "Colors...");
  EXPECT_EQ(colors.List1(), (std::vector<std::string>{"Default", "Midnight blue", "Peppermint"}));
  EXPECT_EQ(colors.SelectedFolder(), "Mint");
  EXPECT_EQ(colors.Text1(), "Cool green");
  colors.Form_Unload();
  pet.CurrentColor = "Gone";  // a colour not listed: the first row
  PluginsDialog unlisted = Open(false);
  EXPECT_EQ(unlisted.SelectedRow(), 0);
}

TEST_F(PluginsDialogTest, WithoutPluginFoldersOnlyTheBuiltInLookIsListed) {
  FakePlatform bare;
  bare.AddFolder("\\colors\\Default");
  Simulator device(bare, random);
  device.pet.PluginsForm = true;
  PluginsDialog dialog(device, bare);
  dialog.Form_Load();
  EXPECT_EQ(dialog.List1(), std::vector<std::string>{"<Default>"});
  EXPECT_EQ(dialog.SelectedRow(), 0);
}

TEST_F(PluginsDialogTest, OpeningLocksTheDeviceAndClosingUnlocksIt) {
  PluginsDialog dialog = Open(false);
  EXPECT_FALSE(platform.window_enabled);
  EXPECT_TRUE(sim.AuxWindowOpen());
  for (MenuItem* item : {&menu.mPopupStatus, &menu.mPopupOnTop, &menu.mCheats,
                         &menu.mPopupChangeColor, &menu.mPopupPlugins, &menu.mPopupInstructions,
                         &menu.mPopupAbout, &menu.mPopupInsulatingSheet})
    EXPECT_FALSE(item->enabled) << item->name;
  sim.mPopupAbout_Click();
  EXPECT_TRUE(platform.aux_windows.empty()) << "one auxiliary window at a time";
  dialog.Form_Unload();
  EXPECT_TRUE(platform.window_enabled);
  for (MenuItem* item : {&menu.mPopupStatus, &menu.mPopupAbout, &menu.mPopupInsulatingSheet})
    EXPECT_TRUE(item->enabled) << item->name;
  sim.mPopupAbout_Click();
  EXPECT_EQ(platform.aux_windows, std::vector<AuxWindow>{AuxWindow::About});
}

TEST_F(PluginsDialogTest, ASheetShownIsLockedInsteadOfItsMenuItem) {
  menu.mPopupInsulatingSheet.checked = true;
  platform.SheetLoad();
  pet.InsulatingSheet = 1;
  menu.mPopupInsulatingSheet.enabled = false;
  menu.mCheats.enabled = false;
  PluginsDialog dialog = Open(false);
  EXPECT_FALSE(platform.sheet.enabled);
  dialog.Form_Unload();
  EXPECT_TRUE(platform.sheet.enabled);
  EXPECT_FALSE(menu.mPopupInsulatingSheet.enabled) << "still pulled only, never removed";
  EXPECT_FALSE(menu.mCheats.enabled) << "a device switched off keeps its cheats locked";
}

TEST_F(PluginsDialogTest, OkAppliesAPluginWithItsDefaultColour) {
  PluginsDialog dialog = Open(true);
  FolderOf(dialog, "Alpha");  // folder zeta
  dialog.Command1_Click();
  EXPECT_EQ(pet.Plugins, "zeta");
  EXPECT_EQ(PictureSource(scr.NibScr), "\\plugins\\zeta\\other\\nibscr.gif");
  EXPECT_EQ(platform.forgets, 1) << "pictures are read again from disk";
  EXPECT_EQ(platform.captions.back(), "Dialog");

  PluginsDialog again = Open(true);
  FolderOf(again, "Zulu");  // folder Alpha, default colour Mint
  again.Command1_Click();
  EXPECT_EQ(pet.Plugins, "Alpha");
  EXPECT_EQ(pet.CurrentColor, "Mint");
  EXPECT_EQ(PictureSource(scr.FrontView), "\\colors\\mint\\front.gif");
  EXPECT_EQ(PictureSource(scr.NibScr), "\\other\\nibscr.gif") << "the base set under a plugin without it";
}

TEST_F(PluginsDialogTest, TheBuiltInEntryReturnsToTheBuiltInLookAndSavesNoPlugin) {
  pet.Plugins = "zeta";
  sim.look.DoGetPlugins("zeta");
  PluginsDialog dialog = Open(true);
  FolderOf(dialog, "Built-in look");
  dialog.Command1_Click();
  EXPECT_EQ(pet.Plugins, "");
  EXPECT_EQ(PictureSource(scr.NibScr), "\\other\\nibscr.gif");
  sim.DoSaveSettings();
  EXPECT_EQ(platform.store["Dialog"]["Plugins"], "");
}

TEST_F(PluginsDialogTest, TheSamePluginReloadsNothingButItsColourApplies) {
  pet.Plugins = "Alpha";
  pet.CurrentColor = "Night";
  PluginsDialog dialog = Open(true);
  const std::size_t loads = platform.loads.size();
  dialog.Command1_Click();
  // Only the colour's pictures and the reset buttons are read.
  for (std::size_t i = loads; i < platform.loads.size(); ++i)
    EXPECT_EQ(platform.loads[i].find("nibscr"), std::string::npos) << platform.loads[i];
  EXPECT_EQ(pet.CurrentColor, "Mint");
}

TEST_F(PluginsDialogTest, AColourMovesTheButtonsOrLeavesThemAtTheLayout) {
  const Layout before = sim.layout;
  PluginsDialog dialog = Open(false);
  FolderOf(dialog, "Peppermint");
  dialog.Command1_Click();
  EXPECT_EQ(pet.CurrentColor, "Mint");
  EXPECT_EQ(scr.ButtonA.Left(), 100);
  EXPECT_EQ(scr.ButtonA.Top(), 2001);
  EXPECT_EQ(scr.ResetButton.Left(), before.ResetButtonLeft) << "an empty value is skipped";
  EXPECT_EQ(scr.ResetButton.Top(), 900);
  EXPECT_EQ(sim.layout.ButtonALeft, before.ButtonALeft) << "the layout itself stays";
  EXPECT_EQ(PictureSource(scr.ButtonB), "\\colors\\mint\\button0.gif");
  EXPECT_EQ(PictureSource(scr.ResetButton), "\\other\\reset0.gif");
  dialog.Form_Unload();

  PluginsDialog other = Open(false);
  FolderOf(other, "Midnight blue");
  other.Command1_Click();
  EXPECT_EQ(scr.ButtonA.Left(), before.ButtonALeft);
  EXPECT_EQ(scr.ResetButton.Top(), before.ResetButtonTop);
}

TEST_F(PluginsDialogTest, AColoursResetPictureThatDoesNotDecodeLeavesTheBaseOneAndTheColour) {
  platform.AddBrokenFile("\\colors\\Night\\reset0.gif");
  PluginsDialog dialog = Open(false);
  FolderOf(dialog, "Midnight blue");
  dialog.Command1_Click();
  EXPECT_EQ(pet.CurrentColor, "Night");
  EXPECT_EQ(PictureSource(scr.ResetButton), "\\other\\reset0.gif");
  EXPECT_EQ(PictureSource(scr.FrontView), "\\colors\\night\\front.gif");
}

TEST_F(PluginsDialogTest, PullingThroughADeviceThatIsOffKeepsItBlank) {
  pet.InsulatingSheet = 1;
  platform.SheetLoad();
  platform.AddFile("\\other\\inssheet.gif");
  PluginsDialog dialog = Open(true);
  FolderOf(dialog, "Alpha");
  dialog.Command1_Click();
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_EQ(menu.mCharacterName.caption, "Dialog");
  EXPECT_EQ(platform.tray_tip, "Dialog");
  EXPECT_NE(platform.sheet.picture, nullptr);
}

}  // namespace
}  // namespace nib::testing
