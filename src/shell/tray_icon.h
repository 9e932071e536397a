// The notification-area icon. It is kept while no notification area
// exists and shows as soon as one appears.
//
// Qt shows it one of two ways, chosen once when the icon is made: as a small
// window embedded in an X11 tray, or as a StatusNotifierItem on D-Bus when a
// StatusNotifierWatcher with a host is on the session bus. The second kind
// gets its menu over DBusMenu and hears a click as Activate, never as a
// double click.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

#include "sim/platform.h"

class QMenu;
class QSystemTrayIcon;

namespace nib {

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // `fallback_icon` gives the icon to show when the core passes no picture.
  explicit TrayIcon(std::function<QIcon()> fallback_icon, QObject* parent = nullptr);
  ~TrayIcon() override;

  // The menu a StatusNotifierItem host shows on its own; null forgets it.
  // Set before Add: the kind of tray is found out through it. Qt keeps
  // the first menu it published, so that one must not be replaced by
  // another once deleted.
  void SetMenu(QMenu* menu);

  void Add(const Picture& icon, const std::string& tip);
  void Modify(const Picture& icon, const std::string& tip);
  void Delete();
  // Whether the icon is in a notification area now.
  bool Shown() const;
  // Whether the icon is a StatusNotifierItem rather than an X11 tray window.
  bool StatusNotifier() const { return status_notifier_; }
  QString ToolTip() const;
  QIcon Icon() const;
  // A warning balloon by the icon for `ms` milliseconds; false when the
  // icon is in no notification area that shows messages.
  bool ShowMessage(const QString& title, const QString& text, int ms);

  // Hides or shows the device: a double click on an X11 tray, a click
  // (Activate) on a StatusNotifierItem host.
  std::function<void()> on_double_click;
  // A right click on an X11 tray; ContextMenu from a StatusNotifierItem host.
  std::function<void()> on_context;

  // The tip as the tray shows it: at most 63 characters.
  static QString CutTip(const std::string& tip);
  // The icon of a picture, or null.
  static QIcon PictureIcon(const Picture& picture);
  // A small egg for when there is no other icon.
  static QIcon EggIcon();

 private slots:
  void ForgetHost();

 private:
  void Apply(const Picture& icon, const std::string& tip);
  void ShowMessageWhenPlaced(const QString& title, const QString& text, int ms, int waits);
  QIcon IconFor(const Picture& icon);
  void ExportMenu();
  void FollowWatcher();

  std::function<QIcon()> fallback_icon_;
  QSystemTrayIcon* tray_ = nullptr;
  QPointer<QMenu> menu_;
  bool status_notifier_ = false;
  // Whether a StatusNotifierWatcher with a host is on the bus, as last
  // asked; forgotten when the watcher or its hosts change.
  mutable bool host_present_ = false;
  mutable bool host_known_ = false;
  // The picture the icon shows now, so an unchanged one is not sent again.
  Picture shown_picture_;
  QIcon egg_;
};

}  // namespace nib
