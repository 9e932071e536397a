// Tells the user when the pet cannot be saved: once when saves start to
// fail, again only after one has succeeded and a later one fails. The pet
// stays in memory and the store tries again at the next save, so a passing
// message is enough while the program runs; at quit, a last failed save is
// a question, as quitting then loses what was not saved.
#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QMessageBox;

namespace nib {

class TrayIcon;

class SaveFailureNotice {
 public:
  // Shows `text` without blocking.
  using Show = std::function<void(const QString& title, const QString& text)>;
  // Asks, blocking, whether to try again; false for giving up.
  using AskRetry = std::function<bool(const QString& title, const QString& text)>;

  // How the notice and the question reach the user.
  Show show;
  AskRetry ask_retry;

  // The outcome of each save. `file` is the settings file and `reason` why
  // it could not be written. A quiet failure (the save at closing) is noted
  // but left to SettleAtQuit.
  void Saved();
  void Failed(const QString& file, const QString& reason, bool quiet = false);
  bool Failing() const { return failing_; }

  // At quit, while the last save failed: asks whether to try again and
  // calls `save` (which reports back through Saved or Failed) until it
  // succeeds or the user gives up. Returns whether the pet ended saved.
  bool SettleAtQuit(const std::function<void()>& save);

  static QString FailureText(const QString& file, const QString& reason);
  static QString QuitText(const QString& file, const QString& reason);

 private:
  bool failing_ = false;
  // Whether the user has been told of the current failures.
  bool told_ = false;
  QString file_, reason_;
};

// The ways the program shows the notice: through the tray icon's message
// while the icon sits in a notification area, else in a small window that
// does not block.
void ShowSaveFailure(TrayIcon& tray, QPointer<QMessageBox>& box, const QString& title,
                     const QString& text);
// A question with Retry and "Quit without saving"; without a screen (the
// offscreen and minimal platforms) nobody can answer, so no.
bool AskRetrySave(const QString& title, const QString& text);

}  // namespace nib
