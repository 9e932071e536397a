#include <algorithm>

#include "core/device_fixture.h"
#include "sim/settings_text.h"

namespace nib::testing {
namespace {

const std::vector<std::string> kKeysInOrder = {
    "InsulatingSheet", "InsulatingSheetWidthPushed", "Plugins", "AlwaysOnTop", "AttendTimeLeft",
    "AutoShow", "CharacterNo", "CurrentColor", "FeedMenuIndex", "FormVisible", "IntervalCount",
    "Left", "LightMenuIndex", "LightOff", "MinuteCount", "MaxMinutes", "SecondCount", "Sound",
    "SoundType", "PlayType", "CurrentTempChar", "Top", "TotalNeedCount", "Age", "Weight",
    "Discipline", "Happiness", "Hunger", "Sickness", "Dung", "AttentionHungry", "AttentionHappy",
    "AttentionDiscipline", "AttentionSleep", "SleepAction", "DyingAction", "DyingTimeLeft",
    "DisciplineWhenNeed", "PlayCounter", "SnackCount", "NeedCount", "CareWhenNeed"};

class PetSettingsTest : public DeviceTest {
 protected:
  std::vector<std::string> KeysWritten(const std::string& section) {
    std::vector<std::string> keys;
    for (const auto& [s, k] : platform.writes)
      if (s == section) keys.push_back(k);
    return keys;
  }
  std::map<std::string, std::string>& Section() { return platform.store[pet.NibbetName]; }
  // A saved pet whose every key holds the new-pet value, to be edited.
  void StoreNewPet() {
    Simulator other(platform, random);
    other.pet.NibbetName = pet.NibbetName;
    other.DoLoadSettings();
    platform.writes.clear();
  }
  void LoadAgain() {
    platform.writes.clear();
    sim.DoLoadSettings();
  }
};

TEST_F(PetSettingsTest, FirstStartCreatesTheWholeSectionInOrder) {
  pet.NibbetName = "Rex";
  sim.DoLoadSettings();

  EXPECT_EQ(KeysWritten("Rex"), kKeysInOrder);
  auto& saved = platform.store["Rex"];
  EXPECT_EQ(saved["InsulatingSheet"], "1");
  EXPECT_EQ(saved["InsulatingSheetWidthPushed"], "700");
  EXPECT_EQ(saved["CharacterNo"], "0");
  EXPECT_EQ(saved["Plugins"], "");
  EXPECT_EQ(saved["CurrentColor"], "");
  EXPECT_EQ(saved["DyingTimeLeft"], "480");
  EXPECT_EQ(saved["Sound"], "True");
  EXPECT_EQ(saved["SoundType"], "0");
  EXPECT_EQ(saved["PlayType"], "0");
  EXPECT_GE(platform.flushes, 1);
  // Centred on the screen, shown, and on top as the menu stands.
  EXPECT_EQ(platform.window_left, (1920 * 15 - 2175) / 2.0f);
  EXPECT_EQ(platform.window_top, (1080 * 15 - 2970) / 2.0f);
  EXPECT_EQ(saved["Left"], FloatText(platform.window_left));
  EXPECT_TRUE(platform.window_visible);
  EXPECT_TRUE(platform.topmost);
}

TEST_F(PetSettingsTest, ASavedPetComesBackExactly) {
  pet.InsulatingSheet = 0;
  pet.InsulatingSheetWidthPushed = 0;
  pet.Plugins = "Fancy Skin";
  pet.CurrentColor = "Blue";
  pet.AttendTimeLeft = 37;
  pet.CharacterNo = 6;
  pet.FeedMenuIndex = 1;
  pet.IntervalCount = 40;
  pet.LightMenuIndex = 1;
  pet.LightOff = true;
  pet.MinuteCount = 70000;
  pet.MaxMinutes = 960;
  pet.SecondCount = 59;
  pet.CurrentTempChar = 3;
  pet.TotalNeedCount = 44;
  pet.Age = 9;
  pet.Weight = 33;
  pet.Discipline = 7;
  pet.Happiness = 2;
  pet.Hunger = 4;
  pet.Sickness = 2;
  pet.Dung = 5;
  pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = true;
  pet.DyingTimeLeft = 301;
  pet.DisciplineWhenNeed = 3;
  pet.PlayCounter = 12;
  pet.SnackCount = 4;
  pet.NeedCount = 20;
  pet.CareWhenNeed = 15;
  platform.MoveWindow(-300.5f, 4500);
  menu.mPopupOnTop.checked = false;
  menu.mPopupAutoShow.checked = true;
  menu.mPopupSound.checked = false;
  menu.mPopupWave.checked = false;
  menu.mPopupBeep.checked = true;
  menu.mPopupPlay0.checked = false;
  menu.mPopupPlay1.checked = true;
  platform.window_visible = false;
  sim.DoSaveSettings();
  const PetSaved saved = pet;

  Simulator again(platform, random);
  again.pet.NibbetName = pet.NibbetName;
  again.DoLoadSettings();

  EXPECT_TRUE(static_cast<const PetSaved&>(again.pet) == saved);
  EXPECT_FALSE(again.menu.mPopupOnTop.checked);
  EXPECT_FALSE(platform.topmost);
  EXPECT_TRUE(again.menu.mPopupAutoShow.checked);
  EXPECT_FALSE(again.menu.mPopupSound.checked);
  EXPECT_TRUE(again.menu.mPopupBeep.checked);
  EXPECT_FALSE(again.menu.mPopupWave.checked);
  EXPECT_TRUE(again.menu.mPopupPlay1.checked);
  EXPECT_FALSE(again.menu.mPopupPlay0.checked);
  EXPECT_TRUE(again.menu.mPopupStatus.checked);  // it was hidden
  EXPECT_TRUE(again.scr.AttendIcon.Visible());
}

TEST_F(PetSettingsTest, WindowIsClampedAtTheRightAndBottomThenKeptOnScreen) {
  struct Case {
    const char* left;
    const char* top;
    float expected_left, expected_top;  // the pet's values
    float window_left, window_top;      // where the window ends up
  };
  const float w = 1920 * 15, h = 1080 * 15;
  const Case cases[] = {
      {"40000", "20000", w - 2175, h - 2970, w - 2175, h - 2970},
      {"-500", "-90", -500, -90, 0, 0},  // off the left and top: back on screen
      {"28800", "16200", 28800, 16200, w - 2175, h - 2970},  // at the edge: not clamped
      {"1000.5", "garbage", 1000.5f, 0, 1000.5f, 0},
  };
  StoreNewPet();
  for (const Case& c : cases) {
    Section()["Left"] = c.left;
    Section()["Top"] = c.top;
    platform.MoveWindow(0, 0);
    LoadAgain();
    EXPECT_EQ(sim.pet.Left, c.expected_left) << c.left;
    EXPECT_EQ(sim.pet.Top, c.expected_top) << c.top;
    EXPECT_EQ(platform.window_left, c.window_left) << c.left;
    EXPECT_EQ(platform.window_top, c.window_top) << c.top;
  }
}

TEST_F(PetSettingsTest, ASleepCallStartsAfresh) {
  StoreNewPet();
  Section()["InsulatingSheet"] = "0";
  Section()["CharacterNo"] = "3";
  Section()["AttentionSleep"] = "True";
  Section()["SleepAction"] = "False";
  Section()["AttendTimeLeft"] = "3";
  LoadAgain();
  EXPECT_TRUE(pet.SleepAction);
  EXPECT_TRUE(pet.AttentionSleep);
  EXPECT_EQ(pet.AttendTimeLeft, 120);
  EXPECT_TRUE(scr.AttendIcon.Visible());
}

TEST_F(PetSettingsTest, ADyingPetResumesOneTickBeforeItsNextFrame) {
  StoreNewPet();
  sim.layout.DyingLeft = 700;
  sim.layout.DyingTop = 1200;
  scr.TempSick[1].SetPicture(PictureAt("\\Chars\\00\\0.gif"));
  Section()["CharacterNo"] = "3";
  Section()["DyingAction"] = "3";
  Section()["AttentionHungry"] = "True";
  Section()["AttendTimeLeft"] = "50";
  Section()["Dung"] = "2";
  LoadAgain();
  EXPECT_EQ(pet.IntervalCount, 119);
  EXPECT_EQ(pet.FrameDelay, 120);
  EXPECT_EQ(pet.AnimFrame, 0);
  EXPECT_FALSE(pet.AttentionHungry);
  EXPECT_EQ(pet.AttendTimeLeft, 0);
  EXPECT_FALSE(scr.AttendIcon.Visible());
  EXPECT_EQ(scr.NibChar.GetPicture(), scr.TempSick[1].GetPicture());
  EXPECT_EQ(scr.NibChar.Left(), 700);
  EXPECT_EQ(scr.NibChar.Top(), 1200);
  EXPECT_TRUE(scr.Skull.Visible());
  EXPECT_TRUE(scr.NibChar.Visible());
  EXPECT_FALSE(menu.mCheatAction0.enabled) << "no event reaches a dying pet";
  EXPECT_FALSE(menu.mCheatAttention.enabled);
}

TEST_F(PetSettingsTest, AnEggOrAngelSavedDyingCallingOrAsleepIsFreed) {
  for (const char* character : {"0", "12"}) {
    StoreNewPet();
    Section()["InsulatingSheet"] = "0";
    Section()["CharacterNo"] = character;
    Section()["DyingAction"] = "5";
    Section()["AttentionHungry"] = "True";
    Section()["AttendTimeLeft"] = "120";
    Section()["SleepAction"] = "True";
    Section()["LightOff"] = "True";
    Section()["Dung"] = "3";
    LoadAgain();
    EXPECT_EQ(pet.DyingAction, 0) << character;
    EXPECT_EQ(pet.AttendTimeLeft, 0) << character;
    EXPECT_FALSE(scr.AttendIcon.Visible()) << character;
    EXPECT_FALSE(pet.AttentionHungry || pet.SleepAction || pet.LightOff) << character;
    EXPECT_EQ(pet.Dung, 0) << character;
  }
  // The angel's seconds stand still, so a call would beep for ever.
  pet.LastSecond = static_cast<int16>(platform.second);
  platform.sounds.clear();
  Ticks(50);
  EXPECT_TRUE(platform.sounds.empty());
}

TEST_F(PetSettingsTest, AnEggSavedDyingStillHatches) {
  StoreNewPet();
  Section()["InsulatingSheet"] = "0";
  Section()["DyingAction"] = "9";
  LoadAgain();
  pet.LastSecond = static_cast<int16>(platform.second);
  for (int i = 0; i < 62; ++i) NextSecond();
  EXPECT_EQ(pet.CharacterNo, 1);
}

TEST_F(PetSettingsTest, OutOfRangeValuesAreBroughtIntoRangeAndSavedSo) {
  struct Case {
    const char* key;
    const char* stored;
    const char* saved;
  };
  const Case cases[] = {
      {"Sickness", "32767", "99"},
      {"Sickness", "-4", "0"},
      {"DyingAction", "32767", "61"},
      {"DyingAction", "-1", "0"},
      {"DyingTimeLeft", "32767", "480"},
      {"DyingTimeLeft", "481", "480"},
      {"InsulatingSheetWidthPushed", "32767", "700"},
      {"InsulatingSheetWidthPushed", "-20", "0"},
  };
  for (const Case& c : cases) {
    StoreNewPet();
    Section()["InsulatingSheet"] = "0";
    Section()["CharacterNo"] = "5";
    Section()[c.key] = c.stored;
    LoadAgain();
    sim.DoSaveSettings();
    EXPECT_EQ(Section()[c.key], c.saved) << c.key << " " << c.stored;
  }
}

TEST_F(PetSettingsTest, ASectionThatLostItsFirstKeyStillHoldsThePet) {
  StoreNewPet();
  Section().erase("InsulatingSheet");
  Section()["CharacterNo"] = "4";
  Section()["Age"] = "7";
  LoadAgain();
  EXPECT_EQ(pet.CharacterNo, 4);
  EXPECT_EQ(pet.Age, 7);
  EXPECT_TRUE(KeysWritten(pet.NibbetName).empty()) << "nothing overwritten";
  EXPECT_EQ(pet.InsulatingSheet, 0) << "a sheet pushed back in would start a new egg";

  // A section with none of the pet's keys is a new pet.
  platform.store.clear();
  platform.store[pet.NibbetName]["SomethingElse"] = "7";
  LoadAgain();
  EXPECT_EQ(KeysWritten(pet.NibbetName), kKeysInOrder);
  EXPECT_EQ(pet.InsulatingSheet, 1);
}

TEST_F(PetSettingsTest, APetSavedAtAnyStepOfDyingResumesThereAndBecomesTheAngel) {
  // The blinking skull, its slow last blinks, and the laid egg.
  for (const int16 step : {1, 31, 32, 45, 46, 47, 60, 61}) {
    SCOPED_TRACE(step);
    Simulator first(platform, random);
    first.pet.NibbetName = "Dying";
    first.pet.InsulatingSheet = 0;
    int16 character = 6;
    first.DoSetCharacter(character);
    first.pet.Age = 4;
    first.pet.DyingAction = step;
    first.DoSaveSettings();

    Simulator again(platform, random);
    again.pet.NibbetName = "Dying";
    again.DoLoadSettings();
    EXPECT_EQ(again.pet.CharacterNo, 6);
    EXPECT_EQ(again.pet.DyingAction, step);
    EXPECT_EQ(again.pet.IntervalCount, 119);
    EXPECT_FALSE(again.menu.mCheatAction3.enabled);
    again.pet.LastSecond = static_cast<int16>(platform.second);
    int ticks = 0;
    for (; ticks < 100000 && again.pet.CharacterNo != kAngel; ++ticks) again.Timer1_Timer();
    EXPECT_EQ(again.pet.CharacterNo, kAngel) << "after " << ticks << " ticks";
    EXPECT_EQ(again.pet.Age, 4);
  }
}

TEST_F(PetSettingsTest, TheAngelComesBackAsTheAngel) {
  pet.InsulatingSheet = 0;
  pet.Age = 9;
  int16 angel = kAngel;
  sim.DoSetCharacter(angel);
  sim.DoSaveSettings();
  const PetSaved saved = pet;

  Simulator again(platform, random);
  again.pet.NibbetName = pet.NibbetName;
  again.DoLoadSettings();
  EXPECT_TRUE(static_cast<const PetSaved&>(again.pet) == saved);
  EXPECT_TRUE(again.scr.Angel.Visible());
  EXPECT_TRUE(again.menu.mCheatChar12.checked);
  EXPECT_FALSE(again.menu.mCheatAction3.enabled);
  // Its time stands still; A and C together start a new egg.
  again.pet.LastSecond = static_cast<int16>(platform.second);
  for (int i = 0; i < 200; ++i) {
    platform.second = (platform.second + 1) % 60;
    again.Timer1_Timer();
  }
  EXPECT_EQ(again.pet.CharacterNo, kAngel);
  EXPECT_EQ(again.pet.MinuteCount, saved.MinuteCount);
  again.pet.ButtonAPressed = true;
  again.DoButtonA(true);
  again.pet.ButtonCPressed = true;
  again.DoButtonC(true);
  again.pet.ButtonAPressed = false;
  again.DoButtonA(false);
  again.pet.ButtonCPressed = false;
  again.DoButtonC(false);
  EXPECT_EQ(again.pet.CharacterNo, 0);
}

TEST_F(PetSettingsTest, NoNeglectTimeLeftMeansTwoFreshPetDays) {
  StoreNewPet();
  for (const char* value : {"0", "-12"}) {
    Section()["DyingTimeLeft"] = value;
    LoadAgain();
    EXPECT_EQ(pet.DyingTimeLeft, 480) << value;
  }
}

TEST_F(PetSettingsTest, OptionsFollowTheirKeys) {
  StoreNewPet();
  Section()["SoundType"] = "1";
  Section()["PlayType"] = "7";
  Section()["FormVisible"] = "False";
  LoadAgain();
  EXPECT_TRUE(menu.mPopupBeep.checked);
  EXPECT_FALSE(menu.mPopupWave.checked);
  EXPECT_TRUE(menu.mPopupPlay1.checked);
  EXPECT_FALSE(menu.mPopupPlay0.checked);
  EXPECT_TRUE(menu.mPopupStatus.checked);
}

TEST_F(PetSettingsTest, SoundTypeIsLeftOutWhenNeitherTypeIsChecked) {
  menu.mPopupWave.checked = menu.mPopupBeep.checked = false;
  sim.DoSaveSettings();
  auto keys = KeysWritten(pet.NibbetName);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), "SoundType"), 0);
  EXPECT_EQ(keys.size(), kKeysInOrder.size() - 1);
}

