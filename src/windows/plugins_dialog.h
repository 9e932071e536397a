// The plugins-and-colors dialog: a list of display names, the chosen
// entry's description, OK and Cancel. The core's PluginsDialog holds the
// lists and applies the choice; this window shows them and forwards input.
#pragma once

#include <QDialog>

#include "sim/plugins_dialog.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace nib {

class DeviceWindow;
class Simulator;

class PluginsAndColorsWindow : public QDialog {
  Q_OBJECT

 public:
  PluginsAndColorsWindow(Simulator& sim, Platform& platform, DeviceWindow& device);
  ~PluginsAndColorsWindow() override;

  QListWidget& List() { return *list_; }
  const PluginsDialog& Model() const { return model_; }

 private:
  void ShowModel();
  void Choose(int row);
  void Apply();
  void Unload();

  Simulator& sim_;
  DeviceWindow& device_;
  PluginsDialog model_;
  QListWidget* list_;
  QPlainTextEdit* text_;
  QPushButton* ok_;
  QPushButton* cancel_;
  bool unloaded_ = false;
};

}  // namespace nib
