// The options of the popup menu. Each option is its item's check mark, read
// wherever it is needed and saved with the pet.
#include "sim/simulator.h"

namespace nib {

namespace {

// Exactly one item of a pair is checked, even when the chosen one already
// was.
void CheckOneOf(MenuItem& chosen, MenuItem& other) {
  chosen.checked = true;
  other.checked = false;
}

}  // namespace

void Simulator::mPopupSound_Click() {
  menu.mPopupSound.checked = !menu.mPopupSound.checked;
  // Always audible, so switching the sound off is heard too.
  PlaySoundFile("\\sounds\\turnsnd.wav", true, menu.mPopupWave.checked);
}

void Simulator::mPopupWave_Click() { CheckOneOf(menu.mPopupWave, menu.mPopupBeep); }

void Simulator::mPopupBeep_Click() { CheckOneOf(menu.mPopupBeep, menu.mPopupWave); }

void Simulator::mPopupOnTop_Click() {
  menu.mPopupOnTop.checked = !menu.mPopupOnTop.checked;
  platform_.SetTopMost(menu.mPopupOnTop.checked);
}

void Simulator::mPopupAutoShow_Click() {
  menu.mPopupAutoShow.checked = !menu.mPopupAutoShow.checked;
}

void Simulator::mPopupPlay0_Click() { CheckOneOf(menu.mPopupPlay0, menu.mPopupPlay1); }

void Simulator::mPopupPlay1_Click() { CheckOneOf(menu.mPopupPlay1, menu.mPopupPlay0); }

}  // namespace nib
