#include "sim/menu.h"

#include <gtest/gtest.h>

namespace nib {
namespace {

TEST(MenuModel, InitialStatesAreTheOptionsOfANewToy) {
  Menu menu;
  struct Case {
    const char* name;
    bool checked, enabled, visible;
  };
  const Case cases[] = {
      {"mCharacterName", false, false, true}, {"mPopupSep0", false, true, false},
      {"mCheats", false, true, false},        {"mPopupStatus", false, true, true},
      {"mPopupSound", true, true, true},      {"mPopupWave", true, true, true},
      {"mPopupBeep", false, true, true},      {"mPopupSide", false, true, true},
      {"mPopupOnTop", true, true, true},      {"mPopupAutoShow", false, true, true},
      {"mPopupPlay0", true, true, true},      {"mPopupPlay1", false, true, true},
      {"mPopupInsulatingSheet", false, true, true}, {"mPopupClose", false, true, true},
      {"mCheatChar12", false, true, true},
  };
  for (const Case& c : cases) {
    const MenuItem* item = menu.Find(c.name);
    ASSERT_NE(item, nullptr) << c.name;
    EXPECT_EQ(item->checked, c.checked) << c.name;
    EXPECT_EQ(item->enabled, c.enabled) << c.name;
    EXPECT_EQ(item->visible, c.visible) << c.name;
  }
}

TEST(MenuModel, TheTreeHoldsEveryItemInItsPlace) {
  Menu menu;
  std::vector<std::string> top;
  for (const MenuItem* item : menu.mPopup.children) top.push_back(item->name);
  EXPECT_EQ(top, (std::vector<std::string>{
                     "mCharacterName", "mPopupSep0", "mCheats", "mPopupSep1", "mPopupStatus",
                     "mPopupSound", "mPopupSoundType", "mPopupSide", "mPopupOnTop",
                     "mPopupAutoShow", "mPopupPlayType", "mPopupSep3", "mPopupChangeColor",
                     "mPopupPlugins", "mPopupInstructions", "mPopupAbout", "mPopupSep4",
                     "mPopupInsulatingSheet", "mPopupSep5", "mPopupClose"}));
  std::vector<std::string> characters;
  for (const MenuItem* item : menu.mCheatChar.children)
    if (!item->IsSeparator()) characters.push_back(item->caption);
  EXPECT_EQ(characters, (std::vector<std::string>{
                            "Nibbet", "Pobblin", "Pimbo", "Wembic", "Quillop", "Fennick", "Tovrin",
                            "Zelmoc", "Drubbel", "Vossel", "Ompadu", "Xerblix (Secret Character)",
                            "Angel (Death)"}));
  EXPECT_EQ(menu.mCheats.children.size(), 8u);
  EXPECT_EQ(menu.mCheatAttention.children.size(), 3u);
  EXPECT_EQ(menu.AllItems().size(), 51u);
  for (int n = 0; n <= 12; ++n) EXPECT_EQ(menu.CheatChar(n).name, "mCheatChar" + std::to_string(n));
}

}  // namespace
}  // namespace nib
