// The status meter: four pages of age and weight, discipline, hunger and
// happiness.
#include <algorithm>

#include "sim/simulator.h"

namespace nib {

namespace {

constexpr int16 kMeterPages = 4;

// Two digit pictures for a value; the tens only when not 0. Values the
// record should never hold (below 0, above 99) show as the nearest
// two-digit value instead of indexing past the digit pictures.
void ShowTwoDigits(Screen& scr, ElementArray& digits, int16 value) {
  const int shown = std::clamp<int>(value, 0, 99);
  digits[0].CopyPictureFrom(scr.LargeNumber[shown / 10]);
  digits[1].CopyPictureFrom(scr.LargeNumber[shown % 10]);
  digits[0].SetVisible(shown / 10 != 0);
  digits[1].Show();
}

void ShowFirst(ElementArray& items, int16 count) {
  for (int i = 0; i < items.Count(); ++i) items[i].SetVisible(count >= i + 1);
}

void HideAll(ElementArray& items) {
  for (Element& e : items) e.Hide();
}

}  // namespace

void Simulator::DoMeterAction(int Button) {
  if (Button == 0 || Button == 1) {
    if (MeterPage < 0) {
      DoMainScreen(false);
      pet.IconTimeout = 10;
    }
    HideMeterPage();
    MeterPage = (MeterPage >= 0 && MeterPage < kMeterPages - 1) ? MeterPage + 1 : 0;
    DrawMeterPage();
    pet.ActionTimeout = 10;
  } else if (Button == 2) {
    HideMeterPage();
    MeterPage = -1;
    pet.ActionTimeout = 0;
    DoMainScreen(true);
  }
}

void Simulator::HideMeterPage() {
  switch (MeterPage) {
    case 0:
      scr.Meter[0].Hide();
      HideAll(scr.AgeDigit);
      HideAll(scr.WeightDigit);
      break;
    case 1:
      scr.Meter[1].Hide();
      HideAll(scr.SmallBar);
      break;
    case 2:
    case 3:
      scr.Meter[MeterPage].Hide();
      HideAll(scr.Heart);
      break;
    default:
      break;
  }
}

void Simulator::DrawMeterPage() {
  switch (MeterPage) {
    case 0:
      scr.Meter[0].Show();
      // The dead pet's age view moves the age digits; the meter always
      // shows them at their own place.
      scr.AgeDigit[0].Move(layout.AgeDigit0Left, layout.AgeDigit0Top);
      scr.AgeDigit[1].Move(layout.AgeDigit1Left, layout.AgeDigit1Top);
      ShowTwoDigits(scr, scr.AgeDigit, pet.Age);
      ShowTwoDigits(scr, scr.WeightDigit, pet.Weight);
      break;
    case 1:
      scr.Meter[1].Show();
      ShowFirst(scr.SmallBar, pet.Discipline);
      break;
    case 2:
      scr.Meter[2].Show();
      ShowFirst(scr.Heart, pet.Hunger);
      break;
    case 3:
      scr.Meter[3].Show();
      ShowFirst(scr.Heart, pet.Happiness);
      break;
    default:
      break;
  }
}

}  // namespace nib
