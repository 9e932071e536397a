#include <memory>
#include <string>
#include <vector>

#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class PictureLoadingTest : public DeviceTest {
 protected:
  void Load(const std::string& plugin, Element& e, std::string folder, const std::string& file) {
    sim.look.DoLoadPicture(plugin, e, folder, file);
  }
};

TEST_F(PictureLoadingTest, PluginFirstThenBaseForEveryFolderButColors) {
  struct Case {
    const char* plugin;
    const char* folder;
    const char* file;
    const char* expected;
  };
  platform.AddFile("\\plugins\\Neon\\other\\nibscr.gif");
  platform.AddFile("\\other\\nibscr.gif");
  platform.AddFile("\\plugins\\Neon\\colors\\Blue\\front.gif");
  platform.AddFile("\\colors\\Blue\\front.gif");
  const Case cases[] = {
      {"Neon", "\\other\\", "nibscr.gif", "\\plugins\\neon\\other\\nibscr.gif"},
      {"", "\\other\\", "nibscr.gif", "\\other\\nibscr.gif"},
      {"Missing", "\\other\\", "nibscr.gif", "\\other\\nibscr.gif"},
      {"Neon", "\\colors\\Blue\\", "front.gif", "\\colors\\blue\\front.gif"},
      {"Neon", "\\COLORS\\Blue\\", "front.gif", "\\colors\\blue\\front.gif"},
      {"Neon", "\\CoLoRs\\Blue\\", "front.gif", "\\colors\\blue\\front.gif"},
  };
  for (const Case& c : cases) {
    Element e(&scr.damage, "probe");
    Load(c.plugin, e, c.folder, c.file);
    EXPECT_EQ(PictureSource(e), c.expected) << c.plugin << " " << c.folder;
  }
}

TEST_F(PictureLoadingTest, AColorLackingAFileSwitchesThePetToDefault) {
  platform.AddFile("\\colors\\Default\\button1.gif", 18, 18);
  pet.CurrentColor = "Blue";
  std::string folder = "\\colors\\Blue\\";
  sim.look.DoLoadPicture("", scr.ButtonA, folder, "button1.gif");
  EXPECT_EQ(PictureSource(scr.ButtonA), "\\colors\\default\\button1.gif");
  EXPECT_EQ(pet.CurrentColor, "Default");
  EXPECT_EQ(folder, "\\colors\\Default\\");
  EXPECT_EQ(scr.ButtonA.Width(), 18 * 15);
}

TEST_F(PictureLoadingTest, MissingEverywhereOrUndecodableKeepsThePicture) {
  platform.AddFile("\\other\\skull.gif");
  Load("", scr.Skull, "\\other\\", "skull.gif");
  Load("", scr.Skull, "\\other\\", "nothere.gif");
  EXPECT_EQ(PictureSource(scr.Skull), "\\other\\skull.gif");

  platform.AddBrokenFile("\\plugins\\Bad\\other\\skull.gif");
  Load("Bad", scr.Skull, "\\other\\", "skull.gif");
  EXPECT_EQ(PictureSource(scr.Skull), "\\other\\skull.gif");

  pet.CurrentColor = "Gone";
  std::string folder = "\\colors\\Gone\\";
  sim.look.DoLoadPicture("", scr.ButtonB, folder, "button1.gif");
  EXPECT_EQ(scr.ButtonB.GetPicture(), nullptr);
  EXPECT_EQ(pet.CurrentColor, "Default");
}

