// The pet record: every counter, flag and option of one pet. A plain value,
// so tests can copy, compare and build it from tables.
#pragma once

#include <cstdint>
#include <string>

namespace nib {

using int16 = std::int16_t;
using int32 = std::int32_t;

// The pet of a start without a name.
inline constexpr char kDefaultPetName[] = "Nibbet";
inline constexpr int16 kHourMinutes = 10;
// Minutes of neglect a pet survives: two pet days.
inline constexpr int16 kFullDyingTime = kHourMinutes * 24 * 2;
// Discipline runs 0..14: four justified scoldings fill the bar.
inline constexpr int16 kFullDiscipline = 14;
// A pet weighs at most this much.
inline constexpr int16 kHeaviest = 99;

// The fields kept in the settings store, with the values of a new pet.
struct PetSaved {
  int16 InsulatingSheet = 1;
  int16 InsulatingSheetWidthPushed = 700;
  std::string Plugins;
  int16 AttendTimeLeft = 0;
  int16 CharacterNo = 0;
  std::string CurrentColor;
  int16 FeedMenuIndex = 0;
  int16 IntervalCount = 0;
  float Left = 0;  // twips
  int16 LightMenuIndex = 0;
  bool LightOff = false;
  int32 MinuteCount = 0;
  int16 MaxMinutes = 0;
  int16 SecondCount = 0;
  int16 CurrentTempChar = 0;
  float Top = 0;  // twips
  int16 TotalNeedCount = 0;
  int16 Age = 0;
  int16 Weight = 0;
  int16 Discipline = 0;
  int16 Happiness = 0;
  int16 Hunger = 0;
  int16 Sickness = 0;
  int16 Dung = 0;
  bool AttentionHungry = false;
  bool AttentionHappy = false;
  bool AttentionDiscipline = false;
  bool AttentionSleep = false;
  bool SleepAction = false;
  int16 DyingAction = 0;
  int16 DyingTimeLeft = kFullDyingTime;
  int16 DisciplineWhenNeed = 0;
  int16 PlayCounter = 0;
  int16 SnackCount = 0;
  int16 NeedCount = 0;
  int16 CareWhenNeed = 0;

  bool operator==(const PetSaved&) const = default;
};

struct Pet : PetSaved {
  // Not saved: recomputed at start-up or when the character changes.
  std::string NibbetName = kDefaultPetName;
  std::string CharacterName;
  int16 TimerInterval = 10;
  int16 HourMinutes = kHourMinutes;
  int32 MinuteToChangeCharacter = 0;
  int16 MinWeight = 0;
  int16 FrameDelay = 80;
  int16 DelayValue = 7;
  bool TimerScreen = false;
  int16 LastSecond = 0;
  int16 ChangeStep = 0;
  int16 NextCharacterNo = 0;
  std::string StatusText;
  std::string OKButtonText = "&OK";
  std::string CancelButtonText = "&Cancel";
  std::string CheatCode;
  int16 CurrentInsulatingSheet = 0;
  bool SendInsulatingSheetToBack = false;
  bool ButtonAPressed = false;
  bool ButtonBPressed = false;
  bool ButtonCPressed = false;
  bool PluginsForm = false;

  // Action and animation state.
  int16 ActionTimeout = 0;
  int16 IconTimeout = 0;
  bool Flushing = false;
  bool HappyReaction = false;
  bool UnhappyReaction = false;
  bool RefusalReaction = false;
  bool Dropping = false;
  bool Eating = false;
  int16 AnimStep = 0;
  int16 AnimRepeat = 0;
  int16 AnimFrame = 0;
  int16 FrameStep = 0;
  int16 AttendBeepCount = 0;
  int16 DungFlipCount = 0;
};

}  // namespace nib
