// Key codes of keyboard input reaching the device: the letters are their
// upper-case character codes, the others the desktop's usual virtual codes.
// The shell translates its own key events into these.
#pragma once

namespace nib {

enum KeyCode : int {
  kKeyBack = 8,
  kKeyTab = 9,
  kKeyReturn = 13,
  kKeyEscape = 27,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyA = 65,
  kKeyZ = 90,
  kKeyF1 = 112,
};

}  // namespace nib
