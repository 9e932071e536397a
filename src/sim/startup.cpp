// Start-up and shutdown of the device, and dragging it by its body.
#include <cmath>

#include "sim/simulator.h"

namespace nib {

void Simulator::PlaceFixedElements() {
  scr.FrontView.Move(0, 15);
  scr.BackView.Move(0, 30);
  scr.ButtonA.Move(600, 2055);
  scr.ButtonB.Move(930, 2130);
  scr.ButtonC.Move(1260, 2055);
  scr.ResetButton.Move(270, 976);
}

void Simulator::ResetRunTimeFields() {
  pet.CheatCode.clear();
  pet.TimerInterval = 10;
  pet.ButtonAPressed = pet.ButtonBPressed = pet.ButtonCPressed = false;
  pet.OKButtonText = "&OK";
  pet.CancelButtonText = "&Cancel";
  pet.DyingTimeLeft = kFullDyingTime;
  pet.HourMinutes = kHourMinutes;
  pet.TimerScreen = false;
  pet.LastSecond = static_cast<int16>(platform_.CurrentSecond());
  pet.ChangeStep = pet.NextCharacterNo = 0;
  pet.ActionTimeout = pet.IconTimeout = 0;
  pet.Flushing = pet.HappyReaction = pet.UnhappyReaction = false;
  pet.RefusalReaction = pet.Dropping = pet.Eating = false;
  pet.AnimStep = pet.AnimRepeat = pet.AnimFrame = pet.FrameStep = 0;
  pet.AttendBeepCount = pet.DungFlipCount = 0;
}

void Simulator::Form_Load(const std::string& command_line) {
  platform_.SetBusyPointer(true);
  window.StartingUp = true;
  platform_.TrayAdd(look.WindowIcon, "Loading, please wait...");
  PlaceFixedElements();
  pet.NibbetName = command_line.empty() ? kDefaultPetName : command_line;
  random_.Seed(static_cast<std::uint32_t>(platform_.CurrentSecond()));
  ResetRunTimeFields();
  DoLoadSettings();
  scr.NibChar.Hide();

  look.DoGetPlugins("");
  look.DoLoadCharacter();
  if (!pet.Plugins.empty()) {
    look.DoGetPlugins(pet.Plugins);
    look.DoLoadCharacter();
  }
  pet.TimerScreen = false;
  platform_.SetCaption(pet.NibbetName);
  DoMainScreen(true);
  scr.FrontView.ToolTipText = scr.BackView.ToolTipText = pet.NibbetName;
  platform_.SetBusyPointer(false);
  window.StartingUp = false;

  DoSetCharacterName();
  menu.mCharacterName.caption = pet.CharacterName;
  // A device saved hidden stays in sight when there is no tray to restore it.
  if (menu.mPopupStatus.checked && !platform_.TrayAvailable()) menu.mPopupStatus.checked = false;
  if (menu.mPopupStatus.checked) {
    platform_.SetWindowVisible(false);
  } else {
    // Shown now, so that the sheet below can tell the device is visible.
    platform_.SetWindowVisible(true);
    platform_.SendTabKey();
  }
  SetDarkForSleepState();
  ShowInsulatingSheetOrStart();
  if (menu.mPopupStatus.checked) menu.mPopupInsulatingSheet.enabled = false;
}

void Simulator::SetDarkForSleepState() {
  SetDarkness(pet.SleepAction ? kDarkAsleep : kDarkAwake);
  if (pet.SleepAction) {
    for (MenuItem* item : {&menu.mCheatAttention, &menu.mCheatAction0, &menu.mCheatAction1,
                           &menu.mCheatAction3})
      item->enabled = false;
    menu.mCheatAction2.checked = true;
  }
}

void Simulator::ShowInsulatingSheetOrStart() {
  if (pet.InsulatingSheet == 1) {
    // A new toy stays blank behind its sheet until the sheet is pulled.
    pet.SendInsulatingSheetToBack = true;
    DoMainScreen(false);
    mPopupInsulatingSheet_Click();
    menu.mCharacterName.caption = pet.NibbetName;
    platform_.TrayModify(look.WindowIcon, pet.NibbetName);
    menu.mPopupInsulatingSheet.checked = true;
    menu.mPopupInsulatingSheet.enabled = false;
    return;
  }
  pet.SendInsulatingSheetToBack = false;
  platform_.SetTimerInterval(pet.TimerInterval);
  if (pet.InsulatingSheet == 2) mPopupInsulatingSheet_Click();
}

void Simulator::Form_Unload() {
  DoSaveSettings();
  platform_.TrayDelete();
  platform_.SetTimerInterval(0);
  platform_.SetSheetTimerInterval(0);
}

void Simulator::DragMouseDown(int button, float x, float y) {
  if (button == kLeftButton && !window.DragActive) {
    window.DragStartX = x;
    window.DragStartY = y;
    window.DragActive = true;
  } else if (button == kRightButton) {
    platform_.ShowPopupMenu();
  }
}

void Simulator::DragMouseMove(int button, float x, float y) {
  if (button != kLeftButton || !window.DragActive) return;
  platform_.MoveWindow(platform_.WindowLeft() + x - window.DragStartX,
                       platform_.WindowTop() + y - window.DragStartY);
  if (SheetAttachedToDevice()) {
    const SheetSlot slot = Slot();
    platform_.MoveSheet(slot.LeftWhenPushed(pet.InsulatingSheetWidthPushed), slot.attached_top);
  }
  platform_.ProcessEvents();
}

void Simulator::DragMouseUp(int button) {
  if (button == kLeftButton) window.DragActive = false;
}

}  // namespace nib
