// The two guessing games: five guesses, the score and the pet's reaction.
// The turn game (left or right) and the number game (lower or higher) are
// chosen by the popup menu, read afresh at every step.
#include <algorithm>
#include <cmath>

#include "sim/simulator.h"

namespace nib {

namespace {

constexpr int16 kGuessesPerGame = 5;
constexpr int16 kWinsForHappiness = 3;
constexpr int16 kTicksPerStep = 5;

void Draw(Element& e, bool drawable) { e.SetVisible(drawable); }

}  // namespace

bool Simulator::PlayingNumberGame() const { return menu.mPopupPlay1.checked; }

bool Simulator::CheatsRevealed() const { return menu.mCheats.visible; }

void Simulator::DoPlayStart() {
  game.GuessCount = 0;
  game.PlayWins = 0;
  DoMainScreen(false);
  game.PlayStage = kGameTitle;
  PlaySound("\\sounds\\plystart.wav");
  Draw(scr.PlayTitle, ScreenVisible());
  pet.AnimStep = 0;
  pet.AnimRepeat = 9;
  pet.ActionTimeout = 10;
  pet.IconTimeout = 10;
}

void Simulator::DoPlayStep() {
  if (game.PlayStage <= kNoGame || pet.HappyReaction || pet.UnhappyReaction) return;
  if (++pet.AnimStep < kTicksPerStep) return;
  pet.AnimStep = 0;
  if (pet.AnimRepeat > 0) --pet.AnimRepeat;
  if (pet.AnimRepeat != 0) return;
  switch (game.PlayStage) {
    case kGameTitle:
      if (game.GuessCount < kGuessesPerGame)
        PlayStartGuess();
      else
        PlayEndGame();
      break;
    case kWaitingForGuess:
      PlayWaitFrame();
      break;
    case kGuessWon:
    case kGuessLost:
      PlayReact(game.PlayStage == kGuessWon);
      break;
    case kGameScore:
      // The score has been shown long enough: the pet reacts to the game.
      game.PlayStage = kGameReaction;
      scr.PlayResult.Hide();
      scr.YourScore.Hide();
      scr.NibScore.Hide();
      StartReactionFrames();
      if (game.PlayWins >= kWinsForHappiness) {
        PlaySound("\\sounds\\plyhappy.wav");
        SetReactionPicture(Reaction::kHappy);
      } else {
        PlaySound("\\sounds\\plyunhap.wav");
        SetReactionPicture(Reaction::kUnhappy);
      }
      Draw(scr.TempImage, ScreenVisible());
      break;
    default:
      break;  // 5 and 7 wait for the reaction, which ends them
  }
}

void Simulator::PlayStartGuess() {
  scr.PlayTitle.Hide();
  PlaySound("\\sounds\\playing.wav");
  game.PlayStage = kWaitingForGuess;
  pet.AnimFrame = 0;
  scr.TempImage.CopyPictureFrom(scr.TempPlay[0]);
  scr.TempImage.Move(layout.PlayLeft, layout.PlayTop);
  pet.ActionTimeout = 10;
  const bool drawable = ScreenVisible();
  if (PlayingNumberGame()) {
    // With the cheats revealed the pet picks 1..8, so both guesses can win.
    game.PetNumber = static_cast<int16>(CheatsRevealed() ? 1 + DrawBelow(random_, 8)
                                                    : DrawBelow(random_, 10));
    scr.NibNumber.CopyPictureFrom(scr.LargeNumber[game.PetNumber]);
    Draw(scr.NibNumber, drawable);
  }
  Draw(scr.TempImage, drawable);
}

void Simulator::PlayEndGame() {
  if (pet.PlayCounter < 32767) ++pet.PlayCounter;
  if (game.PlayWins >= kWinsForHappiness && pet.Happiness < 4) {
    ++pet.Happiness;
    if (pet.AttentionHappy) {
      pet.AttentionHappy = false;
      ++pet.CareWhenNeed;
    }
  }
  if (pet.CharacterNo > kBaby && pet.Weight > pet.MinWeight && pet.Weight < kHeaviest) --pet.Weight;
  pet.DyingTimeLeft = static_cast<int16>(48 * pet.HourMinutes);
  PlaySound("\\sounds\\plystop.wav");
  game.PlayStage = kGameScore;
  const int wins = std::clamp<int>(game.PlayWins, 0, kGuessesPerGame);
  scr.YourScore.CopyPictureFrom(scr.LargeNumber[wins]);
  scr.NibScore.CopyPictureFrom(scr.LargeNumber[kGuessesPerGame - wins]);
  pet.AnimStep = 0;
  pet.AnimRepeat = 7;
  scr.NibNumber.Hide();
  scr.ResultNumber.Hide();
  const bool drawable = ScreenVisible();
  Draw(scr.PlayResult, drawable);
  Draw(scr.YourScore, drawable);
  Draw(scr.NibScore, drawable);
}

void Simulator::PlayWaitFrame() {
  PlaySound("\\sounds\\playing.wav");
  Element& pose = scr.TempImage;
  const bool was_shown = pose.Visible();
  pose.Hide();
  pet.AnimFrame = pet.AnimFrame == 0 ? 1 : 0;
  pose.CopyPictureFrom(scr.TempPlay[pet.AnimFrame]);
  pose.Move(layout.PlayLeft, layout.PlayTop);
  if (was_shown && ScreenVisible()) pose.Show();
}

void Simulator::PlayReact(bool won) {
  game.PlayStage = kGuessReaction;
  PlaySound(won ? "\\sounds\\plyhappy.wav" : "\\sounds\\plyunhap.wav");
  for (Element* e : {&scr.LeftArrow, &scr.RightArrow, &scr.NibNumber, &scr.ResultNumber,
                     &scr.TempImage})
    e->Hide();
  StartReactionFrames();
  SetReactionPicture(won ? Reaction::kHappy : Reaction::kUnhappy);
  Draw(scr.TempImage, ScreenVisible());
}

void Simulator::PlayGuessMade(int16 guess) {
  if (game.GuessCount < 32767) ++game.GuessCount;
  game.PlayGuess = guess;
  const bool cheats = CheatsRevealed();
  bool won = false;
  if (PlayingNumberGame()) {
    const int pet_digit = std::clamp<int>(game.PetNumber, 0, 9);
    int digit = 0;
    if (cheats && guess == 0 && pet_digit > 0) {
      digit = DrawBelow(random_, pet_digit);
    } else if (cheats && guess == 1 && pet_digit < 9) {
      digit = pet_digit + 1 + DrawBelow(random_, 9 - pet_digit);
    } else {
      // Any digit but the pet's, each of the nine equally likely.
      digit = DrawBelow(random_, 9);
      if (digit >= pet_digit) ++digit;
    }
    won = guess == 0 ? digit < pet_digit : digit > pet_digit;
    scr.ResultNumber.CopyPictureFrom(scr.LargeNumber[digit]);
    scr.TempImage.CopyPictureFrom(scr.TempPlay[3]);
  } else {
    const int turn = cheats ? guess : DrawBelow(random_, 2);
    won = turn == guess;
    scr.TempImage.CopyPictureFrom(scr.TempPlay[2 + turn]);
  }
  if (won) {
    game.PlayStage = kGuessWon;
    if (game.PlayWins < 32767) ++game.PlayWins;
  } else {
    game.PlayStage = kGuessLost;
  }
  scr.TempImage.Move(layout.PlayLeft, layout.PlayTop);
  const bool drawable = ScreenVisible();
  if (PlayingNumberGame()) {
    Draw(scr.ResultNumber, drawable);
  } else if (guess == 0) {
    scr.LeftArrow.Move(layout.LeftArrowLeft, layout.LeftArrowTop);
    Draw(scr.LeftArrow, drawable);
  } else {
    scr.RightArrow.Move(layout.RightArrowLeft, layout.RightArrowTop);
    Draw(scr.RightArrow, drawable);
  }
  Draw(scr.TempImage, drawable);
  pet.AnimStep = 0;
  pet.AnimRepeat = 3;
  pet.ActionTimeout = 10;
}

void Simulator::PlayQuit() {
  pet.AnimStep = 4;
  pet.AnimRepeat = 0;
  pet.UnhappyReaction = false;
  pet.HappyReaction = false;
  game.PlayStage = kNoGame;
  for (Element* e : {&scr.PlayTitle, &scr.PlayResult, &scr.YourScore, &scr.NibScore,
                     &scr.LeftArrow, &scr.RightArrow, &scr.TempImage, &scr.NibNumber,
                     &scr.ResultNumber})
    e->Hide();
  pet.ActionTimeout = 0;
  pet.RefusalReaction = false;
  DoMainScreen(true);
}

void Simulator::PlayNextGuessNow() {
  pet.AnimStep = 4;
  pet.AnimRepeat = 0;
  game.PlayStage = kGameTitle;
  pet.ActionTimeout = 10;
  pet.UnhappyReaction = false;
  pet.HappyReaction = false;
  pet.RefusalReaction = false;
  scr.TempImage.Hide();
}

void Simulator::PlayNewGame() {
  pet.AnimStep = 0;
  pet.ActionTimeout = 10;
  pet.AnimRepeat = 0;
  pet.UnhappyReaction = false;
  pet.HappyReaction = false;
  pet.RefusalReaction = false;
  scr.TempImage.Hide();
  DoPlayStart();
}

void Simulator::DoPlayAction(int Button) {
  if (Button < kButtonA || Button > kButtonC) return;
  const bool quit = Button == kButtonC;
  switch (game.PlayStage) {
    case kNoGame:
      if (quit) {
        PlayQuit();  // also ends a running refusal
      } else if (pet.RefusalReaction) {
        scr.TempImage.Hide();
        pet.ActionTimeout = 0;
        pet.UnhappyReaction = false;
        pet.RefusalReaction = false;
        DoMainScreen(true);
      } else if (Button == kButtonB) {
        if (!pet.AttentionDiscipline && pet.Sickness == 0) {
          DoPlayStart();
          if (pet.LightOff) scr.Dark.Show();
        } else {
          // Sick, or calling for discipline: the pet shakes its head.
          SetReactionPicture(Reaction::kRefusal);
          DoMainScreen(false);
          if (pet.LightOff) scr.Dark.Show();
          pet.ActionTimeout = 10;
          pet.AnimStep = 0;
          pet.AnimRepeat = 7;
          Draw(scr.TempImage, ScreenVisible());
        }
      }
      break;
    case kGameTitle:
      if (quit) {
        PlayQuit();
      } else {
        pet.AnimStep = kTicksPerStep - 1;
        pet.AnimRepeat = 0;
        pet.ActionTimeout = 10;
      }
      break;
    case kWaitingForGuess:
      if (quit)
        PlayQuit();
      else
        PlayGuessMade(static_cast<int16>(Button));
      break;
    case kGuessWon:
    case kGuessLost:
    case kGameScore:
      if (quit) {
        PlayQuit();
      } else {
        pet.ActionTimeout = 10;
        pet.AnimStep = kTicksPerStep - 1;
        pet.AnimRepeat = 0;
        DoPlayStep();
      }
      break;
    case kGuessReaction:
      PlayNextGuessNow();
      break;
    case kGameReaction:
      PlayNewGame();
      break;
    default:
      PlayQuit();  // a stage no step knows: leave the game cleanly
      break;
  }
}

}  // namespace nib
