// Turns SIGTERM, SIGINT and SIGHUP (a desktop logout) into a Qt signal, so
// the pet is saved by the normal close path instead of being killed.
//
// Catching and delivering are apart: the handlers go in first thing in
// main(), before Qt exists, and only note each signal; a QuitSignals made
// once the pet is loaded delivers what was noted from the event loop. So no
// signal in start-up kills the program half-way, and none interrupts the load.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace nib {

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers without Qt; from here on a quit signal is only
  // noted, to be delivered by the next QuitSignals. Calling again is harmless.
  static void CatchEarly();
  // Whether a noted signal waits to be delivered.
  static bool Pending();

  // Catches the signals (if CatchEarly did not already) and delivers them,
  // also those noted before, as QuitRequested from the event loop. Needs the
  // application object; only one instance may exist at a time.
  explicit QuitSignals(QObject* parent = nullptr);
  // Gives the signals back their default actions and drops what is undelivered.
  ~QuitSignals() override;

 signals:
  void QuitRequested(int signal_number);

 private:
  void ReadSignals();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace nib
