// Procedures of the games, the meter and the clock that the tick and the
// buttons already call; their full behaviour follows shortly.
#include "sim/simulator.h"

namespace nib {

void Simulator::DoShowTimerScreen(bool) {}
void Simulator::DoShowClock() {}
void Simulator::DoPlayStep() {}
void Simulator::DoPlayAction(int) {}
void Simulator::DoPlayStart() {}
void Simulator::DoMeterAction(int) {}

}  // namespace nib
