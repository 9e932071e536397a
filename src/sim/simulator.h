// The device: owns the pet record, every screen element, the menus and the
// layout values, and runs every procedure of the toy. It reaches the desktop
// only through the Platform it is given; the shell calls its event handlers.
#pragma once

#include <string>

#include "display/layout.h"
#include "display/look.h"
#include "display/screen.h"
#include "display/status_tip.h"
#include "sim/characters.h"
#include "sim/device_state.h"
#include "sim/insulating_sheet.h"
#include "sim/menu.h"
#include "sim/pet.h"
#include "sim/platform.h"
#include "sim/random_source.h"

namespace nib {

class Simulator {
 public:
  Simulator(Platform& platform, RandomSource& random);
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // ---- State, in named parts ----
  Pet pet;        // the pet record; its saved part is the store's
  Screen scr;     // every element of the device window
  Menu menu;      // the popup menu and its cheat submenus
  Layout layout;  // positions and texts read from the layout files
  WindowState window;
  // Pictures, pointers and layout files, read into the parts above.
  Look look;
  DeviceMenu device_menu;
  Game game;
  Meter meter;
  PetAnimation animation;
  SheetWindowState sheet;

  // ---- Start-up and shutdown (the command line is the pet's name) ----
  void Form_Load(const std::string& command_line);
  void Form_Unload();

  // ---- The device window ----
  // Dragging by its body; x and y in twips within the picture.
  void DragMouseDown(int button, float x, float y);
  void DragMouseMove(int button, float x, float y);
  void DragMouseUp(int button);
  // Turning the device, by double click or by the popup's "Back".
  void FrontView_DblClick();
  void BackView_DblClick();
  void mPopupSide_Click();
  void DoTurnToBack(bool SoundOn);
  void DoTurnToFront(bool SoundOn);

  // ---- Popup menu: options ----
  void mPopupSound_Click();
  void mPopupWave_Click();
  void mPopupBeep_Click();
  void mPopupOnTop_Click();
  void mPopupAutoShow_Click();
  void mPopupPlay0_Click();
  void mPopupPlay1_Click();
  // Hide or show the device (the popup's Hide item and the tray's double
  // click).
  void mPopupStatus_Click();
  // A hidden device shows itself when the pet calls, if Auto Show is on.
  void DoAutoShow();

  // ---- Auxiliary windows ----
  // The menu commands open them (the shell builds the window), and each
  // window locks the device while it is open and unlocks it when it closes.
  void mPopupChangeColor_Click();
  void mPopupPlugins_Click();
  void mPopupInstructions_Click();
  void mPopupAbout_Click();
  bool AuxWindowOpen() const;
  void SetAuxWindowLock(bool locked);

  // ---- The insulating sheet ----
  // The menu command, the sheet window's loading, its mouse (twips within
  // the sheet) and its 100 ms timer.
  void mPopupInsulatingSheet_Click();
  void SheetForm_Load();
  void SheetMouseDown(int button, float x, float y);
  void SheetMouseMove(int button, float x, float y);
  void SheetMouseUp(int button);
  void SheetTimer_Timer();
  // The sheet's picture (the plugin's first) and pointer.
  void LoadSheetLook();

  // ---- The pet record and its store ----
  void DoNewPet();
  void DoLoadSettings();
  void DoSaveSettings();

  // ---- The main tick, about every 10 ms ----
  void Timer1_Timer();
  // Hand-over points of the tick.
  void StartEvolution(int16 next_character);
  void StartFlush();

  // ---- Sound ----
  // FileName is a program-folder path such as "\sounds\beep.wav".
  void PlaySoundFile(const std::string& FileName, bool SoundOn, bool WaveType);
  // With the current sound options.
  void PlaySound(const std::string& FileName);