TEST_F(PictureLoadingTest, AFileThatDoesNotDecodeCountsAsMissing) {
  struct Case {
    const char* name;
    std::vector<std::string> good, broken;
    const char* plugin;
    const char* folder;
    const char* expected;  // "" keeps the picture it had
    const char* color_after;
  };
  const Case cases[] = {
      {"plugin broken, base taken", {"\\other\\skull.gif"}, {"\\plugins\\Bad\\other\\skull.gif"},
       "Bad", "\\other\\", "\\other\\skull.gif", "Blue"},
      {"colour broken, Default taken", {"\\colors\\Default\\skull.gif"},
       {"\\colors\\Blue\\skull.gif"}, "", "\\colors\\Blue\\", "\\colors\\default\\skull.gif",
       "Default"},
      {"broken everywhere", {}, {"\\other\\skull.gif", "\\plugins\\Bad\\other\\skull.gif"},
       "Bad", "\\other\\", "", "Blue"},
  };
  for (const Case& c : cases) {
    platform.files.clear();
    for (const std::string& path : c.good) platform.AddFile(path);
    for (const std::string& path : c.broken) platform.AddBrokenFile(path);
    pet.CurrentColor = "Blue";
    Element e(&scr.damage, "probe");
    const Picture before = std::make_shared<FakePicture>();
    e.SetPicture(before);
    std::string folder = c.folder;
    sim.look.DoLoadPicture(c.plugin, e, folder, "skull.gif");
    if (*c.expected)
      EXPECT_EQ(PictureSource(e), c.expected) << c.name;
    else
      EXPECT_EQ(e.GetPicture(), before) << c.name;
    EXPECT_EQ(pet.CurrentColor, c.color_after) << c.name;
  }
}

TEST_F(PictureLoadingTest, ACursorThatDoesNotDecodeGivesWayToTheBaseOrTheArrow) {
  platform.AddBrokenFile("\\plugins\\Bad\\other\\push.cur");
  platform.AddFile("\\other\\push.cur");
  sim.look.DoLoadPointer("Bad", scr.ButtonA, "\\other\\", "push.cur");
  EXPECT_EQ(scr.ButtonA.Pointer, MousePointer::Custom);
  EXPECT_EQ(CursorSource(scr.ButtonA), "\\other\\push.cur");

  platform.AddBrokenFile("\\other\\front.cur");
  scr.FrontView.Pointer = MousePointer::Custom;
  sim.look.DoLoadPointer("", scr.FrontView, "\\other\\", "front.cur");
  EXPECT_EQ(scr.FrontView.Pointer, MousePointer::Arrow);
}

TEST_F(PictureLoadingTest, AColourWhoseBodyDoesNotDecodeShowsTheDefaultBody) {
  platform.AddBrokenFile("\\colors\\Blue\\front.gif");
  platform.AddFile("\\colors\\Blue\\button0.gif");
  platform.AddFile("\\colors\\Default\\front.gif", 145, 198);
  platform.AddFile("\\colors\\Default\\button0.gif");
  pet.CurrentColor = "Blue";
  sim.look.DoGetPlugins("");
  EXPECT_EQ(PictureSource(scr.FrontView), "\\colors\\default\\front.gif");
  EXPECT_EQ(scr.FrontView.Width(), 145 * 15);
  EXPECT_EQ(pet.CurrentColor, "Default");
}

TEST_F(PictureLoadingTest, AColoursResetPictureThatDoesNotDecodeLeavesTheBaseOneAndTheColour) {
  for (const char* f : {"front.gif", "back.gif", "button0.gif"}) {
    platform.AddFile(std::string("\\colors\\Blue\\") + f);
    platform.AddFile(std::string("\\colors\\Default\\") + f);
  }
  platform.AddFile("\\other\\reset0.gif");
  platform.AddBrokenFile("\\colors\\Blue\\reset0.gif");
  pet.CurrentColor = "Blue";
  sim.look.DoGetPlugins("");
  EXPECT_EQ(PictureSource(scr.ResetStatus[0]), "\\other\\reset0.gif");
  EXPECT_EQ(pet.CurrentColor, "Blue");
}

