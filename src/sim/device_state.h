// The device's run-time state beside the pet record, in named parts: who
// owns what. None of it is saved; start-up and a new character reset it.
#pragma once

#include <string>

#include "display/element.h"
#include "sim/pet.h"
#include "sim/platform.h"

namespace nib {

// The device's buttons as DoAction receives them.
enum DeviceButton : int { kButtonA = 0, kButtonB = 1, kButtonC = 2 };

// The mouse buttons the windows report.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2 };

// The seven care icons in their order on the LCD, and the step of the icon
// row with none highlighted.
enum Icon : int16 {
  kFoodIcon = 0,
  kLightIcon = 1,
  kPlayIcon = 2,
  kMedicineIcon = 3,
  kToiletIcon = 4,
  kMeterIcon = 5,
  kDisciplineIcon = 6,
  kNoIcon = 7,
};

// Frames of the darkness picture: the sleeping pet's two, and the lights
// switched off over a pet awake.
enum DarkFrame : int { kDarkAsleep = 0, kDarkAwake = 2 };

// A game from its title to the pet's reaction to the score.
enum GameStage : int16 {
  kNoGame = 0,
  kGameTitle = 1,
  kWaitingForGuess = 2,
  kGuessWon = 3,
  kGuessLost = 4,
  kGuessReaction = 5,  // the pet reacts to one guess
  kGameScore = 6,
  kGameReaction = 7,  // the pet reacts to the whole game
};

// The status meter's pages.
enum MeterPageNumber : int16 {
  kMeterHidden = -1,
  kAgeWeightPage = 0,
  kDisciplinePage = 1,
  kHungerPage = 2,
  kHappinessPage = 3,
};

// The device window: start-up and dragging by the body.
struct WindowState {
  bool StartingUp = false;
  bool DragActive = false;
  float DragStartX = 0, DragStartY = 0;  // twips within the picture
};

// The row of care icons and the food and light menus they open.
struct DeviceMenu {
  int16 CurrentIcon = kNoIcon;
  int16 LastIcon = kNoIcon;  // the icon shown highlighted
  // Cursor line (0 or 1) of the open food or light menu.
  int16 MenuIndex = 0;
  // A and C were pressed together; cleared when the first of the two is
  // released while the other is up.
  bool ButtonACPressed = false;
};

// The game of the play icon.
struct Game {
  GameStage PlayStage = kNoGame;
  int16 GuessCount = 0;  // guesses made in this game, 0..5
  int16 PlayWins = 0;    // guesses won in this game, 0..5
  int16 PlayGuess = 0;   // last guess: 0 = left/lower, 1 = right/higher
  int16 PetNumber = 0;   // the pet's digit in the number game, 0..9
};

// The status meter of the meter icon.
struct Meter {
  int16 MeterPage = kMeterHidden;
};

// The clock screen: the time it last drew, since the digits change only
// when it does.
struct ClockScreen {
  ClockTime ClockDrawn;
  bool ClockDrawnValid = false;
};

// The pet's own animation.
struct PetAnimation {
  int16 IconFrame = 0;     // frame 0..7 of the character's tray icon
  bool WalkRight = false;  // walking towards the right edge of the screen
  int16 SickFrame = 0;     // sick picture 0 or 1
  // The laid egg picture is loaded once per death, not on every frame.
  bool LaidEggLoaded = false;
};

// The tray as last sent, so an unchanged icon and tip are not resent.
struct TraySync {
  const Element* TrayIconSource = nullptr;
  Picture SentTrayIcon;
  std::string SentTrayTip;
  bool TraySent = false;
};

// The insulating-sheet window (not saved). Its picture element only carries
// the sheet's picture and pointer to the platform.
struct SheetWindowState {
  bool SheetDragging = false;
  float SheetDragX = 0, SheetDragY = 0;  // twips within the sheet
  int16 SheetTicks = 0;
  DamageList damage;
  Element Picture1{&damage, "Picture1"};
};

}  // namespace nib
