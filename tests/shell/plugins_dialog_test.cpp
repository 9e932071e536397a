// The plugins-and-colors dialog over the real device: it opens on the
// current entry with the device locked, the keyboard chooses and applies,
// Escape cancels, a plugin brings its captions, and an applied colour is
// read again from disk.
#include "windows/plugins_dialog.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "shell/device_window.h"
#include "shell/picture_files.h"
#include "shell/settings_store.h"
#include "shell/window_fixture.h"
#include "sim/simulator.h"

using namespace nib;
using namespace nib::window_fixture;

namespace {

PluginsAndColorsWindow* OpenDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<PluginsAndColorsWindow*>(widget))
      if (dialog->isVisible()) return dialog;
  return nullptr;
}

QImage ImageOf(const Element& e) {
  const auto* picture = dynamic_cast<const QtPicture*>(e.GetPicture().get());
  return picture ? picture->pixmap.toImage() : QImage();
}

}  // namespace

class PluginsDialogTest : public QObject {
  Q_OBJECT

 private:
  QString Ini() const { return settings_->filePath(QStringLiteral("settings.ini")); }
  std::unique_ptr<Device> StartPet() {
    {
      SettingsStore store(Ini());
      store.Write("Skinned", "InsulatingSheet", "0");
      store.Flush();
    }
    return window_fixture::StartDevice(program_->path(), Ini(), "Skinned");
  }
  static PluginsAndColorsWindow* Open(Device& device, const char* command) {
    device.window.DispatchMenuCommand(command);
    return OpenDialog();
  }

  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() { NIB_COPY_PROGRAM_FOLDER(program_); }
  void init() { NIB_FRESH_FOLDER(settings_); }

  // A dialog left by a failed case would stand in for the next one's.
  void cleanup() {
    while (PluginsAndColorsWindow* dialog = OpenDialog()) dialog->close();
  }

  void theKeyboardChoosesAColourAndEscapeCancels() {
    auto device = StartPet();
    QVERIFY(device);
    Simulator& sim = device->sim;
    PluginsAndColorsWindow* dialog = Open(*device, "mPopupChangeColor");
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Colors"));
    QVERIFY(!device->window.isEnabled());
    QVERIFY(!sim.menu.mPopupPlugins.enabled);
    QListWidget& list = dialog->List();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&list));
    // Opened on the current colour, whose display name sorts last.
    QCOMPARE(dialog->Model().SelectedFolder(), std::string("Default"));
    QCOMPARE(list.currentRow(), list.count() - 1);
    device->window.DispatchMenuCommand("mPopupPlugins");
    QCOMPARE(OpenDialog(), dialog);  // no second dialog

    QTest::keyClick(&list, Qt::Key_Up);
    const std::string chosen = dialog->Model().SelectedFolder();
    QVERIFY(chosen != "Default");
    QTest::keyClick(&list, Qt::Key_Escape);
    QTRY_VERIFY(!OpenDialog());
    QCOMPARE(sim.pet.CurrentColor, std::string("Default"));
    QVERIFY(device->window.isEnabled());
    QVERIFY(sim.menu.mPopupPlugins.enabled);

    dialog = Open(*device, "mPopupChangeColor");
    QVERIFY(dialog);
    QTest::keyClick(&dialog->List(), Qt::Key_Up);
    QTest::keyClick(&dialog->List(), Qt::Key_Return);
    QTRY_VERIFY(!OpenDialog());
    QCOMPARE(sim.pet.CurrentColor, chosen);
    QVERIFY(device->window.isEnabled());
    QVERIFY(device->window.close());
    SettingsStore store(Ini());
    QCOMPARE(store.Read("Skinned", "CurrentColor", ""), chosen);
  }

  void aPluginBringsItsCaptionsAndTheBuiltInLookTakesThemBack() {
    auto device = StartPet();
    QVERIFY(device);
    Simulator& sim = device->sim;
    PluginsAndColorsWindow* dialog = Open(*device, "mPopupPlugins");
    QVERIFY(dialog);
    QCOMPARE(dialog->Model().SelectedFolder(), std::string(PluginsDialog::kDefaultEntry));
    const QList<QListWidgetItem*> rows = dialog->List().findItems("Nachtglas", Qt::MatchExactly);
    QCOMPARE(rows.size(), qsizetype(1));
    const QPoint on_row = dialog->List().visualItemRect(rows[0]).center();
    QTest::mouseClick(dialog->List().viewport(), Qt::LeftButton, Qt::NoModifier, on_row);
    QVERIFY(OpenDialog());  // a single click only chooses
    QTest::mouseDClick(dialog->List().viewport(), Qt::LeftButton, Qt::NoModifier, on_row);
    QTRY_VERIFY(!OpenDialog());
    QCOMPARE(sim.pet.Plugins, std::string("Nachtglas"));
    QVERIFY(sim.menu.mPopupClose.caption != "Close");
    QCOMPARE(device->window.windowTitle(), QStringLiteral("Skinned"));

    dialog = Open(*device, "mPopupPlugins");
    QVERIFY(dialog);
    QVERIFY(dialog->windowTitle() != QStringLiteral("Plugins"));  // the plugin's caption
    QCOMPARE(dialog->Model().SelectedFolder(), std::string("Nachtglas"));
    dialog->List().setCurrentRow(dialog->List().currentRow() == 0 ? 1 : 0);
    QCOMPARE(dialog->Model().SelectedFolder(), std::string(PluginsDialog::kDefaultEntry));
    QTest::keyClick(&dialog->List(), Qt::Key_Return);
    QTRY_VERIFY(!OpenDialog());
    QCOMPARE(sim.pet.Plugins, std::string());
    QCOMPARE(sim.menu.mPopupClose.caption, std::string("Close"));
    QVERIFY(device->window.close());
  }

  void anAppliedColourIsReadAgainFromDisk() {
    auto device = StartPet();
    QVERIFY(device);
    Simulator& sim = device->sim;
    auto apply = [&](const char* folder) {
      PluginsAndColorsWindow* dialog = Open(*device, "mPopupChangeColor");
      QVERIFY(dialog);
      for (int row = 0; row < dialog->List().count(); ++row) {
        dialog->List().setCurrentRow(row);
        if (dialog->Model().SelectedFolder() == folder) break;
      }
      QCOMPARE(dialog->Model().SelectedFolder(), std::string(folder));
      QTest::keyClick(&dialog->List(), Qt::Key_Return);
      QTRY_VERIFY(!OpenDialog());
    };
    apply("Mint");
    const QImage before = ImageOf(sim.scr.FrontView);
    // The colour's body is edited on disk while the program runs.
    const QString front = program_->path() + "/colors/Mint/front.gif";
    QVERIFY(QFile::remove(front));
    QVERIFY(QFile::copy(program_->path() + "/colors/Midnight/front.gif", front));
    apply("Default");
    apply("Mint");
    QVERIFY(ImageOf(sim.scr.FrontView) != before);
    QCOMPARE(ImageOf(sim.scr.FrontView), LoadedImage(front));
    QVERIFY(device->window.close());
  }

 private:
  static QImage LoadedImage(const QString& path) {
    const Picture picture = LoadPictureFile(path.toStdString());
    const auto* qt = dynamic_cast<const QtPicture*>(picture.get());
    return qt ? qt->pixmap.toImage() : QImage();
  }
};

QTEST_MAIN(PluginsDialogTest)
#include "plugins_dialog_test.moc"
