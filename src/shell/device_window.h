// The borderless, egg-shaped main window. It paints the core's screen
// elements, feeds it the tick, the mouse and the keys, and repaints only
// the rectangles the core reports as changed.
#pragma once

#include <QPoint>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "display/element.h"
#include "shell/pixel_canvas.h"
#include "shell/tick_pacer.h"
#include "sim/platform.h"

namespace nib {

class EmbeddedSheet;
class KeyInput;
class MenuMirror;
class QtPlatform;
class SheetSurface;
class SheetWindow;
class Simulator;

// Where the insulating sheet shows: in a window of its own placed beside the
// device, or inside the device window where windows cannot be placed.
enum class SheetPlace { OwnWindow, InDeviceWindow };

class DeviceWindow : public QWidget {
  Q_OBJECT

 public:
  // Attaches itself to `platform` as the window the core drives; the sheet
  // goes where the window system allows.
  DeviceWindow(Simulator& sim, QtPlatform& platform, QWidget* parent = nullptr);
  // A chosen place of the sheet (tests).
  DeviceWindow(Simulator& sim, QtPlatform& platform, SheetPlace sheet_place,
               QWidget* parent = nullptr);
  ~DeviceWindow() override;

  static SheetPlace DefaultSheetPlace();

  Simulator& Sim() { return sim_; }
  MenuMirror& PopupMenu() { return *menu_; }
  // Wakes the program to run the ticks that fell due; stopped, no tick
  // runs at all, not even before input.
  QTimer& Tick() { return timer_; }
  TickPacer& Pacer() { return pacer_; }
  KeyInput& Keys() { return *keys_; }
  // The insulating sheet's window while it exists, else null.
  SheetWindow* Sheet() { return sheet_.get(); }
  // The sheet inside this window while it exists, else null.
  EmbeddedSheet* SheetInWindow() { return embedded_sheet_.get(); }
  // Whichever of the two exists, else null.
  SheetSurface* LoadedSheet();
  // The sheet inside this window moved, showed or hid, changing `damage`
  // (window pixels): it is repainted and the window's shape follows.
  void SheetReshaped(const QRegion& damage);
  void LoadSheet();
  void UnloadSheet();
  void OpenAuxWindow(AuxWindow window);

  // Runs a core handler, keeping exceptions out of Qt, and repaints what
  // it changed.
  void Run(const char* what, const std::function<void()>& handler);

  // Start-up with the pet's name; repaints what it changed.
  void Load(const std::string& pet_name);
  // Saves the pet and stops the tick; only the first call does anything.
  void Unload();
  bool Unloaded() const { return unloaded_; }

  // One entry point for the commands of the popup menu.
  void DispatchMenuCommand(const std::string& item_name);
  void ShowPopupMenu(const QPoint& global_pos);
  // 0 (or less) stops the tick.
  void SetTimerInterval(int interval_ms);
  void SetTopMost(bool on_top);
  // One tick of the core, whatever time it is.
  void RunTick();
  // A wake-up: runs every tick that fell due, then paints once.
  void Wake();
  // Turns the core's changed rectangles into repaint requests.
  void FlushDamage();

  // The outline of the device in window pixels.
  static QRegion Outline();
  // The pixels a rectangle in twips touches.
  static QRect PixelRect(const TwipRect& twips);

 signals:
  // The window was closed and the pet saved.
  void Closed();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <typename F>
  void CallCore(const char* what, F&& handler);
  void RunDueTicks();
  // Sets the next wake-up for the first tick that may change something;
  // after input, only when that is sooner than the one already set.
  enum class WakeUpPlan { Anew, KeepSooner };
  void PlanWakeUp(WakeUpPlan plan);
  void RunTicks(int count);
  void SyncMenuEverySecond();
  // Pointer position in twips relative to the window.
  QPointF TwipsAt(const QPointF& global_pos) const;
  // Cursor and tooltip of the element under the pointer.
  void UpdateHover(const QPointF& local_px);
  void RefreshHover();
  // The device's outline and the sheet where it lies in this window.
  QRegion Shape() const;
  // Tells a measuring script, once per program, that the window painted.
  static void ReportFirstPaint();
  // The device button (A, B, C or reset) at a point in twips, or null.
  const Element* DeviceButtonAt(const QPointF& twips) const;

  Simulator& sim_;
  QtPlatform& platform_;
  std::unique_ptr<MenuMirror> menu_;
  std::unique_ptr<KeyInput> keys_;
  const SheetPlace sheet_place_;
  std::unique_ptr<SheetWindow> sheet_;
  std::unique_ptr<EmbeddedSheet> embedded_sheet_;
  QTimer timer_;
  TickPacer pacer_;
  const QRegion outline_;
  // What the canvas may paint: the device, and the sheet's travel when it
  // lies in this window.
  const QRegion canvas_outline_;
  // The mask holds the sheet's old places until they are painted over.
  bool mask_wider_than_shape_ = false;
  bool unloaded_ = false;
  // Whether ticks are running, and how many ran since the tray's copy of
  // the menu was last brought up to date.
  static constexpr int kTicksPerMenuSync = 100;
  bool ticking_ = false;
  int ticks_since_menu_sync_ = 0;
  // The device button that took the mouse press gets every mouse event
  // until the last mouse button is up, wherever the pointer goes.
  const Element* pressed_button_ = nullptr;
  // What the pointer currently shows, to change cursor and tip only when
  // they differ.
  Cursor hover_cursor_;
  bool hover_known_ = false;
  QPointF last_pointer_px_;
  // What the window shows, kept between repaints so only damage is drawn.
  PixelCanvas canvas_;
};

}  // namespace nib
