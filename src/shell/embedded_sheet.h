// The insulating sheet drawn inside the device window, for window systems
// where a program can neither place a window nor learn where it is
// (Wayland). The device window is widened by the sheet's travel in its
// slot; the sheet lies behind the device and takes the mouse where it
// shows. It cannot float free of that window, so a pull that would tear it
// off holds it at the snap zone's right edge instead.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QTimer>

#include "display/screen.h"
#include "shell/sheet_surface.h"
#include "sim/insulating_sheet.h"

class QMouseEvent;
class QPainter;

namespace nib {

class DeviceWindow;
class QtPlatform;
class Simulator;

class EmbeddedSheet final : public QObject, public SheetSurface {
  Q_OBJECT

 public:
  // The device window's width with the sheet pulled to the snap zone's edge.
  static constexpr float kWindowWidthWithSheet =
      kWindowWidth - kSheetHomeInset + kSheetSnapRight + kSheetWidth;

  EmbeddedSheet(Simulator& sim, QtPlatform& platform, DeviceWindow& device);

  // Every window pixel the sheet can cover in its slot.
  static QRect Travel();

  void SetShown(bool shown) override;
  void SetInputEnabled(bool enabled) override { enabled_ = enabled; }
  // Relative to the core's place of the device, which carries the sheet.
  float LeftTwips() const override;
  float TopTwips() const override;
  void MoveTwips(float left, float top) override;
  // Attached, the sheet always lies behind the device.
  void SetTopMost(bool) override {}
  void SetLook(const Picture& picture, const Cursor& pointer) override;
  QTimer& Timer() override { return timer_; }

  bool Shown() const { return shown_; }
  // Top-left in window pixels.
  QPoint Place() const;
  // The window pixels it covers, the device's included; empty while hidden.
  QRegion Shape() const;
  // Whether the sheet, not the device, shows at a window pixel.
  bool ShowsAt(const QPointF& window_px) const;
  const Cursor& Pointer() const { return pointer_; }
  // Draws it into the device's canvas, before the device's elements.
  void Paint(QPainter& canvas, const QRegion& dirty) const;

  // Mouse events on the device window, in window pixels. A press where the
  // sheet shows holds the mouse until the last button is up; true when the
  // event was the sheet's.
  bool Press(const QMouseEvent& event);
  bool Move(const QMouseEvent& event);
  bool Release(const QMouseEvent& event);
  bool Holding() const { return holding_; }

 private:
  // Repaints and reshapes the device window after the shape changed.
  void Reshaped(const QRegion& before);
  QPointF TwipsAt(const QPointF& window_px) const;

  Simulator& sim_;
  QtPlatform& platform_;
  DeviceWindow& device_;
  QTimer timer_;
  Picture picture_;
  Cursor pointer_;
  bool shown_ = false;
  bool enabled_ = true;
  bool holding_ = false;
  // Place relative to the device's top-left, in twips.
  float left_ = 0, top_ = 0;
};

}  // namespace nib
