// The device: owns the pet record, every screen element, the menus and the
// layout values, and runs every procedure of the toy. It reaches the desktop
// only through the Platform it is given; the shell calls its event handlers.
#pragma once

#include <string>

#include "display/layout.h"
#include "display/screen.h"
#include "sim/characters.h"
#include "sim/insulating_sheet.h"
#include "sim/menu.h"
#include "sim/pet.h"
#include "sim/platform.h"
#include "sim/random_source.h"

namespace nib {

enum MouseButton : int { kLeftButton = 1, kRightButton = 2 };
// The device's buttons as DoAction receives them.
enum DeviceButton : int { kButtonA = 0, kButtonB = 1, kButtonC = 2 };

class Simulator {
 public:
  Simulator(Platform& platform, RandomSource& random);
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  Pet pet;
  Screen scr;
  Menu menu;
  Layout layout;
  Picture WindowIcon;

  // The insulating-sheet window's own state (not saved). Its picture
  // element only carries the sheet's picture and pointer to the platform.
  struct SheetWindow {
    bool SheetDragging = false;
    float SheetDragX = 0, SheetDragY = 0;  // twips within the sheet
    int16 SheetTicks = 0;
    DamageList damage;
    Element Picture1{&damage, "Picture1"};
  };
  SheetWindow sheet;

  // Run-time state of the window (not saved).
  bool StartingUp = false;
  bool DragActive = false;
  float DragStartX = 0, DragStartY = 0;
  int16 CurrentIcon = 7;
  int16 LastIcon = 7;

  // Start-up and shutdown. The command line is the pet's name.
  void Form_Load(const std::string& command_line);
  void Form_Unload();

  // Dragging the window by its body; x and y in twips within the picture.
  void DragMouseDown(int button, float x, float y);
  void DragMouseMove(int button, float x, float y);
  void DragMouseUp(int button);

  // Turning the device, by double click or by the popup's "Back".
  void FrontView_DblClick();
  void BackView_DblClick();
  void mPopupSide_Click();
  void DoTurnToBack(bool SoundOn);
  void DoTurnToFront(bool SoundOn);

  // Option commands of the popup menu.
  void mPopupSound_Click();
  void mPopupWave_Click();
  void mPopupBeep_Click();
  void mPopupOnTop_Click();
  void mPopupAutoShow_Click();
  void mPopupPlay0_Click();
  void mPopupPlay1_Click();

  // The auxiliary windows: the menu commands open them (the shell builds
  // the window), and each window locks the device while it is open and
  // unlocks it when it closes.
  void mPopupChangeColor_Click();
  void mPopupPlugins_Click();
  void mPopupInstructions_Click();
  void mPopupAbout_Click();
  bool AuxWindowOpen() const;
  void SetAuxWindowLock(bool locked);

  // The insulating sheet: the menu command, the sheet window's loading, its
  // mouse (twips within the sheet) and its 100 ms timer.
  void mPopupInsulatingSheet_Click();
  void SheetForm_Load();
  void SheetMouseDown(int button, float x, float y);
  void SheetMouseMove(int button, float x, float y);
  void SheetMouseUp(int button);
  void SheetTimer_Timer();
  // The sheet's picture (the plugin's first) and pointer.
  void LoadSheetLook();

  // Pet record and its store.
  void DoNewPet();
  void DoLoadSettings();
  void DoSaveSettings();

  // The main tick, about every 10 ms.
  void Timer1_Timer();
  // Hand-over points of the tick.
  void StartEvolution(int16 next_character);
  void StartFlush();

  // Pictures and cursors: plugin first, then base, then the Default color.
  // `picture_path` is the caller's folder ("\other\"); the Default colour
  // fallback changes it.
  void DoLoadPicture(const std::string& PluginsStr, Element& PictureValue,
                     std::string& PicturePath, const std::string& PictureFilename);
  void DoLoadPointer(const std::string& PluginsStr, Element& PictureValue,
                     const std::string& PicturePath, const std::string& PictureFilename);
  // Every device and holder picture of one plugin pass.
  void DoGetPlugins(const std::string& PluginsStr);
  // Captions, tooltips and positions of one pass, then the colour's buttons.
  void DoReadLayoutFile(const std::string& PluginsStr);
  void DoLoadCharacter();
  void DoGetCharacterIni(const std::string& PluginsStr);

  // Sound: FileName is a program-folder path such as "\sounds\beep.wav".
  void PlaySoundFile(const std::string& FileName, bool SoundOn, bool WaveType);
  // With the current sound options.
  void PlaySound(const std::string& FileName);

  // The screen is visible when the clock screen, the darkness and the back
  // of the device are all away.
  bool ScreenVisible() const;

  // Procedures of the pet's life and the device menu.
  void DoSetCharacter(int16& CharNo);
  void DoSetCharacterName();
  void DoMainScreen(bool show);
  void DoEndCurrentAction();
  void DoHideIcon();
  void DoAction(int Button);
  void DoShowTimerScreen(bool show);
  void DoShowClock();
  void DoPlayStep();
  void DoEatStep();
  void DoUnhappyReaction();
  void DoHappyReaction();
  void DoRefusalReaction();
  void DoMinuteRules();
  void DoAnimatePet();
  void DoSetToolTip();
  void mCheatAction3_Click();

  // Each of these holds its own public and private members.
#include "sim/life_members.inc"
#include "sim/device_members.inc"
#include "sim/screens_members.inc"

 private:
  void RunEvolutionStep(int16 step);
  void RunFlushStep();
  void FlipDung();
  void RunSecondStep();
  void RunMinuteBoundary();
  void ApplyLoadedValues();
  void ResumeDying();
  void PlaceFixedElements();
  void ResetRunTimeFields();
  void SetDarkForSleepState();
  void ShowInsulatingSheetOrStart();
  // Loads the sheet window once and gives it the device's visibility.
  void ShowSheetWindow();
  SheetSlot Slot();
  bool SheetAttachedToDevice() const;
  void SwitchDeviceOff();
  void SwitchDeviceOn();
  void OpenAuxWindow(AuxWindow window);

  Platform& platform_;
  RandomSource& random_;
};

}  // namespace nib
