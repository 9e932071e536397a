// The instructions viewer over the real device: how it opens, paging by
// keys and mouse, dragging it, closing it, and a plugin's own pages.
#include "windows/instructions_window.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

#include "shell/device_window.h"
#include "shell/settings_store.h"
#include "shell/window_fixture.h"
#include "sim/simulator.h"

using namespace nib;
using namespace nib::window_fixture;

namespace {

constexpr char kPet[] = "Reader";

InstructionsWindow* OpenWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String("InstructionsWindow"))
      return qobject_cast<InstructionsWindow*>(widget);
  return nullptr;
}

// The menu items an open window locks, and whether each can be chosen.
std::array<bool, 7> LockableItems(const Menu& m) {
  return {m.mPopupStatus.enabled,      m.mPopupOnTop.enabled,   m.mCheats.enabled,
          m.mPopupChangeColor.enabled, m.mPopupPlugins.enabled, m.mPopupInstructions.enabled,
          m.mPopupAbout.enabled};
}

bool Locked(Device& device) {
  return !device.window.isEnabled() && LockableItems(device.sim.menu) == std::array<bool, 7>{};
}

void Press(QWidget& widget, Qt::MouseButton button, QPoint at) {
  QTest::mousePress(&widget, button, Qt::NoModifier, at);
}

void Release(QWidget& widget, Qt::MouseButton button, QPoint at) {
  QTest::mouseRelease(&widget, button, Qt::NoModifier, at);
}

// The left button held from `from` to `to`, in the window's pixels at the
// press.
void Drag(QWidget& widget, QPoint from, QPoint to) {
  Press(widget, Qt::LeftButton, from);
  const QPoint global = widget.mapToGlobal(to);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(global), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
  Release(widget, Qt::LeftButton, widget.mapFromGlobal(global));
}

}  // namespace

class InstructionsWindowTest : public QObject {
  Q_OBJECT

 private:
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  // A pet out of its sheet, with the given plugin.
  std::unique_ptr<Device> StartPet(const char* plugin = "") {
    {
      SettingsStore store(Ini());
      store.Write(kPet, "InsulatingSheet", "0");
      store.Write(kPet, "Plugins", plugin);
      store.Flush();
    }
    return window_fixture::StartDevice(program_->path(), Ini(), kPet);
  }
  InstructionsWindow* Open(Device& device) {
    device.window.DispatchMenuCommand("mPopupInstructions");
    InstructionsWindow* window = OpenWindow();
    if (window && !QTest::qWaitForWindowExposed(window)) return nullptr;
    return window;
  }
  // Whether the window shows that page file: every opaque pixel of the
  // picture, at 1:1.
  bool Shows(InstructionsWindow& window, const QString& page_file) const {
    const QImage expected =
        QImage(program_->filePath(page_file)).convertToFormat(QImage::Format_ARGB32);
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (expected.isNull() || shown.size() != expected.size()) return false;
    for (int y = 0; y < expected.height(); ++y)
      for (int x = 0; x < expected.width(); ++x) {
        const QRgb want = expected.pixel(x, y);
        if (qAlpha(want) == 255 && shown.pixel(x, y) != want) return false;
      }
    return true;
  }
  static QString ProgramPage(int page) {
    return QStringLiteral("instruct/page%1.gif").arg(page, 2, 10, QLatin1Char('0'));
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  void opensOnPageOneAndLocksTheDevice() {
    auto device = StartPet();
    QVERIFY(device);
    const auto unlocked = LockableItems(device->sim.menu);
    InstructionsWindow* window = Open(*device);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Instructions"));
    QCOMPARE(window->Pages().Count(), 11);
    QCOMPARE(window->Pages().Page(), 1);
    QCOMPARE(window->size(), QSize(480, 360));
    QVERIFY(Shows(*window, ProgramPage(1)));
    QVERIFY(Locked(*device));
    QCOMPARE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
             device->sim.menu.mPopupOnTop.checked);
    QTRY_VERIFY(window->hasFocus());
    // Centred on the screen.
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(qAbs(window->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window->geometry().center().y() - screen.center().y()) <= 1);

    // A locked device opens no second window.
    device->window.DispatchMenuCommand("mPopupInstructions");
    device->window.DispatchMenuCommand("mPopupAbout");
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
      windows += widget->objectName() == QLatin1String("InstructionsWindow") ||
                 widget->objectName() == QLatin1String("AboutWindow");
    QCOMPARE(windows, 1);

    QVERIFY(window->close());
    QTRY_VERIFY(!OpenWindow());
    QVERIFY(device->window.isEnabled());
    QCOMPARE(LockableItems(device->sim.menu), unlocked);
    QVERIFY(device->window.close());
  }

