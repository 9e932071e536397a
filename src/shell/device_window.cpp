#include "shell/device_window.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <unordered_map>
#include <utility>

#include "display/screen.h"
#include "display/window_shape.h"
#include "shell/embedded_sheet.h"
#include "shell/key_input.h"
#include "shell/menu_mirror.h"
#include "shell/picture_files.h"
#include "shell/qt_platform.h"
#include "shell/tray_icon.h"
#include "shell/wake_plan.h"
#include "shell/window_region.h"
#include "shell/window_units.h"
#include "sim/simulator.h"
#include "windows/aux_windows.h"
#include "windows/sheet_window.h"

namespace nib {

namespace {

using MouseHandler = void (Simulator::*)(int, int, float, float);
struct ButtonHandlers {
  MouseHandler down = nullptr;
  MouseHandler up = nullptr;
};

// The core's handlers of a device button; none for any other element.
ButtonHandlers HandlersOf(const Screen& scr, const Element* element) {
  if (element == &scr.ButtonA) return {&Simulator::ButtonA_MouseDown, &Simulator::ButtonA_MouseUp};
  if (element == &scr.ButtonB) return {&Simulator::ButtonB_MouseDown, &Simulator::ButtonB_MouseUp};
  if (element == &scr.ButtonC) return {&Simulator::ButtonC_MouseDown, &Simulator::ButtonC_MouseUp};
  if (element == &scr.ResetButton)
    return {&Simulator::ResetButton_MouseDown, &Simulator::ResetButton_MouseUp};
  return {};
}

// Keeps exceptions out of Qt's event loop, where they would kill the pet.
template <typename F>
void Guarded(const char* what, F&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    qWarning("Nibbet: %s failed: %s", what, error.what());
  } catch (...) {
    qWarning("Nibbet: %s failed", what);
  }
}

}  // namespace

DeviceWindow::DeviceWindow(Simulator& sim, QtPlatform& platform, QWidget* parent)
    : DeviceWindow(sim, platform, DefaultSheetPlace(), parent) {}

DeviceWindow::DeviceWindow(Simulator& sim, QtPlatform& platform, SheetPlace sheet_place,
                           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      sim_(sim),
      platform_(platform),
      sheet_place_(sheet_place),
      outline_(Outline()),
      canvas_outline_(sheet_place == SheetPlace::InDeviceWindow
                          ? outline_.united(EmbeddedSheet::Travel())
                          : outline_) {
  setAttribute(Qt::WA_TranslucentBackground);
  // Room for the sheet's travel at the right when it lies in this window;
  // the mask keeps that room see-through.
  const float width = sheet_place == SheetPlace::InDeviceWindow
                          ? EmbeddedSheet::kWindowWidthWithSheet
                          : kWindowWidth;
  setFixedSize(static_cast<int>(width / kTwipsPerPixel),
               static_cast<int>(kWindowHeight / kTwipsPerPixel));
  setMask(outline_);
  setMouseTracking(true);
  // The arrow keys press the device's buttons.
  setFocusPolicy(Qt::StrongFocus);
  // The pet is rarely the active window; its tips show all the same.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  menu_ = std::make_unique<MenuMirror>(
      sim_.menu, [this](const std::string& name) { DispatchMenuCommand(name); });
  keys_ = std::make_unique<KeyInput>(
      sim_, [this](const char* what, const std::function<void()>& handler) { Run(what, handler); });
  // Wake-ups meet the frames of the pet's animation on time.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &DeviceWindow::Wake);
  platform_.AttachWindow(this);
  // A double click on the tray icon hides or shows the device.
  platform_.Tray().on_double_click = [this] { DispatchMenuCommand("mPopupStatus"); };
}

DeviceWindow::~DeviceWindow() {
  sheet_.reset();
  embedded_sheet_.reset();
  platform_.AttachWindow(nullptr);
}

SheetPlace DeviceWindow::DefaultSheetPlace() {
  // Where windows cannot be placed, a sheet window would show anywhere.
  return QtPlatform::PlacesWindows() ? SheetPlace::OwnWindow : SheetPlace::InDeviceWindow;
}