TEST_F(PetSettingsTest, GarbledValuesKeepTheNewPetValues) {
  StoreNewPet();
  const std::map<std::string, std::string> garbage = {
      {"InsulatingSheetWidthPushed", "lots"}, {"CharacterNo", "57"},  {"Age", ""},
      {"Weight", "1e3"},                      {"Hunger", "9"}, {"Happiness", "99999"},    {"MinuteCount", "-"},
      {"LightOff", "maybe"},                  {"Left", "nan"},        {"DyingTimeLeft", "\x7f"},
      {"Sickness", "2.5"},                    {"CareWhenNeed", "0x10"}};
  for (const auto& [key, value] : garbage) Section()[key] = value;
  LoadAgain();
  const PetSaved fresh;
  EXPECT_EQ(pet.InsulatingSheetWidthPushed, fresh.InsulatingSheetWidthPushed);
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(pet.Age, 0);
  EXPECT_EQ(pet.Weight, 0);
  EXPECT_EQ(pet.MinuteCount, 0);
  EXPECT_FALSE(pet.LightOff);
  EXPECT_EQ(pet.DyingTimeLeft, 480);
  EXPECT_EQ(pet.Sickness, 0);
  EXPECT_EQ(pet.CareWhenNeed, 0);
  EXPECT_EQ(pet.Happiness, 0);  // beyond 16 bits: not a number here
  // A number beyond the field's own range is brought into it.
  EXPECT_EQ(pet.Hunger, 4);
}

TEST_F(PetSettingsTest, TwoNamesNeverShareAValue) {
  pet.NibbetName = "Alpha";
  sim.DoLoadSettings();
  pet.Age = 5;
  sim.DoSaveSettings();

  Simulator beta(platform, random);
  beta.pet.NibbetName = "Beta";
  beta.DoLoadSettings();
  EXPECT_EQ(beta.pet.Age, 0);
  beta.pet.Age = 8;
  beta.DoSaveSettings();

  EXPECT_EQ(platform.store["Alpha"]["Age"], "5");
  EXPECT_EQ(platform.store["Beta"]["Age"], "8");
}

}  // namespace
}  // namespace nib::testing
