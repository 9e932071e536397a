// Wave files as the sound output takes them: any integer or float PCM wave
// rewritten into the plain 44-byte-header layout, always whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nib {

// Integer PCM of 8, 16, 24 or 32 bits or 32-bit float, one or two channels,
// 1000 to 192000 frames a second, plain or WAVE_FORMAT_EXTENSIBLE. The
// result is 8-bit PCM for 8-bit input and 16-bit PCM otherwise, with every
// whole frame the file holds; a chunk cut short by the end of the file gives
// what is there. Nullopt when the bytes hold no such wave or no whole frame.
std::optional<std::string> CanonicalWave(std::string_view file);

}  // namespace nib
