#include "shell/ico_directory.h"

#include <cstring>

namespace nib {
namespace {

// Windows icons and cursors are at most 256 pixels a side.
constexpr std::uint32_t kMaxIconSide = 256;
constexpr std::size_t kIconDirBytes = 6;
constexpr std::size_t kIconEntryBytes = 16;
constexpr std::size_t kBmpInfoBytes = 40;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32(std::string_view b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

}  // namespace

std::optional<IconDirectory> ParseIconDirectory(std::string_view bytes) {
  const std::size_t size = bytes.size();
  if (size < kIconDirBytes) return std::nullopt;
  IconDirectory dir;
  dir.type = U16(bytes, 2);
  const std::uint16_t count = U16(bytes, 4);
  if (U16(bytes, 0) != 0 || (dir.type != 1 && dir.type != 2) || count == 0) return std::nullopt;
  for (int i = 0; i < count; ++i) {
    const std::size_t at = kIconDirBytes + static_cast<std::size_t>(i) * kIconEntryBytes;
    if (at + kIconEntryBytes > size) break;
    const std::uint32_t length = U32(bytes, at + 8);
    const std::uint32_t offset = U32(bytes, at + 12);
    if (offset < kIconDirBytes || offset >= size) continue;
    if (length < 8 || std::size_t{offset} + 8 > size) continue;
    const bool png = std::memcmp(bytes.data() + offset, kPngSignature, 8) == 0;
    if (!png) {
      if (std::size_t{offset} + kBmpInfoBytes > size) continue;
      // A zero width or height in the directory means "see the bitmap".
      const std::uint32_t bmp_width = U32(bytes, offset + 4);
      const std::uint32_t bmp_height = U32(bytes, offset + 8) / 2;
      const auto dir_width = static_cast<unsigned char>(bytes[at]);
      const auto dir_height = static_cast<unsigned char>(bytes[at + 1]);
      if (dir_width == 0 && (bmp_width == 0 || bmp_width > kMaxIconSide)) continue;
      if (dir_height == 0 && (bmp_height == 0 || bmp_height > kMaxIconSide)) continue;
      const std::uint16_t bits = U16(bytes, offset + 14);
      if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) continue;
    }
    IconEntry entry;
    entry.index = i;
    entry.offset = offset;
    if (dir.type == 2) {
      entry.hot_x = U16(bytes, at + 4);
      entry.hot_y = U16(bytes, at + 6);
    }
    dir.entries.push_back(entry);
  }
  return dir;
}

}  // namespace nib
