// The tray icon on the offscreen platform, where Qt makes it the X11 kind:
// only a changed icon or tip is handed on, only a double click hides and
// shows, and Qt is kept from opening a second menu on a right click. The
// StatusNotifierItem kind runs in tests/tray on a private session bus.
#include <QAction>
#include <QLoggingCategory>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <memory>

#include "shell/menu_mirror.h"
#include "shell/picture_files.h"
#include "shell/tray_icon.h"
#include "sim/menu.h"

using namespace nib;

namespace {

// A picture with no ICO behind it: each handing-on would make a new QIcon.
Picture PixmapPicture(const QColor& color) {
  auto picture = std::make_shared<QtPicture>();
  QPixmap pixmap(16, 16);
  pixmap.fill(color);
  picture->pixmap = pixmap;
  return picture;
}

QIcon ColourIcon(const QColor& color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(color);
  return QIcon(pixmap);
}

}  // namespace

class TrayIconTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Qt's X11 tray watcher looks for an xcb-only signal on every show.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
  }

  void aNewTipAloneLeavesTheIconAsItWas() {
    TrayIcon tray([] { return QIcon(); });
    const Picture egg = PixmapPicture(Qt::yellow);
    tray.Add(egg, "Loading, please wait...");
    QVERIFY(!tray.Icon().isNull());
    const qint64 first = tray.Icon().cacheKey();

    tray.Modify(egg, "Sick");
    QCOMPARE(tray.ToolTip(), QStringLiteral("Sick"));
    QCOMPARE(tray.Icon().cacheKey(), first);

    // Another picture is handed on; the tip stays.
    tray.Modify(PixmapPicture(Qt::red), "Sick");
    QVERIFY(tray.Icon().cacheKey() != first);
    QCOMPARE(tray.ToolTip(), QStringLiteral("Sick"));

    // A long tip is cut as the tray takes it.
    const std::string long_tip(80, 'x');
    tray.Modify(egg, long_tip);
    QCOMPARE(tray.ToolTip(), QString(63, QLatin1Char('x')));
    tray.Delete();
  }

  void withoutAPictureTheFallbackIconIsHandedOnWhenItChanges() {
    QIcon window_icon = ColourIcon(Qt::blue);
    TrayIcon tray([&] { return window_icon; });
    tray.Add(nullptr, "one");
    QCOMPARE(tray.Icon().cacheKey(), window_icon.cacheKey());
    tray.Modify(nullptr, "two");
    QCOMPARE(tray.Icon().cacheKey(), window_icon.cacheKey());
    window_icon = ColourIcon(Qt::green);
    tray.Modify(nullptr, "two");
    QCOMPARE(tray.Icon().cacheKey(), window_icon.cacheKey());
    tray.Delete();

    // No fallback either: the egg, made once.
    TrayIcon bare([] { return QIcon(); });
    bare.Add(nullptr, "one");
    QVERIFY(!bare.Icon().isNull());
    const qint64 egg = bare.Icon().cacheKey();
    bare.Modify(nullptr, "two");
    QCOMPARE(bare.Icon().cacheKey(), egg);
    bare.Delete();
  }

  void onAnX11TrayOnlyADoubleClickHidesAndShows() {
    QMenu menu;
    menu.addAction(QStringLiteral("Hide"));
    TrayIcon tray([] { return QIcon(); });
    tray.SetMenu(&menu);
    int toggles = 0, menus = 0;
    tray.on_double_click = [&] { ++toggles; };
    tray.on_context = [&] { ++menus; };
    tray.Add(PixmapPicture(Qt::yellow), "tip");
    QVERIFY(!tray.StatusNotifier());

    auto* icon = tray.findChild<QSystemTrayIcon*>();
    QVERIFY(icon);
    // Qt would open this menu on a right click besides on_context.
    QVERIFY(!icon->contextMenu());

    emit icon->activated(QSystemTrayIcon::Trigger);
    QCOMPARE(toggles, 0);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    QCOMPARE(toggles, 1);
    QCOMPARE(menus, 0);
    emit icon->activated(QSystemTrayIcon::Context);
    QCOMPARE(menus, 1);
    QCOMPARE(toggles, 1);
    tray.Delete();
  }

  // A tray host keeps its own copy of the exported menu, so the mirror is
  // synced after every core call: it must copy each change and put back a
  // check mark the core refused.
  void syncCopiesChangesAndPutsBackARefusedCheck() {
    Menu model;
    MenuMirror mirror(model, [](const std::string&) {});
    QAction* sound = mirror.ActionFor("mPopupSound");
    QAction* hide = mirror.ActionFor("mPopupStatus");
    QVERIFY(sound && hide);
    QVERIFY(sound->isChecked());

    model.mPopupSound.caption = "Ton an";
    model.mPopupSound.checked = false;
    model.mPopupAbout.enabled = false;
    model.mCheats.visible = true;
    mirror.Sync();
    QCOMPARE(sound->text(), QStringLiteral("Ton an"));
    QVERIFY(!sound->isChecked());
    QVERIFY(!mirror.ActionFor("mPopupAbout")->isEnabled());
    QVERIFY(mirror.ActionFor("mCheats")->isVisible());

    // A click checks the action itself; the core kept the device shown.
    hide->trigger();
    QVERIFY(hide->isChecked());
    QVERIFY(!model.mPopupStatus.checked);
    mirror.Sync();
    QVERIFY(!hide->isChecked());

    // The caption changed back is copied too.
    model.mPopupSound.caption = "Sound On";
    mirror.Sync();
    QCOMPARE(sound->text(), QStringLiteral("Sound On"));
  }
};

QTEST_MAIN(TrayIconTest)
#include "tray_icon_test.moc"
