#include "sim/simulator.h"

namespace nib {

Simulator::Simulator(Platform& platform, RandomSource& random)
    : look(LookTarget{pet, scr, menu, layout}, window, platform, platform, platform),
      platform_(platform),
      random_(random) {}

bool Simulator::ScreenVisible() const {
  return !pet.TimerScreen && !pet.LightOff && !scr.BackView.Visible();
}

void Simulator::PlaySoundFile(const std::string& FileName, bool SoundOn, bool WaveType) {
  if (!SoundOn) return;
  if (WaveType)
    platform_.PlayWave(FileName);
  else
    platform_.Beep();
}

void Simulator::PlaySound(const std::string& FileName) {
  PlaySoundFile(FileName, menu.mPopupSound.checked, menu.mPopupWave.checked);
}

}  // namespace nib
