// The three short reactions after an action: scolded or injected, happy,
// and refusing. Each frame lasts DelayValue ticks; AnimRepeat counts the
// frames left, and the last one ends the reaction.
#include "sim/simulator.h"

namespace nib {

bool Simulator::ReactionFrameDue() {
  if (++pet.AnimStep < pet.DelayValue) return false;
  pet.AnimStep = 0;
  // Never below zero, even while an ending has not cleared the flag.
  if (pet.AnimRepeat > 0) --pet.AnimRepeat;
  return true;
}

void Simulator::DoUnhappyReaction() {
  if (!pet.UnhappyReaction || !ReactionFrameDue()) return;
  if (pet.AnimRepeat == 0) return DoAction(kButtonC);
  pet.AnimFrame = static_cast<int16>((pet.AnimFrame + 1) % 4);
  if (pet.AnimFrame < 0) pet.AnimFrame = 0;
  scr.TempImage.Hide();
  scr.TempImage.CopyPictureFrom(scr.TempUnhappy[pet.AnimFrame]);
  if (ScreenVisible()) scr.TempImage.Show();
}

void Simulator::DoHappyReaction() {
  if (!pet.HappyReaction || !ReactionFrameDue()) return;
  if (pet.AnimRepeat == 0) {
    if (!pet.Flushing) return DoAction(kButtonC);
    return EndFlushReaction();
  }
  pet.AnimFrame = pet.AnimFrame == 0 ? 1 : 0;
  scr.TempImage.Hide();
  scr.TempImage.Move(layout.HappyLeft, layout.HappyTop);
  scr.TempImage.CopyPictureFrom(scr.TempHappy[pet.AnimFrame]);
  if (ScreenVisible()) scr.TempImage.Show();
}

void Simulator::DoRefusalReaction() {
  if (!pet.RefusalReaction || !ReactionFrameDue()) return;
  if (pet.AnimRepeat == 0) return DoAction(kButtonC);
  pet.AnimFrame = pet.AnimFrame == 0 ? 1 : 0;
  scr.TempImage.Hide();
  scr.TempImage.CopyPictureFrom(scr.TempNegative[pet.AnimFrame]);
  if (ScreenVisible()) scr.TempImage.Show();
}

void Simulator::EndFlushReaction() {
  // After a flush the happy reaction ends the flush itself.
  pet.Flushing = false;
  scr.TempImage.Hide();
  pet.ActionTimeout = 0;
  pet.HappyReaction = false;
  DoMainScreen(true);
}

void Simulator::SetReactionPicture(Reaction reaction) {
  switch (reaction) {
    case Reaction::kHappy:
      pet.HappyReaction = true;
      scr.TempImage.CopyPictureFrom(scr.TempHappy[0]);
      scr.TempImage.Move(layout.HappyLeft, layout.HappyTop);
      break;
    case Reaction::kUnhappy:
      pet.UnhappyReaction = true;
      scr.TempImage.CopyPictureFrom(scr.TempUnhappy[0]);
      scr.TempImage.Move(layout.UnhappyLeft, layout.UnhappyTop);
      break;
    case Reaction::kRefusal:
      pet.RefusalReaction = true;
      scr.TempImage.CopyPictureFrom(scr.TempNegative[0]);
      scr.TempImage.Move(layout.NoLeft, layout.NoTop);
      break;
  }
}

// Seven frames of the reaction, from its first, with the action held open.
void Simulator::StartReactionFrames() {
  pet.ActionTimeout = 10;
  pet.AnimFrame = 0;
  pet.AnimStep = 0;
  pet.AnimRepeat = 7;
}

}  // namespace nib
