#include "windows/about_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "shell/device_window.h"
#include "shell/picture_files.h"
#include "shell/qt_platform.h"
#include "sim/about_text.h"
#include "sim/simulator.h"
#include "windows/aux_window_frame.h"
#include "windows/aux_windows.h"

namespace nib {

namespace {

// Wide enough for the notice's longest line; a plugin's description wraps.
constexpr int kTextWidth = 300;

QLabel* TextLabel(const std::string& text, QWidget* parent) {
  auto* label = new QLabel(QString::fromStdString(text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setFixedWidth(kTextWidth);
  return label;
}

}  // namespace

AboutWindow::AboutWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), sim_(sim), device_(device) {
  setObjectName(QStringLiteral("AboutWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(WindowTitleOf(sim_.menu.mPopupAbout.caption));

  ok_ = new QPushButton(QString::fromStdString(sim_.pet.OKButtonText), this);
  connect(ok_, &QPushButton::clicked, this, &QWidget::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(14);
  columns->addWidget(BuildPicture(), 0, Qt::AlignTop);
  columns->addWidget(BuildTexts(platform), 0, Qt::AlignTop);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(columns);
  layout->addLayout(buttons);

  // Never outlive the device and its core.
  connect(&device_, &DeviceWindow::Closed, this, &QWidget::close);
  connect(&device_, &QObject::destroyed, this, [this] { delete this; });
}

QWidget* AboutWindow::BuildPicture() {
  device_.Run("about picture", [this] {
    std::string folder = kAboutPictureFolder;
    sim_.look.DoLoadPicture(sim_.pet.Plugins, picture_holder_, folder, kAboutPictureFile);
  });
  auto* label = new QLabel(this);
  const auto* picture = dynamic_cast<const QtPicture*>(picture_holder_.GetPicture().get());
  if (picture && !picture->pixmap.isNull())
    label->setPixmap(picture->pixmap);
  else
    label->hide();
  return label;
}

QWidget* AboutWindow::BuildTexts(QtPlatform& platform) {
  auto* texts = new QWidget(this);
  auto* title = TextLabel(kAboutTitle, texts);
  title->setObjectName(QStringLiteral("AboutTitle"));
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  title->setFont(big);
  auto* credits = TextLabel(kAboutCredits, texts);
  credits->setObjectName(QStringLiteral("AboutCredits"));

  const AboutFrame words = AboutFrameOf(platform, sim_.pet.Plugins);
  frame_ = new QGroupBox(QString::fromStdString(words.caption), texts);
  notice_ = TextLabel(words.notice, frame_);
  notice_->setFixedWidth(kTextWidth - 24);
  auto* frame_layout = new QVBoxLayout(frame_);
  frame_layout->addWidget(notice_);

  auto* column = new QVBoxLayout(texts);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(title);
  column->addWidget(credits);
  column->addSpacing(10);
  column->addWidget(frame_);
  return texts;
}

void AboutWindow::Open() {
  Lock(true);
  ShowCentred(*this, device_, sim_.menu.mPopupOnTop.checked);
  ok_->setFocus(Qt::ActiveWindowFocusReason);
}

void AboutWindow::Lock(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  device_.Run("about lock", [&] { sim_.SetAuxWindowLock(locked); });
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      close();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  Lock(false);
  event->accept();
}

void OpenAboutWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device) {
  (new AboutWindow(sim, platform, device))->Open();
}

}  // namespace nib
