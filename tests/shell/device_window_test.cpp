// The device window with the real core, pictures and settings store, on a
// private copy of the generated program folder.
#include "shell/device_window.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPaintEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <csignal>
#include <functional>
#include <limits>
#include <memory>

#include "display/window_shape.h"
#include "shell/menu_mirror.h"
#include "shell/picture_files.h"
#include "shell/qt_platform.h"
#include "shell/quit_signals.h"
#include "shell/settings_store.h"
#include "shell/tray_icon.h"
#include "shell/window_fixture.h"
#include "sim/random_source.h"
#include "sim/simulator.h"

using namespace nib;
using namespace nib::window_fixture;

using ScreenChange = std::function<void(Screen&)>;
Q_DECLARE_METATYPE(ScreenChange)

namespace {

// Every key the core writes for a pet.
const char* const kSavedKeys[] = {"InsulatingSheet",
                                  "InsulatingSheetWidthPushed",
                                  "Plugins",
                                  "AlwaysOnTop",
                                  "AttendTimeLeft",
                                  "AutoShow",
                                  "CharacterNo",
                                  "CurrentColor",
                                  "FeedMenuIndex",
                                  "FormVisible",
                                  "IntervalCount",
                                  "Left",
                                  "LightMenuIndex",
                                  "LightOff",
                                  "MinuteCount",
                                  "MaxMinutes",
                                  "SecondCount",
                                  "Sound",
                                  "SoundType",
                                  "PlayType",
                                  "CurrentTempChar",
                                  "Top",
                                  "TotalNeedCount",
                                  "Age",
                                  "Weight",
                                  "Discipline",
                                  "Happiness",
                                  "Hunger",
                                  "Sickness",
                                  "Dung",
                                  "AttentionHungry",
                                  "AttentionHappy",
                                  "AttentionDiscipline",
                                  "AttentionSleep",
                                  "SleepAction",
                                  "DyingAction",
                                  "DyingTimeLeft",
                                  "DisciplineWhenNeed",
                                  "PlayCounter",
                                  "SnackCount",
                                  "NeedCount",
                                  "CareWhenNeed"};

constexpr char kMissing[] = "\x01missing";

// Records what the window paints.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      regions.push_back(static_cast<QPaintEvent*>(event)->region());
    return false;
  }
  QRegion Painted() const {
    QRegion all;
    for (const QRegion& r : regions) all += r;
    return all;
  }
  std::vector<QRegion> regions;
};

const QtPicture* QtPictureOf(const Element& element) {
  return dynamic_cast<const QtPicture*>(element.GetPicture().get());
}

// What the window should show, worked out pixel by pixel from the elements:
// the topmost opaque picture pixel wins. Pixels no opaque picture covers
// stay transparent; partly transparent ones are marked unknown (alpha 1).
QImage ExpectedImage(const Screen& scr) {
  QImage image(145, 198, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (const Element* element : scr.PaintOrder()) {
    const QtPicture* picture = QtPictureOf(*element);
    if (!element->Visible() || !picture) continue;
    const QImage source = picture->pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int left = qRound(element->Left() / 15), top = qRound(element->Top() / 15);
    const int width = std::min(qRound(element->Width() / 15), source.width());
    const int height = std::min(qRound(element->Height() / 15), source.height());
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (!image.rect().contains(left + x, top + y)) continue;
        const QRgb pixel = source.pixel(x, y);
        if (qAlpha(pixel) == 255)
          image.setPixel(left + x, top + y, pixel);
        else if (qAlpha(pixel) > 0)
          image.setPixel(left + x, top + y, qRgba(0, 0, 0, 1));
      }
  }
  return image;
}

