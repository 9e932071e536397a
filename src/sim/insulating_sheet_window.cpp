// The insulating sheet: inserted and removed from the popup menu, dragged in
// and out of its slot, torn off and snapped back, and the timer that
// switches the device off while it is deep in and on when it is pulled out.
#include "display/screen.h"
#include "sim/simulator.h"

namespace nib {

SheetSlot Simulator::Slot() {
  return SheetSlot::Of(platform_.WindowLeft(), platform_.WindowTop(), kWindowWidth);
}

void Simulator::mPopupInsulatingSheet_Click() {
  MenuItem& item = menu.mPopupInsulatingSheet;
  item.checked = !item.checked;
  if (item.checked) {
    platform_.SetTopMost(true);
    if (pet.InsulatingSheet != 1) pet.InsulatingSheet = pet.CurrentInsulatingSheet = 2;
    // The sheet goes in at the side, so the device shows its front.
    if (menu.mPopupSide.checked) DoTurnToFront(true);
    if (platform_.WindowVisible()) ShowSheetWindow();
    menu.mPopupSide.enabled = false;
    return;
  }
  menu.mPopupSide.enabled = true;
  platform_.SetTopMost(menu.mPopupOnTop.checked);
  platform_.SetSheetTimerInterval(0);
  platform_.SetSheetVisible(false);
  platform_.SheetUnload();
  pet.InsulatingSheet = pet.CurrentInsulatingSheet = 0;
}

void Simulator::ShowSheetWindow() {
  if (!platform_.SheetLoaded()) {
    platform_.SheetLoad();
    SheetForm_Load();
  }
  platform_.SetSheetVisible(platform_.WindowVisible());
}

void Simulator::LoadSheetLook() {
  Element& picture = sheet.Picture1;
  picture.SetPicture(nullptr);
  const std::string plugin_sheet = "\\plugins\\" + pet.Plugins + "\\other\\inssheet.gif";
  if (!pet.Plugins.empty() && platform_.FileExists(plugin_sheet))
    picture.SetPicture(platform_.LoadPicture(plugin_sheet));
  // A plugin's sheet that does not decode gives way to the base one.
  if (!picture.GetPicture() && platform_.FileExists("\\other\\inssheet.gif"))
    picture.SetPicture(platform_.LoadPicture("\\other\\inssheet.gif"));
  picture.MouseIcon = nullptr;
  look.DoLoadPointer("", picture, "\\other\\", "inssheet.cur");
  platform_.SetSheetLook(picture.GetPicture(), picture.MouseIcon);
}

void Simulator::SheetForm_Load() {
  LoadSheetLook();
  const SheetSlot slot = Slot();
  float left = platform_.SheetLeft();
  if (pet.InsulatingSheet == 1 || pet.InsulatingSheet == 2) {
    left = slot.LeftWhenPushed(pet.InsulatingSheetWidthPushed);
    menu.mCheats.enabled = pet.InsulatingSheet == 2;
  }
  platform_.MoveSheet(left, slot.attached_top);

  sheet.SheetDragging = false;
  pet.SendInsulatingSheetToBack = true;
  sheet.SheetTicks = 0;
  platform_.SetSheetTimerInterval(kSheetTimerMs);
  pet.CurrentInsulatingSheet = pet.InsulatingSheet;
}

void Simulator::SheetMouseDown(int button, float x, float y) {
  if (button == kLeftButton && !sheet.SheetDragging) {
    sheet.SheetDragX = x;
    sheet.SheetDragY = y;
    sheet.SheetDragging = true;
  } else if (button == kRightButton) {
    platform_.ShowPopupMenu();
  }
}

void Simulator::SheetMouseUp(int button) {
  if (button == kLeftButton) sheet.SheetDragging = false;
}

void Simulator::SheetMouseMove(int button, float x, float y) {
  if (button != kLeftButton || !sheet.SheetDragging) return;
  const SheetSlot slot = Slot();
  const float left = platform_.SheetLeft();
  const float top = platform_.SheetTop();
  bool& attached = pet.SendInsulatingSheetToBack;
  if (slot.InSnapZone(left, top, attached)) {
    if (!attached) {
      // Caught by the slot: the sheet slides in behind the device.
      platform_.SetSheetTopMost(false);
      platform_.SetTopMost(true);
      attached = true;
    }
    const float new_left = slot.AttachedLeft(x - sheet.SheetDragX + left);
    platform_.MoveSheet(new_left, slot.attached_top);
    pet.InsulatingSheetWidthPushed = slot.WidthPushed(new_left, attached);
  } else {
    if (attached) {
      // Torn off: the sheet floats above the device.
      platform_.SetTopMost(false);
      platform_.SetSheetTopMost(true);
      attached = false;
    }
    platform_.MoveSheet(x - sheet.SheetDragX + left, y - sheet.SheetDragY + top);
  }
  platform_.ProcessEvents();
}

void Simulator::SheetTimer_Timer() {
  const bool deep_in =
      Slot().DeepIn(platform_.SheetLeft(), platform_.SheetTop(), pet.SendInsulatingSheetToBack);
  switch (SheetTimerStep(deep_in, pet.CurrentInsulatingSheet, pet.InsulatingSheet,
                         sheet.SheetTicks)) {
    case SheetSwitch::Off:
      SwitchDeviceOff();
      break;
    case SheetSwitch::On:
      SwitchDeviceOn();
      break;
    case SheetSwitch::None:
      break;
  }
}

void Simulator::SwitchDeviceOff() {
  if (pet.TimerScreen) {
    pet.TimerScreen = false;
    DoShowTimerScreen(false);
  }
  int16 egg = 0;
  DoSetCharacter(egg);
  pet.CurrentInsulatingSheet = 1;
  DoMainScreen(false);
  platform_.SetTimerInterval(0);
  DoHideIcon();
  scr.AttendIcon.Hide();
  menu.mCharacterName.caption = pet.NibbetName;
  platform_.TrayModify(look.WindowIcon, pet.NibbetName);
  ForgetTrayState();
  menu.mPopupInsulatingSheet.enabled = false;
  menu.mCheats.enabled = false;
}

void Simulator::SwitchDeviceOn() {
  pet.CurrentInsulatingSheet = 2;
  DoMainScreen(true);
  platform_.SetTimerInterval(pet.TimerInterval);
  ResetButton_MouseUp(kLeftButton, 0, 0, 0);
  menu.mPopupInsulatingSheet.enabled = true;
  menu.mCheats.enabled = true;
}

bool Simulator::SheetAttachedToDevice() const {
  // A sheet torn off stays where it floats, even before the sheet timer
  // has noticed it left the slot.
  if (!pet.SendInsulatingSheetToBack) return false;
  return (pet.CurrentInsulatingSheet == pet.InsulatingSheet && pet.InsulatingSheet == 1) ||
         pet.InsulatingSheetWidthPushed > 0;
}

}  // namespace nib
