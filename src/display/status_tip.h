// The tip of the tray icon: what the pet wants, or how it is doing, as a
// function of the pet record, the menu's captions and the layout's tooltips.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "display/layout.h"
#include "sim/menu.h"
#include "sim/pet.h"

namespace nib {

inline constexpr std::size_t kStatusTipChars = 63;

// At most 63 characters, never cutting a character in two.
std::string_view CutLongStatusTip(std::string_view text);
inline std::string_view StatusTipCut(std::string_view text) {
  // No more bytes than characters allowed: nothing to count.
  return text.size() <= kStatusTipChars ? text : CutLongStatusTip(text);
}

// Asleep, then sick, then a pending call, then the status line; the egg and
// the angel have no tip.
enum class TipKind {
  kEmpty,
  kSleeping,
  kSick,
  kDisciplineCall,
  kHungryAndUnhappy,
  kHungry,
  kUnhappy,
  kStatusLine,
};

// What a tip is built from: captions or tooltips, and for the status line
// the numbers beside them. Points into the menu and the layout.
struct StatusTipSource {
  TipKind kind = TipKind::kEmpty;
  int count = 0;
  const std::string* parts[5] = {};
  int16 numbers[5] = {};
};

StatusTipSource StatusTipSourceOf(const Pet& pet, const Menu& menu, const Layout& layout);
std::string StatusTipText(const StatusTipSource& source);
inline std::string StatusTip(const Pet& pet, const Menu& menu, const Layout& layout) {
  return StatusTipText(StatusTipSourceOf(pet, menu, layout));
}

// The tip is asked for on every tick: the text is only rebuilt when
// something it shows has changed.
class StatusTipCache {
 public:
  const std::string& TextFor(const StatusTipSource& source);

 private:
  int kind_ = -1;
  int16 numbers_[5] = {};
  std::string parts_[5];
  std::string text_;
};

}  // namespace nib
