#include "display/status_tip.h"

#include <charconv>

#include "sim/characters.h"

namespace nib {

namespace {

void AppendNumber(std::string& text, int value) {
  char digits[8];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

TipKind KindOf(const Pet& pet) {
  if (pet.CharacterNo < kBaby || pet.CharacterNo > kXerblix) return TipKind::kEmpty;
  if (pet.SleepAction) return TipKind::kSleeping;
  if (pet.Sickness > 0) return TipKind::kSick;
  if (pet.AttentionDiscipline) return TipKind::kDisciplineCall;
  if (pet.AttentionHungry && pet.AttentionHappy) return TipKind::kHungryAndUnhappy;
  if (pet.AttentionHungry) return TipKind::kHungry;
  if (pet.AttentionHappy) return TipKind::kUnhappy;
  return TipKind::kStatusLine;
}

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

StatusTipSource StatusTipSourceOf(const Pet& pet, const Menu& menu, const Layout& layout) {
  StatusTipSource s;
  s.kind = KindOf(pet);
  auto add = [&s](const std::string& part) { s.parts[s.count++] = &part; };
  switch (s.kind) {
    case TipKind::kEmpty: break;
    case TipKind::kSleeping: add(menu.mCheatAction2.caption); break;
    case TipKind::kSick: add(menu.mCheatAction0.caption); break;
    case TipKind::kDisciplineCall: add(menu.mCheatAttention2.caption); break;
    case TipKind::kHungryAndUnhappy:
      add(menu.mCheatAttention0.caption);
      add(menu.mCheatAttention1.caption);
      break;
    case TipKind::kHungry: add(menu.mCheatAttention0.caption); break;
    case TipKind::kUnhappy: add(menu.mCheatAttention1.caption); break;
    case TipKind::kStatusLine:
      add(layout.AgeToolTip);
      add(layout.WeightToolTip);
      add(layout.HungryToolTip);
      add(layout.HappyToolTip);
      add(layout.DisciplineToolTip);
      s.numbers[0] = pet.Age;
      s.numbers[1] = pet.Weight;
      s.numbers[2] = pet.Hunger;
      s.numbers[3] = pet.Happiness;
      s.numbers[4] = pet.Discipline;
      break;
  }
  return s;
}

std::string StatusTipText(const StatusTipSource& source) {
  std::string text;
  if (source.kind == TipKind::kStatusLine) {
    // "Age=3, Weight=12, ...", leaving out what a plugin named empty.
    for (int i = 0; i < source.count; ++i) {
      if (source.parts[i]->empty()) continue;
      if (!text.empty()) text += ", ";
      text += *source.parts[i];
      text += '=';
      AppendNumber(text, source.numbers[i]);
    }
  } else if (source.count > 0) {
    text = *source.parts[0];
    if (source.count == 2) {
      text += ", ";
      text += *source.parts[1];
    }
  }
  text.resize(StatusTipCut(text).size());
  return text;
}

const std::string& StatusTipCache::TextFor(const StatusTipSource& source) {
  bool same = kind_ == static_cast<int>(source.kind);
  for (int i = 0; same && i < source.count; ++i)
    same = source.numbers[i] == numbers_[i] && *source.parts[i] == parts_[i];
  if (same) return text_;
  kind_ = static_cast<int>(source.kind);
  for (int i = 0; i < source.count; ++i) {
    numbers_[i] = source.numbers[i];
    parts_[i] = *source.parts[i];
  }
  text_ = StatusTipText(source);
  return text_;
}

}  // namespace nib
