#include "shell/save_failure_notice.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QtDebug>

#include "shell/tray_icon.h"

namespace nib {

namespace {

// Long enough to be read; the failure stays until a save succeeds anyway.
constexpr int kTrayMessageMs = 15000;

QString Title() { return QStringLiteral("Nibbet Simulator cannot save"); }

}  // namespace

QString SaveFailureNotice::FailureText(const QString& file, const QString& reason) {
  return QStringLiteral(
             "The pet could not be saved to %1: %2.\n"
             "It is safe in memory, and saving is tried again every minute.")
      .arg(QDir::toNativeSeparators(file), reason);
}

QString SaveFailureNotice::QuitText(const QString& file, const QString& reason) {
  return QStringLiteral(
             "The pet could not be saved to %1: %2.\n"
             "Quitting now loses what changed since it was last saved.")
      .arg(QDir::toNativeSeparators(file), reason);
}

void SaveFailureNotice::Saved() {
  if (failing_) qInfo("Nibbet Simulator: saved to %s again", qUtf8Printable(file_));
  failing_ = false;
  told_ = false;
}

void SaveFailureNotice::Failed(const QString& file, const QString& reason, bool quiet) {
  file_ = file;
  reason_ = reason;
  const bool first = !failing_;
  failing_ = true;
  if (first) {
    qWarning("Nibbet Simulator: cannot save to %s: %s; trying again at the next save",
             qUtf8Printable(file), qUtf8Printable(reason));
  }
  if (told_ || quiet) return;
  told_ = true;
  if (show) show(Title(), FailureText(file, reason));
}

bool SaveFailureNotice::SettleAtQuit(const std::function<void()>& save) {
  while (failing_) {
    if (!ask_retry ||
        !ask_retry(Title(), QuitText(file_, reason_))) {
      qWarning("Nibbet Simulator: quitting without saving to %s", qUtf8Printable(file_));
      return false;
    }
    save();
  }
  return true;
}

void ShowSaveFailure(TrayIcon& tray, QPointer<QMessageBox>& box, const QString& title,
                     const QString& text) {
  if (tray.ShowMessage(title, text, kTrayMessageMs)) return;
  // Windows need a QApplication; without one the line on stderr is all.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  // One window at most: a later failure updates the one still open.
  if (!box) {
    box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
  }
  box->setText(text);
  box->show();
  box->raise();
}

bool AskRetrySave(const QString& title, const QString& text) {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
  QMessageBox box(QMessageBox::Warning, title, text);
  QPushButton* retry = box.addButton(QMessageBox::Retry);
  box.addButton(QStringLiteral("&Quit without saving"), QMessageBox::DestructiveRole);
  box.setDefaultButton(retry);
  box.exec();
  return box.clickedButton() == retry;
}

}  // namespace nib
