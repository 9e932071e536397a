// Procedures of the auxiliary windows that start-up already calls.
#include "sim/simulator.h"

namespace nib {

void Simulator::mPopupInsulatingSheet_Click() {}

}  // namespace nib
