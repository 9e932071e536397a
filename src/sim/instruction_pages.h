// The instructions: a numbered series of GIF pages, shown one at a time.
// A plugin's own series replaces the program's; the series ends at the first
// missing number. Pages are looked up again at every turn, so a page removed
// while the window is open is stepped over by staying where we were.
#pragma once

#include <optional>
#include <string>

#include "sim/platform.h"

namespace nib {

inline constexpr char kPageUpSound[] = "\\sounds\\pageup.wav";
inline constexpr char kPageDownSound[] = "\\sounds\\pagedown.wav";
inline constexpr char kInstructionsPointerFolder[] = "\\other\\";
inline constexpr char kInstructionsPointerFile[] = "instruct.cur";

// What the window should do for a key.
enum class PageCommand { None, Next, Previous, First, Last, Close };
PageCommand PageCommandOfKey(int KeyCode);

// A page to show and the sound that turns to it.
struct PageTurn {
  int page = 0;
  std::string path;
  const char* sound = kPageUpSound;
};

class InstructionPages {
 public:
  // Chooses the series of `plugin` (may be empty) and counts it; page 1
  // when there is one.
  InstructionPages(Platform& platform, const std::string& plugin);

  bool Empty() const { return count_ == 0; }
  int Page() const { return page_; }
  int Count() const { return count_; }
  const std::string& Prefix() const { return prefix_; }
  // "<prefix>NN.gif".
  std::string PathOf(int page) const;
  // The opening page with its sound; nothing when there are no pages.
  std::optional<PageTurn> Opening() const;

  // Each returns the new page, or nothing when it stayed (its file is gone,
  // or Home/End is already there).
  std::optional<PageTurn> Next();
  std::optional<PageTurn> Previous();
  std::optional<PageTurn> First();
  std::optional<PageTurn> Last();
  std::optional<PageTurn> Run(PageCommand command);

 private:
  // Goes to `page`; back to where it was when that file is missing.
  std::optional<PageTurn> TurnTo(int page, const char* sound);
  bool PageExists(int page) const;

  Platform& platform_;
  std::string prefix_;
  int count_ = 0;
  int page_ = 0;
};

// A picture window dragged by its picture: a press and release that leave
// the window where it was are a click. Positions in pixels.
struct PixelPoint {
  int x = 0, y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

class PageDrag {
 public:
  void Press(PixelPoint mouse, PixelPoint window);
  bool Active() const { return active_; }
  // Whether the drag has put the window away from where the press found it.
  bool Moved() const { return active_ && !(window_now_ == window_start_); }
  // Where the window goes with the pointer at `mouse`; nothing when no
  // drag is going on.
  std::optional<PixelPoint> Move(PixelPoint mouse);
  // Ends the drag; true when it was a click.
  bool Release();

 private:
  bool active_ = false;
  PixelPoint mouse_start_, window_start_, window_now_;
};

}  // namespace nib
