#include "display/screen.h"

namespace nib {

namespace {

// Placeholder positions (twips) until the layout files place the LCD
// elements: the LCD glass, its two icon rows and its dot matrix.
constexpr float kLcdLeft = 525, kLcdTop = 840;
constexpr float kIconTopRow = 900, kIconBottomRow = 1680;
constexpr float kIconColumns[4] = {585, 840, 1095, 1350};
constexpr float kMatrixLeft = 615, kMatrixTop = 1140;

}  // namespace

Screen::Screen() {
  PlaceFixedElements();
  for (Element* e : {&FrontView, &ButtonA, &ButtonB, &ButtonC, &NibScr}) e->Show();
  BuildPaintOrder();
  damage.Clear();
}

void Screen::PlaceFixedElements() {
  NibScr.Move(kLcdLeft, kLcdTop);
  for (int i = 0; i < 7; ++i)
    NibIcon[i].Move(kIconColumns[i % 4], i < 4 ? kIconTopRow : kIconBottomRow);
  AttendIcon.Move(kIconColumns[3], kIconBottomRow);
  for (Element* e : {&NibChar, &TempImage, &SleepSign, &Skull, &Angel, &Dark, &Water,
                     &FeedMenu, &MealSnack, &LightMenu, &ChangingScreen})
    e->Move(kMatrixLeft, kMatrixTop);
}

void Screen::BuildPaintOrder() {
  auto add = [this](Element& e) { paint_order_.push_back(&e); };
  auto add_all = [this](ElementArray& a) {
    for (Element& e : a) paint_order_.push_back(&e);
  };
  // From the bottom up; within an array the higher index lies above.
  add(NibScr);
  add(NibChar);
  add_all(NibIcon);
  add(AttendIcon);
  add(Colon);
  add_all(HourDigit);
  add_all(MinuteDigit);
  add_all(SecondDigit);
  add(AmOrPm);
  add(SecondIdx);
  add(FeedMenu);
  add(RightArrow);
  add(LeftArrow);
  add(LightMenu);
  add(Dark);
  add(Meter[0]);
  add(Meter[1]);
  add_all(SmallBar);
  add_all(AgeDigit);
  add_all(WeightDigit);
  add(Meter[2]);
  add(Meter[3]);
  add_all(Heart);
  add_all(DungImage);
  add(Skull);
  add(MealSnack);
  add(TempImage);
  add(SleepSign);
  add(PlayTitle);
  add(PlayResult);
  add(YourScore);
  add(NibScore);
  add(Angel);
  add(Yr);
  add(ChangingScreen);
  add(NibNumber);
  add(ResultNumber);
  add(Water);
  add(FrontView);
  add(ButtonA);
  add(ButtonB);
  add(ButtonC);
  add(BackView);
  add(ResetButton);
}

Element* Screen::ElementAt(float x, float y) const {
  for (auto it = paint_order_.rbegin(); it != paint_order_.rend(); ++it) {
    Element* e = *it;
    if (e->Visible() && e->Contains(x, y)) return e;
  }
  return nullptr;
}

}  // namespace nib
