// Names of the look's numbered files and character folders.
#pragma once

#include <cstdio>
#include <string>

namespace nib {

// "sleep" 1 ".gif" -> "sleep1.gif".
inline std::string Numbered(const char* stem, int n, const char* extension) {
  return stem + std::to_string(n) + extension;
}

// A character's folder number, as in "\chars\07\".
inline std::string TwoDigits(int character) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", character);
  return number;
}

}  // namespace nib
