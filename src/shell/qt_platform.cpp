#include "shell/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "display/element.h"
#include "shell/device_window.h"
#include "shell/menu_mirror.h"
#include "shell/picture_files.h"
#include "shell/program_location.h"
#include "shell/save_failure_notice.h"
#include "shell/settings_store.h"
#include "shell/sheet_surface.h"
#include "shell/sound_player.h"
#include "shell/screen_placement.h"
#include "shell/tray_icon.h"
#include "shell/window_units.h"

namespace nib {

namespace {

// The screen a desktop without any reports.
constexpr int kFallbackScreenWidth = 1024, kFallbackScreenHeight = 768;

QRect VirtualDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return QRect(0, 0, kFallbackScreenWidth, kFallbackScreenHeight);
  return screen->virtualGeometry();
}

}  // namespace

QtPlatform::QtPlatform()
    : QtPlatform(ProgramLocation(QCoreApplication::applicationDirPath()), QString()) {}

QtPlatform::QtPlatform(const QString& program_folder, const QString& settings_ini)
    : folder_(program_folder.toStdString()),
      settings_(settings_ini.isEmpty() ? std::make_unique<SettingsStore>()
                                       : std::make_unique<SettingsStore>(settings_ini)),
      tray_(std::make_unique<TrayIcon>(
          [this] { return window_ ? window_->windowIcon() : QIcon(); })),
      save_notice_(std::make_unique<SaveFailureNotice>()) {
  tray_->on_context = [this] { ShowTrayMenu(); };
  save_notice_->show = [this](const QString& title, const QString& text) {
    ShowSaveFailure(*tray_, save_notice_box_, title, text);
  };
  save_notice_->ask_retry = AskRetrySave;
}

QtPlatform::~QtPlatform() {
  if (busy_) QApplication::restoreOverrideCursor();
  delete save_notice_box_;
}

void QtPlatform::AttachWindow(DeviceWindow* window) {
  window_ = window;
  // A StatusNotifierItem host shows the device's menu itself, over DBusMenu.
  tray_->SetMenu(window ? window->PopupMenu().Root() : nullptr);
}

void QtPlatform::ClearPictureCache() {
  pictures_.clear();
  cursors_.clear();
}

SoundPlayer& QtPlatform::Sound() {
  if (!sound_) sound_ = std::make_unique<SoundPlayer>();
  return *sound_;
}

bool QtPlatform::FileExists(const std::string& path) { return folder_.Exists(path); }

std::optional<std::string> QtPlatform::ReadFile(const std::string& path) {
  return folder_.ReadFile(path);
}

Picture QtPlatform::LoadPicture(const std::string& path) {
  const auto resolved = folder_.Resolve(path);
  if (!resolved) return nullptr;
  const auto cached = pictures_.find(*resolved);
  if (cached != pictures_.end()) return cached->second;
  // A file that does not decode is remembered too, so it is read once.
  Picture picture = LoadPictureFile(*resolved);
  pictures_.emplace(*resolved, picture);
  return picture;
}

Cursor QtPlatform::LoadCursor(const std::string& path) {
  const auto resolved = folder_.Resolve(path);
  if (!resolved) return nullptr;
  const auto cached = cursors_.find(*resolved);
  if (cached != cursors_.end()) return cached->second;
  Cursor cursor = LoadCursorFile(*resolved);
  cursors_.emplace(*resolved, cursor);
  return cursor;
}

std::vector<std::string> QtPlatform::ListFolders(const std::string& path) {
  return folder_.ListFolders(path);
}

void QtPlatform::ForgetDecodedFiles() {
  ClearPictureCache();
  if (sound_) sound_->Forget();
}

void QtPlatform::PlayWave(const std::string& path) {
  const auto resolved = folder_.Resolve(path);
  if (!resolved) return;
  Sound().Play(QString::fromStdString(*resolved));
}

void QtPlatform::Beep() { Sound().Beep(); }

int QtPlatform::CurrentSecond() {
  // Called every tick: no time-zone or calendar work. Every zone in use is
  // a whole number of minutes off UTC.
  return static_cast<int>(QDateTime::currentSecsSinceEpoch() % 60);
}

ClockTime QtPlatform::Now() {
  const QTime now = QTime::currentTime();
  ClockTime time;
  const int hour = now.hour();
  time.pm = hour >= 12;
  time.hour12 = hour % 12 == 0 ? 12 : hour % 12;
  time.minute = now.minute();
  time.second = now.second();
  return time;
}

std::string QtPlatform::ReadSetting(const std::string& section, const std::string& key,
                                    const std::string& fallback) {
  return settings_->Read(section, key, fallback);
}

void QtPlatform::WriteSetting(const std::string& section, const std::string& key,
                              const std::string& value) {
  settings_->Write(section, key, value);
}

void QtPlatform::FlushSettings() {
  if (settings_->Flush()) {
    save_notice_->Saved();
    return;
  }
  // The save at closing is the last: SettleSavesAtQuit asks about it
  // instead of a message that would vanish with the program.
  const bool closing = window_ && window_->Unloaded();
  save_notice_->Failed(settings_->FilePath(), settings_->LastError(), closing);
}

bool QtPlatform::SettleSavesAtQuit() {
  return save_notice_->SettleAtQuit([this] { FlushSettings(); });
}

