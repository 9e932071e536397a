#include <algorithm>

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
  platform.AddFile("\\other\\dark0.gif", 64, 40);
  scr.Dark.SetPicture(platform.LoadPicture("\\other\\dark0.gif"));
  scr.Dark.SetWidth(100);
  EXPECT_EQ(scr.Dark.Width(), 100);
  EXPECT_EQ(scr.Dark.Height(), 600);
  scr.Dark.SetWidth(-60);
  EXPECT_EQ(scr.Dark.Width(), 0);
}

TEST_F(ScreenTest, HitTestingFindsTheTopmostVisibleElement) {
  platform.AddFile("\\colors\\Default\\front.gif", 145, 197);
  platform.AddFile("\\colors\\Default\\button0.gif", 18, 18);
  scr.FrontView.SetPicture(platform.LoadPicture("\\colors\\Default\\front.gif"));
  scr.ButtonB.SetPicture(platform.LoadPicture("\\colors\\Default\\button0.gif"));
  scr.ButtonB.Move(930, 2130);
  EXPECT_EQ(scr.ElementAt(940, 2140), &scr.ButtonB);
  EXPECT_EQ(scr.ElementAt(100, 100), &scr.FrontView);
  scr.ButtonB.Hide();
  EXPECT_EQ(scr.ElementAt(940, 2140), &scr.FrontView);
  EXPECT_EQ(scr.ElementAt(-5, 10), nullptr);
}

}  // namespace
}  // namespace nib::testing
