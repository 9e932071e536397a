// The tip of the tray icon: what the pet wants, or how it is doing. It runs
// on every tick, so the text is only rebuilt when something it shows has
// changed.
#include <charconv>
#include <string_view>

#include "display/status_tip.h"
#include "sim/simulator.h"

namespace nib {

namespace {

enum TipKind {
  kEmpty,
  kSleeping,
  kSick,
  kDisciplineCall,
  kHungryAndUnhappy,
  kHungry,
  kUnhappy,
  kStatusLine,
};

}  // namespace

// Counts characters, not bytes: a UTF-8 sequence is never cut in two.
std::string_view CutLongStatusTip(std::string_view text) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;  // continuation byte
    if (chars == kStatusTipChars) return text.substr(0, i);
    ++chars;
  }
  return text;
}

namespace {

void AppendNumber(std::string& text, int value) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

}  // namespace

void Simulator::DoSetToolTip() {
  const bool any_call = pet.AttentionHappy || pet.AttentionHungry || pet.AttentionDiscipline ||
                        pet.AttentionSleep;
  if (!any_call) {
    if (scr.AttendIcon.Visible()) scr.AttendIcon.Hide();
    pet.AttendTimeLeft = 0;
  }

  // Asleep, then sick, then a pending call, then the status line; the egg
  // and the angel have no tip.
  TipKind kind = kStatusLine;
  if (pet.CharacterNo < kBaby || pet.CharacterNo > kXerblix)
    kind = kEmpty;
  else if (pet.SleepAction)
    kind = kSleeping;
  else if (pet.Sickness > 0)
    kind = kSick;
  else if (pet.AttentionDiscipline)
    kind = kDisciplineCall;
  else if (pet.AttentionHungry && pet.AttentionHappy)
    kind = kHungryAndUnhappy;
  else if (pet.AttentionHungry)
    kind = kHungry;
  else if (pet.AttentionHappy)
    kind = kUnhappy;

  const std::string* parts[5] = {};
  int16 numbers[5] = {};
  int count = 0;
  switch (kind) {
    case kEmpty:
      if (!pet.StatusText.empty()) pet.StatusText.clear();
      return;
    case kSleeping: parts[count++] = &menu.mCheatAction2.caption; break;
    case kSick: parts[count++] = &menu.mCheatAction0.caption; break;
    case kDisciplineCall: parts[count++] = &menu.mCheatAttention2.caption; break;
    case kHungryAndUnhappy:
      parts[count++] = &menu.mCheatAttention0.caption;
      parts[count++] = &menu.mCheatAttention1.caption;
      break;
    case kHungry: parts[count++] = &menu.mCheatAttention0.caption; break;
    case kUnhappy: parts[count++] = &menu.mCheatAttention1.caption; break;
    case kStatusLine:
      parts[0] = &layout.AgeToolTip;
      parts[1] = &layout.WeightToolTip;
      parts[2] = &layout.HungryToolTip;
      parts[3] = &layout.HappyToolTip;
      parts[4] = &layout.DisciplineToolTip;
      numbers[0] = pet.Age;
      numbers[1] = pet.Weight;
      numbers[2] = pet.Hunger;
      numbers[3] = pet.Happiness;
      numbers[4] = pet.Discipline;
      count = 5;
      break;
  }

  ToolTipCache& cache = TipCache;
  bool same = cache.kind == kind;
  for (int i = 0; same && i < count; ++i)
    same = numbers[i] == cache.numbers[i] && *parts[i] == cache.parts[i];
  if (!same) {
    cache.kind = kind;
    for (int i = 0; i < count; ++i) {
      cache.numbers[i] = numbers[i];
      cache.parts[i] = *parts[i];
    }
    std::string& text = cache.text;
    text.clear();
    if (kind == kStatusLine) {
      for (int i = 0; i < count; ++i) {
        if (parts[i]->empty()) continue;
        if (!text.empty()) text += ", ";
        text += *parts[i];
        text += '=';
        AppendNumber(text, numbers[i]);
      }
    } else {
      text = *parts[0];
      if (count == 2) {
        text += ", ";
        text += *parts[1];
      }
    }
    text.resize(StatusTipCut(text).size());
  }
  if (pet.StatusText != cache.text) pet.StatusText = cache.text;
}

}  // namespace nib
