// Procedures of the device's buttons and screens that the tick, loading and
// start-up already call; their full behaviour arrives with the device work.
#include "sim/simulator.h"

namespace nib {

void Simulator::DoHideIcon() {
  if (LastIcon >= 7) return;
  pet.IconTimeout = 0;
  scr.NibIcon[LastIcon].Hide();
  CurrentIcon = 7;
  LastIcon = 7;
}

void Simulator::DoMainScreen(bool) {}
void Simulator::DoEndCurrentAction() {}
void Simulator::DoAction(int) {}
void Simulator::DoEatStep() {}

}  // namespace nib