// Empty when the window shows what the elements say, else the first
// difference.
QString CompareWithElements(DeviceWindow& window, const Screen& scr) {
  const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage expected = ExpectedImage(scr);
  if (shown.size() != expected.size()) return QStringLiteral("size differs");
  const QRegion outline = DeviceWindow::Outline();
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb want = outline.contains(QPoint(x, y)) ? expected.pixel(x, y) : qRgba(0, 0, 0, 0);
      const QRgb got = shown.pixel(x, y);
      if (qAlpha(want) == 1) continue;
      if (qAlpha(want) == 0 ? qAlpha(got) != 0 : got != want)
        return QStringLiteral("pixel (%1, %2) is %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(got, 8, 16, QLatin1Char('0'))
            .arg(want, 8, 16, QLatin1Char('0'));
    }
  return {};
}

struct ElementState {
  const Element* element;
  bool visible;
  TwipRect bounds;
  const PictureData* picture;
};

std::vector<ElementState> Snapshot(const Screen& scr) {
  std::vector<ElementState> states;
  for (const Element* e : scr.PaintOrder())
    states.push_back({e, e->Visible(), e->Bounds(), e->GetPicture().get()});
  return states;
}

// The pixels whose look may differ between two snapshots.
QRegion ChangedPixels(const std::vector<ElementState>& before,
                      const std::vector<ElementState>& after) {
  QRegion changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const ElementState& a = before[i];
    const ElementState& b = after[i];
    const bool same = a.visible == b.visible && a.picture == b.picture &&
                      a.bounds.left == b.bounds.left && a.bounds.top == b.bounds.top &&
                      a.bounds.width == b.bounds.width && a.bounds.height == b.bounds.height;
    if (same) continue;
    if (a.visible) changed += DeviceWindow::PixelRect(a.bounds);
    if (b.visible) changed += DeviceWindow::PixelRect(b.bounds);
  }
  return changed;
}

}  // namespace

class DeviceWindowTest : public QObject {
  Q_OBJECT

