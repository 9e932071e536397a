// The insulating sheet's window on the real core: where it shows, pulling it
// out and pushing it in with the mouse, the keys it passes on, and the
// device carrying it along.
#include "windows/sheet_window.h"

#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "shell/device_window.h"
#include "shell/settings_store.h"
#include "shell/window_fixture.h"
#include "sim/simulator.h"

using namespace nib;
using namespace nib::window_fixture;

namespace {

// A drag with the left button held, in window pixels of `widget`.
void Drag(QWidget& widget, QPoint from, QPoint to) {
  QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, from);
  const QPoint global = widget.mapToGlobal(to);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(global), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
  // The window may have moved: release where the pointer is now.
  QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, widget.mapFromGlobal(global));
}

// The pull grip of the sheet, in its own pixels.
const QPoint kGrip(62, 17);

}  // namespace

class SheetWindowTest : public QObject {
  Q_OBJECT

 private:
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  std::unique_ptr<Device> StartNewToy() {
    return window_fixture::StartDevice(program_->path(), Ini(), "Sheety");
  }
  // The sheet's place relative to the device, in pixels.
  static QPoint Offset(Device& device) {
    return device.window.Sheet()->pos() - device.window.pos();
  }
  // Pulls the sheet of a new toy out and waits for the device to switch on.
  static bool PullOut(Device& device) {
    Drag(*device.window.Sheet(), kGrip, kGrip + QPoint(40, 0));
    return QTest::qWaitFor([&] { return device.window.Tick().isActive(); }, 10000);
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  void aNewToyShowsItsSheetDeepInItsSide() {
    auto device = StartNewToy();
    QVERIFY(device);
    SheetWindow* sheet = device->window.Sheet();
    QVERIFY(sheet);
    QVERIFY(sheet->isVisible());
    // Home is 60 twips inside the right edge, 700 twips in; 1600 down.
    QCOMPARE(Offset(*device), QPoint(qRound((2175 - 60 - 700) / 15.0), qRound(1600 / 15.0)));
    QCOMPARE(sheet->size(), QSize(78, 34));
    QCOMPARE(sheet->mask(), SheetWindow::Outline());
    QVERIFY(sheet->Timer().isActive());
    QCOMPARE(sheet->Timer().interval(), 100);
    QVERIFY(!device->window.Tick().isActive());
    QVERIFY(device->sim.menu.mPopupInsulatingSheet.checked);
    QVERIFY(!device->sim.menu.mPopupInsulatingSheet.enabled);
    // The picture is there: the strip is painted, the corner outside the
    // outline is not.
    const QImage image = sheet->grab().toImage();
    QVERIFY(qAlpha(image.pixel(30, 17)) > 0);
    QVERIFY(!SheetWindow::Outline().contains(QPoint(2, 2)));
    QVERIFY(device->window.close());
  }

  void pullingTheSheetOutStartsTheEggAndPushingItInStopsIt() {
    auto device = StartNewToy();
    QVERIFY(device);
    Simulator& sim = device->sim;
    SheetWindow& sheet = *device->window.Sheet();
    const QPoint home = Offset(*device);

    // A short pull, pushed back at once: the device stays off.
    Drag(sheet, kGrip, kGrip + QPoint(5, 0));
    QCOMPARE(Offset(*device), home + QPoint(5, 0));
    QVERIFY(!device->window.Tick().isActive());

    QVERIFY(PullOut(*device));
    QCOMPARE(int(sim.pet.CharacterNo), 0);
    QCOMPARE(int(sim.pet.InsulatingSheet), 2);
    QVERIFY(sim.scr.NibChar.Visible());
    QVERIFY(sim.menu.mPopupInsulatingSheet.enabled);
    // Attached, the sheet only slides.
    QCOMPARE(Offset(*device).y(), home.y());

    // Pushed back deep in, it switches the device off after a while.
    Drag(sheet, kGrip, kGrip - QPoint(200, 0));
    // Never further in than 700 twips.
    QCOMPARE(Offset(*device), home);
    QVERIFY(QTest::qWaitFor([&] { return !device->window.Tick().isActive(); }, 10000));
    QVERIFY(!sim.scr.NibChar.Visible());
    QCOMPARE(int(sim.pet.CurrentInsulatingSheet), 1);
    QVERIFY(device->window.close());

    SettingsStore store(Ini());
    QCOMPARE(store.Read("Sheety", "InsulatingSheet", ""), std::string("1"));
    QCOMPARE(store.Read("Sheety", "InsulatingSheetWidthPushed", ""), std::string("700"));
  }

  void theDeviceCarriesItsAttachedSheet() {
    auto device = StartNewToy();
    QVERIFY(device);
    const QPoint offset = Offset(*device);
    const QPoint start = device->window.pos();
    Drag(device->window, QPoint(70, 50), QPoint(90, 80));
    QCOMPARE(device->window.pos(), start + QPoint(20, 30));
    QCOMPARE(Offset(*device), offset);
    QVERIFY(device->window.close());
  }

  void keysOnTheSheetWorkTheDevice() {
    auto device = StartNewToy();
    QVERIFY(device);
    SheetWindow& sheet = *device->window.Sheet();
    QTest::keyClicks(&sheet, QStringLiteral("QZXW"));
    QVERIFY(device->sim.menu.mCheats.visible);
    // Locked while the sheet is deep in.
    QVERIFY(!device->sim.menu.mCheats.enabled);
    QVERIFY(device->window.close());
  }

  void theMenuRemovesTheSheetAndInsertsItAgain() {
    auto device = StartNewToy();
    QVERIFY(device);
    QVERIFY(PullOut(*device));
    device->window.DispatchMenuCommand("mPopupInsulatingSheet");
    QVERIFY(!device->window.Sheet());
    QCOMPARE(int(device->sim.pet.InsulatingSheet), 0);
    QVERIFY(device->sim.menu.mPopupSide.enabled);
    QVERIFY(device->window.Tick().isActive());

    device->window.DispatchMenuCommand("mPopupInsulatingSheet");
    QVERIFY(device->window.Sheet());
    QVERIFY(device->window.Sheet()->isVisible());
    QCOMPARE(int(device->sim.pet.InsulatingSheet), 2);
    QVERIFY(!device->sim.menu.mPopupSide.enabled);
    QVERIFY(device->window.close());
  }
};

QTEST_MAIN(SheetWindowTest)
#include "sheet_window_test.moc"