TEST_F(PictureLoadingTest, CursorsComeFromPluginOrBaseElseTheArrow) {
  platform.AddFile("\\plugins\\Neon\\other\\push.cur");
  platform.AddFile("\\other\\front.cur");
  sim.look.DoLoadPointer("Neon", scr.ButtonA, "\\other\\", "push.cur");
  EXPECT_EQ(scr.ButtonA.Pointer, MousePointer::Custom);
  EXPECT_EQ(CursorSource(scr.ButtonA), "\\plugins\\neon\\other\\push.cur");

  sim.look.DoLoadPointer("Neon", scr.FrontView, "\\other\\", "front.cur");
  EXPECT_EQ(CursorSource(scr.FrontView), "\\other\\front.cur");

  sim.look.DoLoadPointer("", scr.ButtonA, "\\other\\", "push.cur");
  EXPECT_EQ(scr.ButtonA.Pointer, MousePointer::Arrow);
  EXPECT_EQ(CursorSource(scr.ButtonA), "\\plugins\\neon\\other\\push.cur") << "kept";
}

TEST_F(PictureLoadingTest, ACopySharesThePictureAndTakesItsSize) {
  platform.AddFile("\\other\\dung0.gif", 12, 8);
  Load("", scr.TempDung[0], "\\other\\", "dung0.gif");
  const auto decodes = platform.loads.size();
  scr.DungImage[3].CopyPictureFrom(scr.TempDung[0]);
  EXPECT_EQ(scr.DungImage[3].GetPicture(), scr.TempDung[0].GetPicture());
  EXPECT_EQ(scr.DungImage[3].Width(), 180);
  EXPECT_EQ(scr.DungImage[3].Height(), 120);
  EXPECT_EQ(platform.loads.size(), decodes);
}

TEST_F(PictureLoadingTest, TheBaseSetFillsEveryDeviceElementAndHolder) {
  const char* other[] = {"nibscr.gif", "attend.gif", "feedmenu.gif", "water.gif", "larrow.gif",
                         "rarrow.gif", "lightmnu.gif", "skull.gif", "yr.gif", "angel.gif",
                         "playtitl.gif", "playresu.gif", "colon.gif", "heart.gif", "smallbar.gif",
                         "skull.ico", "attend.ico", "null.ico", "reset0.gif", "reset1.gif"};
  for (const char* f : other) platform.AddFile(std::string("\\other\\") + f);
  for (int n = 0; n < 10; ++n)
    for (const char* stem : {"second", "l", "s"})
      platform.AddFile("\\other\\" + std::string(stem) + std::to_string(n) + ".gif");
  for (const char* f : {"front.gif", "back.gif", "button0.gif", "color.ico", "reset0.gif"})
    platform.AddFile(std::string("\\colors\\Default\\") + f);
  pet.CurrentColor = "Default";
  sim.window.StartingUp = true;

  sim.look.DoGetPlugins("");

  EXPECT_EQ(platform.captions.front(), "Loading images...");
  EXPECT_EQ(PictureSource(scr.FrontView), "\\colors\\default\\front.gif");
  EXPECT_EQ(PictureSource(scr.ButtonC), "\\colors\\default\\button0.gif");
  EXPECT_EQ(PictureSource(scr.NibScr), "\\other\\nibscr.gif");
  EXPECT_EQ(PictureSource(scr.SmallBar[13]), "\\other\\smallbar.gif");
  EXPECT_EQ(PictureSource(scr.LargeNumber[9]), "\\other\\l9.gif");
  EXPECT_EQ(PictureSource(scr.NullIcon), "\\other\\null.ico");
  // The colour's reset picture wins over the base one; the pressed one
  // comes from the base folder.
  EXPECT_EQ(PictureSource(scr.ResetStatus[0]), "\\colors\\default\\reset0.gif");
  EXPECT_EQ(PictureSource(scr.ResetStatus[1]), "\\other\\reset1.gif");
  EXPECT_EQ(scr.ResetButton.GetPicture(), scr.ResetStatus[0].GetPicture());
  EXPECT_NE(platform.window_icon, nullptr);
  EXPECT_EQ(platform.tray_tip, "Loading, please wait...");

  sim.look.DoGetPlugins("Neon");
  EXPECT_EQ(platform.captions.back(), "Loading plugin...");
}

}  // namespace
}  // namespace nib::testing
