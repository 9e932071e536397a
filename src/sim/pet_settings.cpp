// Creating, loading and saving the pet record in the settings store.
#include <algorithm>
#include <iterator>

#include "sim/insulating_sheet.h"
#include "sim/settings_text.h"
#include "sim/device_timings.h"
#include "sim/simulator.h"

namespace nib {

namespace {

constexpr char kNotFound[] = "NotFound";
// Ranges of fields no rule bounds on its own: the dying steps end with the
// laid egg, neglect lasts at most two pet days, and no pet lives to need a
// hundred doses.
constexpr int kLastDyingStep = 61;
constexpr int kMostDoses = 99;
// A sheet that is not there: the state of a surviving pet whose sheet key
// was lost, as a sheet left in would switch it off and a new egg follow.
constexpr int16 kSheetRemoved = 0;

// Every key a pet's section holds, as saved.
constexpr const char* kSavedKeys[] = {
    "InsulatingSheet", "InsulatingSheetWidthPushed", "Plugins", "AlwaysOnTop", "AttendTimeLeft",
    "AutoShow", "CharacterNo", "CurrentColor", "FeedMenuIndex", "FormVisible", "IntervalCount",
    "Left", "LightMenuIndex", "LightOff", "MinuteCount", "MaxMinutes", "SecondCount", "Sound",
    "SoundType", "PlayType", "CurrentTempChar", "Top", "TotalNeedCount", "Age", "Weight",
    "Discipline", "Happiness", "Hunger", "Sickness", "Dung", "AttentionHungry", "AttentionHappy",
    "AttentionDiscipline", "AttentionSleep", "SleepAction", "DyingAction", "DyingTimeLeft",
    "DisciplineWhenNeed", "PlayCounter", "SnackCount", "NeedCount", "CareWhenNeed"};

// Reads one section key by key. A key that is missing or does not convert
// leaves the field as it is: the record assumes every key exists once the
// first one does, but a hand-edited or damaged store must not hurt the pet.
class SectionReader {
 public:
  SectionReader(Platform& platform, const std::string& section)
      : platform_(platform), section_(section) {}

  std::string Text(const char* key) { return platform_.ReadSetting(section_, key, ""); }

  bool Int(const char* key, int16& field, int lowest = -32768, int highest = 32767) {
    const auto value = ParseInt16(Text(key));
    if (!value) return false;
    field = static_cast<int16>(std::clamp<int>(*value, lowest, highest));
    return true;
  }
  // A value out of range is not taken at all.
  bool IntWithin(const char* key, int16& field, int lowest, int highest) {
    const auto value = ParseInt16(Text(key));
    if (!value || *value < lowest || *value > highest) return false;
    field = *value;
    return true;
  }
  bool Int32(const char* key, int32& field) {
    const auto value = ParseInt32(Text(key));
    if (value) field = std::max<int32>(*value, 0);
    return value.has_value();
  }
  bool Bool(const char* key, bool& field) {
    const auto value = ParseBool(Text(key));
    if (value) field = *value;
    return value.has_value();
  }
  bool Float(const char* key, float& field) {
    const auto value = ParseFloat(Text(key));
    if (value) field = *value;
    return value.has_value();
  }
  void String(const char* key, std::string& field) { field = Text(key); }

