#include "shell/wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace nib {
namespace {

struct WaveFormat {
  int tag = 0;  // 1 integer PCM, 3 float
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

std::uint16_t U16(const char* p) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                    static_cast<unsigned char>(p[1]) << 8);
}
std::uint32_t U32(const char* p) { return U16(p) | static_cast<std::uint32_t>(U16(p + 2)) << 16; }

void Append16(std::string& b, std::uint16_t v) {
  b.push_back(static_cast<char>(v & 0xff));
  b.push_back(static_cast<char>(v >> 8));
}
void Append32(std::string& b, std::uint32_t v) {
  Append16(b, static_cast<std::uint16_t>(v & 0xffff));
  Append16(b, static_cast<std::uint16_t>(v >> 16));
}

std::int16_t ToInt16(const char* sample, const WaveFormat& f) {
  if (f.tag == 3) {
    const std::uint32_t bits = U32(sample);
    float x;
    std::memcpy(&x, &bits, 4);
    if (!std::isfinite(x)) return 0;
    return static_cast<std::int16_t>(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f));
  }
  // Integer PCM wider than 16 bits: keep the top 16.
  return static_cast<std::int16_t>(U16(sample + f.bits / 8 - 2));
}

}  // namespace

std::optional<std::string> CanonicalWave(std::string_view file) {
  const std::int64_t size = static_cast<std::int64_t>(file.size());
  if (size < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  std::optional<WaveFormat> format;
  std::int64_t data_at = -1;
  std::int64_t data_bytes = 0;
  std::int64_t pos = 12;
  while (pos + 8 <= size && (!format || data_at < 0)) {
    const char* chunk = file.data() + pos;
    const std::int64_t declared = U32(chunk + 4);
    const std::int64_t body = pos + 8;
    const std::int64_t available = std::min<std::int64_t>(declared, size - body);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
      const char* f = file.data() + body;
      WaveFormat w{U16(f), U16(f + 2), static_cast<int>(U32(f + 4)), U16(f + 14)};
      // WAVE_FORMAT_EXTENSIBLE names the real format in its sub-format.
      if (w.tag == 0xFFFE && available >= 26) w.tag = U16(f + 24);
      format = w;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      data_at = body;
      data_bytes = available;
    }
    pos = body + declared + (declared & 1);
  }
  if (!format || data_at < 0) return std::nullopt;
  const WaveFormat& f = *format;
  const bool integer = f.tag == 1 && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
  const bool floating = f.tag == 3 && f.bits == 32;
  if (!(integer || floating) || f.channels < 1 || f.channels > 2 || f.rate < 1000 ||
      f.rate > 192000) {
    return std::nullopt;
  }
  const int in_frame = f.channels * (f.bits / 8);
  const std::int64_t frames = data_bytes / in_frame;
  if (frames == 0) return std::nullopt;

  const int out_bits = f.bits == 8 ? 8 : 16;
  const int out_frame = f.channels * (out_bits / 8);
  std::string pcm;
  if (f.tag == 1 && f.bits <= 16) {
    pcm = file.substr(static_cast<std::size_t>(data_at), static_cast<std::size_t>(frames * in_frame));
  } else {
    pcm.reserve(static_cast<std::size_t>(frames * out_frame));
    const char* in = file.data() + data_at;
    for (std::int64_t i = 0; i < frames * f.channels; ++i) {
      Append16(pcm, static_cast<std::uint16_t>(ToInt16(in + i * (f.bits / 8), f)));
    }
  }

  std::string wave("RIFF");
  wave.reserve(44 + pcm.size());
  Append32(wave, static_cast<std::uint32_t>(36 + pcm.size()));
  wave.append("WAVEfmt ");
  Append32(wave, 16);
  Append16(wave, 1);
  Append16(wave, static_cast<std::uint16_t>(f.channels));
  Append32(wave, static_cast<std::uint32_t>(f.rate));
  Append32(wave, static_cast<std::uint32_t>(f.rate * out_frame));
  Append16(wave, static_cast<std::uint16_t>(out_frame));
  Append16(wave, static_cast<std::uint16_t>(out_bits));
  wave.append("data");
  Append32(wave, static_cast<std::uint32_t>(pcm.size()));
  wave.append(pcm);
  return wave;
}

}  // namespace nib