 private:
  QString Folder() const { return program_->path(); }
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  // A started device, shown and painted, with the tick in the test's hands.
  std::unique_ptr<Device> StartDevice(const std::string& pet_name) {
    return window_fixture::StartDevice(Folder(), Ini(), pet_name);
  }
  std::string SavedValue(const std::string& pet_name, const char* key) {
    SettingsStore store(Ini());
    return store.Read(pet_name, key, kMissing);
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  // --- Start-up and painting ---

  void startupLoadsPicturesAndPaintsTheOutline() {
    auto device = StartDevice("Testy");
    QVERIFY(device);
    Screen& scr = device->sim.scr;
    QVERIFY(QtPictureOf(scr.FrontView));
    QVERIFY(QtPictureOf(scr.NibScr));
    QVERIFY(QtPictureOf(scr.ButtonA));
    QCOMPARE(device->window.size(), QSize(145, 198));
    QVERIFY(device->window.windowFlags().testFlag(Qt::FramelessWindowHint));

    const QImage shown = device->window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage body =
        QtPictureOf(scr.FrontView)->pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const QPoint body_at(qRound(scr.FrontView.Left() / 15), qRound(scr.FrontView.Top() / 15));
    struct Probe {
      QPoint at;
      bool inside;
      const char* where;
    };
    const Probe probes[] = {
        {{74, 33}, false, "hole of the ring"},    {{1, 1}, false, "outside the egg"},
        {{144, 197}, false, "bottom right"},      {{2, 100}, false, "left of the body"},
        {{144, 100}, false, "right of the body"}, {{66, 32}, true, "lug"},
        {{20, 100}, true, "left of the body"},    {{72, 190}, true, "bottom of the body"},
        {{125, 70}, true, "upper right"},
    };
    for (const Probe& probe : probes) {
      const QRgb pixel = shown.pixel(probe.at);
      if (!probe.inside) {
        QVERIFY2(qAlpha(pixel) == 0, probe.where);
        continue;
      }
      QVERIFY2(qAlpha(pixel) == 255, probe.where);
      // Where nothing lies over the body, the window shows the body.
      if (scr.ElementAt(probe.at.x() * 15.0f, probe.at.y() * 15.0f) == &scr.FrontView)
        QCOMPARE(pixel, body.pixel(probe.at - body_at));
    }
    // No bare pixel anywhere in the shape: without a compositor it shows black.
    const QRegion outline = DeviceWindow::Outline();
    for (const QRect& rect : outline)
      for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
          QVERIFY2(qAlpha(shown.pixel(x, y)) == 255,
                   qPrintable(QStringLiteral("bare pixel (%1, %2)").arg(x).arg(y)));
    const QString difference = CompareWithElements(device->window, scr);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
  }

  void ticksRepaintOnlyWhatChanged() {
    {
      // A pet whose sheet is out: it lives, so ticks may change the screen.
      auto device = StartDevice("Testy");
      QVERIFY(device);
      device->sim.pet.InsulatingSheet = 0;
      QVERIFY(device->window.close());
    }
    auto device = StartDevice("Testy");
    QVERIFY(device);
    PaintRecorder recorder(&device->window);
    int idle_ticks = 0;
    for (int tick = 0; tick < 300; ++tick) {
      const auto before = Snapshot(device->sim.scr);
      device->window.RunTick();
      const QRegion changed = ChangedPixels(before, Snapshot(device->sim.scr));
      recorder.regions.clear();
      QCoreApplication::processEvents();
      QCoreApplication::processEvents();
      if (changed.isEmpty()) {
        ++idle_ticks;
        QVERIFY2(recorder.regions.empty(), qPrintable(QStringLiteral("tick %1").arg(tick)));
      } else {
        Settle();
        QVERIFY((recorder.Painted() - changed).isEmpty());
      }
    }
    QVERIFY(idle_ticks > 0);
    Settle();
    const QString difference = CompareWithElements(device->window, device->sim.scr);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
  }

  void changedElementRepaintsOnlyItsRectangle_data() {
    QTest::addColumn<ScreenChange>("change");
    QTest::newRow("button hidden") << ScreenChange([](Screen& s) { s.ButtonB.Hide(); });
    QTest::newRow("button moved") << ScreenChange(
        [](Screen& s) { s.ButtonA.Move(s.ButtonA.Left() + 45, s.ButtonA.Top() - 30); });
    QTest::newRow("off the pixel grid") << ScreenChange(
        [](Screen& s) { s.ButtonC.Move(s.ButtonC.Left() + 7, s.ButtonC.Top() + 8); });
    QTest::newRow("body narrowed") << ScreenChange([](Screen& s) { s.FrontView.SetWidth(1200); });
    QTest::newRow("icon shown") << ScreenChange([](Screen& s) { s.NibIcon[2].Show(); });
    QTest::newRow("picture swapped")
        << ScreenChange([](Screen& s) { s.ButtonB.CopyPictureFrom(s.NibIcon[0]); });
  }

  void changedElementRepaintsOnlyItsRectangle() {
    QFETCH(ScreenChange, change);
    auto device = StartDevice("Testy");
    QVERIFY(device);
    Screen& scr = device->sim.scr;
    PaintRecorder recorder(&device->window);
    const auto before = Snapshot(scr);
    change(scr);
    const QRegion changed = ChangedPixels(before, Snapshot(scr));
    QVERIFY(!changed.isEmpty());
    device->window.FlushDamage();
    QVERIFY(scr.damage.Empty());
    Settle();
    QVERIFY(!recorder.regions.empty());
    const QRegion visible = changed & DeviceWindow::Outline();
    QCOMPARE(recorder.Painted() & visible, visible);
    QVERIFY((recorder.Painted() - changed).isEmpty());
    const QString difference = CompareWithElements(device->window, scr);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
  }

  void pixelRectsReachOutward_data() {
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("on the grid") << 150.f << 300.f << 45.f << 15.f << QRect(10, 20, 3, 1);
    QTest::newRow("off the grid") << 151.f << 299.f << 15.f << 15.f << QRect(10, 19, 2, 2);
    QTest::newRow("negative") << -20.f << -1.f << 40.f << 16.f << QRect(-2, -1, 4, 2);
    QTest::newRow("empty") << 150.f << 150.f << 0.f << 15.f << QRect();
    QTest::newRow("huge") << 1e30f << 0.f << 1e30f << 15.f << QRect();
  }

  void pixelRectsReachOutward() {
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(QRect, pixels);
    QCOMPARE(DeviceWindow::PixelRect({left, top, width, height}), pixels);
  }

  // --- Saving and restoring ---

  void closingSavesEveryKeyAndStartingAgainRestores() {
    {
      auto device = StartDevice("Testy");
      QVERIFY(device);
      device->sim.pet.Age = 7;
      device->sim.pet.Weight = 23;
      device->platform.MoveWindow(100 * 15, 50 * 15);
      QSignalSpy closed(&device->window, &DeviceWindow::Closed);
      QVERIFY(device->window.close());
      QCOMPARE(closed.count(), 1);
      QVERIFY(device->window.Unloaded());
      QVERIFY(!device->window.Tick().isActive());
    }
    for (const char* key : kSavedKeys) QVERIFY2(SavedValue("Testy", key) != kMissing, key);
    QCOMPARE(SavedValue("Testy", "Age"), std::string("7"));
    QCOMPARE(SavedValue("Testy", "Left"), std::string("1500"));

    auto device = StartDevice("Testy");
    QVERIFY(device);
    QCOMPARE(int(device->sim.pet.Age), 7);
    QCOMPARE(int(device->sim.pet.Weight), 23);
    QCOMPARE(device->window.pos(), QPoint(100, 50));
    // The sheet was pulled out before: the pet lives, the tick runs.
    device->sim.pet.InsulatingSheet = 0;
    QVERIFY(device->window.close());
    auto again = std::make_unique<Device>(Folder(), Ini());
    again->Start("Testy");
    QVERIFY(again->window.Tick().isActive());
    QCOMPARE(again->window.Tick().timerType(), Qt::PreciseTimer);
    QVERIFY(again->window.close());
  }

  void oddPetNamesKeepTheirOwnPet_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("ampersand") << QStringLiteral("Tom & Jerry");
    QTest::newRow("path and ini syntax") << QStringLiteral("a/b\\c[d]=e;f");
    QTest::newRow("non-ascii") << QStringLiteral("Pétra ペット");
    QTest::newRow("long") << QString(400, QLatin1Char('x'));
  }

