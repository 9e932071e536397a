#include "windows/instructions_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "shell/device_window.h"
#include "shell/key_input.h"
#include "shell/picture_files.h"
#include "shell/qt_platform.h"
#include "sim/simulator.h"
#include "windows/aux_window_frame.h"
#include "windows/aux_windows.h"

namespace nib {

namespace {

// A page that does not decode leaves the window at least this big.
constexpr QSize kEmptyPageSize(160, 120);

PixelPoint PixelsOf(const QPointF& point) {
  const QPoint p = point.toPoint();
  return {p.x(), p.y()};
}

}  // namespace

InstructionsWindow::InstructionsWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device)
    : QWidget(nullptr, Qt::Tool),
      sim_(sim),
      platform_(platform),
      device_(device),
      pages_(platform, sim.pet.Plugins) {
  setObjectName(QStringLiteral("InstructionsWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  setWindowTitle(WindowTitleOf(sim_.menu.mPopupInstructions.caption));
  // Never outlive the device and its core.
  connect(&device_, &DeviceWindow::Closed, this, &QWidget::close);
  connect(&device_, &QObject::destroyed, this, [this] { delete this; });
}

void InstructionsWindow::Open() {
  device_.Run("instructions pointer", [this] {
    sim_.look.DoLoadPointer(sim_.pet.Plugins, pointer_holder_, kInstructionsPointerFolder,
                       kInstructionsPointerFile);
  });
  const auto opening = pages_.Opening();
  if (!opening) {
    close();
    return;
  }
  const auto* pointer = dynamic_cast<const QtCursor*>(pointer_holder_.MouseIcon.get());
  if (pointer_holder_.Pointer == MousePointer::Custom && pointer) setCursor(pointer->cursor);
  ShowPage(*opening);
  Lock(true);
  ShowCentred(*this, device_, sim_.menu.mPopupOnTop.checked);
  setFocus(Qt::ActiveWindowFocusReason);
}

void InstructionsWindow::ShowPage(const PageTurn& turn) {
  device_.Run("page sound", [&] { sim_.PlaySound(turn.sound); });
  picture_ = platform_.LoadPicture(turn.path);
  const auto* picture = dynamic_cast<const QtPicture*>(picture_.get());
  if (picture && !picture->pixmap.isNull())
    setFixedSize(picture->pixmap.deviceIndependentSize().toSize());
  else if (size().width() < kEmptyPageSize.width() || size().height() < kEmptyPageSize.height())
    setFixedSize(kEmptyPageSize);
  update();
}

void InstructionsWindow::Turn(PageCommand command) {
  if (command == PageCommand::Close) {
    close();
    return;
  }
  if (const auto turn = pages_.Run(command)) ShowPage(*turn);
}

void InstructionsWindow::Lock(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  device_.Run("instructions lock", [&] { sim_.SetAuxWindowLock(locked); });
}

void InstructionsWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const auto* picture = dynamic_cast<const QtPicture*>(picture_.get());
  if (picture && !picture->pixmap.isNull())
    painter.drawPixmap(QPoint(0, 0), picture->pixmap);
  else
    painter.fillRect(rect(), palette().window());
}

void InstructionsWindow::keyPressEvent(QKeyEvent* event) {
  const PageCommand command = PageCommandOfKey(KeyInput::KeyCodeOf(event->key()));
  if (command == PageCommand::None || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
    return QWidget::keyPressEvent(event);
  event->accept();
  Turn(command);
}

void InstructionsWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  system_move_ = false;
  drag_.Press(PixelsOf(event->globalPosition()), PixelPoint{pos().x(), pos().y()});
}

void InstructionsWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!event->buttons().testFlag(Qt::LeftButton) || system_move_) return;
  const auto to = drag_.Move(PixelsOf(event->globalPosition()));
  if (!to) return;
  if (!QtPlatform::PlacesWindows()) {
    // Only the compositor can move the window; once the pointer has moved
    // the press is a drag, not a click.
    if (drag_.Moved() && windowHandle()) system_move_ = windowHandle()->startSystemMove();
    return;
  }
  move(to->x, to->y);
}

void InstructionsWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return Turn(PageCommand::Previous);
  if (event->button() != Qt::LeftButton) return;
  system_move_ = false;
  if (drag_.Release()) Turn(PageCommand::Next);
}

void InstructionsWindow::closeEvent(QCloseEvent* event) {
  Lock(false);
  event->accept();
}

void OpenInstructionsWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device) {
  (new InstructionsWindow(sim, platform, device))->Open();
}

}  // namespace nib
