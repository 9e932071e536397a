#include "windows/plugins_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/device_window.h"
#include "shell/qt_platform.h"
#include "sim/simulator.h"
#include "windows/aux_window_frame.h"
#include "windows/aux_windows.h"

namespace nib {

PluginsAndColorsWindow::PluginsAndColorsWindow(Simulator& sim, Platform& platform,
                                               DeviceWindow& device)
    : QDialog(nullptr), sim_(sim), device_(device), model_(sim, platform) {
  setObjectName(QStringLiteral("PluginsAndColorsWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  list_ = new QListWidget(this);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  text_->setFocusPolicy(Qt::NoFocus);
  text_->setMaximumHeight(80);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QString::fromStdString(sim.pet.OKButtonText), QDialogButtonBox::AcceptRole);
  cancel_ =
      buttons->addButton(QString::fromStdString(sim.pet.CancelButtonText), QDialogButtonBox::RejectRole);
  ok_->setDefault(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(text_);
  layout->addWidget(buttons);
  resize(300, 280);

  device_.Run("open plugins dialog", [this] { model_.Form_Load(); });
  ShowModel();
  connect(list_, &QListWidget::currentRowChanged, this, &PluginsAndColorsWindow::Choose);
  // Enter reaches OK, the default button; a double click applies at once.
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Apply(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &PluginsAndColorsWindow::Apply);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(this, &QDialog::finished, this, &PluginsAndColorsWindow::Unload);
}

PluginsAndColorsWindow::~PluginsAndColorsWindow() { Unload(); }

void PluginsAndColorsWindow::ShowModel() {
  setWindowTitle(WindowTitleOf(model_.Title()));
  for (const std::string& name : model_.List1()) list_->addItem(QString::fromStdString(name));
  list_->setCurrentRow(model_.SelectedRow());
  text_->setPlainText(QString::fromStdString(model_.Text1()));
}

void PluginsAndColorsWindow::Choose(int row) {
  device_.Run("choose entry", [&] { model_.List1_Click(row); });
  text_->setPlainText(QString::fromStdString(model_.Text1()));
}

void PluginsAndColorsWindow::Apply() {
  device_.Run("apply entry", [this] { model_.Command1_Click(); });
  accept();
}

void PluginsAndColorsWindow::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  device_.Run("close plugins dialog", [this] { model_.Form_Unload(); });
}

void OpenPluginsAndColorsDialog(Simulator& sim, QtPlatform& platform, DeviceWindow& device) {
  auto* dialog = new PluginsAndColorsWindow(sim, platform, device);
  ShowCentred(*dialog, device, sim.menu.mPopupOnTop.checked);
  dialog->List().setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace nib
