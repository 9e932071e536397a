// The tip text as the notification area takes it.
#pragma once

#include <string_view>

namespace nib {

// At most 63 characters, never cutting a character in two.
std::string_view StatusTipCut(std::string_view text);

}  // namespace nib
