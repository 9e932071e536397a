// The status meter: four pages of age and weight, discipline, hunger and
// happiness.
#include <algorithm>

#include "sim/simulator.h"

namespace nib {

namespace {


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
  if (Button == kButtonA || Button == kButtonB) {
    if (meter.MeterPage < kAgeWeightPage) {
      DoMainScreen(false);
      pet.IconTimeout = 10;
    }
    HideMeterPage();
    const bool next = meter.MeterPage >= kAgeWeightPage && meter.MeterPage < kHappinessPage;
    meter.MeterPage = next ? static_cast<int16>(meter.MeterPage + 1) : int16{kAgeWeightPage};
    DrawMeterPage();
    pet.ActionTimeout = 10;
  } else if (Button == kButtonC) {
    HideMeterPage();
    meter.MeterPage = kMeterHidden;
    pet.ActionTimeout = 0;
    DoMainScreen(true);
  }
}

void Simulator::HideMeterPage() {
  switch (meter.MeterPage) {
    case kAgeWeightPage:
      scr.Meter[0].Hide();
      HideAll(scr.AgeDigit);
      HideAll(scr.WeightDigit);
      break;
    case kDisciplinePage:
      scr.Meter[1].Hide();
      HideAll(scr.SmallBar);
      break;
    case kHungerPage:
    case kHappinessPage:
      scr.Meter[meter.MeterPage].Hide();
      HideAll(scr.Heart);
      break;
    default:
      break;
  }
}

void Simulator::DrawMeterPage() {
  switch (meter.MeterPage) {
    case kAgeWeightPage:
      scr.Meter[0].Show();
      // The dead pet's age view moves the age digits; the meter always
      // shows them at their own place.
      scr.AgeDigit[0].Move(layout.AgeDigit0Left, layout.AgeDigit0Top);
      scr.AgeDigit[1].Move(layout.AgeDigit1Left, layout.AgeDigit1Top);
      ShowTwoDigits(scr, scr.AgeDigit, pet.Age);
      ShowTwoDigits(scr, scr.WeightDigit, pet.Weight);
      break;
    case kDisciplinePage:
      scr.Meter[1].Show();
      ShowFirst(scr.SmallBar, pet.Discipline);
      break;
    case kHungerPage:
      scr.Meter[2].Show();
      ShowFirst(scr.Heart, pet.Hunger);
      break;
    case kHappinessPage:
      scr.Meter[3].Show();
      ShowFirst(scr.Heart, pet.Happiness);
      break;
    default:
      break;
  }
}

}  // namespace nib
