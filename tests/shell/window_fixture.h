// The device window with the real core, pictures and settings store, as the
// program puts them together, on a private copy of the generated program
// folder. Shared by the Qt tests of the window.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "shell/device_window.h"
#include "shell/qt_platform.h"
#include "sim/random_source.h"
#include "sim/simulator.h"

namespace nib::window_fixture {

inline bool CopyTree(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
    if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target)) return false;
  }
  return true;
}

// The program folder the build generated (NIBBET_PROGRAM_DIR); empty when
// there is none.
inline QString GeneratedProgramFolder() {
  const QString generated = qEnvironmentVariable("NIBBET_PROGRAM_DIR");
  if (generated.isEmpty() || !QFileInfo::exists(generated + QStringLiteral("/colors/Default")))
    return {};
  return generated;
}

// A private copy of it that a test may change; null when copying failed.
inline std::unique_ptr<QTemporaryDir> CopyOfProgramFolder(const QString& generated) {
  auto copy = std::make_unique<QTemporaryDir>();
  if (!copy->isValid() || !CopyTree(generated, copy->path())) return nullptr;
  return copy;
}

// For a test program's initTestCase: quiet about masks, then a private copy
// of the generated program folder into `program`; the whole program is
// skipped when the build made none.
#define NIB_COPY_PROGRAM_FOLDER(program)                                               \
  do {                                                                                 \
    ::nib::window_fixture::InstallQuietAboutMasks();                                   \
    const QString generated = ::nib::window_fixture::GeneratedProgramFolder();         \
    if (generated.isEmpty()) QSKIP("No generated program folder (NIBBET_PROGRAM_DIR)"); \
    program = ::nib::window_fixture::CopyOfProgramFolder(generated);                   \
    QVERIFY(program);                                                                  \
  } while (false)

// For a test program's init: a fresh, empty folder for each case.
#define NIB_FRESH_FOLDER(folder)                \
  do {                                          \
    folder = std::make_unique<QTemporaryDir>(); \
    QVERIFY(folder->isValid());                 \
  } while (false)

// Core, platform and window as the program puts them together; the sheet
// where this window system puts it unless chosen.
struct Device {
  Device(const QString& folder, const QString& ini,
         SheetPlace sheet_place = DeviceWindow::DefaultSheetPlace())
      : platform(folder, ini), sim(platform, random), window(sim, platform, sheet_place) {}

  void Start(const std::string& pet_name) {
    window.Load(pet_name);
    if (!platform.WindowVisibilityChosen()) window.show();
  }

  QtPlatform platform;
  StdRandomSource random;
  Simulator sim;
  DeviceWindow window;
};

// The offscreen platform cannot shape windows and says so at every start;
// the painting is cut to the outline all the same.
inline QtMessageHandler& NextMessageHandler() {
  static QtMessageHandler next = nullptr;
  return next;
}
inline void QuietAboutMasks(QtMsgType type, const QMessageLogContext& context,
                            const QString& text) {
  if (text.contains(QLatin1String("does not support setting window masks"))) return;
  NextMessageHandler()(type, context, text);
}
inline void InstallQuietAboutMasks() {
  NextMessageHandler() = qInstallMessageHandler(QuietAboutMasks);
}

// Lets every pending repaint happen.
inline void Settle() {
  QTest::qWait(60);
  QCoreApplication::processEvents();
}

// A started device, shown and painted, with the tick in the test's hands;
// null when the window never showed.
inline std::unique_ptr<Device> StartDevice(
    const QString& folder, const QString& ini, const std::string& pet_name,
    SheetPlace sheet_place = DeviceWindow::DefaultSheetPlace()) {
  auto device = std::make_unique<Device>(folder, ini, sheet_place);
  device->Start(pet_name);
  if (!QTest::qWaitForWindowExposed(&device->window)) return nullptr;
  device->window.Tick().stop();
  Settle();
  return device;
}

}  // namespace nib::window_fixture
