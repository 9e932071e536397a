// Positions and texts that the layout files give and the display code uses
// when it shows a screen. Twips; zero until a file sets them.
#pragma once

#include <string>

#include "sim/pet.h"

namespace nib {

struct Layout {
  // Stored by the text and layout file.
  int16 WaterLeft = 0, WaterTop = 0;
  int16 AngelLeft = 0;
  int16 AgeDigit0Left = 0, AgeDigit0Top = 0, AgeDigit1Left = 0, AgeDigit1Top = 0;
  int16 AgeDigit0DeathLeft = 0, AgeDigit0DeathTop = 0;
  int16 AgeDigit1DeathLeft = 0, AgeDigit1DeathTop = 0;
  int16 AngelInAgeScreenLeft = 0;
  int16 StarsLeft = 0, StarsTop = 0;
  int16 LaidEggLeft = 0, LaidEggTop = 0;
  int16 SelectArrowLeft = 0, SelectArrow0Top = 0, SelectArrow1Top = 0;
  int16 MealSnackLeft = 0, MealSnack0Top = 0, MealSnack1Top = 0;
  int16 RightArrowLeft = 0, RightArrowTop = 0, LeftArrowLeft = 0, LeftArrowTop = 0;
  int16 ButtonALeft = 0, ButtonATop = 0, ButtonBLeft = 0, ButtonBTop = 0;
  int16 ButtonCLeft = 0, ButtonCTop = 0, ResetButtonLeft = 0, ResetButtonTop = 0;
  std::string AgeToolTip, WeightToolTip, HungryToolTip, HappyToolTip, DisciplineToolTip;

  // Stored by the character file.
  int16 EggShakeLeft = 0, EggShakeRight = 0, EggHatchLeft = 0, EggHatchTop = 0;
  bool CharacterWalks = false;
  int16 OriginalLeft = 0, OriginalTop = 0;
  int16 EatLeft = 0, EatTop = 0;
  int16 NoLeft = 0, NoTop = 0;
  int16 SickLeft = 0, SickTop = 0;
  int16 HappyLeft = 0, HappyTop = 0;
  int16 UnhappyLeft = 0, UnhappyTop = 0;
  int16 PlayLeft = 0, PlayTop = 0;
  int16 SleepLeft = 0, SleepTop = 0;
  int16 Stool0Left = 0, Stool0Top = 0, Stool1Left = 0, Stool1Top = 0;
  int16 DyingLeft = 0, DyingTop = 0;
  int16 LayAnEggLeft = 0, LayAnEggTop = 0;

  // The full width of the darkness, remembered when its picture is set, so
  // the flush sweep can narrow it and give it back.
  int16 DarkWidth = 0;
};

}  // namespace nib
