// The menu commands that open the auxiliary windows, and the device's
// state while one is open: only one at a time, and the device takes no
// input meanwhile.
#include <array>

#include "sim/simulator.h"

namespace nib {

namespace {

// The items that could open a second window or change the device under
// the open one.
std::array<MenuItem*, 7> LockedItems(Menu& menu) {
  return {&menu.mPopupStatus,       &menu.mPopupOnTop,        &menu.mCheats,
          &menu.mPopupChangeColor,  &menu.mPopupPlugins,      &menu.mPopupInstructions,
          &menu.mPopupAbout};
}

}  // namespace

bool Simulator::AuxWindowOpen() const { return !menu.mPopupInstructions.enabled; }

void Simulator::OpenAuxWindow(AuxWindow window) {
  // F1 on the sheet or a stale menu must not open a second window.
  if (AuxWindowOpen()) return;
  platform_.OpenAuxWindow(window);
}

void Simulator::mPopupChangeColor_Click() {
  if (AuxWindowOpen()) return;
  pet.PluginsForm = false;
  OpenAuxWindow(AuxWindow::PluginsAndColors);
}

void Simulator::mPopupPlugins_Click() {
  if (AuxWindowOpen()) return;
  pet.PluginsForm = true;
  OpenAuxWindow(AuxWindow::PluginsAndColors);
}

void Simulator::mPopupInstructions_Click() { OpenAuxWindow(AuxWindow::Instructions); }

void Simulator::mPopupAbout_Click() { OpenAuxWindow(AuxWindow::About); }

void Simulator::SetAuxWindowLock(bool locked) {
  platform_.SetWindowEnabled(!locked);
  for (MenuItem* item : LockedItems(menu)) item->enabled = !locked;
  // A device switched off by its sheet keeps its cheats locked.
  if (!locked && pet.InsulatingSheet == 1) menu.mCheats.enabled = false;
  if (menu.mPopupInsulatingSheet.checked)
    platform_.SetSheetEnabled(!locked);
  else
    menu.mPopupInsulatingSheet.enabled = !locked;
}

}  // namespace nib
