// Asynchronous wave playback: each file is decoded once and reused, a new
// sound cuts the one playing, and any failure (missing file, broken file,
// no sound device) is silent.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace nib {

class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer();
  void Play(const QString& absolute_path);
  void Beep();
  // Files are decoded again when next played.
  void Forget();
  // The files whose sound is playing now: at most one (tests).
  QStringList PlayingFiles() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace nib
