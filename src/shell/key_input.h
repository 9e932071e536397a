// Keys of the device and of its sheet window, turned into the core's key
// handlers. Held keys repeat; a repeat that the window system failed to
// mark (a release and a press of the same key with the same timestamp,
// split by a stalled X server) is still a repeat, so a release is kept back
// until the press that may follow it had its chance to arrive.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QKeyEvent;

namespace nib {

class Simulator;

class KeyInput : public QObject {
  Q_OBJECT

 public:
  // `run` calls a core handler safely and repaints what it changed.
  using Runner = std::function<void(const char* what, const std::function<void()>& handler)>;
  KeyInput(Simulator& sim, Runner run, QObject* parent = nullptr);

  void Press(const QKeyEvent& event);
  void Release(const QKeyEvent& event);
  // The focus went to another program: keys let go there never come up
  // here, and a held button would take part in the next combination.
  void LetGoHeldKeys();
  // A release kept back goes to the core now.
  void FlushRelease();

  // The device's code of a Qt key; 0 for keys the device knows nothing of.
  static int KeyCodeOf(int qt_key);

 private:
  void Up(int code);

  Simulator& sim_;
  Runner run_;
  QTimer release_timer_;
  int pending_code_ = 0;
  quint64 pending_timestamp_ = 0;
};

}  // namespace nib