  void oddPetNamesKeepTheirOwnPet() {
    QFETCH(QString, name);
    const std::string pet_name = name.toStdString();
    {
      auto device = StartDevice(pet_name);
      QVERIFY(device);
      device->sim.pet.Age = 42;
      QVERIFY(device->window.close());
    }
    // Another pet beside it is not disturbed.
    {
      auto other = StartDevice("Other");
      QVERIFY(other);
      QCOMPARE(int(other->sim.pet.Age), 0);
      QVERIFY(other->window.close());
    }
    auto device = StartDevice(pet_name);
    QVERIFY(device);
    QCOMPARE(int(device->sim.pet.Age), 42);
    QVERIFY(device->window.close());
  }

  // --- The popup menu ---

  void menuMirrorsTheModel() {
    auto device = StartDevice("Testy");
    QVERIFY(device);
    Menu& model = device->sim.menu;
    MenuMirror& mirror = device->window.PopupMenu();

    // Structure: one action per item, in order, submenus and separators.
    const QList<QAction*> top = mirror.Root()->actions();
    QCOMPARE(top.size(), qsizetype(model.mPopup.children.size()));
    for (qsizetype i = 0; i < top.size(); ++i) {
      const MenuItem& item = *model.mPopup.children[static_cast<std::size_t>(i)];
      QCOMPARE(top[i], mirror.ActionFor(item.name));
      QCOMPARE(top[i]->isSeparator(), item.IsSeparator());
      QCOMPARE(top[i]->menu() != nullptr, !item.children.empty());
    }
    for (MenuItem* item : model.AllItems()) {
      QAction* action = mirror.ActionFor(item->name);
      QVERIFY2(action, item->name.c_str());
      QCOMPARE(action->isCheckable(), MenuMirror::IsCheckable(item->name));
    }
    QVERIFY(mirror.ActionFor("mCheatChar12")->isCheckable());
    QVERIFY(!mirror.ActionFor("mPopupClose")->isCheckable());

    // The model changes; the menu shows it when it opens, not before.
    model.mPopupSound.checked = !model.mPopupSound.checked;
    model.mPopupAbout.caption = "&About this pet";
    model.mPopupPlugins.enabled = false;
    model.mPopupSide.visible = false;
    model.mCheats.visible = true;
    model.mPopupPlayType.caption = "G&ames";
    mirror.Popup(QPoint(10, 10));
    QTRY_VERIFY(mirror.Root()->isVisible());
    for (MenuItem* item : model.AllItems()) {
      QAction* action = mirror.ActionFor(item->name);
      if (!item->IsSeparator()) QCOMPARE(action->text().toStdString(), item->caption);
      if (action->isCheckable()) QCOMPARE(action->isChecked(), item->checked);
      QCOMPARE(action->isVisible(), item->visible);
      // Qt disables what it hides.
      if (!item->IsSeparator() && item->visible) QCOMPARE(action->isEnabled(), item->enabled);
    }
    mirror.Root()->hide();

    // A chosen option changes the model through its command, not through
    // the action's own check; the next opening shows the model again.
    const bool sound = model.mPopupSound.checked;
    mirror.ActionFor("mPopupSound")->trigger();
    QCOMPARE(model.mPopupSound.checked, !sound);
    mirror.ActionFor("mPopupWave")->trigger();
    QVERIFY(model.mPopupWave.checked);
    QVERIFY(!model.mPopupBeep.checked);
    mirror.Popup(QPoint(10, 10));
    QTRY_VERIFY(mirror.Root()->isVisible());
    QCOMPARE(mirror.ActionFor("mPopupSound")->isChecked(), !sound);
    QVERIFY(mirror.ActionFor("mPopupWave")->isChecked());
    mirror.Root()->hide();

    // Commands not wired yet, and hidden cheats, are harmless.
    for (const char* name : {"mPopupAbout", "mCheatChar3", "nonsense"})
      device->window.DispatchMenuCommand(name);
    QVERIFY(device->window.isVisible());
    QVERIFY(!device->window.Unloaded());
    QVERIFY(device->window.close());
  }

