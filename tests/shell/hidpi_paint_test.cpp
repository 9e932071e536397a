// The device and the sheet at screen scales 1, 1.5, 2 and 3: every picture
// pixel becomes a whole block of device pixels with no blur, the painted
// body fills the window's shape exactly, and repainting only what changed
// leaves the same image as painting everything.
//
// Qt reads the scale once at start-up, so each scale runs in a child
// process of this same program.
#include <QApplication>
#include <QBackingStore>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>
#include <functional>
#include <memory>
#include <set>

#include "display/screen.h"
#include "shell/device_window.h"
#include "shell/picture_files.h"
#include "shell/window_fixture.h"
#include "windows/sheet_window.h"

using namespace nib;
using namespace nib::window_fixture;

using ScreenChange = std::function<void(Screen&)>;
Q_DECLARE_METATYPE(ScreenChange)
Q_DECLARE_METATYPE(nib::SheetPlace)

namespace {

constexpr char kScaleVariable[] = "NIBBET_HIDPI_CHILD_SCALE";

// Where logical pixel `logical` starts in device pixels: Qt rounds a
// window's mask this way, so the painting must too.
int BlockStart(int logical, double scale) { return qRound(logical * scale); }

// The logical pixel each device column (or row) shows.
std::vector<int> BlockOwners(int logical_length, double scale) {
  std::vector<int> owners;
  for (int i = 0; i < logical_length; ++i)
    while (static_cast<int>(owners.size()) < BlockStart(i + 1, scale)) owners.push_back(i);
  return owners;
}

QImage Argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

// The window drawn at 1x, whatever the screen's scale.
QImage RenderAt1x(QWidget& window) {
  QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(1);
  image.fill(Qt::transparent);
  // As grab() does: else the mask's corner lands at the image's.
  window.render(&image, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::IgnoreMask);
  return Argb(image);
}

void AddColours(const QImage& picture, std::set<QRgb>& colours) {
  const QImage image = Argb(picture);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255) colours.insert(image.pixel(x, y));
}

// Empty when `shown`, the window at `scale`, repeats each pixel of `flat`
// over its whole block, shows only colours of `colours`, and is opaque
// exactly on `mask` (device pixels) and transparent elsewhere.
QString CheckScaled(const QImage& shown, const QImage& flat, double scale,
                    const std::set<QRgb>& colours, const QRegion& mask) {
  const QSize want(BlockStart(flat.width(), scale), BlockStart(flat.height(), scale));
  if (shown.size() != want)
    return QStringLiteral("%1x%2 device pixels, expected %3x%4")
        .arg(shown.width())
        .arg(shown.height())
        .arg(want.width())
        .arg(want.height());
  const std::vector<int> owner_x = BlockOwners(flat.width(), scale);
  const std::vector<int> owner_y = BlockOwners(flat.height(), scale);
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb got = shown.pixel(x, y);
      const QRgb block = flat.pixel(owner_x[x], owner_y[y]);
      const auto where = QStringLiteral("device pixel (%1, %2) of logical (%3, %4): ")
                             .arg(x)
                             .arg(y)
                             .arg(owner_x[x])
                             .arg(owner_y[y]);
      const auto hex = [](QRgb c) { return QStringLiteral("%1").arg(c, 8, 16, QLatin1Char('0')); };
      if (got != block) return where + hex(got) + QStringLiteral(" in a block of ") + hex(block);
      const bool inside = mask.contains(QPoint(x, y));
      if (inside && !colours.count(got))
        return where + hex(got) + QStringLiteral(" is in no picture, or not opaque");
      if (!inside && qAlpha(got) != 0) return where + QStringLiteral("painted outside the shape");
    }
  return {};
}

// The shape Qt gives the window system: the logical mask scaled as
// QWindow::setMask scales it.
QRegion DeviceMask(const QWidget& window, double scale) {
  return QTransform::fromScale(scale, scale).map(window.mask());
}

// Counts the window's paint events.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

}  // namespace

