// A living pet whose holders all have pictures of their own and whose LCD
// positions all differ, so tests can tell every frame and place apart.
#pragma once

#include <string>

#include "core/device_fixture.h"

namespace nib::testing {

class LcdTest : public DeviceTest {
 protected:
  void SetUp() override {
    MakeLivingPet();
    GivePictures();
    PlaceLayout();
  }

  void Fill(ElementArray& holders, const std::string& stem, int w = 10) {
    LoadSet(holders, "\\test\\" + stem, w);
  }
  void GivePictures() {
    Fill(scr.TempMeal, "meal");
    Fill(scr.TempEat, "eat");
    Fill(scr.TempNegative, "no");
    Fill(scr.TempUnhappy, "unhappy");
    Fill(scr.TempHappy, "happy");
    Fill(scr.TempDark, "dark", 64);
    Fill(scr.TempDung, "dung");
    Fill(scr.TempSick, "sick");
    Fill(scr.TempChar, "char");
    Fill(scr.LargeNumber, "l");
    Fill(scr.ResetStatus, "reset");
    scr.Dark.CopyPictureFrom(scr.TempDark[2]);
    sim.layout.DarkWidth = 64 * 15;
    for (const char* file : {"button0.gif", "button1.gif"})
      platform.AddFile(std::string("\\colors\\Default\\") + file);
    pet.CurrentColor = "Default";
  }
  void PlaceLayout() {
    Layout& l = sim.layout;
    l.SelectArrowLeft = 700;
    l.SelectArrow0Top = 1000;
    l.SelectArrow1Top = 1200;
    l.MealSnackLeft = 1100;
    l.MealSnack0Top = 900;
    l.MealSnack1Top = 1150;
    l.EatLeft = 800, l.EatTop = 1110;
    l.NoLeft = 810, l.NoTop = 1120;
    l.UnhappyLeft = 820, l.UnhappyTop = 1130;
    l.HappyLeft = 830, l.HappyTop = 1140;
    l.SickLeft = 840, l.SickTop = 1150;
    l.OriginalLeft = 850, l.OriginalTop = 1160;
    l.WaterLeft = static_cast<int16>(scr.NibScr.Left() + 600);
    l.WaterTop = 900;
  }
};

}  // namespace nib::testing
