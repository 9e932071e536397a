// The one line syntax of every text file of the program folder
// ("default.ini", "plugin.ini", "color.ini", "char.ini"):
//   key = value      (blanks around both trimmed; the key folded to lower case)
//   ; comment        (ignored, as is any line without "=")
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace nib {

struct KeyLine {
  std::string key;    // lower case, trimmed; may hold blanks ("button a")
  std::string value;  // trimmed, letter case kept, UTF-8
};

// Calls `on_line` for every key line of the file's text, in order. Lines may
// end in CR LF, LF or CR and be of any length; NUL bytes are dropped. A line
// that is not valid UTF-8 is read as Windows-1252, so older files keep their
// accented letters.
void ForEachKeyLine(std::string_view text, const std::function<void(const KeyLine&)>& on_line);

// The leading decimal number of a value, rounded half to even and clamped
// to 16 bits: "12.5" gives 12, "13.5" gives 14, "- 1 2" gives -12, and a
// value without a leading number gives 0. Empty values are not numbers:
// callers skip them.
std::int16_t LeadingNumber(std::string_view value);

// Windows-1252 bytes as UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

}  // namespace nib
