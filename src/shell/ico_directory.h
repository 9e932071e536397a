// The directory at the head of an ICO or CUR file: which of its images point
// at data that could be one, and the hot spots of a cursor's images.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace nib {

struct IconEntry {
  int index = 0;        // position in the file's directory
  std::uint32_t offset = 0;  // where the image data starts in the file
  int hot_x = 0;        // cursor files only
  int hot_y = 0;
};

struct IconDirectory {
  std::uint16_t type = 0;  // 1 icon, 2 cursor
  std::vector<IconEntry> entries;  // only those that point at plausible data
};

// Nullopt when the bytes do not start an ICO or CUR directory. An entry is
// kept only when its data lies inside the file and starts with a PNG
// signature or a bitmap header of a sane size and depth; the data's own
// length is not checked here.
std::optional<IconDirectory> ParseIconDirectory(std::string_view bytes);

}  // namespace nib