  void closeFromTheMenuSavesThePet_data() {
    QTest::addColumn<bool>("hidden");
    QTest::newRow("window shown") << false;
    QTest::newRow("hidden in the tray") << true;
  }

  void closeFromTheMenuSavesThePet() {
    QFETCH(bool, hidden);
    auto device = StartDevice("Menu pet");
    QVERIFY(device);
    if (hidden) device->platform.SetWindowVisible(false);
    device->sim.pet.Hunger = 3;
    QSignalSpy closed(&device->window, &DeviceWindow::Closed);
    device->window.PopupMenu().ActionFor("mPopupClose")->trigger();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!device->window.isVisible());
    QCOMPARE(SavedValue("Menu pet", "Hunger"), std::string("3"));
    // Closing again does not unload again.
    device->sim.pet.Hunger = 1;
    device->window.close();
    QCOMPARE(SavedValue("Menu pet", "Hunger"), std::string("3"));
  }

  // --- Mouse ---

  void leftDragMovesTheWindowAndRightClickOpensTheMenu() {
    auto device = StartDevice("Testy");
    QVERIFY(device);
    DeviceWindow& window = device->window;
    window.move(200, 150);
    QTRY_COMPARE(window.pos(), QPoint(200, 150));
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(70, 120));
    QVERIFY(device->sim.window.DragActive);
    QTest::mouseMove(&window, QPoint(90, 130));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(90, 130));
    QCOMPARE(window.pos(), QPoint(220, 160));
    QVERIFY(!device->sim.window.DragActive);
    QCOMPARE(device->platform.WindowLeft(), 220.f * 15);

    // Without the button held, moving moves nothing.
    QTest::mouseMove(&window, QPoint(40, 100));
    QCOMPARE(window.pos(), QPoint(220, 160));

    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(70, 120));
    QTRY_VERIFY(window.PopupMenu().Root()->isVisible());
    window.PopupMenu().Root()->hide();
    QVERIFY(window.close());
  }

  void pointerShowsTheElementsCursorAndTip() {
    auto device = StartDevice("Tippy");
    QVERIFY(device);
    Screen& scr = device->sim.scr;
    DeviceWindow& window = device->window;
    scr.ButtonA.ToolTipText = "Select";
    auto centre = [](const Element& e) {
      return QPoint(qRound((e.Left() + e.Width() / 2) / 15),
                    qRound((e.Top() + e.Height() / 2) / 15));
    };
    auto expected_cursor = [](const Element& e) -> const QCursor* {
      if (e.Pointer != MousePointer::Custom) return nullptr;
      const auto* cursor = dynamic_cast<const QtCursor*>(e.MouseIcon.get());
      return cursor ? &cursor->cursor : nullptr;
    };
    for (const Element* element : {&scr.ButtonA, &scr.FrontView}) {
      const QPoint at = element == &scr.FrontView ? QPoint(25, 100) : centre(*element);
      QCOMPARE(scr.ElementAt(at.x() * 15.f, at.y() * 15.f), element);
      QTest::mouseMove(&window, at);
      QCOMPARE(window.toolTip().toStdString(), element->ToolTipText);
      const QCursor* cursor = expected_cursor(*element);
      if (cursor) {
        QCOMPARE(window.cursor().shape(), cursor->shape());
        QCOMPARE(window.cursor().hotSpot(), cursor->hotSpot());
        QCOMPARE(window.cursor().pixmap().cacheKey(), cursor->pixmap().cacheKey());
      } else {
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
      }
    }
    QCOMPARE(window.toolTip(), QStringLiteral("Tippy"));
    // The pet is seldom the active window; its tips must show anyway.
    QVERIFY(window.testAttribute(Qt::WA_AlwaysShowToolTips));
    // Above the body: no element, no tip, the arrow.
    QTest::mouseMove(&window, QPoint(5, 0));
    QCOMPARE(scr.ElementAt(5 * 15.f, 0), nullptr);
    QVERIFY(window.toolTip().isEmpty());
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(window.close());
  }

  // --- The platform's window, files and clock ---

  void windowCallsActOnTheWindow() {
    auto device = StartDevice("Testy");
    QVERIFY(device);
    QtPlatform& platform = device->platform;
    DeviceWindow& window = device->window;

    struct Move {
      float left, top;
      QPoint pixels;
    };
    for (const Move& m : {Move{1500, 750, {100, 50}}, Move{1507, 752, {100, 50}},
                          Move{1508, 22.5f, {101, 2}}, Move{-150, -30, {-10, -2}}}) {
      platform.MoveWindow(m.left, m.top);
      QCOMPARE(window.pos(), m.pixels);
      QCOMPARE(platform.WindowLeft(), m.pixels.x() * 15.f);
      QCOMPARE(platform.WindowTop(), m.pixels.y() * 15.f);
    }
    platform.MoveWindow(std::numeric_limits<float>::quiet_NaN(), 1e30f);  // no crash

    platform.MoveWindow(300, 450);
    for (bool on_top : {true, false, true}) {
      platform.SetTopMost(on_top);
      QCOMPARE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), on_top);
      QVERIFY(window.isVisible());
      QCOMPARE(window.pos(), QPoint(20, 30));
      QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    }
    platform.SetWindowVisible(false);
    QVERIFY(!platform.WindowVisible());
    platform.SetTopMost(false);
    QVERIFY(!window.isVisible());
    platform.SetWindowVisible(true);
    QVERIFY(platform.WindowVisible());

    platform.SetCaption("Caption ä");
    QCOMPARE(window.windowTitle(), QStringLiteral("Caption ä"));

    for (int interval : {10, 25, 0, -5, 10}) {
      platform.SetTimerInterval(interval);
      QCOMPARE(window.Tick().isActive(), interval > 0);
      if (interval > 0) QCOMPARE(window.Pacer().Interval(), interval);
    }

    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    QCOMPARE(platform.ScreenWidth(), float(desktop.x() + desktop.width()) * 15);
    QCOMPARE(platform.ScreenHeight(), float(desktop.y() + desktop.height()) * 15);

    platform.SetBusyPointer(true);
    platform.SetBusyPointer(true);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.SetBusyPointer(false);
    platform.SetBusyPointer(false);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(window.close());
  }

  void picturesAreDecodedOnceAndShared() {
    QtPlatform platform(Folder(), Ini());
    const Picture first = platform.LoadPicture("\\other\\nibscr.gif");
    QVERIFY(first);
    QCOMPARE(platform.LoadPicture("\\OTHER\\NibScr.GIF"), first);
    QVERIFY(!platform.LoadPicture("\\other\\no-such-file.gif"));
    QVERIFY(!platform.LoadPicture("\\..\\..\\etc\\passwd"));
    QVERIFY(!platform.LoadPicture(""));
    platform.ClearPictureCache();
    const Picture again = platform.LoadPicture("\\other\\nibscr.gif");
    QVERIFY(again && again != first);
    QCOMPARE(again->width_px, first->width_px);

    // A file that is not a picture gives no picture, every time.
    QFile broken(Folder() + QStringLiteral("/other/broken.gif"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a but not really");
    broken.close();
    QVERIFY(!platform.LoadPicture("\\other\\broken.gif"));
    QVERIFY(!platform.LoadPicture("\\other\\broken.gif"));
    QVERIFY(!platform.LoadCursor("\\other\\broken.gif"));
    platform.PlayWave("\\sounds\\no-such.wav");  // silent
  }

  void clockComesFromTheWallClock() {
    QtPlatform platform(Folder(), Ini());
    const QTime before = QTime::currentTime();
    const ClockTime now = platform.Now();
    const int second = platform.CurrentSecond();
    QVERIFY(second >= 0 && second < 60);
    QVERIFY(now.hour12 >= 1 && now.hour12 <= 12);
    const int hour24 = now.hour12 % 12 + (now.pm ? 12 : 0);
    const int seconds = (hour24 * 60 + now.minute) * 60 + now.second;
    const int expected = before.msecsSinceStartOfDay() / 1000;
    QVERIFY(std::abs(seconds - expected) <= 1 || std::abs(seconds - expected) >= 86399);
    QVERIFY(std::abs(second - now.second) <= 1 || std::abs(second - now.second) == 59);
  }

  // --- Tray and signals ---

  void trayTipIsCutTo63Characters_data() {
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("shown");
    const QString a63(63, QLatin1Char('a'));
    QTest::newRow("short") << QStringLiteral("Nibbet") << QStringLiteral("Nibbet");
    QTest::newRow("63") << a63 << a63;
    QTest::newRow("64") << a63 + QLatin1Char('b') << a63;
    QTest::newRow("pair at the cut")
        << QString(62, QLatin1Char('a')) + QStringLiteral("😀z") << QString(62, QLatin1Char('a'));
    QTest::newRow("empty") << QString() << QString();
  }

  void trayTipIsCutTo63Characters() {
    QFETCH(QString, tip);
    QFETCH(QString, shown);
    QCOMPARE(TrayIcon::CutTip(tip.toStdString()), shown);
  }

  void trayWithoutSystemTrayDoesNothing() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) QSKIP("A system tray is present");
    TrayIcon tray([] { return QIcon(); });
    tray.Add(nullptr, "tip");
    tray.Modify(nullptr, "tip");
    QVERIFY(!tray.Shown());
    tray.Delete();
    QVERIFY(!TrayIcon::EggIcon().isNull());
  }

  void quitSignalsArriveInTheEventLoop_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
  }

  void quitSignalsArriveInTheEventLoop() {
    QFETCH(int, number);
    QuitSignals signals_;
    QSignalSpy spy(&signals_, &QuitSignals::QuitRequested);
    QCOMPARE(std::raise(number), 0);
    QVERIFY(spy.wait(2000) || spy.count() == 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), number);
  }
};

QTEST_MAIN(DeviceWindowTest)
#include "device_window_test.moc"
