// A real menu that mirrors the core's menu tree. The model is the truth:
// captions and states are copied into the menu each time it opens and after
// each core call (a tray host over DBusMenu keeps its own copy of the
// layout), and a chosen item is only reported by name.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

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
  // Copies caption, check mark, enabled and visible from the model; only
  // what differs is touched, so a call with nothing changed costs little.
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
  struct Mirrored {
    QAction* action;
    const MenuItem* item;
    std::string caption;  // as last copied into the action
  };
  std::vector<Mirrored> items_;
  std::unordered_map<std::string, QAction*> actions_;
};

}  // namespace nib