  void keysTurnThePagesBothWays() {
    auto device = StartPet();
    QVERIFY(device);
    InstructionsWindow* window = Open(*device);
    QVERIFY(window);
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 2},     {Qt::Key_Down, 3}, {Qt::Key_PageDown, 4}, {Qt::Key_Return, 5},
        {Qt::Key_Enter, 6},     {Qt::Key_Left, 5}, {Qt::Key_Up, 4},       {Qt::Key_PageUp, 3},
        {Qt::Key_Backspace, 2}, {Qt::Key_End, 11}, {Qt::Key_Right, 1},    {Qt::Key_Left, 11},
        {Qt::Key_Home, 1},      {Qt::Key_Home, 1}, {Qt::Key_Tab, 1},
    };
    for (const auto& [key, page] : steps) {
      QTest::keyClick(window, key);
      QCOMPARE(window->Pages().Page(), page);
      QVERIFY2(Shows(*window, ProgramPage(page)), qPrintable(ProgramPage(page)));
    }
    QVERIFY(Locked(*device));
    QVERIFY(window->close());
    QVERIFY(device->window.close());
  }

  void aPageGoneWhileOpenIsSteppedOver() {
    auto device = StartPet();
    QVERIFY(device);
    InstructionsWindow* window = Open(*device);
    QVERIFY(window);
    const QString page2 = program_->filePath(ProgramPage(2));
    const QString away = page2 + QStringLiteral(".away");
    QVERIFY(QFile::rename(page2, away));
    QTest::keyClick(window, Qt::Key_Right);
    const bool stayed = window->Pages().Page() == 1 && Shows(*window, ProgramPage(1));
    QVERIFY(QFile::rename(away, page2));
    QVERIFY(stayed);
    QVERIFY(window->close());
    QVERIFY(device->window.close());
  }

  void escapeAndF1CloseAndUnlock() {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F1}) {
      auto device = StartPet();
      QVERIFY(device);
      const auto unlocked = LockableItems(device->sim.menu);
      InstructionsWindow* window = Open(*device);
      QVERIFY(window);
      QTest::keyClick(window, key);
      QTRY_VERIFY(!OpenWindow());
      QVERIFY(device->window.isEnabled());
      QCOMPARE(LockableItems(device->sim.menu), unlocked);
      QVERIFY(device->window.close());
    }
  }

  void f1OnTheDeviceOpensThem() {
    auto device = StartPet();
    QVERIFY(device);
    QTest::keyClick(&device->window, Qt::Key_F1);
    QTRY_VERIFY(OpenWindow());
    QVERIFY(Locked(*device));
    QTest::keyClick(OpenWindow(), Qt::Key_F1);
    QTRY_VERIFY(!OpenWindow());
    QVERIFY(device->window.isEnabled());
    QVERIFY(device->window.close());
  }

  void aClickTurnsOnADragMovesAndARightClickGoesBack() {
    auto device = StartPet();
    QVERIFY(device);
    InstructionsWindow* window = Open(*device);
    QVERIFY(window);
    const QPoint at(240, 180);

    Press(*window, Qt::LeftButton, at);
    Release(*window, Qt::LeftButton, at);
    QCOMPARE(window->Pages().Page(), 2);
    QVERIFY(Shows(*window, ProgramPage(2)));

    const QPoint start = window->pos();
    Drag(*window, at, at + QPoint(30, 20));
    QTRY_COMPARE(window->pos(), start + QPoint(30, 20));
    QCOMPARE(window->Pages().Page(), 2);

    // A drag that comes back to where it began is a click.
    const QPoint pressed = window->mapToGlobal(at);
    Press(*window, Qt::LeftButton, at);
    for (const QPoint& global : {pressed + QPoint(12, 0), pressed}) {
      QMouseEvent move(QEvent::MouseMove, QPointF(window->mapFromGlobal(global)), QPointF(global),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(window, &move);
    }
    Release(*window, Qt::LeftButton, window->mapFromGlobal(pressed));
    QCOMPARE(window->Pages().Page(), 3);

    for (int page : {2, 1, 11}) {
      Press(*window, Qt::RightButton, at);
      Release(*window, Qt::RightButton, at);
      QCOMPARE(window->Pages().Page(), page);
    }
    QVERIFY(Shows(*window, ProgramPage(11)));
    QVERIFY(window->close());
    QVERIFY(device->window.close());
  }

  void aPluginsOwnPagesComeFirst() {
    auto device = StartPet("Nachtglas");
    QVERIFY(device);
    QCOMPARE(device->sim.pet.Plugins, std::string("Nachtglas"));
    InstructionsWindow* window = Open(*device);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Anleitung"));
    QCOMPARE(window->Pages().Count(), 2);
    QVERIFY(Shows(*window, QStringLiteral("plugins/Nachtglas/instruct/page01.gif")));
    QTest::keyClick(window, Qt::Key_Right);
    QVERIFY(Shows(*window, QStringLiteral("plugins/Nachtglas/instruct/page02.gif")));
    QTest::keyClick(window, Qt::Key_Right);
    QVERIFY(Shows(*window, QStringLiteral("plugins/Nachtglas/instruct/page01.gif")));
    QVERIFY(window->close());
    QVERIFY(device->window.close());
  }

  void withoutPagesNothingOpensAndTheDeviceStaysFree() {
    auto device = StartPet();
    QVERIFY(device);
    const QString page1 = program_->filePath(ProgramPage(1));
    const QString away = page1 + QStringLiteral(".away");
    QVERIFY(QFile::rename(page1, away));
    device->window.DispatchMenuCommand("mPopupInstructions");
    QTRY_VERIFY(!OpenWindow());
    const bool free = device->window.isEnabled() && device->sim.menu.mPopupInstructions.enabled;
    QVERIFY(QFile::rename(away, page1));
    QVERIFY(free);
    // And they open again once the pages are back.
    QVERIFY(Open(*device));
    QVERIFY(OpenWindow()->close());
    QVERIFY(device->window.close());
  }
};

QTEST_MAIN(InstructionsWindowTest)
#include "instructions_window_test.moc"
