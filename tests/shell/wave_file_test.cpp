// Rewriting wave files into the one layout the sound output plays: what
// samples come out of each input format, and which files are refused.
#include <QtTest>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "shell/wave_file.h"

namespace {

void Put16(std::string& b, std::uint16_t v) {
  b.push_back(char(v & 0xff));
  b.push_back(char(v >> 8));
}
void Put32(std::string& b, std::uint32_t v) {
  Put16(b, std::uint16_t(v & 0xffff));
  Put16(b, std::uint16_t(v >> 16));
}
std::uint16_t Get16(const std::string& b, std::size_t at) {
  return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}
std::uint32_t Get32(const std::string& b, std::size_t at) {
  return Get16(b, at) | std::uint32_t(Get16(b, at + 2)) << 16;
}

std::string Chunk(const char* id, const std::string& body) {
  std::string chunk(id, 4);
  Put32(chunk, std::uint32_t(body.size()));
  chunk += body;
  if (body.size() % 2 == 1) chunk.push_back('\0');
  return chunk;
}

std::string Format(std::uint16_t tag, int channels, int rate, int bits) {
  std::string fmt;
  Put16(fmt, tag);
  Put16(fmt, std::uint16_t(channels));
  Put32(fmt, std::uint32_t(rate));
  Put32(fmt, std::uint32_t(rate * channels * bits / 8));
  Put16(fmt, std::uint16_t(channels * bits / 8));
  Put16(fmt, std::uint16_t(bits));
  return fmt;
}

std::string Extensible(std::uint16_t real_tag, int channels, int rate, int bits) {
  std::string fmt = Format(0xFFFE, channels, rate, bits);
  Put16(fmt, 22);
  Put16(fmt, std::uint16_t(bits));
  Put32(fmt, 0);
  Put16(fmt, real_tag);
  fmt += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 14);
  return fmt;
}

std::string Riff(const std::string& chunks) {
  std::string riff("RIFF");
  Put32(riff, std::uint32_t(4 + chunks.size()));
  return riff + "WAVE" + chunks;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(char(v));
  return out;
}

std::string Floats(std::initializer_list<float> values) {
  std::string out;
  for (float v : values) {
    std::uint32_t raw;
    std::memcpy(&raw, &v, 4);
    Put32(out, raw);
  }
  return out;
}

std::vector<int> Samples16(const std::string& pcm) {
  std::vector<int> out;
  for (std::size_t at = 0; at + 1 < pcm.size(); at += 2) out.push_back(std::int16_t(Get16(pcm, at)));
  return out;
}

}  // namespace

class WaveFileTest : public QObject {
  Q_OBJECT

