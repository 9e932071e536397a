// The program: one device window for the pet named on the command line.
#include <QApplication>
#include <QMetaObject>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QtDebug>

#include "shell/device_window.h"
#include "shell/qt_platform.h"
#include "shell/quit_signals.h"
#include "shell/single_instance.h"
#include "sim/pet.h"
#include "sim/random_source.h"
#include "sim/simulator.h"

namespace {

// The toy places its sheet at its side and comes back where it stood; a
// Wayland session's own X server lets it, Wayland itself does not. Asked
// for by name (QT_QPA_PLATFORM), Wayland is used all the same.
void PreferPlacingWindowSystem() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
}

// Each repaint sent through shared memory comes back as a completion event
// that wakes the program twice more; the device's repaints are a few small
// rectangles, as cheap to send over the socket.
void SparePaintWakeUps() {
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

}  // namespace

int main(int argc, char* argv[]) {
  // Before anything else: from here a quit signal is only noted, and acted
  // on where the store is either untouched or the pet whole.
  nib::QuitSignals::CatchEarly();

  PreferPlacingWindowSystem();
  SparePaintWakeUps();
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Nibbet Simulator"));
  QApplication::setApplicationName(QStringLiteral("Nibbet Simulator"));
  // Ties the windows to the installed menu entry and icon (Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral(NIBBET_APP_ID));
  // The pet may live in the tray with no window; only closing the device
  // ends the program.
  QApplication::setQuitOnLastWindowClosed(false);

  // The pet's name is the whole command line; Qt's own options are gone.
  QStringList words = QApplication::arguments();
  if (!words.isEmpty()) words.removeFirst();
  const QString name = words.join(QLatin1Char(' '));
  const std::string pet_name = name.toStdString();

  // One program per pet, decided before anything is loaded: a second start
  // only brings the running one to the front. A nameless start is the
  // default pet.
  const QString section = name.isEmpty() ? QString::fromLatin1(nib::kDefaultPetName) : name;
  nib::SingleInstance instance(nib::SingleInstance::UserSettingsPath(), section);
  if (!instance.Claim()) {
    qInfo("Nibbet Simulator: %s is running already; brought it to the front",
          qUtf8Printable(section));
    return 0;
  }

  nib::QtPlatform platform;
  nib::StdRandomSource random;
  nib::Simulator sim(platform, random);
  nib::DeviceWindow window(sim, platform);

  QObject::connect(&window, &nib::DeviceWindow::Closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  // Whatever else ends the program (a session manager) still saves the pet.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.Unload(); });

  // Asked to quit before the load: end with the store untouched.
  if (nib::QuitSignals::Pending()) return 0;
  window.Load(pet_name);

  // From here a quit signal, also one that came during the load, saves the
  // whole pet through the normal close.
  nib::QuitSignals quit_signals;
  bool quit_by_signal = false;
  QObject::connect(&quit_signals, &nib::QuitSignals::QuitRequested, &window, [&] {
    quit_by_signal = true;
    window.close();
    // Also when the window never opened and got no close event.
    window.Unload();
    // Queued: quit() does nothing unless the event loop runs.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  });
  QObject::connect(&instance, &nib::SingleInstance::RaiseRequested, &window, [&sim, &window] {
    // A device hidden in the tray comes back the way the tray brings it.
    if (sim.menu.mPopupStatus.checked) window.DispatchMenuCommand("mPopupStatus");
    window.raise();
    window.activateWindow();
  });

  // A window hidden in a tray that does not exist could never come back.
  if (!platform.WindowVisibilityChosen() ||
      (!window.isVisible() && !QSystemTrayIcon::isSystemTrayAvailable()))
    window.show();

  const int status = QApplication::exec();
  window.Unload();
  // A failed last save is asked about; not when a signal asked to quit,
  // as then nobody may be there to answer.
  if (!quit_by_signal) platform.SettleSavesAtQuit();
  return status;
}
