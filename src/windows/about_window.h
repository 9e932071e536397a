// The About window: the program's picture, title and credits, and a frame
// with the current plugin's name and description (or the notice on passing
// the program on). Locks the device while it is open.
#pragma once

#include <QWidget>

#include "display/element.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace nib {

class DeviceWindow;
class QtPlatform;
class Simulator;

class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  AboutWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device);

  // Centres, locks the device and shows the window.
  void Open();

  QGroupBox& Frame() { return *frame_; }
  QLabel& Notice() { return *notice_; }
  QPushButton& OkButton() { return *ok_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildPicture();
  QWidget* BuildTexts(QtPlatform& platform);
  void Lock(bool locked);

  Simulator& sim_;
  DeviceWindow& device_;
  bool locked_ = false;
  QGroupBox* frame_ = nullptr;
  QLabel* notice_ = nullptr;
  QPushButton* ok_ = nullptr;
  // Takes the about picture from the core's plugin-first look-up.
  DamageList damage_;
  Element picture_holder_{&damage_, "AboutPicture"};
};

}  // namespace nib