 private:
  Platform& platform_;
  const std::string& section_;
};

void CheckPair(MenuItem& first, MenuItem& second, bool first_checked) {
  first.checked = first_checked;
  second.checked = !first_checked;
}

}  // namespace

void Simulator::DoNewPet() {
  static_cast<PetSaved&>(pet) = PetSaved{};
  pet.InsulatingSheet = 1;
  pet.CurrentInsulatingSheet = 1;
  pet.InsulatingSheetWidthPushed = 700;
  pet.Left = (platform_.ScreenWidth() - kWindowWidth) / 2;
  pet.Top = (platform_.ScreenHeight() - kWindowHeight) / 2;
  platform_.MoveWindow(pet.Left, pet.Top);
  platform_.SetWindowVisible(true);
  pet.CurrentColor = "Default";
  pet.HourMinutes = kHourMinutes;
  pet.MaxMinutes = 0;
  platform_.SetTopMost(menu.mPopupOnTop.checked);
  pet.CharacterNo = kEgg;
  DoSetCharacter(pet.CharacterNo);
  pet.FeedMenuIndex = 0;
  pet.LightMenuIndex = 0;
  pet.LightOff = false;
  pet.Plugins.clear();
  pet.CurrentColor.clear();
}

void Simulator::DoLoadSettings() {
  auto stored = [&](const char* key) {
    return platform_.ReadSetting(pet.NibbetName, key, kNotFound) != kNotFound;
  };
  // A damaged section that lost its first key still holds a pet.
  if (std::none_of(std::begin(kSavedKeys), std::end(kSavedKeys), stored)) {
    DoNewPet();
    DoSaveSettings();
    return;
  }
  // Fields missing from the store keep the values of a new pet.
  static_cast<PetSaved&>(pet) = PetSaved{};
  if (!stored("InsulatingSheet")) pet.InsulatingSheet = kSheetRemoved;
  ApplyLoadedValues();
  if (pet.DyingAction > 0) ResumeDying();
  if (ScreenVisible()) scr.NibChar.Show();
}

void Simulator::ApplyLoadedValues() {
  SectionReader in(platform_, pet.NibbetName);
  in.IntWithin("InsulatingSheet", pet.InsulatingSheet, 0, 2);
  in.Int("InsulatingSheetWidthPushed", pet.InsulatingSheetWidthPushed, 0, kSheetMaxPushed);

  pet.Left = platform_.WindowLeft();
  pet.Top = platform_.WindowTop();
  in.Float("Left", pet.Left);
  in.Float("Top", pet.Top);
  if (pet.Left > platform_.ScreenWidth()) pet.Left = platform_.ScreenWidth() - kWindowWidth;
  if (pet.Top > platform_.ScreenHeight()) pet.Top = platform_.ScreenHeight() - kWindowHeight;
  platform_.MoveWindow(pet.Left, pet.Top);
  platform_.KeepWindowOnScreen();
  platform_.SetWindowVisible(true);

  int16 play_type = 0;
  if (in.Int("PlayType", play_type)) CheckPair(menu.mPopupPlay0, menu.mPopupPlay1, play_type == 0);
  in.String("Plugins", pet.Plugins);
  in.Bool("AutoShow", menu.mPopupAutoShow.checked);
  in.Bool("AlwaysOnTop", menu.mPopupOnTop.checked);
  platform_.SetTopMost(menu.mPopupOnTop.checked);

  in.String("CurrentColor", pet.CurrentColor);
  in.Int("MaxMinutes", pet.MaxMinutes, 0);
  in.IntWithin("CharacterNo", pet.CharacterNo, 0, kAngel);
  DoSetCharacter(pet.CharacterNo);
  scr.NibChar.Hide();

  in.Int("IntervalCount", pet.IntervalCount, 0);
  in.Int("SecondCount", pet.SecondCount, 0, 59);
  in.Int32("MinuteCount", pet.MinuteCount);
  in.Int("CurrentTempChar", pet.CurrentTempChar, 0, 3);

  in.Bool("Sound", menu.mPopupSound.checked);
  int16 sound_type = 0;
  if (in.Int("SoundType", sound_type)) CheckPair(menu.mPopupWave, menu.mPopupBeep, sound_type == 0);
  bool form_visible = true;
  if (in.Bool("FormVisible", form_visible)) menu.mPopupStatus.checked = !form_visible;

  in.Bool("AttentionHungry", pet.AttentionHungry);
  in.Bool("AttentionHappy", pet.AttentionHappy);
  in.Bool("AttentionDiscipline", pet.AttentionDiscipline);
  in.Int("AttendTimeLeft", pet.AttendTimeLeft, 0, 120);
  scr.AttendIcon.SetVisible(pet.AttendTimeLeft > 0);

  in.Int("FeedMenuIndex", pet.FeedMenuIndex, 0, 1);
  in.Int("LightMenuIndex", pet.LightMenuIndex, 0, 1);
  in.Int("Age", pet.Age, 0, 99);
  in.Int("Weight", pet.Weight, 0, kHeaviest);
  in.Int("Discipline", pet.Discipline, 0, kFullDiscipline);
  in.Int("Happiness", pet.Happiness, 0, 4);
  in.Int("Hunger", pet.Hunger, 0, 4);
  in.Int("Sickness", pet.Sickness, 0, kMostDoses);
  in.Int("Dung", pet.Dung, 0, 8);
  in.Bool("SleepAction", pet.SleepAction);
  in.Bool("AttentionSleep", pet.AttentionSleep);
  if (pet.AttentionSleep) {
    // The sleep call starts afresh.
    pet.SleepAction = true;
    scr.AttendIcon.Show();
    pet.AttendTimeLeft = kCallSeconds;
  }
  in.Bool("LightOff", pet.LightOff);
  in.Int("DyingAction", pet.DyingAction, 0, kLastDyingStep);
  in.Int("DyingTimeLeft", pet.DyingTimeLeft, -32768, kFullDyingTime);
  if (pet.DyingTimeLeft <= 0) pet.DyingTimeLeft = kFullDyingTime;
  if (pet.CharacterNo == kEgg || pet.CharacterNo == kAngel) {
    // Neither the egg nor the angel dies, calls, sleeps or sits in the dark:
    // no step of theirs would ever end such a state.
    pet.DyingAction = 0;
    pet.AttendTimeLeft = 0;
    scr.AttendIcon.Hide();
    ClearCallsSleepAndDung();
    pet.Dung = 0;
  }

  in.Int("DisciplineWhenNeed", pet.DisciplineWhenNeed, 0);
  in.Int("PlayCounter", pet.PlayCounter, 0);
  in.Int("SnackCount", pet.SnackCount, 0);
  in.Int("NeedCount", pet.NeedCount, 0);
  in.Int("TotalNeedCount", pet.TotalNeedCount, 0);
  in.Int("CareWhenNeed", pet.CareWhenNeed, 0);
}

void Simulator::ResumeDying() {
  DoEndCurrentAction();
  DoMainScreen(false);
  ShowDyingPet();
}

void Simulator::DoSaveSettings() {
  const std::string& section = pet.NibbetName;
  auto put = [&](const char* key, const std::string& value) {
    platform_.WriteSetting(section, key, value);
  };
  pet.Left = platform_.WindowLeft();
  pet.Top = platform_.WindowTop();
  put("InsulatingSheet", IntText(pet.InsulatingSheet));
  put("InsulatingSheetWidthPushed", IntText(pet.InsulatingSheetWidthPushed));
  put("Plugins", pet.Plugins);
  put("AlwaysOnTop", BoolText(menu.mPopupOnTop.checked));
  put("AttendTimeLeft", IntText(pet.AttendTimeLeft));
  put("AutoShow", BoolText(menu.mPopupAutoShow.checked));
  put("CharacterNo", IntText(pet.CharacterNo));
  put("CurrentColor", pet.CurrentColor);
  put("FeedMenuIndex", IntText(pet.FeedMenuIndex));
  put("FormVisible", BoolText(platform_.WindowVisible()));
  put("IntervalCount", IntText(pet.IntervalCount));
  put("Left", FloatText(pet.Left));
  put("LightMenuIndex", IntText(pet.LightMenuIndex));
  put("LightOff", BoolText(pet.LightOff));
  put("MinuteCount", IntText(pet.MinuteCount));
  put("MaxMinutes", IntText(pet.MaxMinutes));
  put("SecondCount", IntText(pet.SecondCount));
  put("Sound", BoolText(menu.mPopupSound.checked));
  if (menu.mPopupWave.checked)
    put("SoundType", "0");
  else if (menu.mPopupBeep.checked)
    put("SoundType", "1");
  put("PlayType", menu.mPopupPlay0.checked ? "0" : "1");
  put("CurrentTempChar", IntText(pet.CurrentTempChar));
  put("Top", FloatText(pet.Top));
  put("TotalNeedCount", IntText(pet.TotalNeedCount));
  put("Age", IntText(pet.Age));
  put("Weight", IntText(pet.Weight));
  put("Discipline", IntText(pet.Discipline));
  put("Happiness", IntText(pet.Happiness));
  put("Hunger", IntText(pet.Hunger));
  put("Sickness", IntText(pet.Sickness));
  put("Dung", IntText(pet.Dung));
  put("AttentionHungry", BoolText(pet.AttentionHungry));
  put("AttentionHappy", BoolText(pet.AttentionHappy));
  put("AttentionDiscipline", BoolText(pet.AttentionDiscipline));
  put("AttentionSleep", BoolText(pet.AttentionSleep));
  put("SleepAction", BoolText(pet.SleepAction));
  put("DyingAction", IntText(pet.DyingAction));
  put("DyingTimeLeft", IntText(pet.DyingTimeLeft));
  put("DisciplineWhenNeed", IntText(pet.DisciplineWhenNeed));
  put("PlayCounter", IntText(pet.PlayCounter));
  put("SnackCount", IntText(pet.SnackCount));
  put("NeedCount", IntText(pet.NeedCount));
  put("CareWhenNeed", IntText(pet.CareWhenNeed));
  platform_.FlushSettings();
}

}  // namespace nib
