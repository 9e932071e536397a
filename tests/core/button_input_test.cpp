#include <functional>
#include <ostream>

#include "core/lcd_fixture.h"
#include "sim/key_codes.h"

namespace nib::testing {
namespace {

class ButtonInputTest : public LcdTest {
 protected:
  bool Pressed(const Element& button) {
    return button.GetPicture() == platform.LoadPicture("\\colors\\Default\\button1.gif");
  }
  bool Released(const Element& button) {
    return button.GetPicture() == platform.LoadPicture("\\colors\\Default\\button0.gif");
  }
  void KeyDown(int key) { sim.Form_KeyDown(key, 0); }
  void KeyUp(int key) { sim.Form_KeyUp(key, 0); }
};

// --- The mouse ---

using MouseHandler = void (Simulator::*)(int, int, float, float);

struct MouseCase {
  const char* name;
  MouseHandler handler;
  Element Screen::*button;
  bool pressed_picture;
  bool key_beep;
  // What the device did, seen on a living pet with no icon highlighted.
  std::function<void(Simulator&)> check;
};
// The test list names a case, not its bytes.
void PrintTo(const MouseCase& c, std::ostream* os) { *os << c.name; }

const MouseCase kMouseCases[] = {
    {"ADown", &Simulator::ButtonA_MouseDown, &Screen::ButtonA, true, true,
     [](Simulator& s) { EXPECT_EQ(s.device_menu.CurrentIcon, 0); }},
    {"AUp", &Simulator::ButtonA_MouseUp, &Screen::ButtonA, false, false,
     [](Simulator& s) { EXPECT_EQ(s.device_menu.CurrentIcon, 7); }},
    {"BDown", &Simulator::ButtonB_MouseDown, &Screen::ButtonB, true, true,
     [](Simulator& s) { EXPECT_FALSE(s.pet.TimerScreen); }},
    {"BUp", &Simulator::ButtonB_MouseUp, &Screen::ButtonB, false, false,
     [](Simulator& s) { EXPECT_TRUE(s.pet.TimerScreen); }},
    {"CDown", &Simulator::ButtonC_MouseDown, &Screen::ButtonC, true, true,
     [](Simulator& s) { EXPECT_EQ(s.device_menu.CurrentIcon, 7); }},
    {"CUp", &Simulator::ButtonC_MouseUp, &Screen::ButtonC, false, false,
     [](Simulator& s) { EXPECT_EQ(s.device_menu.CurrentIcon, 7); }},
};

class MouseTest : public ButtonInputTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(MouseTest, LeftButtonChangesThePictureBeepsAndActs) {
  const MouseCase& c = GetParam();
  Element& button = scr.*c.button;
  for (const bool sheet : {false, true}) {
    SCOPED_TRACE(sheet ? "sheet in" : "sheet out");
    pet.InsulatingSheet = sheet ? 1 : 0;
    platform.sounds.clear();
    (sim.*c.handler)(kLeftButton, 0, 30, 30);
    EXPECT_EQ(Pressed(button), c.pressed_picture);
    EXPECT_EQ(Released(button), !c.pressed_picture);
    // The handler's beep, then the device's own beep of A and C.
    const bool device_beeps = !sheet && c.pressed_picture && c.button != &Screen::ButtonB;
    EXPECT_EQ(SoundsOf(kBeep), (c.key_beep && !sheet ? 1 : 0) + (device_beeps ? 1 : 0));
    if (!sheet) {
      c.check(sim);
      sim.DoHideIcon();
      pet.TimerScreen = false;
    }
  }
}

TEST_P(MouseTest, OtherMouseButtonsDoNothing) {
  const MouseCase& c = GetParam();
  const Picture before = (scr.*c.button).GetPicture();
  (sim.*c.handler)(kRightButton, 0, 30, 30);
  (sim.*c.handler)(4, 0, 30, 30);
  EXPECT_EQ((scr.*c.button).GetPicture(), before);
  EXPECT_TRUE(platform.sounds.empty());
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
  EXPECT_FALSE(pet.TimerScreen);
}

INSTANTIATE_TEST_SUITE_P(EveryHandler, MouseTest, ::testing::ValuesIn(kMouseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonInputTest, TheResetButtonStartsANewEgg) {
  pet.InsulatingSheet = 1;  // the sheet does not silence the reset
  pet.LightOff = true;
  pet.LightMenuIndex = 1;
  pet.Age = 30;
  sim.ResetButton_MouseDown(kLeftButton, 0, 0, 0);
  EXPECT_TRUE(Shows(scr.ResetButton, scr.ResetStatus[1]));
  EXPECT_EQ(pet.CharacterNo, 3);
  platform.busy_calls.clear();
  sim.ResetButton_MouseUp(kLeftButton, 0, 0, 0);
  EXPECT_TRUE(Shows(scr.ResetButton, scr.ResetStatus[0]));
  EXPECT_EQ(SoundsOf("\\sounds\\reset.wav"), 1);
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(pet.Age, 0);
  EXPECT_FALSE(pet.LightOff);
  EXPECT_EQ(pet.LightMenuIndex, 0);
  ASSERT_FALSE(platform.busy_calls.empty());
  EXPECT_TRUE(platform.busy_calls.front());
  EXPECT_FALSE(platform.busy_calls.back());

  sim.ResetButton_MouseDown(kRightButton, 0, 0, 0);
  sim.ResetButton_MouseUp(kRightButton, 0, 0, 0);
  EXPECT_TRUE(Shows(scr.ResetButton, scr.ResetStatus[0]));
  EXPECT_EQ(SoundsOf("\\sounds\\reset.wav"), 1);
}

// --- The keyboard ---

TEST_F(ButtonInputTest, AHeldArrowPressesItsButtonOnce) {
  for (int repeat = 0; repeat < 5; ++repeat) KeyDown(kKeyLeft);
  EXPECT_TRUE(Pressed(scr.ButtonA));
  EXPECT_EQ(sim.device_menu.CurrentIcon, 0);
  EXPECT_EQ(SoundsOf(kBeep), 1);  // the device's beep; the key adds none
  KeyUp(kKeyLeft);
  EXPECT_TRUE(Released(scr.ButtonA));
  EXPECT_FALSE(pet.ButtonAPressed);
  KeyDown(kKeyLeft);
  EXPECT_EQ(sim.device_menu.CurrentIcon, 1);
}

TEST_F(ButtonInputTest, DownBeepsAndActsOnPressOnly) {
  for (int repeat = 0; repeat < 3; ++repeat) KeyDown(kKeyDown);
  EXPECT_TRUE(Pressed(scr.ButtonB));
  EXPECT_TRUE(pet.TimerScreen);
  EXPECT_EQ(SoundsOf(kBeep), 1);
  KeyUp(kKeyDown);
  EXPECT_TRUE(Released(scr.ButtonB));
  EXPECT_TRUE(pet.TimerScreen);
  EXPECT_EQ(SoundsOf(kBeep), 1);

  pet.InsulatingSheet = 1;
  KeyDown(kKeyDown);
  EXPECT_EQ(SoundsOf(kBeep), 1);
  EXPECT_TRUE(pet.TimerScreen);
}

TEST_F(ButtonInputTest, RightPressesAndReleasesC) {
  Select(2);
  KeyDown(kKeyRight);
  KeyDown(kKeyRight);
  EXPECT_TRUE(Pressed(scr.ButtonC));
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
  KeyUp(kKeyRight);
  EXPECT_TRUE(Released(scr.ButtonC));
  EXPECT_FALSE(pet.ButtonCPressed);
}

TEST_F(ButtonInputTest, LeftAndRightTogetherSwitchTheSound) {
  const bool sound = menu.mPopupSound.checked;
  KeyDown(kKeyRight);
  KeyDown(kKeyLeft);
  EXPECT_EQ(menu.mPopupSound.checked, !sound);
  EXPECT_EQ(SoundsOf("\\sounds\\turnsnd.wav"), 1);
  KeyUp(kKeyLeft);
  KeyUp(kKeyRight);
  EXPECT_FALSE(sim.device_menu.ButtonACPressed);
  // After both are up, each works alone again.
  KeyDown(kKeyLeft);
  EXPECT_EQ(menu.mPopupSound.checked, !sound);
  EXPECT_EQ(sim.device_menu.CurrentIcon, 0);
}

TEST_F(ButtonInputTest, OnTheBackTheArrowsPressNothing) {
  scr.BackView.Show();
  for (const int key : {kKeyLeft, kKeyDown, kKeyRight}) {
    KeyDown(key);
    KeyUp(key);
  }
  EXPECT_EQ(sim.device_menu.CurrentIcon, 7);
  EXPECT_FALSE(pet.TimerScreen);
  EXPECT_FALSE(pet.ButtonAPressed || pet.ButtonBPressed || pet.ButtonCPressed);
  EXPECT_TRUE(platform.sounds.empty());
  for (const Element* button : {&scr.ButtonA, &scr.ButtonB, &scr.ButtonC})
    EXPECT_FALSE(Pressed(*button)) << button->Name();
}

TEST_F(ButtonInputTest, AKeyLetGoOnTheBackIsUpAllTheSame) {
  KeyDown(kKeyLeft);
  scr.BackView.Show();
  KeyUp(kKeyLeft);
  EXPECT_FALSE(pet.ButtonAPressed);
  EXPECT_TRUE(Released(scr.ButtonA));
  scr.BackView.Hide();
  // C alone is C, not a combination with an A still thought held.
  const bool sound = menu.mPopupSound.checked;
  KeyDown(kKeyRight);
  EXPECT_EQ(menu.mPopupSound.checked, sound);
}

TEST_F(ButtonInputTest, EnterF1AndEscapeKeepTheCheatCodeAndOtherKeysDropIt) {
  KeyDown('Q');
  KeyDown('Z');
  ASSERT_EQ(pet.CheatCode, "QZ");
  KeyDown(kKeyReturn);
  EXPECT_EQ(platform.popups, 1);
  KeyDown(kKeyF1);
  KeyDown(kKeyEscape);
  EXPECT_EQ(pet.CheatCode, "QZ");
  const int other_keys[] = {kKeyLeft, kKeyDown, kKeyRight, '1', 0, kKeyUp};
  for (const int key : other_keys) {
    KeyDown('X');
    ASSERT_FALSE(pet.CheatCode.empty());
    KeyDown(key);
    EXPECT_TRUE(pet.CheatCode.empty()) << key;
  }
  scr.BackView.Show();
  KeyDown('Q');
  KeyDown(kKeyLeft);
  EXPECT_TRUE(pet.CheatCode.empty());
}

}  // namespace
}  // namespace nib::testing
