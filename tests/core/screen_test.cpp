#include <algorithm>
#include <string>
#include <vector>

#include "core/device_fixture.h"

namespace nib::testing {
namespace {

class ScreenTest : public DeviceTest {
 protected:
  int Level(const Element& e) const {
    const auto& order = scr.PaintOrder();
    return static_cast<int>(std::find(order.begin(), order.end(), &e) - order.begin());
  }
};

TEST_F(ScreenTest, OnlyTheBodyButtonsAndLcdStartVisible) {
  std::vector<std::string> visible;
  for (const Element* e : scr.PaintOrder())
    if (e->Visible()) visible.push_back(e->Name());
  std::sort(visible.begin(), visible.end());
  EXPECT_EQ(visible, (std::vector<std::string>{"ButtonA", "ButtonB", "ButtonC", "FrontView", "NibScr"}));
  EXPECT_EQ(scr.PaintOrder().size(), 78u);  // every visible element, array members included
}

TEST_F(ScreenTest, StackingOrderPutsTheBodyOverTheLcd) {
  struct Above {
    const Element& upper;
    const Element& lower;
  };
  const Above pairs[] = {
      {scr.ResetButton, scr.BackView}, {scr.BackView, scr.ButtonC},   {scr.ButtonA, scr.FrontView},
      {scr.FrontView, scr.Water},      {scr.Water, scr.ChangingScreen}, {scr.DungImage[0], scr.Dark},
      {scr.Dark, scr.NibChar},         {scr.Dark, scr.NibIcon[6]},    {scr.Dark, scr.HourDigit[0]},
      {scr.Skull, scr.Dark},           {scr.SleepSign, scr.Dark},     {scr.NibChar, scr.NibScr},
      {scr.NibIcon[1], scr.NibIcon[0]}, {scr.DungImage[7], scr.DungImage[0]},
      {scr.Meter[3], scr.WeightDigit[1]}, {scr.SmallBar[0], scr.Meter[1]},
  };
  for (const Above& p : pairs)
    EXPECT_GT(Level(p.upper), Level(p.lower)) << p.upper.Name() << " over " << p.lower.Name();
  EXPECT_EQ(scr.PaintOrder().front(), &scr.NibScr);
  EXPECT_EQ(scr.PaintOrder().back(), &scr.ResetButton);
}

TEST_F(ScreenTest, EveryElementLiesInItsPlaceOfTheStackFromTheTopDown) {
  // Any two LCD sprites can meet on the glass, and every one lies under the
  // body, so every pair's order counts: the whole stack, arrays expanded
  // with the higher index above.
  struct Layer {
    const char* name;
    int count;  // 0: a single element
  };
  const Layer top_down[] = {
      {"ResetButton", 0}, {"BackView", 0},     {"ButtonC", 0},     {"ButtonB", 0},
      {"ButtonA", 0},     {"FrontView", 0},    {"Water", 0},       {"ResultNumber", 0},
      {"NibNumber", 0},   {"ChangingScreen", 0}, {"Yr", 0},        {"Angel", 0},
      {"NibScore", 0},    {"YourScore", 0},    {"PlayResult", 0},  {"PlayTitle", 0},
      {"SleepSign", 0},   {"TempImage", 0},    {"MealSnack", 0},   {"Skull", 0},
      {"DungImage", 8},   {"Heart", 4},        {"Meter3", 0},      {"Meter2", 0},
      {"WeightDigit", 2}, {"AgeDigit", 2},     {"SmallBar", 14},   {"Meter1", 0},
      {"Meter0", 0},      {"Dark", 0},         {"LightMenu", 0},   {"LeftArrow", 0},
      {"RightArrow", 0},  {"FeedMenu", 0},     {"SecondIdx", 0},   {"AmOrPm", 0},
      {"SecondDigit", 2}, {"MinuteDigit", 2},  {"HourDigit", 2},   {"Colon", 0},
      {"AttendIcon", 0},  {"NibIcon", 7},      {"NibChar", 0},     {"NibScr", 0},
  };
  std::vector<std::string> expected;
  for (const Layer& layer : top_down) {
    if (layer.count == 0) expected.push_back(layer.name);
    for (int i = layer.count - 1; i >= 0; --i) expected.push_back(layer.name + std::to_string(i));
  }
  std::vector<std::string> stack;
  const auto& order = scr.PaintOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it)
    stack.push_back((*it)->Name() + ((*it)->Index() >= 0 ? std::to_string((*it)->Index()) : ""));
  EXPECT_EQ(stack, expected);
}

TEST_F(ScreenTest, OnlyVisibleChangesDamageTheWindow) {
  platform.AddFile("\\other\\skull.gif", 8, 6);
  const Picture skull = platform.LoadPicture("\\other\\skull.gif");
  scr.damage.Clear();
  scr.Skull.SetPicture(skull);
  scr.Skull.Move(300, 300);
  EXPECT_TRUE(scr.damage.Empty()) << "hidden elements repaint nothing";

  scr.Skull.Show();
  ASSERT_EQ(scr.damage.Rects().size(), 1u);
  const TwipRect r = scr.damage.Rects()[0];
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.width, 120);
  EXPECT_EQ(r.height, 90);

  scr.damage.Clear();
  scr.Skull.SetPicture(skull);
  scr.Skull.Move(300, 300);
  scr.Skull.Show();
  EXPECT_TRUE(scr.damage.Empty()) << "no change, no repaint";

  scr.Skull.Move(330, 300);
  EXPECT_EQ(scr.damage.Rects().size(), 2u) << "old and new place";
}

TEST_F(ScreenTest, NarrowingClipsAndNeverGoesNegative) {
  scr.Dark.SetPicture(PictureAt("\\other\\dark0.gif", 64, 40));
  scr.Dark.SetWidth(100);
  EXPECT_EQ(scr.Dark.Width(), 100);
  EXPECT_EQ(scr.Dark.Height(), 600);
  scr.Dark.SetWidth(-60);
  EXPECT_EQ(scr.Dark.Width(), 0);
}

TEST_F(ScreenTest, HitTestingFindsTheTopmostVisibleElement) {
  scr.FrontView.SetPicture(PictureAt("\\colors\\Default\\front.gif", 145, 197));
  scr.ButtonB.SetPicture(PictureAt("\\colors\\Default\\button0.gif", 18, 18));
  scr.ButtonB.Move(930, 2130);
  EXPECT_EQ(scr.ElementAt(940, 2140), &scr.ButtonB);
  EXPECT_EQ(scr.ElementAt(100, 100), &scr.FrontView);
  scr.ButtonB.Hide();
  EXPECT_EQ(scr.ElementAt(940, 2140), &scr.FrontView);
  EXPECT_EQ(scr.ElementAt(-5, 10), nullptr);
}

}  // namespace
}  // namespace nib::testing
