// The insulating sheet inside the device window, where the program cannot
// place a window of its own (Wayland): where it shows, the window's shape
// following it, pulling it out and pushing it in with the mouse, a pull
// past the snap zone held at its edge, the mouse going to the sheet only
// where it shows, and repainting only what it changed.
#include "shell/embedded_sheet.h"

#include <QBackingStore>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "shell/device_window.h"
#include "shell/picture_files.h"
#include "shell/settings_store.h"
#include "shell/window_fixture.h"
#include "shell/window_region.h"
#include "sim/simulator.h"

using namespace nib;
using namespace nib::window_fixture;

using Path = std::vector<QPoint>;
Q_DECLARE_METATYPE(Path)

namespace {

// A drag with the left button held through `path`, in window pixels.
void Drag(QWidget& widget, QPoint from, const Path& path) {
  QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, from);
  QPoint global = widget.mapToGlobal(from);
  for (const QPoint& to : path) {
    global = widget.mapToGlobal(to);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(global), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
  }
  // The window may have moved: release where the pointer is now.
  QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, widget.mapFromGlobal(global));
}

void Hover(QWidget& widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
}

// The pull grip of the sheet, in its own pixels.
const QPoint kGrip(62, 17);
// A new toy's sheet: 60 twips inside the device's right edge, pushed in 700;
// 1600 twips down.
const QPoint kDeepIn(qRound((2175 - 60 - 700) / 15.0), qRound(1600 / 15.0));

// The sheet's outline within its 78 by 34 pixels.
QRegion SheetOutlineAt(QPoint place) {
  return ShapeRegion(kSheetOutline).intersected(QRect(0, 0, 78, 34)).translated(place);
}

QImage Argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

}  // namespace

class EmbeddedSheetTest : public QObject {
  Q_OBJECT

