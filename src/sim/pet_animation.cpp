// The pet's own animation on the LCD, one call per tick: the angel's stars,
// the egg, and every other character dying, sleeping, dropping, sick,
// standing or walking; then the pet's picture and the tray icon follow its
// state. A tick without a new frame costs a few comparisons and sends
// nothing to the tray unless the icon or the tip changed.
#include <cmath>

#include "display/status_tip.h"
#include "sim/animation_pace.h"
#include "sim/counters.h"
#include "sim/simulator.h"

namespace nib {

namespace {

constexpr int16 kWalkTwips = 90;
constexpr int16 kShakeTwips = 30;
// Dying: the skull blinks up to this step, then the pet lays its egg.
constexpr int16 kLayingFrom = 46;
constexpr int16 kLayingTo = 60;
constexpr int16 kSlowBlinkFrom = 32;
constexpr int16 kLastDroppingStep = 13;

int Wrap(int value, int count) {
  value %= count;
  return value < 0 ? value + count : value;
}

}  // namespace

void Simulator::DoAnimatePet() {
  if (pet.CharacterNo == kAngel)
    AnimateAngel();
  else if (pet.CharacterNo == kEgg)
    AnimateEgg();
  else
    AnimateCharacter();
  ShowPetState();
}

void Simulator::AnimateAngel() {
  if (pet.IntervalCount < pet.FrameDelay) return;
  pet.IntervalCount = 0;
  scr.NibChar.Hide();
  scr.NibChar.Move(layout.StarsLeft, layout.StarsTop);
  pet.AnimFrame = pet.AnimFrame == 0 ? 1 : 0;
  scr.NibChar.CopyPictureFrom(scr.Stars[pet.AnimFrame]);
  tray_sync_.TrayIconSource = &scr.AngelIcon[pet.AnimFrame];
  pet.Dung = 0;
  pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = false;
}

void Simulator::AnimateEgg() {
  const int32 m = pet.MinuteCount;
  const int16 s = pet.SecondCount;
  const int32 t = pet.MinuteToChangeCharacter;
  if (m >= t && s >= 2) {
    platform_.SetBusyPointer(true);
    int16 baby = 1;
    DoSetCharacter(baby);
    platform_.SetBusyPointer(false);
    return;
  }
  if (m >= t) {
    if (pet.CurrentTempChar != 2) {
      pet.CurrentTempChar = 2;  // the cracked egg
      scr.NibChar.CopyPictureFrom(scr.TempChar[2]);
      scr.NibChar.Move(layout.EggHatchLeft, layout.EggHatchTop);
    }
    return;
  }
  // A frame is due once the clock reaches the delay; a clock that is past
  // it (a damaged store) must not stop the egg for good.
  const bool frame_due = pet.IntervalCount >= pet.FrameDelay;
  if (m == 0 && s >= 58) {
    DoAutoShow();
    if (frame_due) {
      pet.IntervalCount = 0;
      if (scr.NibChar.Left() == layout.EggShakeLeft) {
        scr.NibChar.SetLeft(layout.EggShakeRight);
        PlaySound("\\sounds\\hatch.wav");
      } else {
        scr.NibChar.SetLeft(layout.EggShakeLeft);
      }
    } else {
      pet.CurrentTempChar = 0;
    }
    return;
  }
  if (frame_due) {
    pet.IntervalCount = 0;
    pet.CurrentTempChar = pet.CurrentTempChar == 0 ? 1 : 0;
  }
}

void Simulator::AnimateCharacter() {
  if (pet.IntervalCount < pet.FrameDelay) return;
  pet.IntervalCount = 0;
  CountUp(pet.FrameStep);

  // "At least" so a count left over from another state cannot stop the
  // animation.
  if (pet.FrameStep >= FramePeriodsPerDrawing(pet)) {
    pet.FrameStep = 0;
    scr.NibChar.Hide();
    if (pet.DyingAction > 0)
      DrawDyingFrame();
    else if (pet.SleepAction)
      DrawSleepFrame();
    else if (pet.Dropping)
      DrawDroppingFrame();
    else if (pet.Sickness > 0)
      animation.SickFrame = animation.SickFrame == 0 ? 1 : 0;
    else
      DrawHealthyFrame();
  }

  if (StepsEachFrame(pet, layout.CharacterWalks)) WalkOneStep();
}

void Simulator::DrawDyingFrame() {
  CountUp(pet.DyingAction);
  if (pet.DyingAction < kLayingFrom) {
    // The skull blinks and beeps, slower in the last steps.
    pet.FrameDelay = pet.DyingAction < kSlowBlinkFrom ? 120 : 250;
    pet.AnimFrame = pet.AnimFrame == 1 ? 0 : 1;
    if (pet.AnimFrame == 1) {
      PlaySound("\\sounds\\beep.wav");
      if (ScreenVisible()) scr.Skull.Show();
    } else {
      scr.Skull.Hide();
    }
    return;
  }
  if (pet.DyingAction <= kLayingTo) {
    scr.Skull.Hide();
    pet.FrameDelay = 120;
    CountUp(pet.DyingAction);
    scr.NibChar.CopyPictureFrom(scr.TempDropping[1]);
    scr.NibChar.Move(layout.LayAnEggLeft, layout.LayAnEggTop);
    scr.TempImage.Move(layout.LaidEggLeft, layout.LaidEggTop);
    if (!animation.LaidEggLoaded) {
      // The egg it leaves behind is the first egg picture.
      std::string folder = "\\Chars\\00\\";
      look.DoLoadPicture(pet.Plugins, scr.TempImage, folder, "0.gif");
      animation.LaidEggLoaded = true;
    }
    if (ScreenVisible()) scr.TempImage.Show();
    return;
  }
  scr.TempImage.Hide();
  pet.DyingAction = 0;
  platform_.SetBusyPointer(true);
  int16 angel = kAngel;
  DoSetCharacter(angel);
  platform_.SetBusyPointer(false);
}

void Simulator::DrawSleepFrame() {
  scr.NibChar.Move(layout.SleepLeft, layout.SleepTop);
  int frame = 0;
  if (pet.CharacterNo == kPimbo) {
    pet.AnimStep = pet.AnimStep == 0 ? 1 : 0;
    frame = pet.AnimStep;
    scr.NibChar.CopyPictureFrom(scr.TempSleep[frame]);
  } else {
    pet.AnimStep = static_cast<int16>(Wrap(pet.AnimStep + 1, 4));
    frame = pet.AnimStep >= 2 ? 1 : 0;
    scr.NibChar.CopyPictureFrom(scr.TempSleep[pet.AnimStep == 2 ? 1 : 0]);
  }
  scr.SleepSign.CopyPictureFrom(scr.TempSleepSign[frame]);
  SetDarkness(frame);
  tray_sync_.TrayIconSource = &scr.SleepIcon[frame];
}

void Simulator::DrawDroppingFrame() {
  CountUp(pet.AnimStep);
  const int a = pet.AnimStep;
  Element& fresh = scr.DungImage[2];
  if (a > kLastDroppingStep) {
    fresh.Hide();
    if (pet.Dung < 8) ++pet.Dung;
    if (ScreenVisible()) {
      Element& landed = scr.DungImage[pet.Dung - 1];
      landed.CopyPictureFrom(scr.TempDung[0]);
      landed.Show();
    }
    pet.Dropping = false;
    DoMainScreen(true);
    pet.FrameStep = 1;
    return;
  }
  const bool odd = a % 2 != 0;
  if (a <= 6) {
    // The pet shakes on the odd steps.
    pet.AnimFrame = 0;
    scr.NibChar.Move(layout.Stool0Left - (odd ? kShakeTwips : 0), layout.Stool0Top);
  } else {
    pet.AnimFrame = 1;
    scr.NibChar.Move(layout.Stool1Left, layout.Stool1Top);
    fresh.CopyPictureFrom(scr.TempDung[odd ? 0 : 1]);
    if (ScreenVisible()) fresh.Show();
  }
  tray_sync_.TrayIconSource = &scr.DungIcon[odd ? 1 : 0];
}

void Simulator::DrawHealthyFrame() {
  if (!layout.CharacterWalks) {
    pet.CurrentTempChar = static_cast<int16>(Wrap(pet.CurrentTempChar + 1, 4));
    animation.IconFrame = static_cast<int16>(Wrap(animation.IconFrame + 1, 8));
  } else {
    // Each direction has its own pair of pictures.
    pet.CurrentTempChar = static_cast<int16>(Wrap(pet.CurrentTempChar, 4) ^ 1);
  }
}

void Simulator::WalkOneStep() {
  Element& pet_picture = scr.NibChar;
  const float step = animation.WalkRight ? kWalkTwips : -kWalkTwips;
  float left = pet_picture.Left() + step;
  const float screen_left = scr.NibScr.Left();
  const float screen_right = screen_left + scr.NibScr.Width();
  if (left < screen_left || left + pet_picture.Width() > screen_right) {
    // Turn at the edge.
    animation.WalkRight = !animation.WalkRight;
    left = pet_picture.Left() - step;
    pet.CurrentTempChar = static_cast<int16>(Wrap(pet.CurrentTempChar, 4) ^ 2);
  }
  pet_picture.SetLeft(left);
  animation.IconFrame = static_cast<int16>(Wrap(animation.IconFrame + 1, 8));
}

void Simulator::ShowPetState() {
  const Element* picture = nullptr;
  const int16 dying = pet.DyingAction;
  if (dying > 0 && dying < kLayingFrom) {
    tray_sync_.TrayIconSource = scr.Skull.Visible() ? &scr.SickIcon : &scr.NullIcon;
    SetStatusCaption(menu.mCheatAction3);
  } else if (dying >= kLayingFrom && dying <= kLayingTo) {
    tray_sync_.TrayIconSource = &scr.TempIcon[0];
    SetStatusCaption(menu.mCheatAction3);
  } else if (dying > kLayingTo || pet.SleepAction || pet.CharacterNo == kAngel) {
    // Icons as the frames set them.
  } else if (pet.Dropping) {
    picture = &scr.TempDropping[pet.AnimFrame == 0 ? 0 : 1];
  } else if (pet.Sickness > 0) {
    picture = &scr.TempSick[animation.SickFrame == 0 ? 0 : 1];
    tray_sync_.TrayIconSource = &scr.SickIcon;
    SetStatusCaption(menu.mCheatAction0);
  } else {
    picture = &scr.TempChar[Wrap(pet.CurrentTempChar, 4)];
    if (scr.AttendIcon.Visible()) {
      tray_sync_.TrayIconSource = &scr.AttentionIcon;
    } else if (pet.Dung > 0) {
      const bool first = scr.DungImage[0].GetPicture() == scr.TempDung[0].GetPicture();
      tray_sync_.TrayIconSource = &scr.DungIcon[first ? 0 : 1];
      SetStatusCaption(menu.mCheatAction1);
    } else {
      const int frame = pet.CharacterNo == kEgg ? pet.CurrentTempChar : animation.IconFrame;
      tray_sync_.TrayIconSource = &scr.TempIcon[Wrap(frame, 8)];
    }
  }
  if (picture && scr.NibChar.GetPicture() != picture->GetPicture())
    scr.NibChar.CopyPictureFrom(*picture);

  // The pet shows on the main screen only: not over an action screen, not
  // while the skull blinks alone, not in the angel's age view.
  bool show = ScreenVisible() && pet.ActionTimeout == 0;
  if (dying > 0 && dying < kLayingFrom) show = false;
  if (pet.CharacterNo == kAngel && pet.AnimStep == 1) show = false;
  if (show && !scr.NibChar.Visible()) scr.NibChar.Show();

  if (pet.InsulatingSheet == 1) {
    // The sheet's own tray text stands; the pet's is sent again later.
    tray_sync_.TraySent = false;
    return;
  }
  UpdateTray();
}

void Simulator::UpdateTray() {
  static const Picture kNoPicture;
  TraySync& sync = tray_sync_;
  const Picture& icon = sync.TrayIconSource ? sync.TrayIconSource->GetPicture() : kNoPicture;
  const std::string_view tip = StatusTipCut(pet.StatusText);
  if (sync.TraySent && icon == sync.SentTrayIcon && tip == sync.SentTrayTip) return;
  sync.SentTrayIcon = icon;
  sync.SentTrayTip.assign(tip);
  sync.TraySent = true;
  platform_.TrayModify(tray_sync_.SentTrayIcon, tray_sync_.SentTrayTip);
}

void Simulator::ForgetTrayState() { tray_sync_.TraySent = false; }

}  // namespace nib
