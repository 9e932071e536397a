#include "shell/menu_mirror.h"

#include <QAction>
#include <QMenu>
#include <array>
#include <string_view>

namespace nib {

namespace {

// The items that show a check mark: the options and the cheat states.
constexpr std::array<std::string_view, 24> kCheckableItems = {
    "mPopupStatus", "mPopupSound",    "mPopupWave",   "mPopupBeep",    "mPopupSide",
    "mPopupOnTop",  "mPopupAutoShow", "mPopupPlay0",  "mPopupPlay1",   "mPopupInsulatingSheet",
    "mCheatChar0",  "mCheatChar1",    "mCheatChar2",  "mCheatChar3",   "mCheatChar4",
    "mCheatChar5",  "mCheatChar6",    "mCheatChar7",  "mCheatChar8",   "mCheatChar9",
    "mCheatChar10", "mCheatChar11",   "mCheatChar12", "mCheatAction2",
};

}  // namespace

MenuMirror::MenuMirror(Menu& model, Command on_command, QObject* parent)
    : QObject(parent), model_(model), on_command_(std::move(on_command)), root_(new QMenu) {
  AddItems(root_, model_.mPopup);
  // Re-read the model whenever the popup opens.
  connect(root_, &QMenu::aboutToShow, this, &MenuMirror::Sync);
  Sync();
}

MenuMirror::~MenuMirror() { delete root_; }

bool MenuMirror::IsCheckable(const std::string& item_name) {
  for (std::string_view name : kCheckableItems)
    if (name == item_name) return true;
  return false;
}

void MenuMirror::AddItems(QMenu* menu, const MenuItem& parent) {
  for (MenuItem* item : parent.children) {
    QAction* action = nullptr;
    if (item->IsSeparator()) {
      action = menu->addSeparator();
    } else if (!item->children.empty()) {
      QMenu* submenu = menu->addMenu(QString::fromStdString(item->caption));
      AddItems(submenu, *item);
      action = submenu->menuAction();
    } else {
      action = menu->addAction(QString::fromStdString(item->caption));
      action->setCheckable(IsCheckable(item->name));
      const std::string name = item->name;
      connect(action, &QAction::triggered, this, [this, name] {
        if (on_command_) on_command_(name);
      });
    }
    items_.push_back({action, item, item->caption});
    actions_[item->name] = action;
  }
}

void MenuMirror::Sync() {
  // QAction's setters ignore an unchanged value; only the caption needs
  // comparing here, to spare a conversion for every item.
  for (Mirrored& mirrored : items_) {
    QAction* action = mirrored.action;
    const MenuItem& item = *mirrored.item;
    if (!item.IsSeparator()) {
      if (item.caption != mirrored.caption) {
        mirrored.caption = item.caption;
        action->setText(QString::fromStdString(item.caption));
      }
      if (action->isCheckable()) action->setChecked(item.checked);
      action->setEnabled(item.enabled);
    }
    action->setVisible(item.visible);
  }
}

void MenuMirror::Popup(const QPoint& global_pos) { root_->popup(global_pos); }

QAction* MenuMirror::ActionFor(const std::string& item_name) const {
  const auto it = actions_.find(item_name);
  return it == actions_.end() ? nullptr : it->second;
}

}  // namespace nib
