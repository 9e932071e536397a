#include "windows/aux_window_frame.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include "shell/window_region.h"

namespace nib {

QString WindowTitleOf(const std::string& caption) {
  QString title = QString::fromStdString(caption);
  title.replace(QLatin1String("&&"), QStringLiteral("\x01"));
  title.remove(QLatin1Char('&'));
  title.replace(QChar(1), QLatin1Char('&'));
  title = title.trimmed();
  for (const QString& dots : {QStringLiteral("..."), QStringLiteral("\u2026")})
    if (title.endsWith(dots)) title.chop(dots.size());
  return title.trimmed();
}

void ShowCentred(QWidget& window, const QWidget& device, bool on_top) {
  // The layout fixes the size only once it has run.
  if (window.layout()) window.layout()->activate();
  const QScreen* screen = device.screen() ? device.screen() : QGuiApplication::primaryScreen();
  if (screen)
    window.setGeometry(
        QRect(screen->availableGeometry().center() - window.rect().center(), window.size()));
  window.show();
  ApplyTopMost(window, on_top);
  window.activateWindow();
}

}  // namespace nib
