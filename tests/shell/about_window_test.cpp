// The About window over the real device: its words with and without a
// plugin, the picture, and the ways it closes.
#include "windows/about_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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

constexpr char kPet[] = "Curious";

AboutWindow* OpenWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String("AboutWindow"))
      return qobject_cast<AboutWindow*>(widget);
  return nullptr;
}

QString LabelText(QWidget& window, const char* name) {
  const auto* label = window.findChild<QLabel*>(QLatin1String(name));
  return label ? label->text() : QString();
}

// The size of the picture the window shows; empty without one.
QSize PictureSize(QWidget& window) {
  for (const QLabel* label : window.findChildren<QLabel*>())
    if (label->isVisible() && !label->pixmap().isNull()) return label->pixmap().size();
  return {};
}

// Whether the device takes input, and each of the seven menu items an
// open window locks can be chosen.
bool Free(Device& device, bool free) {
  const Menu& m = device.sim.menu;
  for (const MenuItem* item : {&m.mPopupStatus, &m.mPopupOnTop, &m.mCheats, &m.mPopupChangeColor,
                               &m.mPopupPlugins, &m.mPopupInstructions, &m.mPopupAbout})
    if (item->enabled != free) return false;
  return device.window.isEnabled() == free;
}

}  // namespace

class AboutWindowTest : public QObject {
  Q_OBJECT

 private:
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  // A pet out of its sheet (so every locked item comes free again), with
  // the given plugin.
  std::unique_ptr<Device> StartPet(const QString& plugin) {
    {
      SettingsStore store(Ini());
      store.Write(kPet, "InsulatingSheet", "0");
      store.Write(kPet, "Plugins", plugin.toStdString());
      store.Flush();
    }
    return window_fixture::StartDevice(program_->path(), Ini(), kPet);
  }
  static AboutWindow* Open(Device& device) {
    device.window.DispatchMenuCommand("mPopupAbout");
    AboutWindow* window = OpenWindow();
    if (window && !QTest::qWaitForWindowExposed(window)) return nullptr;
    return window;
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  void showsTheProgramAndThePluginsWords_data() {
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("notice");
    const QString free_notice = QStringLiteral(
        "This software is free for non-commercial use.\n"
        "You may pass it on to others, provided that\n"
        "nothing in it is changed.");
    QTest::newRow("no plugin") << QString() << "About" << "Plugin" << free_notice;
    QTest::newRow("Nachtglas")
        << "Nachtglas" << QStringLiteral("Über Nibbet") << "Nachtglas"
        << QStringLiteral("Ein Nibbet für Nachteulen: blau getöntes Nachtglas, eigene Symbole mit "
                          "Mond, Würfel und Glocke, ein Eulenküken als Baby und alles auf "
                          "Deutsch. Am schönsten in der Farbe Midnight.");
    QTest::newRow("a plugin that is gone") << "Verschollen" << "About" << "Plugin" << free_notice;
  }

  void showsTheProgramAndThePluginsWords() {
    QFETCH(QString, plugin);
    QFETCH(QString, title);
    QFETCH(QString, frame);
    QFETCH(QString, notice);
    auto device = StartPet(plugin);
    QVERIFY(device);
    AboutWindow* window = Open(*device);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(LabelText(*window, "AboutTitle"), QStringLiteral("Nibbet Simulator 2.0"));
    QVERIFY(!LabelText(*window, "AboutCredits").isEmpty());
    QCOMPARE(window->Frame().title(), frame);
    QCOMPARE(window->Notice().text(), notice);
    QCOMPARE(window->OkButton().text(), QStringLiteral("&OK"));
    QCOMPARE(PictureSize(*window), QSize(165, 214));
    QVERIFY(Free(*device, false));
    QCOMPARE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
             device->sim.menu.mPopupOnTop.checked);
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(qAbs(window->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window->geometry().center().y() - screen.center().y()) <= 1);
    // Everything fits: nothing is cut off by the window's edge.
    QVERIFY(window->rect().contains(window->Frame().geometry()));
    QVERIFY(window->rect().contains(window->OkButton().geometry()));
    QVERIFY(window->close());
    QTRY_VERIFY(!OpenWindow());
    QVERIFY(device->window.close());
  }

  void theOkButtonEscapeAndEnterCloseItAndFreeTheDevice_data() {
    QTest::addColumn<int>("key");  // 0: a click on the OK button
    QTest::newRow("OK") << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space on OK") << int(Qt::Key_Space);
  }

  void theOkButtonEscapeAndEnterCloseItAndFreeTheDevice() {
    QFETCH(int, key);
    auto device = StartPet(QString());
    QVERIFY(device);
    AboutWindow* window = Open(*device);
    QVERIFY(window);
    QTRY_VERIFY(window->OkButton().hasFocus());
    if (key == 0)
      QTest::mouseClick(&window->OkButton(), Qt::LeftButton);
    else
      QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QTRY_VERIFY(!OpenWindow());
    QVERIFY(Free(*device, true));
    // It opens again, afresh.
    QVERIFY(Open(*device));
    QVERIFY(OpenWindow()->close());
    QTRY_VERIFY(!OpenWindow());
    QVERIFY(device->window.close());
  }

  void closingTheDeviceClosesIt() {
    auto device = StartPet(QString());
    QVERIFY(device);
    QVERIFY(Open(*device));
    QVERIFY(device->window.close());
    QTRY_VERIFY(!OpenWindow() || !OpenWindow()->isVisible());
    device.reset();
    QTRY_VERIFY(!OpenWindow());
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
