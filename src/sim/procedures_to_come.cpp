// Procedures that the tick, loading and start-up already call, whose full
// behaviour arrives with the life, device and window work. Each keeps the
// state consistent meanwhile.
#include "sim/simulator.h"

namespace nib {

void Simulator::DoSetCharacter(int16& CharNo) {
  if (CharNo < 0 || CharNo > kAngel) CharNo = 0;
  pet.CharacterNo = CharNo;
  DoLoadCharacter();
}

void Simulator::DoSetCharacterName() {
  pet.CharacterName = menu.CheatChar(pet.CharacterNo).caption;
}

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
void Simulator::DoShowTimerScreen(bool) {}
void Simulator::DoShowClock() {}
void Simulator::DoPlayStep() {}
void Simulator::DoEatStep() {}
void Simulator::DoUnhappyReaction() {}
void Simulator::DoHappyReaction() {}
void Simulator::DoRefusalReaction() {}
void Simulator::DoMinuteRules() {}
void Simulator::DoAnimatePet() {}
void Simulator::DoSetToolTip() {}
void Simulator::mCheatAction3_Click() {}
void Simulator::mPopupInsulatingSheet_Click() {}

}  // namespace nib
