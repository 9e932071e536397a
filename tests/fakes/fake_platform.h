// A desktop made of memory: files that exist with a picture size, a clock
// the test moves, an in-memory settings store and a recorder of sounds and
// window calls.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sim/platform.h"

namespace nib::testing {

struct FakePicture : PictureData {
  std::string path;
};

struct FakeCursor : CursorData {
  std::string path;
};

class FakePlatform : public Platform {
 public:
  // A folder below the program folder, listed by ListFolders in the order
  // added (files added below it list it too).
  void AddFolder(const std::string& path);
  // A file below the program folder; pictures get the given size. A file
  // added as broken exists but neither decodes nor reads.
  void AddFile(const std::string& path, int width_px = 10, int height_px = 10);
  void AddBrokenFile(const std::string& path);
  void AddTextFile(const std::string& path, std::string text);

  bool FileExists(const std::string& path) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  Picture LoadPicture(const std::string& path) override;
  Cursor LoadCursor(const std::string& path) override;
  std::vector<std::string> ListFolders(const std::string& path) override;
  void ForgetDecodedFiles() override {
    decoded_.clear();
    ++forgets;
  }

  void PlayWave(const std::string& path) override { sounds.push_back(path); }
  void Beep() override { sounds.push_back("beep"); }

  int CurrentSecond() override { return second; }
  ClockTime Now() override { return now; }

  std::string ReadSetting(const std::string& section, const std::string& key,
                          const std::string& fallback) override;
  void WriteSetting(const std::string& section, const std::string& key,
                    const std::string& value) override;
  void FlushSettings() override { ++flushes; }

  float ScreenWidth() override { return screen_width; }
  float ScreenHeight() override { return screen_height; }
  void SetBusyPointer(bool busy) override { busy_calls.push_back(busy); }
  bool WindowVisible() override { return window_visible; }
  void SetWindowVisible(bool visible) override { window_visible = visible; }
  float WindowLeft() override { return window_left; }
  float WindowTop() override { return window_top; }
  void MoveWindow(float left, float top) override {
    window_left = left;
    window_top = top;
  }
  void KeepWindowOnScreen() override;
  void SetTopMost(bool on_top) override { topmost = on_top; }
  void SetCaption(const std::string& text) override { captions.push_back(text); }
  void SetWindowIcon(const Picture& icon) override { window_icon = icon; }
  void ProcessEvents() override { ++processed_events; }
  void ShowPopupMenu() override { ++popups; }
  void SetTimerInterval(int interval_ms) override { timer_interval = interval_ms; }
  void SendTabKey() override { ++tab_keys; }
  void SetWindowEnabled(bool enabled) override { window_enabled = enabled; }
  void SetSheetEnabled(bool enabled) override { sheet.enabled = enabled; }
  void OpenAuxWindow(AuxWindow window) override { aux_windows.push_back(window); }

  void SheetLoad() override;
  void SheetUnload() override;
  bool SheetLoaded() override { return sheet.loaded; }
  void SetSheetVisible(bool visible) override {
    if (sheet.loaded) sheet.visible = visible;
  }
  float SheetLeft() override { return sheet.left; }
  float SheetTop() override { return sheet.top; }
  void MoveSheet(float left, float top) override;
  void SetSheetTopMost(bool on_top) override {
    if (sheet.loaded) sheet.topmost = on_top;
  }
  void SetSheetLook(const Picture& picture, const Cursor& pointer) override {
    sheet.picture = picture;
    sheet.pointer = pointer;
  }
  void SetSheetTimerInterval(int interval_ms) override {
    if (sheet.loaded) sheet.timer_interval = interval_ms;
  }

  void TrayAdd(const Picture& icon, const std::string& tip) override;
  void TrayModify(const Picture& icon, const std::string& tip) override;
  void TrayDelete() override { tray_present = false; }
  bool TrayAvailable() override { return tray_available; }

  // Files.
  struct File {
    int width_px = 0, height_px = 0;
    bool broken = false;
    std::string text;
  };
  std::map<std::string, File> files;  // by folded path
  std::vector<std::string> folders;   // as added, with their own case
  std::vector<std::string> loads;     // every picture decode, in order
  // Clock.
  int second = 0;
  ClockTime now;
  // Settings: section -> key -> value, and every write in order.
  std::map<std::string, std::map<std::string, std::string>> store;
  std::vector<std::pair<std::string, std::string>> writes;
  int flushes = 0;
  // Sound and window.
  std::vector<std::string> sounds;
  float screen_width = 1920 * 15, screen_height = 1080 * 15;
  std::vector<bool> busy_calls;
  bool window_visible = false;
  float window_left = 0, window_top = 0;
  bool topmost = false;
  std::vector<std::string> captions;
  Picture window_icon;
  int processed_events = 0;
  int popups = 0;
  int timer_interval = 0;
  bool tray_present = false;
  bool tray_available = true;
  std::string tray_tip;
  Picture tray_icon;
  int tray_modifies = 0;
  int tab_keys = 0;
  bool window_enabled = true;
  std::vector<AuxWindow> aux_windows;  // every window opened, in order
  int forgets = 0;
  // The insulating-sheet window.
  struct Sheet {
    bool loaded = false;
    bool visible = false;
    float left = 0, top = 0;
    bool topmost = false;
    Picture picture;
    Cursor pointer;
    int timer_interval = 0;
    int loads = 0;
    int moves = 0;
    bool enabled = true;
  };
  Sheet sheet;

  static std::string Fold(const std::string& path);

 private:
  std::map<std::string, Picture> decoded_;
};

}  // namespace nib::testing