QRegion DeviceWindow::Outline() { return ShapeRegion(kDeviceOutline); }

SheetSurface* DeviceWindow::LoadedSheet() {
  if (sheet_) return sheet_.get();
  return embedded_sheet_.get();
}

void DeviceWindow::LoadSheet() {
  if (sheet_ || embedded_sheet_) return;
  if (sheet_place_ == SheetPlace::InDeviceWindow)
    embedded_sheet_ = std::make_unique<EmbeddedSheet>(sim_, platform_, *this);
  else
    sheet_ = std::make_unique<SheetWindow>(sim_, *this);
}

void DeviceWindow::UnloadSheet() {
  // Deleted later: the sheet's own handlers may be on the stack.
  if (sheet_) sheet_.release()->deleteLater();
  if (embedded_sheet_) {
    embedded_sheet_->Timer().stop();
    embedded_sheet_->SetShown(false);
    embedded_sheet_.release()->deleteLater();
  }
}

QRegion DeviceWindow::Shape() const {
  return embedded_sheet_ ? outline_.united(embedded_sheet_->Shape()) : outline_;
}

void DeviceWindow::SheetReshaped(const QRegion& damage) {
  // Shown again, the window is painted whole.
  if (!isVisible()) {
    setMask(Shape());
    return;
  }
  // Qt repaints a masked window only within its mask, and a translucent
  // window shows all it was once given: the mask keeps the sheet's old
  // place until the repaint has cleared it.
  setMask(mask().united(damage).united(Shape()));
  mask_wider_than_shape_ = true;
  update(damage);
}

bool DeviceWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  // An update request paints all that is pending, unless the window is
  // unmapped, when it waits.
  if (event->type() == QEvent::UpdateRequest && mask_wider_than_shape_ &&
      testAttribute(Qt::WA_Mapped)) {
    mask_wider_than_shape_ = false;
    setMask(Shape());
  }
  return handled;
}

void DeviceWindow::OpenAuxWindow(AuxWindow window) {
  switch (window) {
    case AuxWindow::PluginsAndColors:
      return OpenPluginsAndColorsDialog(sim_, platform_, *this);
    case AuxWindow::Instructions:
      return OpenInstructionsWindow(sim_, platform_, *this);
    case AuxWindow::About:
      return OpenAboutWindow(sim_, platform_, *this);
  }
}

void DeviceWindow::Run(const char* what, const std::function<void()>& handler) {
  CallCore(what, handler);
}

QRect DeviceWindow::PixelRect(const TwipRect& twips) {
  // Outward, so a rectangle off the pixel grid is never cut short.
  const int left = static_cast<int>(std::floor(ClampPixels(twips.left / kTwipsPerPixel)));
  const int top = static_cast<int>(std::floor(ClampPixels(twips.top / kTwipsPerPixel)));
  const int right =
      static_cast<int>(std::ceil(ClampPixels((double{twips.left} + twips.width) / kTwipsPerPixel)));
  const int bottom =
      static_cast<int>(std::ceil(ClampPixels((double{twips.top} + twips.height) / kTwipsPerPixel)));
  if (right <= left || bottom <= top) return {};
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

template <typename F>
void DeviceWindow::CallCore(const char* what, F&& handler) {
  // The ticks that fell due before this event run first: it acts in order.
  RunDueTicks();
  Guarded(what, handler);
  FlushDamage();
  // The event may have started something that changes on every tick.
  PlanWakeUp(WakeUpPlan::KeepSooner);
  // A tray host shows its copy of the menu without asking: after input it
  // follows at once (from inside a tick, once a second).
  if (!ticking_) menu_->Sync();
}

void DeviceWindow::Load(const std::string& pet_name) {
  CallCore("start-up", [&] { sim_.Form_Load(pet_name); });
}

void DeviceWindow::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  CallCore("shutdown", [&] { sim_.Form_Unload(); });
  timer_.stop();
  pacer_.Stop();
}

