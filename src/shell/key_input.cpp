#include "shell/key_input.h"

#include <QKeyEvent>
#include <utility>

#include "sim/key_codes.h"
#include "sim/simulator.h"

namespace nib {

namespace {

// How long a release waits for a press with its timestamp. Far below what
// a person notices, far above the gap a stalled server leaves.
constexpr int kReleaseGraceMs = 60;

}  // namespace

KeyInput::KeyInput(Simulator& sim, Runner run, QObject* parent)
    : QObject(parent), sim_(sim), run_(std::move(run)) {
  release_timer_.setSingleShot(true);
  release_timer_.setInterval(kReleaseGraceMs);
  connect(&release_timer_, &QTimer::timeout, this, &KeyInput::FlushRelease);
}

int KeyInput::KeyCodeOf(int qt_key) {
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return kKeyA + (qt_key - Qt::Key_A);
  switch (qt_key) {
    case Qt::Key_Backspace:
      return kKeyBack;
    case Qt::Key_Tab:
      return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyReturn;
    case Qt::Key_Escape:
      return kKeyEscape;
    case Qt::Key_PageUp:
      return kKeyPageUp;
    case Qt::Key_PageDown:
      return kKeyPageDown;
    case Qt::Key_End:
      return kKeyEnd;
    case Qt::Key_Home:
      return kKeyHome;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_F1:
      return kKeyF1;
    default:
      return 0;
  }
}

void KeyInput::Press(const QKeyEvent& event) {
  const int code = KeyCodeOf(event.key());
  if (pending_code_ != 0) {
    if (code == pending_code_ && event.timestamp() == pending_timestamp_) {
      // The other half of an unmarked repeat: the key never came up.
      pending_code_ = 0;
      release_timer_.stop();
      return;
    }
    FlushRelease();
  }
  // Marked repeats go through: the core presses a held button only once.
  run_("key down", [&] { sim_.Form_KeyDown(code, 0); });
}

void KeyInput::Release(const QKeyEvent& event) {
  if (event.isAutoRepeat()) return;
  FlushRelease();
  const int code = KeyCodeOf(event.key());
  // Only the buttons' keys act on release. Synthetic events carry no time
  // and are never split repeats.
  const bool button_key = code == kKeyLeft || code == kKeyDown || code == kKeyRight;
  if (!button_key || event.timestamp() == 0) return Up(code);
  pending_code_ = code;
  pending_timestamp_ = event.timestamp();
  release_timer_.start();
}

void KeyInput::FlushRelease() {
  if (pending_code_ == 0) return;
  const int code = std::exchange(pending_code_, 0);
  release_timer_.stop();
  Up(code);
}

void KeyInput::Up(int code) {
  run_("key up", [&] { sim_.Form_KeyUp(code, 0); });
}

void KeyInput::LetGoHeldKeys() {
  FlushRelease();
  const Pet& pet = sim_.pet;
  const std::pair<bool, int> keys[] = {
      {pet.ButtonAPressed, kKeyLeft}, {pet.ButtonBPressed, kKeyDown}, {pet.ButtonCPressed, kKeyRight}};
  for (const auto& [held, code] : keys)
    if (held) Up(code);
}

}  // namespace nib
