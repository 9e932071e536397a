// Procedures of the games, the meter and the clock that the tick already
// calls; their full behaviour arrives with the device work.
#include "sim/simulator.h"

namespace nib {

void Simulator::DoShowTimerScreen(bool) {}
void Simulator::DoShowClock() {}
void Simulator::DoPlayStep() {}

}  // namespace nib
