#include "shell/tray_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "shell/picture_files.h"

namespace nib {

namespace {

constexpr int kMaxTipChars = 63;

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

void TrayIcon::Add(const Picture& icon, const std::string& tip) {
  // Made and shown even with no notification area yet: the icon appears
  // when a panel starting after the program brings one.
  if (!tray_) {
    tray_ = new QSystemTrayIcon(this);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
              if (reason == QSystemTrayIcon::DoubleClick && on_double_click) on_double_click();
              if (reason == QSystemTrayIcon::Context && on_context) on_context();
            });
  }
  Apply(icon, tip);
  tray_->show();
}

void TrayIcon::Modify(const Picture& icon, const std::string& tip) {
  // Like the notification area itself: an icon never added is not changed.
  if (!tray_ || !tray_->isVisible()) return;
  Apply(icon, tip);
}

void TrayIcon::Delete() {
  if (tray_) tray_->hide();
}

bool TrayIcon::Shown() const {
  return tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

QString TrayIcon::ToolTip() const { return tray_ ? tray_->toolTip() : QString(); }

void TrayIcon::Apply(const Picture& icon, const std::string& tip) {
  QIcon qicon = PictureIcon(icon);
  if (qicon.isNull() && fallback_icon_) qicon = fallback_icon_();
  if (qicon.isNull()) qicon = EggIcon();
  tray_->setIcon(qicon);
  tray_->setToolTip(CutTip(tip));
}

}  // namespace nib
