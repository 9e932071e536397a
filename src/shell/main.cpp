// The program: one device window for the pet named on the command line.
#include <QApplication>
#include <QStringList>
#include <QSystemTrayIcon>

#include "shell/device_window.h"
#include "shell/qt_platform.h"
#include "shell/quit_signals.h"
#include "sim/random_source.h"
#include "sim/simulator.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Nibbet Simulator"));
  QApplication::setApplicationName(QStringLiteral("Nibbet Simulator"));
  // The pet may live in the tray with no window; only closing the device
  // ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  nib::QuitSignals quit_signals;

  // The pet's name is the whole command line; Qt's own options are gone.
  QStringList words = QApplication::arguments();
  if (!words.isEmpty()) words.removeFirst();
  const std::string pet_name = words.join(QLatin1Char(' ')).toStdString();

  nib::QtPlatform platform;
  nib::StdRandomSource random;
  nib::Simulator sim(platform, random);
  nib::DeviceWindow window(sim, platform);

  QObject::connect(&window, &nib::DeviceWindow::Closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  QObject::connect(&quit_signals, &nib::QuitSignals::QuitRequested, &window, [&window] {
    window.close();
    // Also when the window never opened and got no close event.
    window.Unload();
    QCoreApplication::quit();
  });
  // Whatever else ends the program (a session manager) still saves the pet.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.Unload(); });

  window.Load(pet_name);
  // A window hidden in a tray that does not exist could never come back.
  if (!platform.WindowVisibilityChosen() ||
      (!window.isVisible() && !QSystemTrayIcon::isSystemTrayAvailable()))
    window.show();

  const int status = QApplication::exec();
  window.Unload();
  return status;
}
