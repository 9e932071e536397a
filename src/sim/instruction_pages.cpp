#include "sim/instruction_pages.h"

#include <cstdio>

#include "sim/key_codes.h"

namespace nib {

namespace {

constexpr char kProgramPrefix[] = "\\instruct\\page";
// Page numbers have two digits.
constexpr int kMaxPages = 99;

}  // namespace

PageCommand PageCommandOfKey(int KeyCode) {
  switch (KeyCode) {
    case kKeyPageDown:
    case kKeyReturn:
    case kKeyRight:
    case kKeyDown:
      return PageCommand::Next;
    case kKeyPageUp:
    case kKeyBack:
    case kKeyLeft:
    case kKeyUp:
      return PageCommand::Previous;
    case kKeyHome:
      return PageCommand::First;
    case kKeyEnd:
      return PageCommand::Last;
    case kKeyF1:
    case kKeyEscape:
      return PageCommand::Close;
    default:
      return PageCommand::None;
  }
}

InstructionPages::InstructionPages(Platform& platform, const std::string& plugin)
    : platform_(platform) {
  for (const std::string& prefix :
       {plugin.empty() ? std::string() : "\\plugins\\" + plugin + "\\instruct\\page",
        std::string(kProgramPrefix)}) {
    if (prefix.empty()) continue;
    prefix_ = prefix;
    if (PageExists(1)) break;
    prefix_.clear();
  }
  if (prefix_.empty()) return;
  while (count_ < kMaxPages && PageExists(count_ + 1)) ++count_;
  page_ = 1;
}

std::string InstructionPages::PathOf(int page) const {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", page);
  return prefix_ + number + ".gif";
}

bool InstructionPages::PageExists(int page) const { return platform_.FileExists(PathOf(page)); }

std::optional<PageTurn> InstructionPages::Opening() const {
  if (Empty()) return std::nullopt;
  return PageTurn{page_, PathOf(page_), kPageUpSound};
}

std::optional<PageTurn> InstructionPages::TurnTo(int page, const char* sound) {
  if (Empty() || !PageExists(page)) return std::nullopt;
  page_ = page;
  return PageTurn{page_, PathOf(page_), sound};
}

std::optional<PageTurn> InstructionPages::Next() {
  return TurnTo(page_ >= count_ ? 1 : page_ + 1, kPageUpSound);
}

std::optional<PageTurn> InstructionPages::Previous() {
  return TurnTo(page_ <= 1 ? count_ : page_ - 1, kPageDownSound);
}

std::optional<PageTurn> InstructionPages::First() {
  if (page_ <= 1) return std::nullopt;
  return TurnTo(1, kPageUpSound);
}

std::optional<PageTurn> InstructionPages::Last() {
  if (page_ >= count_) return std::nullopt;
  return TurnTo(count_, kPageUpSound);
}

std::optional<PageTurn> InstructionPages::Run(PageCommand command) {
  switch (command) {
    case PageCommand::Next:
      return Next();
    case PageCommand::Previous:
      return Previous();
    case PageCommand::First:
      return First();
    case PageCommand::Last:
      return Last();
    default:
      return std::nullopt;
  }
}

void PageDrag::Press(PixelPoint mouse, PixelPoint window) {
  active_ = true;
  mouse_start_ = mouse;
  window_start_ = window_now_ = window;
}

std::optional<PixelPoint> PageDrag::Move(PixelPoint mouse) {
  if (!active_) return std::nullopt;
  window_now_ = {window_start_.x + mouse.x - mouse_start_.x,
                 window_start_.y + mouse.y - mouse_start_.y};
  return window_now_;
}

bool PageDrag::Release() {
  if (!active_) return false;
  active_ = false;
  return window_now_ == window_start_;
}

}  // namespace nib
