// Procedures of the pet's life that the tick, loading and start-up already
// call; their full behaviour arrives with the life work.
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

void Simulator::DoUnhappyReaction() {}
void Simulator::DoHappyReaction() {}
void Simulator::DoRefusalReaction() {}
void Simulator::DoMinuteRules() {}
void Simulator::DoAnimatePet() {}
void Simulator::DoSetToolTip() {}
void Simulator::mCheatAction3_Click() {}

}  // namespace nib