void DeviceWindow::DispatchMenuCommand(const std::string& item_name) {
  if (unloaded_) return;
  if (item_name == "mPopupClose") {
    close();
    return;
  }
  // The core's menu handlers, one line each.
  using Handler = void (Simulator::*)();
  static const std::unordered_map<std::string, Handler> kCoreCommands = {
      {"mPopupStatus", &Simulator::mPopupStatus_Click},
      {"mPopupSound", &Simulator::mPopupSound_Click},
      {"mPopupWave", &Simulator::mPopupWave_Click},
      {"mPopupBeep", &Simulator::mPopupBeep_Click},
      {"mPopupSide", &Simulator::mPopupSide_Click},
      {"mPopupOnTop", &Simulator::mPopupOnTop_Click},
      {"mPopupAutoShow", &Simulator::mPopupAutoShow_Click},
      {"mPopupPlay0", &Simulator::mPopupPlay0_Click},
      {"mPopupPlay1", &Simulator::mPopupPlay1_Click},
      {"mPopupInsulatingSheet", &Simulator::mPopupInsulatingSheet_Click},
      {"mPopupChangeColor", &Simulator::mPopupChangeColor_Click},
      {"mPopupPlugins", &Simulator::mPopupPlugins_Click},
      {"mPopupInstructions", &Simulator::mPopupInstructions_Click},
      {"mPopupAbout", &Simulator::mPopupAbout_Click},
  };
  const auto it = kCoreCommands.find(item_name);
  if (it != kCoreCommands.end()) {
    CallCore(item_name.c_str(), [&] { (sim_.*(it->second))(); });
    return;
  }
  // The hidden cheat menu runs only items that are revealed and enabled.
  CallCore(item_name.c_str(), [&] { sim_.DoCheatCommand(item_name); });
}

void DeviceWindow::ShowPopupMenu(const QPoint& global_pos) { menu_->Popup(global_pos); }

void DeviceWindow::SetTimerInterval(int interval_ms) {
  if (interval_ms <= 0 || unloaded_) {
    timer_.stop();
    pacer_.Stop();
    return;
  }
  // Restarting would shift the beat; only a new interval restarts it.
  if (!timer_.isActive() || pacer_.Interval() != interval_ms) {
    pacer_.Start(interval_ms);
    timer_.start(pacer_.WakeUpPeriod());
  }
}

void DeviceWindow::PlanWakeUp(WakeUpPlan plan) {
  if (unloaded_ || ticking_ || !timer_.isActive()) return;
  const int in_ms = pacer_.NextWakeUpIn(TicksUntilChange(sim_));
  // A stream of input must not put off the wake-up again and again.
  if (plan == WakeUpPlan::KeepSooner && timer_.remainingTime() <= in_ms) return;
  timer_.start(in_ms);
}

void DeviceWindow::SetTopMost(bool on_top) { ApplyTopMost(*this, on_top); }

void DeviceWindow::FlushDamage() {
  DamageList& damage = sim_.scr.damage;
  if (damage.Empty()) return;
  for (const TwipRect& rect : damage.Rects()) {
    const QRect pixels = PixelRect(rect);
    if (!pixels.isEmpty()) update(pixels);
  }
  damage.Clear();
}

void DeviceWindow::RunTicks(int count) {
  if (count <= 0) return;
  ticking_ = true;
  // Each tick on its own: one that fails leaves the others to run. A tick
  // may stop the beat or close the device.
  for (int tick = 0; tick < count && !unloaded_; ++tick)
    Guarded("tick", [&] { sim_.Timer1_Timer(); });
  ticking_ = false;
  ticks_since_menu_sync_ += count;
}

void DeviceWindow::RunDueTicks() {
  if (unloaded_ || ticking_ || !timer_.isActive()) return;
  RunTicks(pacer_.TakeDue());
}

