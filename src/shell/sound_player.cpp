#include "shell/sound_player.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

namespace nib {
namespace {

// Toy sounds are short; a file this large is not one of them.
constexpr qint64 kMaxWaveBytes = 64 * 1024 * 1024;

struct WaveFormat {
  int tag = 0;  // 1 integer PCM, 3 float
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

quint16 U16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 U32(const char* p) { return qFromLittleEndian<quint32>(p); }

void Append16(QByteArray& b, quint16 v) {
  char tmp[2];
  qToLittleEndian(v, tmp);
  b.append(tmp, 2);
}
void Append32(QByteArray& b, quint32 v) {
  char tmp[4];
  qToLittleEndian(v, tmp);
  b.append(tmp, 4);
}

qint16 ToInt16(const char* sample, const WaveFormat& f) {
  if (f.tag == 3) {
    const quint32 bits = U32(sample);
    float x;
    std::memcpy(&x, &bits, 4);
    if (!std::isfinite(x)) return 0;
    return qint16(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f));
  }
  // Integer PCM wider than 16 bits: keep the top 16.
  return qint16(qFromLittleEndian<quint16>(sample + f.bits / 8 - 2));
}

// Rewrites any PCM wave Qt can play into the plain 44-byte-header layout.
// Qt 6.4's loader waits forever on a cut-off or empty file, and while one
// sample waits, deleting any sound effect blocks the program; so Qt only
// ever sees files made here, which are always whole.
std::optional<QByteArray> CanonicalWave(const QByteArray& file) {
  const qsizetype size = file.size();
  if (size < 12 || std::memcmp(file.constData(), "RIFF", 4) != 0 ||
      std::memcmp(file.constData() + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  std::optional<WaveFormat> format;
  qint64 data_at = -1;
  qint64 data_bytes = 0;
  qint64 pos = 12;
  while (pos + 8 <= size && (!format || data_at < 0)) {
    const char* chunk = file.constData() + pos;
    const qint64 declared = U32(chunk + 4);
    const qint64 body = pos + 8;
    const qint64 available = std::min<qint64>(declared, size - body);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
      const char* f = file.constData() + body;
      WaveFormat w{U16(f), U16(f + 2), int(U32(f + 4)), U16(f + 14)};
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
  const qint64 frames = data_bytes / in_frame;
  if (frames == 0) return std::nullopt;

  const int out_bits = f.bits == 8 ? 8 : 16;
  const int out_frame = f.channels * (out_bits / 8);
  QByteArray pcm;
  if (f.tag == 1 && f.bits <= 16) {
    pcm = file.mid(data_at, frames * in_frame);
  } else {
    pcm.reserve(frames * out_frame);
    const char* in = file.constData() + data_at;
    for (qint64 i = 0; i < frames * f.channels; ++i) {
      Append16(pcm, quint16(ToInt16(in + i * (f.bits / 8), f)));
    }
  }

  QByteArray wave("RIFF");
  Append32(wave, quint32(36 + pcm.size()));
  wave.append("WAVEfmt ");
  Append32(wave, 16);
  Append16(wave, 1);
  Append16(wave, quint16(f.channels));
  Append32(wave, quint32(f.rate));
  Append32(wave, quint32(f.rate * out_frame));
  Append16(wave, quint16(out_frame));
  Append16(wave, quint16(out_bits));
  wave.append("data");
  Append32(wave, quint32(pcm.size()));
  wave.append(pcm);
  return wave;
}

}  // namespace

struct SoundPlayer::Impl {
  // Declared first so it outlives the effects that read from it.
  std::unique_ptr<QTemporaryDir> copies;
  // Parent of the effects, so they die with the player.
  QObject owner;
  // One effect per file, decoded once; null for a file that cannot play.
  QHash<QString, QSoundEffect*> effects;
  QPointer<QSoundEffect> current;
  int copies_made = 0;  // names the copies; never reused while one may play

  QSoundEffect* Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxWaveBytes) return nullptr;
    const auto wave = CanonicalWave(file.readAll());
    if (!wave) return nullptr;
    if (!copies) copies = std::make_unique<QTemporaryDir>();
    if (!copies->isValid()) return nullptr;
    const QString copy = copies->filePath(QString("%1.wav").arg(copies_made++));
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(*wave) != wave->size()) {
      return nullptr;
    }
    out.close();
    auto* effect = new QSoundEffect(&owner);
    effect->setSource(QUrl::fromLocalFile(copy));
    return effect;
  }
};

SoundPlayer::SoundPlayer() : impl_(std::make_unique<Impl>()) {}

SoundPlayer::~SoundPlayer() {
  if (impl_->current) impl_->current->stop();
}

void SoundPlayer::Play(const QString& absolute_path) {
  // A new sound cuts the old one even when it cannot be played itself.
  if (impl_->current) {
    impl_->current->stop();
    impl_->current = nullptr;
  }

  auto found = impl_->effects.constFind(absolute_path);
  QSoundEffect* effect = nullptr;
  if (found != impl_->effects.constEnd()) {
    effect = *found;
  } else {
    // A missing file is not remembered, so it plays once it appears.
    if (!QFileInfo(absolute_path).isFile()) return;
    effect = impl_->Load(absolute_path);
    impl_->effects.insert(absolute_path, effect);
  }
  if (effect == nullptr || effect->status() == QSoundEffect::Error) return;

  // While the copy is still loading, play() waits for it to be ready.
  effect->play();
  impl_->current = effect;
}

void SoundPlayer::Forget() {
  // The sound playing now finishes; it is only dropped from the cache.
  for (QSoundEffect* effect : std::as_const(impl_->effects))
    if (effect != nullptr && effect != impl_->current) delete effect;
  impl_->effects.clear();
}

QStringList SoundPlayer::PlayingFiles() const {
  QStringList playing;
  for (auto it = impl_->effects.constBegin(); it != impl_->effects.constEnd(); ++it) {
    if (it.value() != nullptr && it.value()->isPlaying()) playing.append(it.key());
  }
  return playing;
}

void SoundPlayer::Beep() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    QApplication::beep();
  }
}

}  // namespace nib
