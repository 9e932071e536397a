#include "sim/next_character.h"

#include "sim/characters.h"

namespace nib {

namespace {

NextStep Becomes(int16 character) { return {NextStep::kBecomes, character}; }

NextStep TeenGrowsUp(const Pet& pet) {
  // The care counters are judged as fractions in single precision,
  // compared exactly.
  const float N = pet.NeedCount;
  const float C = pet.CareWhenNeed;
  const float T = pet.TotalNeedCount;
  const int D = pet.Discipline;
  const int W = pet.DisciplineWhenNeed;
  const int S = pet.SnackCount;
  const int G = pet.Weight;
  if (C <= N * 10.0f / 100.0f) return Becomes(kVossel);
  if (N <= T * 10.0f / 100.0f && static_cast<float>(W) >= N * 50.0f / 100.0f)
    return Becomes(kFennick);
  if (N <= T * 50.0f / 100.0f && D > 7) return Becomes(kTovrin);
  if (D > 7 && W == 0 && S == 0 && G >= 50 && G <= 60) return Becomes(kZelmoc);
  if (D > 0 && G <= 30 && W > 0) return Becomes(kDrubbel);
  if (C > N * 80.0f / 100.0f && D == 0 && W == 0) return Becomes(kOmpadu);
  return {NextStep::kRandomAdult, 0};
}

}  // namespace

NextStep NextCharacter(const Pet& pet) {
  switch (pet.CharacterNo) {
    case kBaby:
      return Becomes(kPimbo);
    case kPimbo: {
      const float N = pet.NeedCount;
      const float C = pet.CareWhenNeed;
      return Becomes(C >= N / 2.0f && pet.PlayCounter > pet.SnackCount ? kWembic : kQuillop);
    }
    case kWembic:
    case kQuillop:
      return TeenGrowsUp(pet);
    case kZelmoc: {
      const float N = pet.NeedCount;
      const float T = pet.TotalNeedCount;
      if (N <= T * 10.0f / 100.0f && pet.Discipline > 0) return Becomes(kXerblix);
      if (pet.MinuteToChangeCharacter == kZelmocFirstLife) return {NextStep::kSecondLife, 0};
      return {NextStep::kDies, 0};
    }
    default:
      return {};
  }
}

int16 RandomAdult(int pick) {
  static constexpr int16 kAdults[] = {kFennick, kTovrin, kZelmoc, kDrubbel, kVossel, kOmpadu};
  return kAdults[pick];
}

}  // namespace nib
