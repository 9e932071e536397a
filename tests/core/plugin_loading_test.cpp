#include "core/device_fixture.h"

namespace nib::testing {
namespace {

// A program folder with a complete base set of the device's pictures.
void AddBaseSet(FakePlatform& p) {
  const char* other[] = {"nibscr.gif", "attend.gif", "feedmenu.gif", "water.gif", "larrow.gif",
                         "rarrow.gif", "lightmnu.gif", "skull.gif", "yr.gif", "angel.gif",
                         "playtitl.gif", "playresu.gif", "colon.gif", "heart.gif", "smallbar.gif",
                         "skull.ico", "attend.ico", "null.ico", "front.cur", "back.cur",
                         "push.cur", "point.cur"};
  for (const char* f : other) p.AddFile(std::string("\\other\\") + f);
  for (int n = 0; n < 10; ++n) {
    const std::string d = std::to_string(n);
    for (const char* stem : {"second", "l", "s"}) p.AddFile("\\other\\" + std::string(stem) + d + ".gif");
    if (n < 8) p.AddFile("\\other\\change" + d + ".gif");
    if (n < 7) p.AddFile("\\other\\nibicon" + d + ".gif");
    if (n < 4)
      for (const char* stem : {"meter", "meal", "snack"}) p.AddFile("\\other\\" + std::string(stem) + d + ".gif");
    if (n < 3) p.AddFile("\\other\\dark" + d + ".gif");
    if (n < 2) {
      for (const char* stem : {"ampm", "reset", "dung", "sleep", "stars"})
        p.AddFile("\\other\\" + std::string(stem) + d + ".gif");
      for (const char* stem : {"dung", "sleep", "angel"}) p.AddFile("\\other\\" + std::string(stem) + d + ".ico");
    }
  }
  for (const char* color : {"Default", "Mint"})
    for (const char* f : {"front.gif", "back.gif", "button0.gif", "button1.gif", "color.ico"})
      p.AddFile("\\colors\\" + std::string(color) + "\\" + f);
  p.AddTextFile("\\default.ini", "hide=Hide\nnibscr.left=525\nbutton a=A\n");
}

std::map<std::string, std::string> Pictures(Simulator& sim) {
  std::map<std::string, std::string> sources;
  auto note = [&](const Element& e) {
    sources[e.Name() + std::to_string(e.Index())] = PictureSource(e);
  };
  for (const Element* e : sim.scr.PaintOrder()) note(*e);
  for (ElementArray* holders : {&sim.scr.LargeNumber, &sim.scr.TempDark, &sim.scr.TempDung,
                                &sim.scr.ResetStatus, &sim.scr.TempMeal, &sim.scr.TempChangingScreen})
    for (const Element& e : *holders) note(e);
  return sources;
}

class PluginLoadingTest : public DeviceTest {
 protected:
  void SetUp() override {
    AddBaseSet(platform);
    pet.CurrentColor = "Default";
  }
  void TwoPasses(Simulator& s, const std::string& plugin) {
    s.pet.CurrentColor = pet.CurrentColor;
    s.pet.Plugins = plugin;
    s.look.DoGetPlugins("");
    if (!plugin.empty()) s.look.DoGetPlugins(plugin);
  }
};

TEST_F(PluginLoadingTest, APluginWithOnlyAScreenChangesOnlyTheScreen) {
  platform.AddFile("\\plugins\\Lcd\\other\\nibscr.gif");
  platform.AddTextFile("\\plugins\\Lcd\\plugin.ini", "hide=Away\nnibscr.left=600\n");
  Simulator base(platform, random);
  TwoPasses(base, "");
  TwoPasses(sim, "Lcd");

  auto expected = Pictures(base);
  expected["NibScr-1"] = "\\plugins\\lcd\\other\\nibscr.gif";
  EXPECT_EQ(Pictures(sim), expected);
  EXPECT_EQ(menu.mPopupStatus.caption, "Away");
  EXPECT_EQ(scr.NibScr.Left(), 600);
  EXPECT_EQ(scr.ButtonA.ToolTipText, "A");
}

TEST_F(PluginLoadingTest, TheBasePassWipesWhatAnEarlierPluginBrought) {
  platform.AddFile("\\plugins\\Old\\other\\skull.gif");
  platform.AddFile("\\plugins\\New\\other\\heart.gif");
  TwoPasses(sim, "Old");
  TwoPasses(sim, "New");
  EXPECT_EQ(PictureSource(scr.Skull), "\\other\\skull.gif");
}

TEST_F(PluginLoadingTest, TheBasePassClearsEverythingAPluginPassMaySet) {
  for (const char* f : {"skull.gif", "nibscr.gif", "l3.gif", "dark1.gif", "reset0.gif", "push.cur"})
    platform.AddFile(std::string("\\plugins\\Old\\other\\") + f);
  platform.AddTextFile("\\plugins\\Old\\plugin.ini",
                       "hide=Away\nnibscr.left=600\nbutton a=Plugin A\nbutton b=Plugin B\n"
                       "agetooltip=Years\n");
  Simulator base(platform, random);
  TwoPasses(base, "");
  TwoPasses(sim, "Old");
  ASSERT_EQ(scr.ButtonB.ToolTipText, "Plugin B");

  sim.pet.Plugins.clear();
  sim.look.DoGetPlugins("");
  EXPECT_EQ(Pictures(sim), Pictures(base));
  EXPECT_EQ(CursorSource(scr.ButtonA), "\\other\\push.cur");
  EXPECT_EQ(scr.ButtonA.ToolTipText, "A");
  EXPECT_EQ(scr.ButtonB.ToolTipText, "") << "the base file has none";
  EXPECT_EQ(sim.layout.AgeToolTip, "");
  EXPECT_EQ(menu.mPopupStatus.caption, "Hide");
  EXPECT_EQ(scr.NibScr.Left(), 525);
}

TEST_F(PluginLoadingTest, APluginCannotReplaceColorPictures) {
  platform.AddFile("\\plugins\\Body\\colors\\Default\\front.gif");
  TwoPasses(sim, "Body");
  EXPECT_EQ(PictureSource(scr.FrontView), "\\colors\\default\\front.gif");
}

TEST_F(PluginLoadingTest, AMissingColorFallsBackToDefaultBeforeTheIconIsSought) {
  pet.CurrentColor = "Gone";
  TwoPasses(sim, "");
  EXPECT_EQ(sim.pet.CurrentColor, "Default");
  auto* icon = dynamic_cast<const FakePicture*>(sim.look.WindowIcon.get());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->path, "\\colors\\default\\color.ico");
}

TEST_F(PluginLoadingTest, TheColorIconIsNeverTakenFromAPlugin) {
  pet.CurrentColor = "Mint";
  platform.AddFile("\\plugins\\Ico\\colors\\Mint\\color.ico");
  TwoPasses(sim, "Ico");
  auto* icon = dynamic_cast<const FakePicture*>(sim.look.WindowIcon.get());
  EXPECT_EQ(icon->path, "\\colors\\mint\\color.ico");
}

TEST_F(PluginLoadingTest, APluginWithACharacterLayoutButNoPicturesKeepsBasePictures) {
  platform.AddFile("\\Chars\\05\\0.gif");
  platform.AddFile("\\Chars\\05\\eat0.gif");
  platform.AddTextFile("\\Chars\\05\\char.ini", "eat.left=800\neat.top=1100\n");
  platform.AddTextFile("\\plugins\\Pose\\chars\\05\\char.ini", "eat.left=850\n");
  pet.CharacterNo = 5;
  pet.Plugins = "Pose";
  sim.look.DoGetCharacterIni("");
  sim.look.DoGetCharacterIni("Pose");
  sim.look.DoLoadCharacter();
  EXPECT_EQ(sim.layout.EatLeft, 850);
  EXPECT_EQ(sim.layout.EatTop, 1100);
  EXPECT_EQ(PictureSource(scr.TempEat[0]), "\\chars\\05\\eat0.gif");
}

TEST_F(PluginLoadingTest, TheEggLoadsOnlyItsFramesAndIcons) {
  platform.AddFile("\\Chars\\04\\happy0.gif");
  for (int n = 0; n < 3; ++n) {
    platform.AddFile("\\Chars\\00\\" + std::to_string(n) + ".gif");
    platform.AddFile("\\Chars\\00\\" + std::to_string(n) + ".ico");
  }
  platform.AddFile("\\Chars\\00\\3.gif");
  pet.CharacterNo = 4;
  sim.look.DoLoadCharacter();
  const Picture happy = scr.TempHappy[0].GetPicture();
  pet.CharacterNo = 0;
  sim.look.DoLoadCharacter();
  EXPECT_EQ(scr.TempHappy[0].GetPicture(), happy);
  EXPECT_NE(scr.TempChar[2].GetPicture(), nullptr);
  EXPECT_EQ(scr.TempChar[3].GetPicture(), nullptr) << "the egg has three frames";
  EXPECT_NE(scr.TempIcon[2].GetPicture(), nullptr);
}

TEST_F(PluginLoadingTest, UnhappyFramesZeroAndTwoShareOnePicture) {
  for (const char* f : {"unhp0.gif", "unhp1.gif", "unhp2.gif"}) platform.AddFile(std::string("\\Chars\\06\\") + f);
  pet.CharacterNo = 6;
  sim.look.DoLoadCharacter();
  EXPECT_EQ(scr.TempUnhappy[0].GetPicture(), scr.TempUnhappy[2].GetPicture());
  EXPECT_NE(scr.TempUnhappy[1].GetPicture(), scr.TempUnhappy[3].GetPicture());
}

TEST_F(PluginLoadingTest, ResetPicturesAreOptionalInAColor) {
  pet.CurrentColor = "Mint";
  platform.AddFile("\\colors\\Default\\reset0.gif");
  TwoPasses(sim, "");
  EXPECT_EQ(sim.pet.CurrentColor, "Mint") << "the colour is kept";
  EXPECT_EQ(PictureSource(scr.ResetButton), "\\other\\reset0.gif");

  platform.AddFile("\\colors\\Mint\\reset0.gif");
  TwoPasses(sim, "");
  EXPECT_EQ(PictureSource(scr.ResetButton), "\\colors\\mint\\reset0.gif");
}

}  // namespace
}  // namespace nib::testing
