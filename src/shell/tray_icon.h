// The notification-area icon. It is kept while no notification area
// exists and shows as soon as one appears.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "sim/platform.h"

class QSystemTrayIcon;

namespace nib {

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // `fallback_icon` gives the icon to show when the core passes no picture.
  explicit TrayIcon(std::function<QIcon()> fallback_icon, QObject* parent = nullptr);
  ~TrayIcon() override;

  void Add(const Picture& icon, const std::string& tip);
  void Modify(const Picture& icon, const std::string& tip);
  void Delete();
  // Whether the icon is in a notification area now.
  bool Shown() const;
  QString ToolTip() const;

  std::function<void()> on_double_click;
  std::function<void()> on_context;

  // The tip as the tray shows it: at most 63 characters.
  static QString CutTip(const std::string& tip);
  // The icon of a picture, or null.
  static QIcon PictureIcon(const Picture& picture);
  // A small egg for when there is no other icon.
  static QIcon EggIcon();

 private:
  void Apply(const Picture& icon, const std::string& tip);

  std::function<QIcon()> fallback_icon_;
  QSystemTrayIcon* tray_ = nullptr;
};

}  // namespace nib