  // ---- The LCD ----
  // The screen is visible when the clock screen, the darkness and the back
  // of the device are all away.
  bool ScreenVisible() const;
  void DoMainScreen(bool show);
  void DoEndCurrentAction();
  void DoShowTimerScreen(bool show);
  void DoShowClock();

  // ---- Buttons and keys ----
  // A and C act on press and on release, B once per press.
  void DoButtonA(bool PressedDown);
  void DoButtonB();
  void DoButtonC(bool PressedDown);
  void DoNextIcon();
  void DoHideIcon();
  // Keyboard of the main window; codes as in key_codes.h, Shift unused.
  void Form_KeyDown(int KeyCode, int Shift);
  void Form_KeyUp(int KeyCode, int Shift);
  // Mouse on the buttons; only the left button (kLeftButton) acts. X and Y
  // are twips within the element and unused.
  void ButtonA_MouseDown(int Button, int Shift, float X, float Y);
  void ButtonA_MouseUp(int Button, int Shift, float X, float Y);
  void ButtonB_MouseDown(int Button, int Shift, float X, float Y);
  void ButtonB_MouseUp(int Button, int Shift, float X, float Y);
  void ButtonC_MouseDown(int Button, int Shift, float X, float Y);
  void ButtonC_MouseUp(int Button, int Shift, float X, float Y);
  void ResetButton_MouseDown(int Button, int Shift, float X, float Y);
  void ResetButton_MouseUp(int Button, int Shift, float X, float Y);

  // ---- Care actions, one per icon (Button: kButtonA, kButtonB, kButtonC) ----
  void DoAction(int Button);
  void DoEatStep();
  void DoPlayAction(int Button);
  void DoPlayStart();
  void DoPlayStep();
  void DoMeterAction(int Button);
  void DoUnhappyReaction();
  void DoHappyReaction();
  void DoRefusalReaction();

  // ---- The pet's life ----
  void DoSetCharacter(int16& CharNo);
  void DoSetCharacterName();
  // Chooses the next character when the current one's time is up.
  void DoEvolve();
  void DoMinuteRules();
  void DoAnimatePet();
  void DoSetToolTip();
  // The tray was changed by someone else (a plugin reload, the sheet):
  // the next tick sends the pet's icon and tip again.
  void ForgetTrayState();

  // ---- The cheat menu ----
  // Life events; each is also the command of its cheat menu item.
  void mCheatAction0_Click();     // falls ill
  void mCheatAction1_Click();     // a dropping
  void mCheatAction2_Click();     // falls asleep, or wakes up
  void mCheatAction3_Click();     // starts dying
  void mCheatAttention0_Click();  // hunger call
  void mCheatAttention1_Click();  // unhappiness call
  void mCheatAttention2_Click();  // discipline call
  // Characters: 0, 1 and 12 switch at once, the others through the
  // change-over sequence of the tick.
  void mCheatChar0_Click();
  void mCheatChar1_Click();
  void mCheatChar2_Click();
  void mCheatChar3_Click();
  void mCheatChar4_Click();
  void mCheatChar5_Click();
  void mCheatChar6_Click();
  void mCheatChar7_Click();
  void mCheatChar8_Click();
  void mCheatChar9_Click();
  void mCheatChar10_Click();
  void mCheatChar11_Click();
  void mCheatChar12_Click();
  // Unchecks every character and enables every event of the cheat menu.
  void DoResetCheatMenu();
  // One key typed on the device: letters build the cheat code, Backspace
  // takes one back, other keys (except Enter, F1 and Escape) drop it.
  void DoCheatCodeKey(int KeyCode);
  // Runs the command of a cheat menu item by its name, only while the item
  // can be chosen (revealed and enabled). False when it cannot.
  bool DoCheatCommand(const std::string& ItemName);
  // Whether a cheat menu item can be chosen now.
  bool CheatItemAvailable(const std::string& ItemName);

