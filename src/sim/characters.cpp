// The thirteen characters: what switching to one does to the pet, which one
// follows when a character's time is up, and the cheat commands that force
// them.
#include "sim/characters.h"

#include "sim/counters.h"
#include "sim/device_timings.h"
#include "sim/next_character.h"
#include "sim/simulator.h"

namespace nib {

void Simulator::DoSetCharacterName() {
  pet.CharacterName = menu.CheatChar(pet.CharacterNo).caption;
}

void Simulator::CheckOnlyCharacter(int16 character) {
  for (int n = 0; n <= kAngel; ++n) menu.CheatChar(n).checked = n == character;
}

void Simulator::SetCharacterTable(int16 character) {
  const int d = pet.HourMinutes;
  const CharacterRow& row = CharacterRowOf(character);
  pet.FrameDelay = row.frame_delay;
  pet.MinWeight = row.min_weight;
  switch (character) {
    case kPimbo:
      pet.MinuteToChangeCharacter = d * 24 * 2 + 10;
      break;
    case kWembic:
    case kQuillop:
      pet.MinuteToChangeCharacter = d * 24 * 3 + 10;
      break;
    case kZelmoc:
      pet.MinuteToChangeCharacter = kZelmocFirstLife;
      pet.MaxMinutes = static_cast<int16>(d * 24 * 3 + 10);
      pet.Discipline = 0;
      break;
    case kVossel:
      pet.MinuteToChangeCharacter = pet.MaxMinutes;
      pet.Discipline = 7;
      break;
    default:
      pet.MinuteToChangeCharacter = pet.MaxMinutes;
      break;
  }
}

void Simulator::DoSetCharacter(int16& CharNo) {
  if (CharNo < 0 || CharNo > kAngel) CharNo = kEgg;
  if (pet.DyingAction > 0) {
    pet.DyingAction = 0;
    scr.Skull.Hide();
  }
  scr.Angel.Hide();
  scr.AgeDigit[0].Hide();
  scr.AgeDigit[1].Hide();
  scr.Yr.Hide();
  const bool was_visible = scr.NibChar.Visible();
  scr.NibChar.Hide();

  pet.CharacterNo = CharNo;
  pet.TotalNeedCount = 0;
  pet.IntervalCount = 0;
  pet.SecondCount = 0;
  pet.FrameStep = 0;
  pet.CurrentTempChar = 0;
  pet.AttendBeepCount = 0;
  DoResetCheatMenu();
  DoEndCurrentAction();
  // Every stage is judged on its own calls only.
  pet.DisciplineWhenNeed = 0;
  pet.SnackCount = 0;
  pet.PlayCounter = 0;
  pet.NeedCount = 0;
  pet.CareWhenNeed = 0;
  animation.WalkRight = false;
  animation.SickFrame = 0;
  animation.LaidEggLoaded = false;

  DoSetCharacterName();
  menu.mCharacterName.caption = pet.CharacterName;

  // The angel keeps the positions of the character it was.
  if (CharNo < kAngel) {
    look.DoGetCharacterIni("");
    if (!pet.Plugins.empty()) look.DoGetCharacterIni(pet.Plugins);
  }
  look.DoLoadCharacter();

  if (pet.DyingTimeLeft <= 0) pet.DyingTimeLeft = kFullDyingTime;

  pet.DelayValue = 7;
  CheckOnlyCharacter(CharNo);
  if (CharNo == kEgg) {
    pet.MaxMinutes = static_cast<int16>(240 * (DrawBelow(random_, 5) + 1));
    pet.DyingTimeLeft = kFullDyingTime;
    DoHideIcon();
    DisableEventItems(true);
    pet.FrameDelay = 80;
    pet.MinuteCount = 0;
    pet.MinuteToChangeCharacter = 1;
    animation.IconFrame = 0;
    scr.NibChar.Hide();
    scr.AttendIcon.Hide();
    pet.AttendTimeLeft = 0;
    pet.Age = pet.Weight = pet.MinWeight = pet.Discipline = 0;
    pet.Happiness = pet.Hunger = pet.Sickness = pet.Dung = 0;
    scr.Skull.Hide();
    ClearCallsSleepAndDung();
  } else if (CharNo == kBaby) {
    // A baby cannot be called to order yet.
    menu.mCheatAttention2.enabled = false;
    pet.SecondCount = 0;
    pet.MinuteCount = 0;
    pet.CurrentTempChar = 0;
    animation.IconFrame = 0;
    pet.FrameDelay = 60;
    pet.MinuteToChangeCharacter = 21;
    scr.NibChar.Hide();
    pet.Age = 0;
    pet.Weight = pet.MinWeight = 5;
    pet.Discipline = pet.Happiness = pet.Hunger = pet.Sickness = 0;
    scr.Skull.Hide();
    // A new baby is hungry and unhappy at once.
    pet.AttentionHungry = pet.AttentionHappy = true;
    pet.AttentionDiscipline = false;
    OpenCall(2);
    pet.Dung = 0;
    HideAllDung();
  } else if (CharNo == kAngel) {
    tray_sync_.TrayIconSource = &scr.AngelIcon[0];
    DoHideIcon();
    DisableEventItems(true);
    pet.FrameDelay = 80;
    pet.MinuteCount = 0;
    pet.MinuteToChangeCharacter = 1;
    scr.AttendIcon.Hide();
    pet.AttendTimeLeft = 0;
    scr.NibChar.Move(layout.StarsLeft, layout.StarsTop);
    scr.Angel.SetLeft(layout.AngelLeft);
    pet.AnimFrame = 0;
    scr.NibChar.CopyPictureFrom(scr.Stars[0]);
    pet.Sickness = 0;
    pet.AnimStep = 0;
    scr.Skull.Hide();
    pet.Dung = 0;
    ClearCallsSleepAndDung();
    if (ScreenVisible()) scr.Angel.Show();
    return;
  } else {
    SetCharacterTable(CharNo);
    scr.NibChar.Move(layout.OriginalLeft, layout.OriginalTop);
    pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = false;
    scr.AttendIcon.Hide();
    pet.SecondCount = 0;
    pet.AttendTimeLeft = 0;
    pet.MinuteCount = 0;
    pet.CurrentTempChar = 0;
    animation.IconFrame = 0;
    if (pet.SleepAction) {
      // It sleeps on in its new form.
      DisableEventItems(false);
      menu.mCheatAction2.checked = true;
    }
    if (pet.Weight < pet.MinWeight) pet.Weight = pet.MinWeight;
  }

  scr.NibChar.CopyPictureFrom(scr.TempChar[pet.CurrentTempChar]);
  if (was_visible && ScreenVisible()) scr.NibChar.Show();
}

void Simulator::DoEvolve() {
  DoAutoShow();
  const NextStep next = NextCharacter(pet);
  switch (next.kind) {
    case NextStep::kBecomes:
      StartEvolution(next.character);
      break;
    case NextStep::kRandomAdult:
      StartEvolution(RandomAdult(DrawBelow(random_, 6)));
      break;
    case NextStep::kSecondLife:
      pet.MinuteToChangeCharacter = pet.MaxMinutes;
      break;
    case NextStep::kDies:
      mCheatAction3_Click();
      break;
    case NextStep::kStays:
      break;
  }
}

void Simulator::SwitchAtOnce(int16 character, bool hatch_soon) {
  platform_.SetBusyPointer(true);
  DoSetCharacter(character);
  if (hatch_soon) {
    // The egg wobbles at once and hatches four seconds later.
    pet.IntervalCount = 0;
    pet.SecondCount = 58;
    pet.MinuteCount = 0;
  }
  platform_.SetBusyPointer(false);
}

void Simulator::mCheatChar0_Click() { SwitchAtOnce(kEgg, false); }
void Simulator::mCheatChar1_Click() { SwitchAtOnce(kEgg, true); }
void Simulator::mCheatChar2_Click() { StartEvolution(kPimbo); }
void Simulator::mCheatChar3_Click() { StartEvolution(kWembic); }
void Simulator::mCheatChar4_Click() { StartEvolution(kQuillop); }
void Simulator::mCheatChar5_Click() { StartEvolution(kFennick); }
void Simulator::mCheatChar6_Click() { StartEvolution(kTovrin); }
void Simulator::mCheatChar7_Click() { StartEvolution(kZelmoc); }
void Simulator::mCheatChar8_Click() { StartEvolution(kDrubbel); }
void Simulator::mCheatChar9_Click() { StartEvolution(kVossel); }
void Simulator::mCheatChar10_Click() { StartEvolution(kOmpadu); }
void Simulator::mCheatChar11_Click() { StartEvolution(kXerblix); }
void Simulator::mCheatChar12_Click() { SwitchAtOnce(kAngel, false); }

void Simulator::ClearCallsSleepAndDung() {
  pet.AttentionHungry = pet.AttentionHappy = false;
  pet.AttentionDiscipline = pet.AttentionSleep = false;
  pet.LightOff = false;
  pet.SleepAction = false;
  pet.LightMenuIndex = 0;
  scr.Dark.Hide();
  scr.SleepSign.Hide();
  menu.mCheatAction2.checked = false;
  HideAllDung();
}

}  // namespace nib
