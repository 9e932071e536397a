// Turning the device between its front (screen and buttons) and its back
// (reset button).
#include "sim/simulator.h"

namespace nib {

void Simulator::FrontView_DblClick() { DoTurnToBack(menu.mPopupSound.checked); }

void Simulator::BackView_DblClick() { DoTurnToFront(menu.mPopupSound.checked); }

void Simulator::mPopupSide_Click() {
  if (!menu.mPopupSide.checked)
    DoTurnToBack(menu.mPopupSound.checked);
  else
    DoTurnToFront(menu.mPopupSound.checked);
}

void Simulator::DoTurnToBack(bool SoundOn) {
  // The sheet sits in the side; the device cannot be turned with it.
  if (menu.mPopupInsulatingSheet.checked) return;
  PlaySoundFile("\\sounds\\turn.wav", SoundOn, menu.mPopupWave.checked);
  menu.mPopupSide.checked = true;
  DoMainScreen(false);
  scr.BackView.Show();
  scr.ResetButton.Show();
}

void Simulator::DoTurnToFront(bool SoundOn) {
  PlaySoundFile("\\sounds\\turn.wav", SoundOn, menu.mPopupWave.checked);
  menu.mPopupSide.checked = false;
  scr.BackView.Hide();
  scr.ResetButton.Hide();
  if (!pet.TimerScreen) DoMainScreen(true);
}

}  // namespace nib
