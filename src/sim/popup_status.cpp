// Hiding and showing the device: the popup's Hide item, the tray icon's
// double click, and a calling pet when Auto Show is on.
#include "sim/simulator.h"

namespace nib {

void Simulator::mPopupStatus_Click() {
  if (menu.mPopupStatus.checked) {
    PlaySound("\\sounds\\restore.wav");
    menu.mPopupStatus.checked = false;
    platform_.SetWindowVisible(true);
    if (pet.InsulatingSheet != 1) {
      menu.mPopupInsulatingSheet.enabled = true;
    } else if (pet.SendInsulatingSheetToBack) {
      // The device lies above its sheet.
      platform_.SetSheetTopMost(false);
      platform_.SetTopMost(true);
    }
  } else {
    // Without an icon of ours in a tray nothing could show the device again.
    if (!platform_.TrayAvailable()) return;
    PlaySound("\\sounds\\hide.wav");
    menu.mPopupStatus.checked = true;
    platform_.SetWindowVisible(false);
    if (!menu.mPopupInsulatingSheet.checked) menu.mPopupInsulatingSheet.enabled = false;
  }
  if (pet.InsulatingSheet != 0) {
    if (platform_.WindowVisible()) {
      ShowSheetWindow();
    } else {
      platform_.SetSheetVisible(false);
    }
  }
}

}  // namespace nib