void DeviceWindow::SyncMenuEverySecond() {
  // The tick changes the menu rarely: the tray's copy follows once a second.
  if (ticks_since_menu_sync_ < kTicksPerMenuSync) return;
  ticks_since_menu_sync_ = 0;
  menu_->Sync();
}

void DeviceWindow::RunTick() {
  if (unloaded_) return;
  RunTicks(1);
  FlushDamage();
  SyncMenuEverySecond();
  RefreshHover();
}

void DeviceWindow::Wake() {
  if (unloaded_) return;
  RunDueTicks();
  // One repaint for all the ticks of this wake-up.
  FlushDamage();
  SyncMenuEverySecond();
  RefreshHover();
  PlanWakeUp(WakeUpPlan::Anew);
}

void DeviceWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  canvas_.Paint(painter, size(), canvas_outline_, event->region(),
                [this](QPainter& canvas, const QRegion& dirty) {
                  // Attached, the sheet lies behind the device.
                  if (embedded_sheet_) embedded_sheet_->Paint(canvas, dirty);
                  canvas.save();
                  if (sheet_place_ == SheetPlace::InDeviceWindow)
                    canvas.setClipRegion(outline_, Qt::IntersectClip);
                  for (const Element* element : sim_.scr.PaintOrder()) {
                    if (!element->Visible()) continue;
                    const auto* picture =
                        dynamic_cast<const QtPicture*>(element->GetPicture().get());
                    if (!picture || picture->pixmap.isNull()) continue;
                    const QPixmap& pixmap = picture->pixmap;
                    const QSize full = pixmap.deviceIndependentSize().toSize();
                    // A narrowed element shows only its left part.
                    const QRect target(TwipsToPixels(element->Left()), TwipsToPixels(element->Top()),
                                       std::min(TwipsToPixels(element->Width()), full.width()),
                                       std::min(TwipsToPixels(element->Height()), full.height()));
                    if (target.isEmpty() || !dirty.intersects(target)) continue;
                    const qreal ratio = pixmap.devicePixelRatio();
                    const QRectF source(0, 0, target.width() * ratio, target.height() * ratio);
                    canvas.drawPixmap(QRectF(target), pixmap, source);
                  }
                  canvas.restore();
                });
  ReportFirstPaint();
}

void DeviceWindow::ReportFirstPaint() {
  // scripts/measure-cost times the start-up to this line.
  static bool reported = false;
  if (reported) return;
  reported = true;
  if (qEnvironmentVariableIsSet("NIBBET_REPORT_FIRST_PAINT")) {
    std::fputs("nibbet: first paint\n", stderr);
    std::fflush(stderr);
  }
}

QPointF DeviceWindow::TwipsAt(const QPointF& global_pos) const {
  // From the window's current place: the core may have just moved it.
  const QPointF local = global_pos - QPointF(geometry().topLeft());
  return local * kTwipsPerPixel;
}

const Element* DeviceWindow::DeviceButtonAt(const QPointF& twips) const {
  const Element* element = sim_.scr.ElementAt(twips.x(), twips.y());
  return HandlersOf(sim_.scr, element).down ? element : nullptr;
}

void DeviceWindow::mousePressEvent(QMouseEvent* event) {
  const int button = MouseButtonCode(event->button());
  if (button == 0 || unloaded_) return;
  // The sheet in this window takes the presses where it shows, and is never
  // dragged by the window system.
  if (!pressed_button_ && embedded_sheet_ && embedded_sheet_->Press(*event)) return;
  const QPointF at = TwipsAt(event->globalPosition());
  if (!pressed_button_) pressed_button_ = DeviceButtonAt(at);
  if (const Element* target = pressed_button_) {
    // Every mouse button goes to the device button; only the left acts.
    const MouseHandler down = HandlersOf(sim_.scr, target).down;
    CallCore("button down", [&] {
      (sim_.*down)(button, 0, at.x() - target->Left(), at.y() - target->Top());
    });
    return;
  }
  // Wayland lets no program place its own window; the compositor drags it.
  if (button == kLeftButton && !QtPlatform::PlacesWindows() && windowHandle() &&
      windowHandle()->startSystemMove())
    return;
  CallCore("mouse down", [&] { sim_.DragMouseDown(button, at.x(), at.y()); });
}

