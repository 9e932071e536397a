// The instructions viewer: one page picture at a time in a small window of
// its own size. Keys and clicks turn the pages; the left button also drags
// the window. The core decides which page comes next.
#pragma once

#include <QWidget>

#include "display/element.h"
#include "sim/instruction_pages.h"
#include "sim/platform.h"

namespace nib {

class DeviceWindow;
class QtPlatform;
class Simulator;

class InstructionsWindow : public QWidget {
  Q_OBJECT

 public:
  InstructionsWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device);

  // Shows page 1 and locks the device; without pages the window closes
  // at once and the device stays as it was.
  void Open();
  const InstructionPages& Pages() const { return pages_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Turn(PageCommand command);
  // Plays the page's sound and shows its picture.
  void ShowPage(const PageTurn& turn);
  void Lock(bool locked);

  Simulator& sim_;
  QtPlatform& platform_;
  DeviceWindow& device_;
  InstructionPages pages_;
  PageDrag drag_;
  // Where Wayland's compositor has taken over the drag.
  bool system_move_ = false;
  bool locked_ = false;
  Picture picture_;
  // Carries the page's pointer from the core's pointer look-up.
  DamageList damage_;
  Element pointer_holder_{&damage_, "InstructionsPicture"};
};

}  // namespace nib
