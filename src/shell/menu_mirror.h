// A real menu that mirrors the core's menu tree. The model is the truth:
// captions and states are copied into the menu each time it opens, and a
// chosen item is only reported by name.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>
#include <unordered_map>

#include "sim/menu.h"

class QAction;
class QMenu;
class QWidget;

namespace nib {

class MenuMirror : public QObject {
  Q_OBJECT

 public:
  using Command = std::function<void(const std::string& item_name)>;

  MenuMirror(Menu& model, Command on_command, QObject* parent = nullptr);
  ~MenuMirror() override;

  QMenu* Root() const { return root_; }
  // Copies caption, check mark, enabled and visible from the model.
  void Sync();
  // Opens the popup at a global position without waiting for a choice.
  void Popup(const QPoint& global_pos);
  // The action that shows the named item (a submenu's menu action), or null.
  QAction* ActionFor(const std::string& item_name) const;

  static bool IsCheckable(const std::string& item_name);

 private:
  void AddItems(QMenu* menu, const MenuItem& parent);

  Menu& model_;
  Command on_command_;
  QMenu* root_;
  std::unordered_map<QAction*, MenuItem*> items_;
  std::unordered_map<std::string, QAction*> actions_;
};

}  // namespace nib