void DeviceWindow::mouseMoveEvent(QMouseEvent* event) {
  if (unloaded_) return;
  if (embedded_sheet_ && embedded_sheet_->Move(*event)) {
    UpdateHover(event->position());
    return;
  }
  const int buttons = MouseButtonMask(event->buttons());
  const QPointF at = TwipsAt(event->globalPosition());
  CallCore("mouse move", [&] { sim_.DragMouseMove(buttons, at.x(), at.y()); });
  UpdateHover(event->globalPosition() - QPointF(geometry().topLeft()));
}

void DeviceWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (unloaded_) return;
  if (embedded_sheet_ && embedded_sheet_->Release(*event)) return;
  const Element* target = pressed_button_;
  if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton))) pressed_button_ = nullptr;
  const int button = MouseButtonCode(event->button());
  if (button == 0) return;
  if (target) {
    const QPointF at = TwipsAt(event->globalPosition());
    const MouseHandler up = HandlersOf(sim_.scr, target).up;
    CallCore("button up", [&] {
      (sim_.*up)(button, 0, at.x() - target->Left(), at.y() - target->Top());
    });
    return;
  }
  CallCore("mouse up", [&] { sim_.DragMouseUp(button); });
}

void DeviceWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (!unloaded_) keys_->Press(*event);
}

void DeviceWindow::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  if (!unloaded_) keys_->Release(*event);
}

void DeviceWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (!unloaded_) keys_->LetGoHeldKeys();
}

void DeviceWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (unloaded_ || event->button() != Qt::LeftButton) return;
  // A double click on a button or the sheet is two presses of it; on the
  // body it turns the device.
  if (DeviceButtonAt(TwipsAt(event->globalPosition()))) return mousePressEvent(event);
  if (embedded_sheet_ && embedded_sheet_->ShowsAt(event->position()))
    return mousePressEvent(event);
  if (sim_.scr.BackView.Visible())
    CallCore("double click", [&] { sim_.BackView_DblClick(); });
  else
    CallCore("double click", [&] { sim_.FrontView_DblClick(); });
}

void DeviceWindow::UpdateHover(const QPointF& local_px) {
  last_pointer_px_ = local_px;
  // The sheet in this window keeps its pointer while it holds the mouse.
  const bool on_sheet = embedded_sheet_ &&
                        (embedded_sheet_->Holding() || embedded_sheet_->ShowsAt(local_px));
  const Element* element =
      on_sheet ? nullptr
               : sim_.scr.ElementAt(local_px.x() * kTwipsPerPixel, local_px.y() * kTwipsPerPixel);

  Cursor cursor;
  if (element && element->Pointer == MousePointer::Custom &&
      dynamic_cast<const QtCursor*>(element->MouseIcon.get()))
    cursor = element->MouseIcon;
  if (on_sheet && dynamic_cast<const QtCursor*>(embedded_sheet_->Pointer().get()))
    cursor = embedded_sheet_->Pointer();
  if (!hover_known_ || cursor != hover_cursor_) {
    if (cursor)
      setCursor(static_cast<const QtCursor&>(*cursor).cursor);
    else
      setCursor(Qt::ArrowCursor);
    hover_cursor_ = cursor;
  }
  hover_known_ = true;

  const QString tip = element ? QString::fromStdString(element->ToolTipText) : QString();
  if (tip == toolTip()) return;
  setToolTip(tip);
  // A tip already showing follows the pointer to the new element.
  if (QToolTip::isVisible()) {
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(mapToGlobal(local_px.toPoint()), tip, this);
  }
}

void DeviceWindow::RefreshHover() {
  // The element under a resting pointer may change with the tick.
  if (hover_known_ && underMouse()) UpdateHover(last_pointer_px_);
}

void DeviceWindow::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
  emit Closed();
}

}  // namespace nib
