// The instructions window, which F1 already reaches; it arrives with the
// shell work.
#include "sim/simulator.h"

namespace nib {

void Simulator::mPopupInstructions_Click() {}

}  // namespace nib