float QtPlatform::ScreenWidth() {
  const QRect desktop = VirtualDesktop();
  return static_cast<float>(desktop.x() + desktop.width()) * kTwipsPerPixel;
}

float QtPlatform::ScreenHeight() {
  const QRect desktop = VirtualDesktop();
  return static_cast<float>(desktop.y() + desktop.height()) * kTwipsPerPixel;
}

void QtPlatform::SetBusyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

bool QtPlatform::WindowVisible() { return window_ && window_->isVisible(); }

void QtPlatform::SetWindowVisible(bool visible) {
  visibility_chosen_ = true;
  if (window_) window_->setVisible(visible);
}

bool QtPlatform::PlacesWindows() {
  // A Wayland client can neither place its windows nor learn where they are.
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

float QtPlatform::WindowLeft() {
  if (window_ && PlacesWindows()) return static_cast<float>(window_->pos().x()) * kTwipsPerPixel;
  return placed_left_;
}

float QtPlatform::WindowTop() {
  if (window_ && PlacesWindows()) return static_cast<float>(window_->pos().y()) * kTwipsPerPixel;
  return placed_top_;
}

void QtPlatform::MoveWindow(float left, float top) {
  // Kept as given where the window system places the window, so the saved
  // place survives a run there.
  placed_left_ = left;
  placed_top_ = top;
  if (window_) window_->move(TwipsToPixels(left), TwipsToPixels(top));
}

void QtPlatform::KeepWindowOnScreen() {
  if (!window_ || !PlacesWindows()) return;
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.append(screen->geometry());
  const QPoint place = PlaceOnScreens(QRect(window_->pos(), window_->size()), screens);
  if (place != window_->pos()) MoveWindow(place.x() * kTwipsPerPixel, place.y() * kTwipsPerPixel);
}

void QtPlatform::SetTopMost(bool on_top) {
  if (window_) window_->SetTopMost(on_top);
}

void QtPlatform::SetCaption(const std::string& caption) {
  if (window_) window_->setWindowTitle(QString::fromStdString(caption));
}

void QtPlatform::SetWindowIcon(const Picture& icon) {
  if (window_) window_->setWindowIcon(TrayIcon::PictureIcon(icon));
}

void QtPlatform::ProcessEvents() {
  // What the core changed so far should be painted by this very call.
  if (window_) window_->FlushDamage();
  QCoreApplication::processEvents();
}

void QtPlatform::ShowPopupMenu() {
  if (window_) window_->ShowPopupMenu(QCursor::pos());
}

void QtPlatform::ShowTrayMenu() { ShowPopupMenu(); }

void QtPlatform::SetTimerInterval(int interval_ms) {
  if (window_) window_->SetTimerInterval(interval_ms);
}

void QtPlatform::SendTabKey() {
  if (!window_) return;
  // Posted, so it arrives once start-up is over, as a typed key would.
  QCoreApplication::postEvent(window_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
  QCoreApplication::postEvent(window_,
                              new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier));
}

void QtPlatform::SetWindowEnabled(bool enabled) {
  if (window_) window_->setEnabled(enabled);
}

void QtPlatform::SetSheetEnabled(bool enabled) {
  if (SheetSurface* sheet = Sheet()) sheet->SetInputEnabled(enabled);
}

void QtPlatform::OpenAuxWindow(AuxWindow window) {
  if (window_) window_->OpenAuxWindow(window);
}

SheetSurface* QtPlatform::Sheet() { return window_ ? window_->LoadedSheet() : nullptr; }

void QtPlatform::SheetLoad() {
  if (window_) window_->LoadSheet();
}

void QtPlatform::SheetUnload() {
  if (window_) window_->UnloadSheet();
}

bool QtPlatform::SheetLoaded() { return Sheet() != nullptr; }

void QtPlatform::SetSheetVisible(bool visible) {
  if (SheetSurface* sheet = Sheet()) sheet->SetShown(visible);
}

float QtPlatform::SheetLeft() { return Sheet() ? Sheet()->LeftTwips() : 0; }

float QtPlatform::SheetTop() { return Sheet() ? Sheet()->TopTwips() : 0; }

void QtPlatform::MoveSheet(float left, float top) {
  if (SheetSurface* sheet = Sheet()) sheet->MoveTwips(left, top);
}

void QtPlatform::SetSheetTopMost(bool on_top) {
  if (SheetSurface* sheet = Sheet()) sheet->SetTopMost(on_top);
}

void QtPlatform::SetSheetLook(const Picture& picture, const Cursor& pointer) {
  if (SheetSurface* sheet = Sheet()) sheet->SetLook(picture, pointer);
}

void QtPlatform::SetSheetTimerInterval(int interval_ms) {
  SheetSurface* sheet = Sheet();
  if (!sheet) return;
  if (interval_ms <= 0)
    sheet->Timer().stop();
  else if (!sheet->Timer().isActive() || sheet->Timer().interval() != interval_ms)
    sheet->Timer().start(interval_ms);
}

void QtPlatform::TrayAdd(const Picture& icon, const std::string& tip) { tray_->Add(icon, tip); }

void QtPlatform::TrayModify(const Picture& icon, const std::string& tip) {
  tray_->Modify(icon, tip);
}

void QtPlatform::TrayDelete() { tray_->Delete(); }

bool QtPlatform::TrayAvailable() { return tray_->Shown(); }

}  // namespace nib
