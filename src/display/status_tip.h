// The tip text as the notification area takes it.
#pragma once

#include <cstddef>
#include <string_view>

namespace nib {

inline constexpr std::size_t kStatusTipChars = 63;

// At most 63 characters, never cutting a character in two.
std::string_view CutLongStatusTip(std::string_view text);
inline std::string_view StatusTipCut(std::string_view text) {
  // No more bytes than characters allowed: nothing to count.
  return text.size() <= kStatusTipChars ? text : CutLongStatusTip(text);
}

}  // namespace nib
