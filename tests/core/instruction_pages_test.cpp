#include "sim/instruction_pages.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "sim/key_codes.h"

namespace nib::testing {
namespace {

constexpr char kProgram[] = "\\instruct\\page";
constexpr char kOwl[] = "\\plugins\\Owl\\instruct\\page";

std::string PagePath(const std::string& prefix, int page) {
  return prefix + (page < 10 ? "0" : "") + std::to_string(page) + ".gif";
}

void AddPages(FakePlatform& platform, const std::string& prefix, std::initializer_list<int> pages) {
  for (int page : pages) platform.AddFile(PagePath(prefix, page), 480, 360);
}

TEST(InstructionPagesTest, ChoosesTheSeriesAndCountsUpToTheFirstGap) {
  struct Case {
    const char* what;
    const char* plugin;
    std::vector<int> plugin_pages, program_pages;
    const char* prefix;  // "" for no instructions
    int count;
  };
  const Case cases[] = {
      {"plugin pages before the program's", "Owl", {1, 2}, {1, 2, 3}, kOwl, 2},
      {"a plugin without pages", "Owl", {}, {1, 2, 3}, kProgram, 3},
      {"a plugin whose series lacks page 01", "Owl", {2, 3}, {1, 2, 3}, kProgram, 3},
      {"no plugin", "", {1, 2}, {1, 2, 3}, kProgram, 3},
      {"a plugin without the program's pages", "Owl", {1}, {}, kOwl, 1},
      {"a gap ends the series", "", {}, {1, 2, 4}, kProgram, 2},
      {"no page 01 at all", "Owl", {2}, {2, 3}, "", 0},
      {"no pages at all", "", {}, {}, "", 0},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    for (int page : c.plugin_pages) AddPages(platform, kOwl, {page});
    for (int page : c.program_pages) AddPages(platform, kProgram, {page});
    const InstructionPages pages(platform, c.plugin);
    EXPECT_EQ(pages.Prefix(), c.prefix) << c.what;
    EXPECT_EQ(pages.Count(), c.count) << c.what;
    EXPECT_EQ(pages.Empty(), c.count == 0) << c.what;
    EXPECT_EQ(pages.Page(), c.count == 0 ? 0 : 1) << c.what;
    const auto opening = pages.Opening();
    ASSERT_EQ(opening.has_value(), c.count > 0) << c.what;
    if (opening) {
      EXPECT_EQ(opening->path, PagePath(c.prefix, 1)) << c.what;
      EXPECT_STREQ(opening->sound, kPageUpSound) << c.what;
    }
  }
}

TEST(InstructionPagesTest, PageNumbersKeepTwoDigits) {
  FakePlatform platform;
  for (int page = 1; page <= 100; ++page) AddPages(platform, kProgram, {page});
  InstructionPages pages(platform, "");
  EXPECT_EQ(pages.Count(), 99);
  EXPECT_EQ(pages.PathOf(7), "\\instruct\\page07.gif");
  EXPECT_EQ(pages.PathOf(42), "\\instruct\\page42.gif");
}

TEST(InstructionPagesTest, NothingTurnsWithoutPages) {
  FakePlatform platform;
  InstructionPages pages(platform, "Owl");
  for (PageCommand command : {PageCommand::Next, PageCommand::Previous, PageCommand::First,
                              PageCommand::Last, PageCommand::Close, PageCommand::None})
    EXPECT_FALSE(pages.Run(command));
  EXPECT_EQ(pages.Page(), 0);
}

// One step of a walk through three pages: the command, then the page shown
// and its sound, or 0 when the page stays.
struct Step {
  PageCommand command;
  int shown;
  const char* sound = nullptr;
};

void Walk(InstructionPages& pages, const std::vector<Step>& steps, const char* what) {
  int index = 0;
  for (const Step& step : steps) {
    const int before = pages.Page();
    const auto turn = pages.Run(step.command);
    if (step.shown == 0) {
      EXPECT_FALSE(turn) << what << " step " << index;
      EXPECT_EQ(pages.Page(), before) << what << " step " << index;
    } else {
      ASSERT_TRUE(turn) << what << " step " << index;
      EXPECT_EQ(turn->page, step.shown) << what << " step " << index;
      EXPECT_EQ(pages.Page(), step.shown) << what << " step " << index;
      EXPECT_EQ(turn->path, PagePath(kProgram, step.shown)) << what << " step " << index;
      EXPECT_STREQ(turn->sound, step.sound) << what << " step " << index;
    }
    ++index;
  }
}

TEST(InstructionPagesTest, TurnsWrapBothWaysAndHomeEndJump) {
  using enum PageCommand;
  struct Case {
    const char* what;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"forward past the last page",
       {{Next, 2, kPageUpSound}, {Next, 3, kPageUpSound}, {Next, 1, kPageUpSound}}},
      {"back past the first page",
       {{Previous, 3, kPageDownSound},
        {Previous, 2, kPageDownSound},
        {Previous, 1, kPageDownSound}}},
      {"home and end", {{First, 0}, {Last, 3, kPageUpSound}, {Last, 0}, {First, 1, kPageUpSound}}},
      {"home and end from the middle",
       {{Next, 2, kPageUpSound},
        {Last, 3, kPageUpSound},
        {Previous, 2, kPageDownSound},
        {First, 1, kPageUpSound}}},
      {"close and unknown keys turn nothing", {{Close, 0}, {None, 0}}},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    AddPages(platform, kProgram, {1, 2, 3});
    InstructionPages pages(platform, "");
    Walk(pages, c.steps, c.what);
  }
}

TEST(InstructionPagesTest, APageRemovedWhileOpenIsNotTurnedTo) {
  using enum PageCommand;
  struct Case {
    const char* what;
    std::vector<Step> before;  // with every page there
    int removed;
    std::vector<Step> after;
  };
  const Case cases[] = {
      {"the next page", {{Next, 2, kPageUpSound}}, 3, {{Next, 0}, {Previous, 1, kPageDownSound}}},
      {"the first page, wrapping forward",
       {{Last, 4, kPageUpSound}},
       1,
       {{Next, 0}, {First, 0}, {Previous, 3, kPageDownSound}}},
      {"the last page, wrapping back", {}, 4, {{Previous, 0}, {Last, 0}, {Next, 2, kPageUpSound}}},
      {"the previous page",
       {{Next, 2, kPageUpSound}, {Next, 3, kPageUpSound}},
       2,
       {{Previous, 0}, {Next, 4, kPageUpSound}}},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    AddPages(platform, kProgram, {1, 2, 3, 4});
    InstructionPages pages(platform, "");
    Walk(pages, c.before, c.what);
    platform.files.erase(FakePlatform::Fold(PagePath(kProgram, c.removed)));
    Walk(pages, c.after, c.what);
    EXPECT_EQ(pages.Count(), 4) << c.what;
  }
}

TEST(InstructionPagesTest, KeysOfTheWindow) {
  using enum PageCommand;
  const std::pair<int, PageCommand> keys[] = {
      {kKeyPageDown, Next}, {kKeyReturn, Next},     {kKeyRight, Next},
      {kKeyDown, Next},     {kKeyPageUp, Previous}, {kKeyBack, Previous},
      {kKeyLeft, Previous}, {kKeyUp, Previous},     {kKeyHome, First},
      {kKeyEnd, Last},      {kKeyF1, Close},        {kKeyEscape, Close},
      {kKeyTab, None},      {kKeyA, None},          {0, None},
  };
  for (const auto& [code, command] : keys) EXPECT_EQ(PageCommandOfKey(code), command) << code;
}

TEST(PageDragTest, AClickLeavesTheWindowWhereItWas) {
  struct Case {
    const char* what;
    std::vector<PixelPoint> moves;  // pointer positions while held
    PixelPoint window_at_end;
    bool click;
  };
  const PixelPoint press{100, 50};
  const PixelPoint window{400, 300};
  const Case cases[] = {
      {"no movement", {}, window, true},
      {"a move to where it was pressed", {{100, 50}}, window, true},
      {"a drag", {{103, 50}, {110, 45}}, {410, 295}, false},
      {"a drag and back", {{130, 90}, {100, 50}}, window, true},
      {"a drag off the screen's corner", {{-500, -400}}, {-200, -150}, false},
  };
  for (const Case& c : cases) {
    PageDrag drag;
    drag.Press(press, window);
    EXPECT_TRUE(drag.Active()) << c.what;
    PixelPoint at = window;
    for (const PixelPoint& mouse : c.moves) {
      const auto to = drag.Move(mouse);
      ASSERT_TRUE(to) << c.what;
      at = *to;
    }
    EXPECT_EQ(at, c.window_at_end) << c.what;
    EXPECT_EQ(drag.Moved(), !c.click) << c.what;
    EXPECT_EQ(drag.Release(), c.click) << c.what;
    EXPECT_FALSE(drag.Active()) << c.what;
  }
}

TEST(PageDragTest, MovesAndReleasesWithoutAPressDoNothing) {
  PageDrag drag;
  EXPECT_FALSE(drag.Move({5, 5}));
  EXPECT_FALSE(drag.Release());
  drag.Press({0, 0}, {0, 0});
  EXPECT_TRUE(drag.Release());
  // A second release (the button came up twice) is no second click.
  EXPECT_FALSE(drag.Release());
  EXPECT_FALSE(drag.Move({5, 5}));
}

}  // namespace
}  // namespace nib::testing
