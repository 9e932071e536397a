#include "shell/tray_icon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

#include "shell/picture_files.h"

namespace nib {

namespace {

constexpr int kMaxTipChars = 63;
// A watcher that does not answer within this counts as none.
constexpr int kHostAnswerMs = 5000;
// How long a message waits for an X11 tray to take a new icon in.
constexpr int kPlaceWaitMs = 100, kPlaceWaits = 30;

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

QDBusMessage HostQuestion() {
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
  return get;
}

bool NotificationServerPresent() {
  const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
  if (!bus) return false;
  const QString server = QStringLiteral("org.freedesktop.Notifications");
  return bus->isServiceRegistered(server).value() ||
         bus->activatableServiceNames().value().contains(server);
}

bool HostAnswer(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  return reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

}  // namespace

TrayIcon::TrayIcon(std::function<QIcon()> fallback_icon, QObject* parent)
    : QObject(parent), fallback_icon_(std::move(fallback_icon)) {}

TrayIcon::~TrayIcon() { Delete(); }

QString TrayIcon::CutTip(const std::string& tip) {
  QString text = QString::fromStdString(tip);
  if (text.size() <= kMaxTipChars) return text;
  qsizetype cut = kMaxTipChars;
  // Never leave half of a surrogate pair.
  if (text.at(cut - 1).isHighSurrogate()) --cut;
  return text.left(cut);
}

QIcon TrayIcon::PictureIcon(const Picture& picture) {
  const auto* qt = dynamic_cast<const QtPicture*>(picture.get());
  if (!qt) return {};
  if (!qt->icon.isNull()) return qt->icon;
  if (!qt->pixmap.isNull()) return QIcon(qt->pixmap);
  return {};
}

QIcon TrayIcon::EggIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(90, 60, 20), 1));
  painter.setBrush(QColor(250, 215, 120));
  painter.drawEllipse(QRectF(2.5, 0.5, 11, 15));
  return QIcon(pixmap);
}

void TrayIcon::SetMenu(QMenu* menu) {
  menu_ = menu;
  if (!tray_) return;
  if (menu)
    ExportMenu();
  else
    tray_->setContextMenu(nullptr);
}

void TrayIcon::Add(const Picture& icon, const std::string& tip) {
  // Made and shown even with no notification area yet: the icon appears
  // when a panel starting after the program brings one.
  if (!tray_) {
    tray_ = new QSystemTrayIcon(this);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
              // A StatusNotifierItem host sends Activate for a click and
              // never a double click.
              const auto toggle =
                  status_notifier_ ? QSystemTrayIcon::Trigger : QSystemTrayIcon::DoubleClick;
              if (reason == toggle && on_double_click) on_double_click();
              if (reason == QSystemTrayIcon::Context && on_context) on_context();
            });
    if (menu_) ExportMenu();
  }
  Apply(icon, tip);
  tray_->show();
}

void TrayIcon::ExportMenu() {
  tray_->setContextMenu(menu_);
  // Qt gives the menu a platform menu only to publish it over DBusMenu,
  // that is, only when the icon is a StatusNotifierItem.
  const bool status_notifier = menu_->platformMenu() != nullptr;
  // An X11 tray window would pop the menu up itself besides on_context.
  if (!status_notifier) tray_->setContextMenu(nullptr);
  if (status_notifier && !status_notifier_) {
    status_notifier_ = true;
    FollowWatcher();
  }
}

void TrayIcon::FollowWatcher() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  auto* watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                          QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayIcon::ForgetHost);
  for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
    bus.connect(kWatcherService, kWatcherPath, kWatcherService, QString::fromLatin1(signal), this,
                SLOT(ForgetHost()));
}

void TrayIcon::ForgetHost() { host_known_ = false; }

void TrayIcon::Modify(const Picture& icon, const std::string& tip) {
  // Like the notification area itself: an icon never added is not changed.
  if (!tray_ || !tray_->isVisible()) return;
  Apply(icon, tip);
}

void TrayIcon::Delete() {
  if (tray_) tray_->hide();
}

bool TrayIcon::Shown() const {
  if (!tray_ || !tray_->isVisible()) return false;
  // Qt's own test would open a new bus connection at every call.
  if (status_notifier_) {
    // Asked again only after the watcher or its hosts changed, and waited
    // for: the core acts on the answer at once.
    if (!host_known_) {
      host_present_ = HostAnswer(
          QDBusConnection::sessionBus().call(HostQuestion(), QDBus::Block, kHostAnswerMs));
      host_known_ = true;
    }
    return host_present_;
  }
  return QSystemTrayIcon::isSystemTrayAvailable();
}

QString TrayIcon::ToolTip() const { return tray_ ? tray_->toolTip() : QString(); }

QIcon TrayIcon::Icon() const { return tray_ ? tray_->icon() : QIcon(); }

bool TrayIcon::ShowMessage(const QString& title, const QString& text, int ms) {
  if (!Shown() || !QSystemTrayIcon::supportsMessages()) return false;
  // A StatusNotifierItem's message goes to a notification server, and is
  // lost without one.
  if (status_notifier_ && !NotificationServerPresent()) return false;
  ShowMessageWhenPlaced(title, text, ms, kPlaceWaits);
  return true;
}

void TrayIcon::ShowMessageWhenPlaced(const QString& title, const QString& text, int ms,
                                     int waits) {
  if (!tray_ || !tray_->isVisible()) return;
  // An X11 tray takes a new icon in a moment after it is shown; until then
  // the icon sits in the screen's corner, and so would the message.
  if (!status_notifier_ && waits > 0 && tray_->geometry().topLeft().isNull()) {
    QTimer::singleShot(kPlaceWaitMs, this, [=, this] {
      ShowMessageWhenPlaced(title, text, ms, waits - 1);
    });
    return;
  }
  tray_->showMessage(title, text, QSystemTrayIcon::Warning, ms);
}

QIcon TrayIcon::IconFor(const Picture& icon) {
  QIcon qicon = PictureIcon(icon);
  if (qicon.isNull() && fallback_icon_) qicon = fallback_icon_();
  if (qicon.isNull()) {
    if (egg_.isNull()) egg_ = EggIcon();
    qicon = egg_;
  }
  return qicon;
}

void TrayIcon::Apply(const Picture& icon, const std::string& tip) {
  // Every change is a signal to a StatusNotifierItem host, which then
  // fetches the icon or the tip again: send only what changed.
  if (!icon || icon != shown_picture_) {
    const QIcon next = IconFor(icon);
    if (next.cacheKey() != tray_->icon().cacheKey()) tray_->setIcon(next);
    shown_picture_ = icon;
  }
  const QString cut = CutTip(tip);
  if (cut != tray_->toolTip()) tray_->setToolTip(cut);
}

}  // namespace nib
