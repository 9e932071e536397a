// Mouse and keyboard on the device: pressed and released button pictures,
// the key beep, the arrow keys with their repeat guard, the cheat-code
// letters and the reset button on the back.
#include "sim/key_codes.h"
#include "sim/simulator.h"

namespace nib {

namespace {

constexpr char kReleased[] = "button0.gif";
constexpr char kPressed[] = "button1.gif";

}  // namespace

void Simulator::SetButtonPicture(Element& button, const char* file) {
  std::string folder = "\\colors\\" + pet.CurrentColor + "\\";
  look.DoLoadPicture(pet.Plugins, button, folder, file);
}

void Simulator::KeyBeep() {
  // A toy with its sheet fully in makes no sound when pressed.
  if (pet.InsulatingSheet != 1) PlaySound("\\sounds\\beep.wav");
}

void Simulator::ButtonA_MouseDown(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  SetButtonPicture(scr.ButtonA, kPressed);
  KeyBeep();
  DoButtonA(true);
}

void Simulator::ButtonA_MouseUp(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  SetButtonPicture(scr.ButtonA, kReleased);
  DoButtonA(false);
}

void Simulator::ButtonB_MouseDown(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  SetButtonPicture(scr.ButtonB, kPressed);
  KeyBeep();
}

void Simulator::ButtonB_MouseUp(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  SetButtonPicture(scr.ButtonB, kReleased);
  DoButtonB();
}

void Simulator::ButtonC_MouseDown(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  SetButtonPicture(scr.ButtonC, kPressed);
  KeyBeep();
  DoButtonC(true);
}

void Simulator::ButtonC_MouseUp(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  SetButtonPicture(scr.ButtonC, kReleased);
  DoButtonC(false);
}

void Simulator::ResetButton_MouseDown(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  scr.ResetButton.CopyPictureFrom(scr.ResetStatus[1]);
}

void Simulator::ResetButton_MouseUp(int Button, int, float, float) {
  if (Button != kLeftButton) return;
  scr.ResetButton.CopyPictureFrom(scr.ResetStatus[0]);
  // Not silenced by the sheet: pulling the sheet out resets through here.
  PlaySound("\\sounds\\reset.wav");
  platform_.SetBusyPointer(true);
  int16 egg = 0;
  DoSetCharacter(egg);
  pet.LightOff = false;
  pet.LightMenuIndex = 0;
  platform_.SetBusyPointer(false);
}

void Simulator::Form_KeyDown(int KeyCode, int) {
  switch (KeyCode) {
    case kKeyReturn:
      platform_.ShowPopupMenu();
      return;
    case kKeyF1:
      mPopupInstructions_Click();
      return;
    case kKeyEscape:
      mPopupStatus_Click();
      return;
    default:
      break;
  }
  DoCheatCodeKey(KeyCode);
  if (!FrontShown()) return;
  // Held keys repeat; each button is pressed once until its key comes up.
  switch (KeyCode) {
    case kKeyLeft:
      if (pet.ButtonAPressed) return;
      SetButtonPicture(scr.ButtonA, kPressed);
      pet.ButtonAPressed = true;
      DoButtonA(true);
      return;
    case kKeyDown:
      if (pet.ButtonBPressed) return;
      SetButtonPicture(scr.ButtonB, kPressed);
      pet.ButtonBPressed = true;
      KeyBeep();
      DoButtonB();
      return;
    case kKeyRight:
      if (pet.ButtonCPressed) return;
      SetButtonPicture(scr.ButtonC, kPressed);
      pet.ButtonCPressed = true;
      DoButtonC(true);
      return;
    default:
      return;
  }
}

void Simulator::Form_KeyUp(int KeyCode, int) {
  Element* button = nullptr;
  bool* held = nullptr;
  switch (KeyCode) {
    case kKeyLeft:
      button = &scr.ButtonA;
      held = &pet.ButtonAPressed;
      break;
    case kKeyDown:
      button = &scr.ButtonB;
      held = &pet.ButtonBPressed;
      break;
    case kKeyRight:
      button = &scr.ButtonC;
      held = &pet.ButtonCPressed;
      break;
    default:
      return;
  }
  const bool was_held = *held;
  // The key is up on either side; a flag left set would hold the button
  // down for the next press and for the A-and-C combination.
  *held = false;
  if (!FrontShown()) {
    if (was_held) SetButtonPicture(*button, kReleased);
    return;
  }
  SetButtonPicture(*button, kReleased);
  if (KeyCode == kKeyLeft) DoButtonA(false);
  if (KeyCode == kKeyRight) DoButtonC(false);
}

}  // namespace nib
