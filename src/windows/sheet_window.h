// The insulating sheet's own small shaped window. It draws the sheet and
// hands its mouse, keys and 100 ms timer to the core, which decides where
// the sheet goes and what it switches.
#pragma once

#include <QPointF>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "shell/pixel_canvas.h"
#include "shell/sheet_surface.h"
#include "sim/platform.h"

namespace nib {

class DeviceWindow;
class Simulator;

class SheetWindow : public QWidget, public SheetSurface {
  Q_OBJECT

 public:
  SheetWindow(Simulator& sim, DeviceWindow& device);

  void SetShown(bool shown) override { setVisible(shown); }
  void SetInputEnabled(bool enabled) override { setEnabled(enabled); }
  void SetTopMost(bool on_top) override;
  void SetLook(const Picture& picture, const Cursor& pointer) override;
  // Position in twips. What the core set is read back exactly while the
  // window stays where that put it, so the slot's edges compare true.
  float LeftTwips() const override;
  float TopTwips() const override;
  void MoveTwips(float left, float top) override;
  QTimer& Timer() override { return timer_; }

  static QRegion Outline();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Pointer position in twips within the sheet.
  QPointF TwipsAt(const QPointF& global_pos) const;

  Simulator& sim_;
  DeviceWindow& device_;
  QTimer timer_;
  Picture picture_;
  float left_twips_ = 0, top_twips_ = 0;
  QPoint placed_at_;
  // What the window shows, kept between repaints.
  PixelCanvas canvas_;
};

}  // namespace nib