 private slots:
  // Samples in, samples out: 16-bit little-endian values unless the input
  // is 8-bit, which stays as it is.
  void samples_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QByteArray>("pcm");
    auto row = [](const char* name, const std::string& file, int channels, int bits,
                  const std::string& pcm) {
      QTest::newRow(name) << QByteArray::fromStdString(file) << channels << bits
                          << QByteArray::fromStdString(pcm);
    };
    const std::string pcm16 = Bytes({0x34, 0x12, 0xcc, 0xed});
    row("16-bit kept", Riff(Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", pcm16)), 1, 16,
        pcm16);
    row("8-bit kept", Riff(Chunk("fmt ", Format(1, 1, 8000, 8)) + Chunk("data", Bytes({1, 2, 3}))),
        1, 8, Bytes({1, 2, 3}));
    // The top two bytes of each sample.
    row("24-bit", Riff(Chunk("fmt ", Format(1, 1, 8000, 24)) +
                       Chunk("data", Bytes({0x11, 0x34, 0x12, 0x22, 0x00, 0x80}))),
        1, 16, Bytes({0x34, 0x12, 0x00, 0x80}));
    row("32-bit stereo", Riff(Chunk("fmt ", Format(1, 2, 8000, 32)) +
                              Chunk("data", Bytes({0, 0, 0x34, 0x12, 9, 9, 0xff, 0x7f}))),
        2, 16, Bytes({0x34, 0x12, 0xff, 0x7f}));
    // Float is scaled to 32767, clamped, and anything not finite is silence.
    std::string floats;
    for (int v : {16384, 32767, -32767, 0, 0}) Put16(floats, std::uint16_t(std::int16_t(v)));
    row("float", Riff(Chunk("fmt ", Format(3, 1, 8000, 32)) +
                      Chunk("data", Floats({0.5f, 7.0f, -3.0f, NAN, INFINITY}))),
        1, 16, floats);
    row("extensible float", Riff(Chunk("fmt ", Extensible(3, 1, 8000, 32)) +
                                 Chunk("data", Floats({0.5f}))),
        1, 16, Bytes({0x00, 0x40}));
    row("extensible 16-bit", Riff(Chunk("fmt ", Extensible(1, 1, 8000, 16)) + Chunk("data", pcm16)),
        1, 16, pcm16);
    // Unknown chunks are stepped over, with their pad byte when odd.
    row("odd chunk before the format",
        Riff(Chunk("LIST", "abc") + Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", pcm16)),
        1, 16, pcm16);
    row("data before the format",
        Riff(Chunk("data", pcm16) + Chunk("fmt ", Format(1, 1, 8000, 16))), 1, 16, pcm16);
    // A cut-off file keeps its whole frames.
    row("data cut in a frame",
        Riff(Chunk("fmt ", Format(1, 2, 8000, 16)) + Chunk("data", Bytes({1, 2, 3, 4, 5, 6, 7, 8})))
            .substr(0, 44 + 6),
        2, 16, Bytes({1, 2, 3, 4}));
  }

  void samples() {
    QFETCH(QByteArray, file);
    QFETCH(int, channels);
    QFETCH(int, bits);
    QFETCH(QByteArray, pcm);
    const auto wave = nib::CanonicalWave(file.toStdString());
    QVERIFY(wave);
    QCOMPARE(wave->size(), std::size_t(44) + std::size_t(pcm.size()));
    QCOMPARE(wave->substr(0, 4), std::string("RIFF"));
    QCOMPARE(Get32(*wave, 4), std::uint32_t(36 + pcm.size()));
    QCOMPARE(wave->substr(8, 8), std::string("WAVEfmt "));
    QCOMPARE(Get32(*wave, 16), 16u);
    QCOMPARE(int(Get16(*wave, 20)), 1);
    QCOMPARE(int(Get16(*wave, 22)), channels);
    QCOMPARE(Get32(*wave, 24), 8000u);
    QCOMPARE(Get32(*wave, 28), std::uint32_t(8000 * channels * bits / 8));
    QCOMPARE(int(Get16(*wave, 32)), channels * bits / 8);
    QCOMPARE(int(Get16(*wave, 34)), bits);
    QCOMPARE(wave->substr(36, 4), std::string("data"));
    QCOMPARE(Get32(*wave, 40), std::uint32_t(pcm.size()));
    if (bits == 16) {
      QCOMPARE(Samples16(wave->substr(44)), Samples16(pcm.toStdString()));
    } else {
      QCOMPARE(QByteArray::fromStdString(wave->substr(44)), pcm);
    }
    // What comes out reads back as itself.
    QCOMPARE(nib::CanonicalWave(*wave), wave);
  }

  void refused_data() {
    QTest::addColumn<QByteArray>("file");
    auto row = [](const char* name, const std::string& file) {
      QTest::newRow(name) << QByteArray::fromStdString(file);
    };
    const std::string pcm = Bytes({1, 2, 3, 4});
    row("empty", "");
    row("not RIFF", "RIFX" + Riff(Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", pcm)).substr(4));
    row("not WAVE", std::string("RIFF\x10\0\0\0AVI ", 12) + Chunk("data", pcm));
    row("no format", Riff(Chunk("data", pcm)));
    row("no data", Riff(Chunk("fmt ", Format(1, 1, 8000, 16))));
    row("format too short", Riff(Chunk("fmt ", Format(1, 1, 8000, 16).substr(0, 14)) + Chunk("data", pcm)));
    row("ADPCM", Riff(Chunk("fmt ", Format(2, 1, 8000, 4)) + Chunk("data", pcm)));
    row("12-bit", Riff(Chunk("fmt ", Format(1, 1, 8000, 12)) + Chunk("data", pcm)));
    row("64-bit float", Riff(Chunk("fmt ", Format(3, 1, 8000, 64)) + Chunk("data", pcm + pcm)));
    row("no channels", Riff(Chunk("fmt ", Format(1, 0, 8000, 16)) + Chunk("data", pcm)));
    row("three channels", Riff(Chunk("fmt ", Format(1, 3, 8000, 16)) + Chunk("data", pcm + pcm)));
    row("rate too low", Riff(Chunk("fmt ", Format(1, 1, 999, 16)) + Chunk("data", pcm)));
    row("rate too high", Riff(Chunk("fmt ", Format(1, 1, 192001, 16)) + Chunk("data", pcm)));
    row("rate negative", Riff(Chunk("fmt ", Format(1, 1, -8000, 16)) + Chunk("data", pcm)));
    row("less than a frame", Riff(Chunk("fmt ", Format(1, 2, 8000, 16)) + Chunk("data", "abc")));
    // A chunk claiming 4 GB steps past the end rather than wrapping round.
    std::string huge = Riff(Chunk("LIST", "ab") + Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", pcm));
    huge[16] = huge[17] = huge[18] = huge[19] = char(0xff);
    row("chunk of 4 GB", huge);
  }

  void refused() {
    QFETCH(QByteArray, file);
    QVERIFY(!nib::CanonicalWave(file.toStdString()));
  }
};

QTEST_APPLESS_MAIN(WaveFileTest)
#include "wave_file_test.moc"
