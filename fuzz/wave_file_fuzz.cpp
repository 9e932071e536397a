// Feeds arbitrary bytes to the wave reader. Whatever it accepts must come out
// as a whole, plain wave that the sound output can take and that reads back
// as itself, never larger than the header plus the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/wave_file.h"

namespace {

std::uint32_t U16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const auto wave = nib::CanonicalWave(file);
  if (!wave) return 0;
  const std::string& w = *wave;
  FUZZ_CHECK(w.size() > 44);
  FUZZ_CHECK(w.size() <= 44 + size);
  FUZZ_CHECK(w.compare(0, 4, "RIFF") == 0 && U32(w, 4) == w.size() - 8);
  FUZZ_CHECK(w.compare(8, 8, "WAVEfmt ") == 0 && U32(w, 16) == 16);
  const std::uint32_t channels = U16(w, 22), rate = U32(w, 24), block = U16(w, 32), bits = U16(w, 34);
  FUZZ_CHECK(U16(w, 20) == 1);
  FUZZ_CHECK(channels == 1 || channels == 2);
  FUZZ_CHECK(rate >= 1000 && rate <= 192000);
  FUZZ_CHECK(bits == 8 || bits == 16);
  FUZZ_CHECK(block == channels * bits / 8 && U32(w, 28) == rate * block);
  FUZZ_CHECK(w.compare(36, 4, "data") == 0 && U32(w, 40) == w.size() - 44);
  FUZZ_CHECK((w.size() - 44) % block == 0);
  FUZZ_CHECK(nib::CanonicalWave(w) == wave);
  return 0;
}
