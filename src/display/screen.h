// The catalogue of the main window's elements: the visible ones (body,
// buttons, LCD sprites) and the holders that only keep loaded pictures for
// copying into visible ones.
#pragma once

#include <vector>

#include "display/element.h"

namespace nib {

// Window size in twips (145 by 198 pixels).
inline constexpr float kWindowWidth = 2175;
inline constexpr float kWindowHeight = 2970;

class Screen {
 public:
  Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  DamageList damage;

  // Visible elements.
  Element FrontView{&damage, "FrontView"};
  Element BackView{&damage, "BackView"};
  Element ButtonA{&damage, "ButtonA"};
  Element ButtonB{&damage, "ButtonB"};
  Element ButtonC{&damage, "ButtonC"};
  Element ResetButton{&damage, "ResetButton"};
  Element NibScr{&damage, "NibScr"};
  ElementArray NibIcon{&damage, "NibIcon", 7};
  Element AttendIcon{&damage, "AttendIcon"};
  Element NibChar{&damage, "NibChar"};
  Element TempImage{&damage, "TempImage"};
  ElementArray DungImage{&damage, "DungImage", 8};
  Element SleepSign{&damage, "SleepSign"};
  Element Skull{&damage, "Skull"};
  Element Angel{&damage, "Angel"};
  Element Dark{&damage, "Dark"};
  Element Water{&damage, "Water"};
  Element FeedMenu{&damage, "FeedMenu"};
  Element MealSnack{&damage, "MealSnack"};
  Element LightMenu{&damage, "LightMenu"};
  Element RightArrow{&damage, "RightArrow"};
  Element LeftArrow{&damage, "LeftArrow"};
  ElementArray Meter{&damage, "Meter", 4};
  ElementArray Heart{&damage, "Heart", 4};
  ElementArray SmallBar{&damage, "SmallBar", 14};
  ElementArray AgeDigit{&damage, "AgeDigit", 2};
  ElementArray WeightDigit{&damage, "WeightDigit", 2};
  Element Yr{&damage, "Yr"};
  Element PlayTitle{&damage, "PlayTitle"};
  Element PlayResult{&damage, "PlayResult"};
  Element YourScore{&damage, "YourScore"};
  Element NibScore{&damage, "NibScore"};
  Element NibNumber{&damage, "NibNumber"};
  Element ResultNumber{&damage, "ResultNumber"};
  ElementArray HourDigit{&damage, "HourDigit", 2};
  ElementArray MinuteDigit{&damage, "MinuteDigit", 2};
  ElementArray SecondDigit{&damage, "SecondDigit", 2};
  Element Colon{&damage, "Colon"};
  Element AmOrPm{&damage, "AmOrPm"};
  Element SecondIdx{&damage, "SecondIdx"};
  Element ChangingScreen{&damage, "ChangingScreen"};

  // Holders: never shown.
  ElementArray TempChar{&damage, "TempChar", 4};
  ElementArray TempEat{&damage, "TempEat", 2};
  ElementArray TempHappy{&damage, "TempHappy", 2};
  ElementArray TempUnhappy{&damage, "TempUnhappy", 4};
  ElementArray TempSick{&damage, "TempSick", 2};
  ElementArray TempSleep{&damage, "TempSleep", 2};
  ElementArray TempDropping{&damage, "TempDropping", 2};
  ElementArray TempPlay{&damage, "TempPlay", 4};
  ElementArray TempNegative{&damage, "TempNegative", 2};
  ElementArray TempIcon{&damage, "TempIcon", 8};
  ElementArray TempMeal{&damage, "TempMeal", 8};
  ElementArray TempDark{&damage, "TempDark", 3};
  ElementArray TempDung{&damage, "TempDung", 2};
  ElementArray TempSleepSign{&damage, "TempSleepSign", 2};
  ElementArray TempChangingScreen{&damage, "TempChangingScreen", 8};
  ElementArray Stars{&damage, "Stars", 2};
  ElementArray LargeNumber{&damage, "LargeNumber", 10};
  ElementArray SmallNumber{&damage, "SmallNumber", 10};
  ElementArray SecondIndex{&damage, "SecondIndex", 10};
  ElementArray AmPm{&damage, "AmPm", 2};
  ElementArray ResetStatus{&damage, "ResetStatus", 2};
  ElementArray DungIcon{&damage, "DungIcon", 2};
  ElementArray SleepIcon{&damage, "SleepIcon", 2};
  ElementArray AngelIcon{&damage, "AngelIcon", 2};
  Element SickIcon{&damage, "SickIcon"};
  Element AttentionIcon{&damage, "AttentionIcon"};
  Element NullIcon{&damage, "NullIcon"};

  // Visible elements from the bottom up: later entries are drawn over
  // earlier ones.
  const std::vector<Element*>& PaintOrder() const { return paint_order_; }
  // The topmost visible element whose rectangle holds the point (twips),
  // or null.
  Element* ElementAt(float x, float y) const;

 private:
  void BuildPaintOrder();
  void PlaceFixedElements();

  std::vector<Element*> paint_order_;
};

}  // namespace nib
