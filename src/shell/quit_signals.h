// Turns SIGTERM, SIGINT and SIGHUP (a desktop logout) into a Qt signal, so
// the pet is saved by the normal close path instead of being killed.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace nib {

class QuitSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; only one instance may exist at a time.
  explicit QuitSignals(QObject* parent = nullptr);
  // Gives the signals back their default actions.
  ~QuitSignals() override;

 signals:
  void QuitRequested(int signal_number);

 private:
  void ReadSignals();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace nib