 private:
  // Start-up.
  void ApplyLoadedValues();
  void ResumeDying();
  void PlaceFixedElements();
  void ResetRunTimeFields();
  void SetDarkForSleepState();
  void ShowInsulatingSheetOrStart();

  // The auxiliary windows and the sheet.
  void OpenAuxWindow(AuxWindow window);
  // Loads the sheet window once and gives it the device's visibility.
  void ShowSheetWindow();
  SheetSlot Slot();
  bool SheetAttachedToDevice() const;
  void SwitchDeviceOff();
  void SwitchDeviceOn();

  // The tick's steps.
  void RunEvolutionStep(int16 step);
  void RunFlushStep();
  void FlipDung();
  void RunSecondStep();
  void RunMinuteBoundary();

  // The LCD.
  bool FrontShown() const;
  bool InTheDark() const;
  void DrawMainScreen();
  void ClearMainScreen();
  void ShowDung();
  void HideDung();
  void HideAllDung();
  void ResetDyingTime();
  void SetDarkness(int frame);

  // Buttons.
  bool ButtonsDead() const;
  void QuietTheCall();
  void ToggleSoundByCombination();
  void ReleaseCombination(bool other_held);
  void ToggleDeadPetView();
  void SetButtonPicture(Element& button, const char* file);
  void KeyBeep();

  // Care actions, and the food and light menus.
  void DoFoodAction(int Button);
  void ChooseFood();
  void StopEating();
  void EndMeal();
  void SetEatPose(int pose);
  void PlaceMenuArrow();
  void OpenMenu(Element& picture, int16 line);
  void NextMenuLine();
  void DoLightAction(int Button);
  void ChooseLight();
  void DoMedicineAction(int Button);
  void DoToiletAction(int Button);
  void DoDisciplineAction(int Button);
  void StartReaction(bool unhappy);
  // A reaction's flag, its first picture and its place on the LCD.
  enum class Reaction { kHappy, kUnhappy, kRefusal };
  void SetReactionPicture(Reaction reaction);
  void StartReactionFrames();
  // Ends the happy reaction that follows a flush, and the flush with it.
  void EndFlushReaction();
  // Counts a reaction's ticks; true when its next frame, or its end, is due.
  bool ReactionFrameDue();

  // Games and the meter.
  bool PlayingNumberGame() const;
  bool CheatsRevealed() const;
  void PlayStartGuess();
  void PlayEndGame();
  void PlayWaitFrame();
  void PlayReact(bool won);
  void PlayGuessMade(int16 guess);
  void PlayQuit();
  void PlayNextGuessNow();
  void PlayNewGame();
  void DrawMeterPage();
  void HideMeterPage();

  // Characters and life events.
  void SetCharacterTable(int16 character);
  void CheckOnlyCharacter(int16 character);
  void SwitchAtOnce(int16 character, bool hatch_soon);
  // A new egg and the angel start with no call, awake, in the light, clean.
  void ClearCallsSleepAndDung();
  // Whether a life event can happen to the pet at all: not to the egg, the
  // dying pet or the angel.
  bool EventApplies() const;
  void OpenCall(int needs);
  void RaiseDisciplineCall();
  void SwitchOwnLightOff();
  void SetStatusCaption(const MenuItem& item);
  void DisableEventItems(bool include_sleep);
  // The dying pet's first screen, for a death that starts or a dying pet
  // that is loaded: calls cleared, the skull, the items locked.
  void ShowDyingPet();

  // The pet's animation and the tray.
  void AnimateAngel();
  void AnimateEgg();
  void AnimateCharacter();
  void DrawDyingFrame();
  void DrawSleepFrame();
  void DrawDroppingFrame();
  void DrawHealthyFrame();
  void WalkOneStep();
  void ShowPetState();
  void UpdateTray();

  ClockScreen clock_screen_;
  TraySync tray_sync_;
  StatusTipCache tip_cache_;

  Platform& platform_;
  RandomSource& random_;
};

}  // namespace nib
