// The least a Qt program pays for what a walking pet shows: the device's
// window, shaped and see-through like it, with a picture of the pet's size
// stepping across it, and a tray icon that changes on the same beat, and
// nothing else. scripts/measure-cost runs it beside the pet and oneko, so
// the pet's cost can be told apart from the toolkit's.
#include <QApplication>
#include <QIcon>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <array>

#include "display/screen.h"
#include "display/window_shape.h"
#include "shell/window_region.h"
#include "shell/window_units.h"

namespace {

// As the walking adult: an 80 ms frame, a 28 x 32 picture, 6 pixel steps,
// eight tray icons.
constexpr int kFrameMs = 80;
constexpr QSize kPet(28, 32);
constexpr int kStep = 6, kFirstLeft = 30, kLastLeft = 100, kTop = 90;
constexpr int kIcons = 8;

class Walker : public QWidget {
 public:
  Walker() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(static_cast<int>(nib::kWindowWidth / nib::kTwipsPerPixel),
                 static_cast<int>(nib::kWindowHeight / nib::kTwipsPerPixel));
    setMask(nib::ShapeRegion(nib::kDeviceOutline));
  }

  void Step() {
    const QRect old = Pet();
    left_ += right_ ? kStep : -kStep;
    if (left_ >= kLastLeft || left_ <= kFirstLeft) right_ = !right_;
    update(old.united(Pet()));
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(190, 200, 170));
    painter.fillRect(Pet(), QColor(40, 40, 40));
  }

 private:
  QRect Pet() const { return QRect(QPoint(left_, kTop), kPet); }

  int left_ = kFirstLeft;
  bool right_ = true;
};

QIcon Icon(int n) {
  QIcon icon;
  for (int size : {16, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(n * size / kIcons / 2, size / 4, size / 2, size / 2), Qt::black);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  // As the simulator sends its repaints.
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication app(argc, argv);
  Walker window;
  window.move(860, 300);
  window.show();
  std::array<QIcon, kIcons> icons;
  for (int n = 0; n < kIcons; ++n) icons[n] = Icon(n);
  QSystemTrayIcon tray(icons[0]);
  tray.show();
  int frame = 0;
  QTimer beat;
  beat.setTimerType(Qt::PreciseTimer);
  QObject::connect(&beat, &QTimer::timeout, [&] {
    window.Step();
    frame = (frame + 1) % kIcons;
    tray.setIcon(icons[frame]);
  });
  beat.start(kFrameMs);
  return app.exec();
}
