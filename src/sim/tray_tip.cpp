// The tray tip follows the pet on every tick.
#include "display/status_tip.h"
#include "sim/simulator.h"

namespace nib {

void Simulator::DoSetToolTip() {
  const bool any_call = pet.AttentionHappy || pet.AttentionHungry || pet.AttentionDiscipline ||
                        pet.AttentionSleep;
  if (!any_call) {
    if (scr.AttendIcon.Visible()) scr.AttendIcon.Hide();
    pet.AttendTimeLeft = 0;
  }
  const StatusTipSource source = StatusTipSourceOf(pet, menu, layout);
  if (source.kind == TipKind::kEmpty) {
    if (!pet.StatusText.empty()) pet.StatusText.clear();
    return;
  }
  const std::string& text = tip_cache_.TextFor(source);
  if (pet.StatusText != text) pet.StatusText = text;
}

}  // namespace nib
