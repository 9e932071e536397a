// The one seam between the core and the desktop. The core never touches a
// file, a clock, a sound device or a window except through these
// interfaces, so tests can run whole lives headless with fakes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nib {

// A decoded picture (GIF, ICO). Shared: copying an element's picture into
// another element shares this object and never reloads the file.
struct PictureData {
  virtual ~PictureData() = default;
  int width_px = 0;
  int height_px = 0;
};
using Picture = std::shared_ptr<const PictureData>;

// A decoded mouse cursor (CUR) with its hot spot.
struct CursorData {
  virtual ~CursorData() = default;
};
using Cursor = std::shared_ptr<const CursorData>;

// Local wall-clock time as the clock screen shows it.
struct ClockTime {
  int hour12 = 12;  // 1..12
  int minute = 0;   // 0..59
  int second = 0;   // 0..59
  bool pm = false;
};

enum class AuxWindow { PluginsAndColors, Instructions, About };

// The desktop as the core sees it, in the few parts each subsystem needs:
// the look only reads files, the clock screen only reads the time, and so
// on. The shell implements them all in one object (Platform below).

// Program folder. Paths are relative to the program folder, written with
// backslashes as the data files name them ("\other\nibscr.gif"), and are
// matched without regard to letter case. A path that would leave the
// program folder does not exist.
class ProgramFiles {
 public:
  virtual ~ProgramFiles() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // Whole file as bytes; nullopt when missing or unreadable.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  // Null when the file is missing or cannot be decoded.
  virtual Picture LoadPicture(const std::string& path) = 0;
  virtual Cursor LoadCursor(const std::string& path) = 0;
  // Sub-folders of a folder, by their names on disk in the order found;
  // empty when the folder is missing.
  virtual std::vector<std::string> ListFolders(const std::string& path) = 0;
  // Pictures, cursors and sounds are decoded from disk again when next
  // asked for, so a look changed on disk shows after it is applied.
  virtual void ForgetDecodedFiles() = 0;
};

// Both return at once and are silent on any failure; a new wave cuts the
// one still playing.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void PlayWave(const std::string& path) = 0;
  virtual void Beep() = 0;
};

// Local time.
class LocalClock {
 public:
  virtual ~LocalClock() = default;
  virtual int CurrentSecond() = 0;  // 0..59
  virtual ClockTime Now() = 0;
};

// Per-user settings store of application "Nibbet Simulator": one section
// per pet name, values as text. Writes may be buffered until
// FlushSettings, which commits them atomically.
class SettingsStorage {
 public:
  virtual ~SettingsStorage() = default;
  virtual std::string ReadSetting(const std::string& section, const std::string& key,
                                  const std::string& fallback) = 0;
  virtual void WriteSetting(const std::string& section, const std::string& key,
                            const std::string& value) = 0;
  virtual void FlushSettings() = 0;
};

// The screen, the device window and the windows it opens; positions and
// sizes in twips.
class DesktopWindows {
 public:
  virtual ~DesktopWindows() = default;
  virtual float ScreenWidth() = 0;
  virtual float ScreenHeight() = 0;
  virtual void SetBusyPointer(bool busy) = 0;
  virtual bool WindowVisible() = 0;
  virtual void SetWindowVisible(bool visible) = 0;
  virtual float WindowLeft() = 0;
  virtual float WindowTop() = 0;
  virtual void MoveWindow(float left, float top) = 0;
  // A window placed where no screen shows it (a monitor since unplugged)
  // comes back whole onto the nearest screen.
  virtual void KeepWindowOnScreen() = 0;
  virtual void SetTopMost(bool on_top) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetWindowIcon(const Picture& icon) = 0;
  virtual void ProcessEvents() = 0;
  // The popup menu at the mouse position.
  virtual void ShowPopupMenu() = 0;
  // Interval of the main tick in milliseconds; 0 stops it.
  virtual void SetTimerInterval(int interval_ms) = 0;
  // Input to the device window (and to the sheet window) on or off while
  // an auxiliary window is open.
  virtual void SetWindowEnabled(bool enabled) = 0;
  virtual void SetSheetEnabled(bool enabled) = 0;
  // Creates and shows an auxiliary window without waiting; it drives the
  // core's model of that window.
  virtual void OpenAuxWindow(AuxWindow window) = 0;
  // One Tab keystroke to the main window, as if typed.
  virtual void SendTabKey() = 0;

  // The insulating-sheet window; positions in twips. Load creates it hidden
  // (again only after Unload); every other call does nothing while it does
  // not exist.
  virtual void SheetLoad() = 0;
  virtual void SheetUnload() = 0;
  virtual bool SheetLoaded() = 0;
  virtual void SetSheetVisible(bool visible) = 0;
  virtual float SheetLeft() = 0;
  virtual float SheetTop() = 0;
  virtual void MoveSheet(float left, float top) = 0;
  virtual void SetSheetTopMost(bool on_top) = 0;
  // A null picture leaves the window empty; a null cursor is the arrow.
  virtual void SetSheetLook(const Picture& picture, const Cursor& pointer) = 0;
  // Interval of the sheet's own timer in milliseconds; 0 stops it.
  virtual void SetSheetTimerInterval(int interval_ms) = 0;
};

// Notification-area icon with a tip of at most 63 characters.
class TrayArea {
 public:
  virtual ~TrayArea() = default;
  virtual void TrayAdd(const Picture& icon, const std::string& tip) = 0;
  virtual void TrayModify(const Picture& icon, const std::string& tip) = 0;
  virtual void TrayDelete() = 0;
  // Whether our icon shows in a notification area, so a hidden device can
  // be brought back.
  virtual bool TrayAvailable() = 0;
};

// The whole desktop, as the device holds it.
class Platform : public ProgramFiles,
                 public SoundOutput,
                 public LocalClock,
                 public SettingsStorage,
                 public DesktopWindows,
                 public TrayArea {};

}  // namespace nib