// Runs in a child process, at the scale QT_SCALE_FACTOR sets.
class ScaledPaintTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Device> StartDevice(SheetPlace sheet_place = DeviceWindow::DefaultSheetPlace()) {
    return window_fixture::StartDevice(program_->path(),
                                       settings_->filePath(QStringLiteral("settings.ini")),
                                       "Testy", sheet_place);
  }

  double scale_ = 1;
  std::unique_ptr<QTemporaryDir> program_;
  std::unique_ptr<QTemporaryDir> settings_;

 private slots:
  void initTestCase() {
    InstallQuietAboutMasks();
    scale_ = qEnvironmentVariable(kScaleVariable).toDouble();
    QVERIFY(scale_ >= 1);
    const QString generated = GeneratedProgramFolder();
    if (generated.isEmpty()) QSKIP("No generated program folder (NIBBET_PROGRAM_DIR)");
    program_ = CopyOfProgramFolder(generated);
    QVERIFY(program_);
  }

  void init() {
    settings_ = std::make_unique<QTemporaryDir>();
    QVERIFY(settings_->isValid());
  }

  void crispAndShaped_data() {
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<SheetPlace>("sheet_place");
    const SheetPlace own = SheetPlace::OwnWindow;
    QTest::newRow("device") << false << own;
    QTest::newRow("insulating sheet") << true << own;
    // Where windows cannot be placed: the device with its sheet beside it.
    QTest::newRow("device holding its sheet") << false << SheetPlace::InDeviceWindow;
  }

  void crispAndShaped() {
    QFETCH(bool, sheet);
    QFETCH(SheetPlace, sheet_place);
    auto device = StartDevice(sheet_place);
    QVERIFY(device);
    Screen& scr = device->sim.scr;
    QWidget* window = &device->window;
    std::set<QRgb> colours;
    if (sheet_place == SheetPlace::InDeviceWindow) {
      const auto* picture =
          dynamic_cast<const QtPicture*>(device->sim.sheet.Picture1.GetPicture().get());
      QVERIFY(picture);
      AddColours(picture->pixmap.toImage(), colours);
      QVERIFY(device->window.mask() != DeviceWindow::Outline());
    }
    if (sheet) {
      // A new pet's sheet is in. At 1x it is its picture, copied as it is.
      window = device->window.Sheet();
      QVERIFY(window);
      QVERIFY(QTest::qWaitForWindowExposed(window));
      AddColours(RenderAt1x(*window), colours);
    } else {
      for (const Element* element : scr.PaintOrder()) {
        const auto* picture = dynamic_cast<const QtPicture*>(element->GetPicture().get());
        if (element->Visible() && picture) AddColours(picture->pixmap.toImage(), colours);
      }
    }
    // Else the test would show nothing about scaling.
    QCOMPARE(window->devicePixelRatio(), scale_);
    QVERIFY(!window->mask().isEmpty());

    const QImage flat = RenderAt1x(*window);
    const QImage shown = Argb(window->grab().toImage());
    QCOMPARE(shown.devicePixelRatio(), scale_);
    const QString problem = CheckScaled(shown, flat, scale_, colours, DeviceMask(*window, scale_));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  void partialRepaintsMatchAWholePaint_data() {
    QTest::addColumn<ScreenChange>("change");
    QTest::newRow("off the pixel grid") << ScreenChange(
        [](Screen& s) { s.ButtonC.Move(s.ButtonC.Left() + 7, s.ButtonC.Top() + 8); });
    QTest::newRow("odd pixel step") << ScreenChange(
        [](Screen& s) { s.ButtonA.Move(s.ButtonA.Left() + 15, s.ButtonA.Top() + 45); });
    QTest::newRow("button hidden") << ScreenChange([](Screen& s) { s.ButtonB.Hide(); });
    QTest::newRow("body narrowed") << ScreenChange([](Screen& s) { s.FrontView.SetWidth(1185); });
    QTest::newRow("icons shown") << ScreenChange([](Screen& s) {
      s.NibIcon[1].Show();
      s.NibIcon[4].Show();
    });
  }

  // What the window system shows is the backing store, drawn piece by
  // piece as the core reports damage.
  void partialRepaintsMatchAWholePaint() {
    QFETCH(ScreenChange, change);
    auto device = StartDevice();
    QVERIFY(device);
    DeviceWindow& window = device->window;
    PaintCounter counter(&window);
    change(device->sim.scr);
    window.FlushDamage();
    QTRY_VERIFY_WITH_TIMEOUT(counter.paints > 0, 60000);

    QBackingStore* store = window.backingStore();
    QVERIFY(store && store->paintDevice());
    QCOMPARE(store->paintDevice()->devType(), int(QInternal::Image));
    const QImage stored = *static_cast<QImage*>(store->paintDevice());
    // A whole paint of the same screen, as a fresh window shows it.
    const QImage whole = window.grab().toImage();
    QCOMPARE(stored.size(), whole.size());
    // The backing store may have no alpha: compare colours over black,
    // within the shape, as the window system cuts the rest away.
    const QImage got = stored.convertToFormat(QImage::Format_RGB32);
    const QImage want = whole.convertToFormat(QImage::Format_RGB32);
    const QRegion mask = DeviceMask(window, scale_);
    for (const QRect& rect : mask)
      for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
          QVERIFY2(got.pixel(x, y) == want.pixel(x, y),
                   qPrintable(QStringLiteral("device pixel (%1, %2) is %3, a whole paint gives %4")
                                  .arg(x)
                                  .arg(y)
                                  .arg(got.pixel(x, y), 8, 16, QLatin1Char('0'))
                                  .arg(want.pixel(x, y), 8, 16, QLatin1Char('0'))));
  }
};

// Starts a child per scale.
class HiDpiPaintTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (GeneratedProgramFolder().isEmpty())
      QSKIP("No generated program folder (NIBBET_PROGRAM_DIR)");
  }

  void everyScale_data() {
    QTest::addColumn<QString>("scale");
    for (const char* scale : {"1", "1.5", "2", "3"}) QTest::newRow(scale) << QString::fromLatin1(scale);
  }

  void everyScale() {
    QFETCH(QString, scale);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    environment.insert(QString::fromLatin1(kScaleVariable), scale);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY2(child.waitForStarted(60000), qPrintable(child.errorString()));
    // Generous: only a hang may hit it.
    const bool finished = child.waitForFinished(240000);
    const QByteArray output = child.readAll();
    if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
      qWarning("%s", output.constData());
    QVERIFY2(finished, "the child hung");
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    // A child that skipped its checks proved nothing.
    QVERIFY2(output.contains("PASS   : ScaledPaintTest::crispAndShaped(device)"), output.constData());
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsSet(kScaleVariable)) {
    QApplication app(argc, argv);
    ScaledPaintTest test;
    return QTest::qExec(&test, argc, argv);
  }
  QCoreApplication app(argc, argv);
  HiDpiPaintTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "hidpi_paint_test.moc"
