// The real desktop behind the core: program folder, pictures, sound, clock,
// settings store, the device window and the notification-area icon.
#pragma once

#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "shell/program_folder.h"
#include "sim/platform.h"

class QMessageBox;

namespace nib {

class DeviceWindow;
class SaveFailureNotice;
class SheetSurface;
class SettingsStore;
class SoundPlayer;
class TrayIcon;

class QtPlatform final : public Platform {
 public:
  // The folder of the running program and the user's settings store.
  QtPlatform();
  // A given program folder and settings INI file (tests).
  QtPlatform(const QString& program_folder, const QString& settings_ini);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // The window that the window calls act on; DeviceWindow attaches itself.
  void AttachWindow(DeviceWindow* window);
  // Forgets decoded pictures and cursors; handles already given out live on.
  void ClearPictureCache();
  const std::string& ProgramRoot() const { return folder_.Root(); }
  SettingsStore& Settings() { return *settings_; }
  TrayIcon& Tray() { return *tray_; }
  // Tells the user of failed saves; tests replace its ways of showing.
  SaveFailureNotice& SaveNotice() { return *save_notice_; }
  // At quit, after the last save: while it failed, asks whether to try
  // again. Returns whether the pet ended saved.
  bool SettleSavesAtQuit();
  // Whether the program can place its windows and read their places back
  // (not on Wayland).
  static bool PlacesWindows();
  // Whether the core has shown or hidden the window yet.
  bool WindowVisibilityChosen() const { return visibility_chosen_; }

  bool FileExists(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  Picture LoadPicture(const std::string& path) override;
  Cursor LoadCursor(const std::string& path) override;
  std::vector<std::string> ListFolders(const std::string& path) override;
  void ForgetDecodedFiles() override;

  void PlayWave(const std::string& path) override;
  void Beep() override;

  int CurrentSecond() override;
  ClockTime Now() override;

  std::string ReadSetting(const std::string& section, const std::string& key,
                          const std::string& fallback) override;
  void WriteSetting(const std::string& section, const std::string& key,
                    const std::string& value) override;
  void FlushSettings() override;

  float ScreenWidth() override;
  float ScreenHeight() override;
  void SetBusyPointer(bool busy) override;
  bool WindowVisible() override;
  void SetWindowVisible(bool visible) override;
  float WindowLeft() override;
  float WindowTop() override;
  void MoveWindow(float left, float top) override;
  void KeepWindowOnScreen() override;
  void SetTopMost(bool on_top) override;
  void SetCaption(const std::string& caption) override;
  void SetWindowIcon(const Picture& icon) override;
  void ProcessEvents() override;
  void ShowPopupMenu() override;
  void SetTimerInterval(int interval_ms) override;
  void SendTabKey() override;
  void SetWindowEnabled(bool enabled) override;
  void SetSheetEnabled(bool enabled) override;
  void OpenAuxWindow(AuxWindow window) override;

  void SheetLoad() override;
  void SheetUnload() override;
  bool SheetLoaded() override;
  void SetSheetVisible(bool visible) override;
  float SheetLeft() override;
  float SheetTop() override;
  void MoveSheet(float left, float top) override;
  void SetSheetTopMost(bool on_top) override;
  void SetSheetLook(const Picture& picture, const Cursor& pointer) override;
  void SetSheetTimerInterval(int interval_ms) override;

  void TrayAdd(const Picture& icon, const std::string& tip) override;
  void TrayModify(const Picture& icon, const std::string& tip) override;
  void TrayDelete() override;
  bool TrayAvailable() override;

 private:
  SoundPlayer& Sound();
  void ShowTrayMenu();
  SheetSurface* Sheet();

  ProgramFolder folder_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<SoundPlayer> sound_;  // opened on the first sound
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<SaveFailureNotice> save_notice_;
  QPointer<QMessageBox> save_notice_box_;
  std::unordered_map<std::string, Picture> pictures_;
  std::unordered_map<std::string, Cursor> cursors_;
  QPointer<DeviceWindow> window_;
  bool busy_ = false;
  bool visibility_chosen_ = false;
  // The window's place as last set (twips).
  float placed_left_ = 0, placed_top_ = 0;
};

}  // namespace nib
