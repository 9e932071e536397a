#include "shell/sound_player.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>
#include <optional>

#include "shell/wave_file.h"

namespace nib {
namespace {

// Toy sounds are short; a file this large is not one of them.
constexpr qint64 kMaxWaveBytes = 64 * 1024 * 1024;

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
    // Qt 6.4's loader waits forever on a cut-off or empty file, and while
    // one sample waits, deleting any sound effect blocks the program; so Qt
    // only ever sees files made here, which are always whole.
    const QByteArray bytes = file.readAll();
    const auto wave = CanonicalWave({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    if (!wave) return nullptr;
    if (!copies) copies = std::make_unique<QTemporaryDir>();
    if (!copies->isValid()) return nullptr;
    const QString copy = copies->filePath(QString("%1.wav").arg(copies_made++));
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(wave->data(), static_cast<qint64>(wave->size())) !=
            static_cast<qint64>(wave->size())) {
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
