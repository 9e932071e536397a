// Procedures of the games that the tick and the buttons already call;
// their full behaviour follows shortly.
#include "sim/simulator.h"

namespace nib {

void Simulator::DoPlayStep() {}
void Simulator::DoPlayAction(int) {}
void Simulator::DoPlayStart() {}

}  // namespace nib
