// The hidden cheat menu: its typed code, and item states that follow the
// pet.
#include "core/life_fixture.h"
#include "sim/key_codes.h"

namespace nib::testing {
namespace {

class CheatMenuTest : public LifeTest {
 protected:
  void Type(const std::string& keys) {
    for (const char c : keys) sim.DoCheatCodeKey(c);
  }
};

TEST_F(CheatMenuTest, TheCodeRevealsAndHidesTheMenu) {
  pet.InsulatingSheet = 0;
  EXPECT_FALSE(menu.mCheats.visible);
  Type("QZX");
  EXPECT_FALSE(menu.mCheats.visible);
  EXPECT_EQ(pet.CheatCode, "QZX");
  Type("W");
  EXPECT_TRUE(menu.mCheats.visible);
  EXPECT_TRUE(menu.mPopupSep0.visible);
  EXPECT_TRUE(menu.mCheats.enabled);
  EXPECT_EQ(pet.CheatCode, "");
  Type("QZXW");
  EXPECT_FALSE(menu.mCheats.visible);
  EXPECT_FALSE(menu.mPopupSep0.visible);
}

TEST_F(CheatMenuTest, TypingEditsTheCode) {
  struct Case {
    std::vector<int> keys;
    bool revealed;
    const char* code_after;
  };
  const Case cases[] = {
      {{'A', 'B', 'C', 'D', 'Q', 'Z', 'X', 'W'}, true, ""},  // a mismatch starts afresh
      {{'A', 'Q', 'Z', 'X', 'W'}, false, "W"},               // checked at four letters only
      {{'Q', 'Z', 'A', kKeyBack, 'X', 'W'}, true, ""},
      {{kKeyBack, kKeyBack, 'Q'}, false, "Q"},
      {{'Q', 'Z', kKeyLeft, 'X', 'W'}, false, "XW"},  // another key drops the code
      {{'Q', 'Z', kKeyTab, 'X'}, false, "X"},
      {{'Q', kKeyReturn, 'Z', kKeyEscape, 'X', kKeyF1, 'W'}, true, ""},
      {{'Q', 'Z', 'X', 'X'}, false, ""},
  };
  for (const Case& c : cases) {
    menu.mCheats.visible = false;
    pet.CheatCode.clear();
    for (const int key : c.keys) sim.DoCheatCodeKey(key);
    EXPECT_EQ(menu.mCheats.visible, c.revealed) << c.code_after;
    EXPECT_EQ(pet.CheatCode, c.code_after);
  }
}

TEST_F(CheatMenuTest, UnderTheSheetTheMenuShowsButWillNotOpen) {
  pet.InsulatingSheet = 1;
  Type("QZXW");
  EXPECT_TRUE(menu.mCheats.visible);
  EXPECT_FALSE(menu.mCheats.enabled);
  EXPECT_FALSE(sim.DoCheatCommand("mCheatChar5"));
  pet.InsulatingSheet = 2;
  Type("QZXWQZXW");
  EXPECT_TRUE(menu.mCheats.enabled);
}

TEST_F(CheatMenuTest, ResettingChecksNothingAndEnablesEveryEvent) {
  for (int n = 0; n <= kAngel; ++n) menu.CheatChar(n).checked = true;
  for (MenuItem* item : {&menu.mCheatAction0, &menu.mCheatAction1, &menu.mCheatAction2,
                         &menu.mCheatAction3, &menu.mCheatAttention, &menu.mCheatAttention2})
    item->enabled = false;
  sim.DoResetCheatMenu();
  EXPECT_EQ(CheckedCharacters(menu), 0);
  for (MenuItem* item : {&menu.mCheatAction0, &menu.mCheatAction1, &menu.mCheatAction2,
                         &menu.mCheatAction3, &menu.mCheatAttention, &menu.mCheatAttention2})
    EXPECT_TRUE(item->enabled) << item->name;
}

TEST_F(CheatMenuTest, TheItemsFollowThePet) {
  struct State {
    const char* what;
    void (*make)(Simulator&);
    bool events, sleep_item, sleep_checked, discipline_item;
  };
  const State states[] = {
      {"egg", [](Simulator& s) { s.mCheatChar0_Click(); }, false, false, false, true},
      {"baby", [](Simulator& s) { int16 n = 1; s.DoSetCharacter(n); }, true, true, false, false},
      {"child", [](Simulator& s) { int16 n = 2; s.DoSetCharacter(n); }, true, true, false, true},
      {"asleep",
       [](Simulator& s) {
         int16 n = 4;
         s.DoSetCharacter(n);
         s.mCheatAction2_Click();
       },
       false, true, true, true},
      {"dying",
       [](Simulator& s) {
         int16 n = 6;
         s.DoSetCharacter(n);
         s.mCheatAction3_Click();
       },
       false, false, false, true},
      {"angel", [](Simulator& s) { s.mCheatChar12_Click(); }, false, false, false, true},
  };
  menu.mCheats.visible = true;
  pet.InsulatingSheet = 0;
  for (const State& st : states) {
    if (pet.SleepAction) sim.mCheatAction2_Click();
    st.make(sim);
    EXPECT_EQ(menu.mCheatAttention.enabled, st.events) << st.what;
    EXPECT_EQ(menu.mCheatAction0.enabled, st.events) << st.what;
    EXPECT_EQ(menu.mCheatAction1.enabled, st.events) << st.what;
    EXPECT_EQ(menu.mCheatAction3.enabled, st.events) << st.what;
    EXPECT_EQ(menu.mCheatAction2.enabled, st.sleep_item) << st.what;
    EXPECT_EQ(menu.mCheatAction2.checked, st.sleep_checked) << st.what;
    EXPECT_EQ(menu.mCheatAttention2.enabled, st.discipline_item) << st.what;
    EXPECT_EQ(CheckedCharacters(menu), 1) << st.what;
    EXPECT_TRUE(menu.CheatChar(pet.CharacterNo).checked) << st.what;
    // What can be chosen is exactly what is enabled.
    EXPECT_EQ(sim.CheatItemAvailable("mCheatAction0"), st.events) << st.what;
    EXPECT_EQ(sim.CheatItemAvailable("mCheatAttention0"), st.events) << st.what;
    EXPECT_EQ(sim.CheatItemAvailable("mCheatAttention2"), st.events && st.discipline_item)
        << st.what;
    EXPECT_EQ(sim.CheatItemAvailable("mCheatAction2"), st.sleep_item) << st.what;
    EXPECT_TRUE(sim.CheatItemAvailable("mCheatChar7")) << st.what;
  }
}

TEST_F(CheatMenuTest, CommandsRunOnlyWhatCanBeChosen) {
  pet.InsulatingSheet = 0;
  int16 teen = 3;
  sim.DoSetCharacter(teen);
  EXPECT_FALSE(sim.DoCheatCommand("mCheatAction0")) << "the menu is hidden";
  EXPECT_EQ(pet.Sickness, 0);
  Type("QZXW");
  EXPECT_TRUE(sim.DoCheatCommand("mCheatAction0"));
  EXPECT_EQ(pet.Sickness, 1);
  EXPECT_TRUE(sim.DoCheatCommand("mCheatAttention1"));
  EXPECT_TRUE(pet.AttentionHappy);
  EXPECT_FALSE(sim.DoCheatCommand("mPopupClose")) << "not a cheat";
  EXPECT_FALSE(sim.DoCheatCommand("mCheatChar"));
  menu.mCheatAttention.enabled = false;
  EXPECT_FALSE(sim.DoCheatCommand("mCheatAttention0"));
  EXPECT_FALSE(pet.AttentionHungry);
  EXPECT_TRUE(sim.DoCheatCommand("mCheatChar12"));
  EXPECT_EQ(pet.CharacterNo, kAngel);
}

}  // namespace
}  // namespace nib::testing