 private:
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  std::unique_ptr<Device> StartNewToy() {
    return window_fixture::StartDevice(program_->path(), Ini(), "Sheety",
                                       SheetPlace::InDeviceWindow);
  }
  static EmbeddedSheet& Sheet(Device& device) { return *device.window.SheetInWindow(); }
  static QPoint GripOf(Device& device) { return Sheet(device).Place() + kGrip; }
  // Pulls the sheet out and waits for the device to switch on.
  static bool PullOut(Device& device) {
    Drag(device.window, GripOf(device), {GripOf(device) + QPoint(40, 0)});
    return QTest::qWaitFor([&] { return device.window.Tick().isActive(); }, 10000);
  }
  // The window's shape is the device and the sheet where it is now.
  static bool ShapedToSheet(Device& device) {
    return device.window.mask() ==
           DeviceWindow::Outline().united(SheetOutlineAt(Sheet(device).Place()));
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  void aNewToyShowsItsSheetDeepInItsSideWithinItsWindow() {
    auto device = StartNewToy();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    QVERIFY(!window.Sheet());
    QVERIFY(window.SheetInWindow());
    QVERIFY(Sheet(*device).Shown());
    // Wide enough for the sheet pulled to the snap zone's edge:
    // 2175 - 60 + 150 + 1170 twips.
    QCOMPARE(window.size(), QSize(3435 / 15, 2970 / 15));
    QCOMPARE(Sheet(*device).Place(), kDeepIn);
    QCOMPARE(device->platform.SheetTop(), device->platform.WindowTop() + 1600);
    QVERIFY(ShapedToSheet(*device));
    QVERIFY(Sheet(*device).Timer().isActive());
    QCOMPARE(Sheet(*device).Timer().interval(), 100);
    QVERIFY(!window.Tick().isActive());
    QVERIFY(device->sim.menu.mPopupInsulatingSheet.checked);
    QVERIFY(!device->sim.menu.mPopupInsulatingSheet.enabled);

    // The grip shows the sheet's picture; the extra width is see-through.
    const QImage shown = Argb(window.grab().toImage());
    const auto* picture =
        dynamic_cast<const QtPicture*>(device->sim.sheet.Picture1.GetPicture().get());
    QVERIFY(picture);
    const QImage sheet_picture = Argb(picture->pixmap.toImage());
    QCOMPARE(shown.pixel(kDeepIn + kGrip), sheet_picture.pixel(kGrip));
    QVERIFY(qAlpha(shown.pixel(kDeepIn + kGrip)) > 0);
    for (const QPoint empty : {QPoint(200, 20), QPoint(shown.width() - 1, kDeepIn.y() + 17),
                               QPoint(200, shown.height() - 1)})
      QCOMPARE(qAlpha(shown.pixel(empty)), 0);

    // It lies behind the device: inside the device's outline the window
    // looks the same without it.
    device->platform.SetSheetVisible(false);
    QTRY_VERIFY_WITH_TIMEOUT(window.mask() == DeviceWindow::Outline(), 10000);
    const QImage without = Argb(window.grab().toImage());
    for (const QRect& rect : DeviceWindow::Outline())
      for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
          QVERIFY2(shown.pixel(x, y) == without.pixel(x, y),
                   qPrintable(QStringLiteral("the sheet shows through at (%1, %2)").arg(x).arg(y)));
    QCOMPARE(qAlpha(without.pixel(kDeepIn + kGrip)), 0);
    QVERIFY(window.close());
  }

  void pullingTheSheetOutStartsTheEggAndPushingItInStopsIt() {
    auto device = StartNewToy();
    QVERIFY(device);
    Simulator& sim = device->sim;
    DeviceWindow& window = device->window;
    const QPoint device_place = window.pos();

    // A short pull, pushed back at once: the device stays off.
    Drag(window, GripOf(*device), {GripOf(*device) + QPoint(5, 0)});
    QCOMPARE(Sheet(*device).Place(), kDeepIn + QPoint(5, 0));
    QTRY_VERIFY_WITH_TIMEOUT(ShapedToSheet(*device), 10000);
    QVERIFY(!window.Tick().isActive());

    QVERIFY(PullOut(*device));
    QCOMPARE(int(sim.pet.CharacterNo), 0);
    QCOMPARE(int(sim.pet.InsulatingSheet), 2);
    QVERIFY(sim.scr.NibChar.Visible());
    QVERIFY(sim.menu.mPopupInsulatingSheet.enabled);
    QCOMPARE(Sheet(*device).Place().y(), kDeepIn.y());
    // The presses were the sheet's, not a drag of the device.
    QCOMPARE(window.pos(), device_place);

    // Pushed back deep in, it switches the device off after a while; never
    // further in than 700 twips.
    Drag(window, GripOf(*device), {GripOf(*device) - QPoint(200, 0)});
    QCOMPARE(Sheet(*device).Place(), kDeepIn);
    QVERIFY(QTest::qWaitFor([&] { return !window.Tick().isActive(); }, 10000));
    QVERIFY(!sim.scr.NibChar.Visible());
    QCOMPARE(int(sim.pet.CurrentInsulatingSheet), 1);
    QVERIFY(window.close());

    SettingsStore store(Ini());
    QCOMPARE(store.Read("Sheety", "InsulatingSheet", ""), std::string("1"));
    QCOMPARE(store.Read("Sheety", "InsulatingSheetWidthPushed", ""), std::string("700"));
  }

  void aPullPastTheSnapZoneHoldsTheSheetAtItsEdge_data() {
    QTest::addColumn<Path>("path");  // pointer steps from the grip
    QTest::addColumn<int>("moved");  // where the sheet ends, right of deep in
    // The zone ends 150 twips right of home, home 700 right of deep in.
    const int edge = qRound((2175 - 60 + 150) / 15.0) - kDeepIn.x();
    QTest::newRow("within the zone") << Path{{30, 0}} << 30;
    QTest::newRow("far out") << Path{{200, 0}} << edge;
    QTest::newRow("far out, then further") << Path{{200, 0}, {300, 0}} << edge;
    QTest::newRow("far out, then down and up") << Path{{200, 0}, {250, 60}, {250, -60}} << edge;
    QTest::newRow("far out, then back") << Path{{200, 0}, {40, 0}} << 40;
  }

  // A sheet cannot float free of the device window: where the own window
  // would tear off, this one stays attached, and still switches the device
  // on.
  void aPullPastTheSnapZoneHoldsTheSheetAtItsEdge() {
    QFETCH(Path, path);
    QFETCH(int, moved);
    auto device = StartNewToy();
    QVERIFY(device);
    const QPoint grip = GripOf(*device);
    Path steps;
    for (const QPoint& step : path) steps.push_back(grip + step);
    Drag(device->window, grip, steps);

    QCOMPARE(Sheet(*device).Place(), kDeepIn + QPoint(moved, 0));
    QVERIFY(device->sim.pet.SendInsulatingSheetToBack);
    QCOMPARE(device->platform.SheetTop(), device->platform.WindowTop() + 1600);
    QVERIFY(device->window.rect().contains(SheetOutlineAt(Sheet(*device).Place()).boundingRect()));
    QTRY_VERIFY_WITH_TIMEOUT(ShapedToSheet(*device), 10000);
    QVERIFY(QTest::qWaitFor([&] { return device->window.Tick().isActive(); }, 10000));
    QVERIFY(device->window.close());
  }

  void theSheetTakesTheMouseOnlyWhereItShows() {
    auto device = StartNewToy();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    const QPoint sheet_place = Sheet(*device).Place();

    // Its pointer over the grip, the arrow over the body.
    const auto* pointer = dynamic_cast<const QtCursor*>(Sheet(*device).Pointer().get());
    QVERIFY(pointer);
    Hover(window, GripOf(*device));
    QVERIFY(window.cursor() == pointer->cursor);
    Hover(window, QPoint(70, 120));
    QVERIFY(!(window.cursor() == pointer->cursor));

    // Where the device covers the sheet, a drag moves the device, carrying
    // its sheet.
    const QPoint covered = sheet_place + QPoint(10, 17);
    QVERIFY(SheetOutlineAt(sheet_place).contains(covered));
    QVERIFY(DeviceWindow::Outline().contains(covered));
    const QPoint start = window.pos();
    Drag(window, covered, {covered + QPoint(20, 30)});
    QCOMPARE(window.pos(), start + QPoint(20, 30));
    QCOMPARE(Sheet(*device).Place(), sheet_place);

    // Locked while an auxiliary window is open.
    device->platform.SetSheetEnabled(false);
    Drag(window, GripOf(*device), {GripOf(*device) + QPoint(40, 0)});
    QCOMPARE(Sheet(*device).Place(), sheet_place);
    QCOMPARE(window.pos(), start + QPoint(20, 30));
    device->platform.SetSheetEnabled(true);
    Drag(window, GripOf(*device), {GripOf(*device) + QPoint(40, 0)});
    QCOMPARE(Sheet(*device).Place(), sheet_place + QPoint(40, 0));
    QVERIFY(window.close());
  }

  void theMenuRemovesTheSheetAndInsertsItAgain() {
    auto device = StartNewToy();
    QVERIFY(device);
    QVERIFY(PullOut(*device));
    const QPoint grip = GripOf(*device);
    device->window.DispatchMenuCommand("mPopupInsulatingSheet");
    QVERIFY(!device->window.SheetInWindow());
    QVERIFY(!device->platform.SheetLoaded());
    QTRY_VERIFY_WITH_TIMEOUT(device->window.mask() == DeviceWindow::Outline(), 10000);
    QCOMPARE(qAlpha(device->window.grab().toImage().pixel(grip)), 0);
    QCOMPARE(int(device->sim.pet.InsulatingSheet), 0);
    QVERIFY(device->window.Tick().isActive());

    device->window.DispatchMenuCommand("mPopupInsulatingSheet");
    QVERIFY(device->window.SheetInWindow());
    QVERIFY(Sheet(*device).Shown());
    QVERIFY(Sheet(*device).Timer().isActive());
    QTRY_VERIFY_WITH_TIMEOUT(ShapedToSheet(*device), 10000);
    QCOMPARE(int(device->sim.pet.InsulatingSheet), 2);
    QVERIFY(device->window.close());
  }

  // What the window system shows is the backing store: after a move it
  // must hold exactly a whole paint of the window, also where the sheet
  // was, outside the new shape.
  void aMoveRepaintsOnlyTheSheetAndLeavesNothingBehind() {
    auto device = StartNewToy();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    QRegion painted;
    struct Recorder : QObject {
      QRegion* painted;
      explicit Recorder(QRegion* into) : painted(into) {}
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) *painted += static_cast<QPaintEvent*>(event)->region();
        return false;
      }
    } recorder(&painted);
    window.installEventFilter(&recorder);
    const QRect before = SheetOutlineAt(Sheet(*device).Place()).boundingRect();
    Drag(window, GripOf(*device), {GripOf(*device) + QPoint(30, 0)});
    const QRect after = SheetOutlineAt(Sheet(*device).Place()).boundingRect();
    QTRY_VERIFY_WITH_TIMEOUT(!painted.isEmpty() && ShapedToSheet(*device), 10000);
    window.removeEventFilter(&recorder);
    QVERIFY(painted.subtracted(QRegion(before).united(after)).isEmpty());

    QBackingStore* store = window.backingStore();
    QVERIFY(store && store->paintDevice());
    QCOMPARE(store->paintDevice()->devType(), int(QInternal::Image));
    // The backing store may have no alpha: compare colours over black.
    const QImage stored =
        static_cast<QImage*>(store->paintDevice())->convertToFormat(QImage::Format_RGB32);
    const QImage whole = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(stored.size(), whole.size());
    for (int y = 0; y < whole.height(); ++y)
      for (int x = 0; x < whole.width(); ++x)
        QVERIFY2(stored.pixel(x, y) == whole.pixel(x, y),
                 qPrintable(QStringLiteral("pixel (%1, %2) is %3, a whole paint gives %4")
                                .arg(x)
                                .arg(y)
                                .arg(stored.pixel(x, y), 8, 16, QLatin1Char('0'))
                                .arg(whole.pixel(x, y), 8, 16, QLatin1Char('0'))));
    QVERIFY(window.close());
  }
};

QTEST_MAIN(EmbeddedSheetTest)
#include "embedded_sheet_test.moc"
