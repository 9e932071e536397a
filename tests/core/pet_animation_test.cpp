// The pet's own animation, the picture and tray icon that follow its state,
// and the three reactions.
#include "core/life_fixture.h"

namespace nib::testing {
namespace {

class PetAnimationTest : public LifeTest {
 protected:
  // n seconds of the wall clock, with `ticks` 10 ms ticks in each.
  void RunSeconds(int n, int ticks = 100) {
    for (int s = 0; s < n; ++s) {
      platform.second = (platform.second + 1) % 60;
      for (int t = 0; t < ticks; ++t) sim.Timer1_Timer();
    }
  }
  const Picture& TrayIcon() const { return platform.tray_icon; }
  // Index of the holder whose picture the tray shows, or -1.
  int TrayIndex(const ElementArray& holders) const {
    for (int i = 0; i < holders.Count(); ++i)
      if (holders[i].GetPicture() == platform.tray_icon) return i;
    return -1;
  }
};

TEST_F(PetAnimationTest, TheAngelTwinklesAndKeepsNothing) {
  sim.layout.StarsLeft = 700;
  sim.layout.StarsTop = 600;
  Become(kAngel);
  EXPECT_TRUE(Shows(scr.NibChar, scr.Stars[0]));
  sim.DoAnimatePet();
  EXPECT_EQ(TrayIcon(), scr.AngelIcon[0].GetPicture());
  EXPECT_TRUE(scr.NibChar.Visible());

  pet.Dung = 3;
  pet.AttentionHungry = pet.AttentionHappy = pet.AttentionDiscipline = true;
  pet.IntervalCount = 70;
  sim.DoAnimatePet();
  EXPECT_EQ(pet.Dung, 3) << "nothing before the frame delay";
  for (int frame = 1; frame <= 4; ++frame) {
    Periods(1);
    EXPECT_EQ(pet.AnimFrame, frame % 2);
    EXPECT_TRUE(Shows(scr.NibChar, scr.Stars[frame % 2]));
    EXPECT_EQ(TrayIcon(), scr.AngelIcon[frame % 2].GetPicture());
    EXPECT_EQ(scr.NibChar.Left(), 700);
    EXPECT_EQ(pet.IntervalCount, 0);
    EXPECT_TRUE(scr.NibChar.Visible());
  }
  EXPECT_EQ(pet.Dung, 0);
  EXPECT_FALSE(pet.AttentionHungry || pet.AttentionHappy || pet.AttentionDiscipline);

  // In the age view the stars stay away.
  pet.AnimStep = 1;
  scr.NibChar.Hide();
  Periods(3);
  EXPECT_FALSE(scr.NibChar.Visible());
}

TEST_F(PetAnimationTest, TheIdleEggRocksBetweenItsTwoPictures) {
  Become(0);
  scr.NibChar.Show();
  pet.SecondCount = 10;
  std::vector<int> pictures;
  for (int tick = 0; tick < 32; ++tick) {
    pet.IntervalCount += 10;
    sim.DoAnimatePet();
    pictures.push_back(ShownIndex(scr.NibChar, scr.TempChar));
  }
  // A new picture every 80 ms: ticks 8, 16, 24, 32.
  EXPECT_EQ(pictures[6], 0);
  EXPECT_EQ(pictures[7], 1);
  EXPECT_EQ(pictures[15], 0);
  EXPECT_EQ(pictures[23], 1);
  EXPECT_EQ(TrayIcon(), scr.TempIcon[0].GetPicture());
  EXPECT_EQ(ShownIndex(scr.NibChar, scr.TempChar), pet.CurrentTempChar);
}

TEST_F(PetAnimationTest, TheEggWobblesWithTheHatchSoundAndHatchesAtMinute1Second2) {
  sim.layout.EggShakeLeft = 900;
  sim.layout.EggShakeRight = 960;
  sim.layout.EggHatchLeft = 920;
  sim.layout.EggHatchTop = 700;
  pet.InsulatingSheet = 0;
  sim.mCheatChar0_Click();
  pet.LastSecond = static_cast<int16>(platform.second);
  scr.NibChar.Move(930, 650);
  scr.NibChar.Show();

  RunSeconds(57);
  EXPECT_EQ(SoundsOf("\\sounds\\hatch.wav"), 0);
  EXPECT_EQ(scr.NibChar.Left(), 930);
  std::vector<float> lefts;
  RunSeconds(1);  // second 58
  for (int t = 0; t < 100; ++t) {
    sim.Timer1_Timer();
    lefts.push_back(scr.NibChar.Left());
    EXPECT_EQ(pet.CurrentTempChar, 0);
  }
  EXPECT_EQ(lefts[6], 900);
  EXPECT_EQ(lefts[14], 960);
  EXPECT_EQ(lefts[22], 900);
  EXPECT_GT(SoundsOf("\\sounds\\hatch.wav"), 5);
  RunSeconds(1);  // second 59
  const int hatch_sounds = SoundsOf("\\sounds\\hatch.wav");

  RunSeconds(1);  // minute 1, second 0: the egg cracks
  EXPECT_EQ(pet.CharacterNo, 0);
  EXPECT_EQ(pet.CurrentTempChar, 2);
  EXPECT_TRUE(Shows(scr.NibChar, scr.TempChar[2]));
  EXPECT_EQ(scr.NibChar.Left(), 920);
  EXPECT_EQ(scr.NibChar.Top(), 700);
  EXPECT_EQ(SoundsOf("\\sounds\\hatch.wav"), hatch_sounds) << "the cracked egg is quiet";
  RunSeconds(1);
  EXPECT_EQ(pet.CharacterNo, 0);
  platform.busy_calls.clear();
  RunSeconds(1);  // second 2: the baby
  EXPECT_EQ(pet.CharacterNo, 1);
  EXPECT_EQ(platform.busy_calls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(pet.AttentionHungry && pet.AttentionHappy);
}

TEST_F(PetAnimationTest, TheWobblingEggShowsAHiddenDevice) {
  Become(0);
  menu.mPopupAutoShow.checked = true;
  menu.mPopupStatus.checked = true;
  pet.SecondCount = 57;
  sim.DoAnimatePet();
  EXPECT_TRUE(menu.mPopupStatus.checked);
  pet.SecondCount = 58;
  sim.DoAnimatePet();
  EXPECT_FALSE(menu.mPopupStatus.checked);
  EXPECT_TRUE(platform.window_visible);
}

TEST_F(PetAnimationTest, DyingBlinksTheSkullLaysAnEggAndBecomesTheAngel) {
  sim.layout.LayAnEggLeft = 640;
  sim.layout.LaidEggLeft = 1000;
  sim.layout.LaidEggTop = 1100;
  platform.AddFile("\\Chars\\00\\0.gif", 12, 14);
  pet.MaxMinutes = 480;
  Become(6);
  sim.mCheatAction3_Click();
  EXPECT_EQ(pet.StatusText, "");
  sim.Timer1_Timer();  // 119 + 10: the first blink follows at once
  EXPECT_EQ(pet.DyingAction, 2);
  EXPECT_EQ(pet.AnimFrame, 1);
  EXPECT_TRUE(scr.Skull.Visible());
  EXPECT_FALSE(scr.NibChar.Visible());
  EXPECT_EQ(TrayIcon(), scr.SickIcon.GetPicture());
  EXPECT_EQ(platform.tray_tip, "Dying");

  int beeps = SoundsOf("\\sounds\\beep.wav");
  std::vector<int16> delays;
  while (pet.DyingAction < 45) {
    Periods(1);
    delays.push_back(pet.FrameDelay);
    EXPECT_EQ(scr.Skull.Visible(), pet.AnimFrame == 1);
    EXPECT_FALSE(scr.NibChar.Visible());
    EXPECT_EQ(TrayIcon(), (pet.AnimFrame == 1 ? scr.SickIcon : scr.NullIcon).GetPicture());
  }
  beeps = SoundsOf("\\sounds\\beep.wav") - beeps;
  EXPECT_EQ(beeps, 21);  // 22 blinks in all
  EXPECT_EQ(delays[28], 120);  // DyingAction 31
  EXPECT_EQ(delays[29], 250);  // from 32 on, slower

  const auto loads = platform.loads.size();
  for (int frame = 0; frame < 8; ++frame) {
    Periods(1);
    EXPECT_EQ(pet.DyingAction, 47 + 2 * frame);
    EXPECT_EQ(pet.FrameDelay, 120);
    EXPECT_FALSE(scr.Skull.Visible());
    EXPECT_TRUE(Shows(scr.NibChar, scr.TempDropping[1]));
    EXPECT_EQ(scr.NibChar.Left(), 640);
    EXPECT_TRUE(scr.NibChar.Visible());
    EXPECT_TRUE(scr.TempImage.Visible());
    EXPECT_EQ(scr.TempImage.Left(), 1000);
    EXPECT_EQ(scr.TempImage.Width(), 12 * 15);
    EXPECT_EQ(platform.tray_tip, "Dying");
    EXPECT_EQ(TrayIcon(), scr.TempIcon[0].GetPicture());
  }
  EXPECT_EQ(platform.loads.size(), loads + 1) << "the laid egg is loaded once";

  platform.busy_calls.clear();
  Periods(1);
  EXPECT_EQ(pet.CharacterNo, kAngel);
  EXPECT_EQ(pet.DyingAction, 0);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_EQ(platform.busy_calls, (std::vector<bool>{true, false}));
  EXPECT_TRUE(menu.mCheatChar12.checked);
}

TEST_F(PetAnimationTest, DyingTakesItsTimeOnTheTick) {
  pet.MaxMinutes = 480;
  Become(8);
  sim.mCheatAction3_Click();
  int ticks = 0;
  while (pet.CharacterNo != kAngel && ticks < 10000) {
    sim.Timer1_Timer();
    ++ticks;
  }
  // 30 blinks of 120 ms, 14 of 250 ms, 8 laying frames of 120 ms and the
  // last; the first blink comes one tick after the start.
  EXPECT_EQ(ticks, 1 + 29 * 12 + 14 * 25 + 8 * 12 + 12);
}

TEST_F(PetAnimationTest, ASleepingPetBreathesEverySecondPeriod) {
  sim.layout.SleepLeft = 450;
  struct Case {
    int16 character;
    std::vector<int> sleep_pictures, frames;
  };
  const Case cases[] = {
      {2, {1, 0, 1, 0}, {1, 0, 1, 0}},
      {5, {0, 1, 0, 0}, {0, 1, 1, 0}},
  };
  for (const Case& c : cases) {
    pet.MaxMinutes = 480;
    pet.SleepAction = false;
    Become(c.character);
    scr.NibChar.Show();
    sim.mCheatAction2_Click();
    std::vector<int> sleep_pictures, frames;
    for (int i = 0; i < 4; ++i) {
      Periods(2);
      sleep_pictures.push_back(ShownIndex(scr.NibChar, scr.TempSleep));
      const int frame = ShownIndex(scr.SleepSign, scr.TempSleepSign);
      frames.push_back(frame);
      EXPECT_EQ(ShownIndex(scr.Dark, scr.TempDark), frame);
      EXPECT_EQ(TrayIcon(), scr.SleepIcon[frame].GetPicture());
      EXPECT_EQ(scr.NibChar.Left(), 450);
      EXPECT_TRUE(scr.NibChar.Visible());
    }
    EXPECT_EQ(sleep_pictures, c.sleep_pictures) << c.character;
    EXPECT_EQ(frames, c.frames) << c.character;
    sim.mCheatAction2_Click();
  }
}

TEST_F(PetAnimationTest, ADroppingShakesThePetAndLeavesAFreshOne) {
  sim.layout.Stool0Left = 600;
  sim.layout.Stool0Top = 900;
  sim.layout.Stool1Left = 660;
  sim.layout.Stool1Top = 910;
  Become(4);
  scr.NibChar.Show();
  pet.Dung = 2;
  sim.mCheatAction1_Click();
  struct Step {
    float left;
    int pose;
    int fresh;  // picture of the fresh dropping, -1 hidden
  };
  const Step steps[] = {
      {570, 0, -1}, {600, 0, -1}, {570, 0, -1}, {600, 0, -1}, {570, 0, -1}, {600, 0, -1},
      {660, 1, 0},  {660, 1, 1},  {660, 1, 0},  {660, 1, 1},  {660, 1, 0},  {660, 1, 1},
      {660, 1, 0},
  };
  int a = 0;
  for (const Step& s : steps) {
    ++a;
    Periods(1);
    EXPECT_EQ(pet.AnimStep, a);
    EXPECT_EQ(scr.NibChar.Left(), s.left) << a;
    EXPECT_EQ(ShownIndex(scr.NibChar, scr.TempDropping), s.pose) << a;
    EXPECT_EQ(scr.DungImage[2].Visible() ? ShownIndex(scr.DungImage[2], scr.TempDung) : -1,
              s.fresh)
        << a;
    EXPECT_EQ(TrayIcon(), scr.DungIcon[a % 2].GetPicture()) << a;
    EXPECT_TRUE(scr.NibChar.Visible());
  }
  EXPECT_TRUE(pet.Dropping);
  Periods(1);
  EXPECT_FALSE(pet.Dropping);
  EXPECT_EQ(pet.Dung, 3);
  EXPECT_TRUE(scr.DungImage[2].Visible()) << "now the third dropping";
  EXPECT_EQ(pet.FrameStep, 1);
}

TEST_F(PetAnimationTest, TheEighthDroppingLandsInTheLastPlace) {
  Become(4);
  pet.Dung = 7;
  sim.mCheatAction1_Click();
  Periods(14);
  EXPECT_EQ(pet.Dung, 8);
  EXPECT_TRUE(scr.DungImage[7].Visible());
}

TEST_F(PetAnimationTest, ASickPetAlternatesItsPicturesEveryThirdPeriod) {
  Become(3);
  scr.NibChar.Show();
  sim.mCheatAction0_Click();
  std::vector<int> pictures;
  for (int i = 0; i < 9; ++i) {
    Periods(1);
    pictures.push_back(ShownIndex(scr.NibChar, scr.TempSick));
    EXPECT_EQ(TrayIcon(), scr.SickIcon.GetPicture());
    EXPECT_EQ(pet.StatusText, "Sick");
  }
  EXPECT_EQ(pictures, (std::vector<int>{0, 0, 1, 1, 1, 0, 0, 0, 1}));
}

TEST_F(PetAnimationTest, AStandingPetCyclesItsFourPicturesAndTrayIcons) {
  Become(3);
  sim.layout.CharacterWalks = false;
  const float left = scr.NibChar.Left();
  std::vector<int> pictures, icons;
  for (int i = 0; i < 10; ++i) {
    Periods(2);
    pictures.push_back(ShownIndex(scr.NibChar, scr.TempChar));
    icons.push_back(TrayIndex(scr.TempIcon));
  }
  EXPECT_EQ(pictures, (std::vector<int>{1, 2, 3, 0, 1, 2, 3, 0, 1, 2}));
  EXPECT_EQ(icons, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1, 2}));
  EXPECT_EQ(scr.NibChar.Left(), left);
}

TEST_F(PetAnimationTest, AWalkingPetTurnsAtTheEdgesOfTheScreen) {
  scr.NibScr.SetPicture(Pic("nibscr", 30, 40));  // 450 twips wide
  scr.NibScr.Move(300, 600);
  Become(3);
  sim.layout.CharacterWalks = true;
  scr.NibChar.Move(480, 700);  // 150 twips wide, 120 from the right edge
  struct Step {
    float left;
    bool right;
    int picture;
  };
  // Period by period: a step left, turns at the left edge, walks right,
  // turns at the right edge. Every second period draws the other picture
  // of the direction's pair.
  const Step steps[] = {
      {390, false, 0}, {300, false, 1}, {390, true, 3}, {480, true, 2},
      {570, true, 2},  {480, false, 1}, {390, false, 1}, {300, false, 0},
  };
  int period = 0;
  for (const Step& s : steps) {
    ++period;
    Periods(1);
    EXPECT_EQ(scr.NibChar.Left(), s.left) << period;
    EXPECT_EQ(sim.animation.WalkRight, s.right) << period;
    EXPECT_EQ(ShownIndex(scr.NibChar, scr.TempChar), s.picture) << period;
    EXPECT_EQ(TrayIndex(scr.TempIcon), period % 8) << "a walker's icon moves every period";
  }
}

TEST_F(PetAnimationTest, OnlyAHealthyAwakePetWalks) {
  Become(3);
  sim.layout.CharacterWalks = true;
  scr.NibScr.SetPicture(Pic("nibscr", 100, 40));
  scr.NibChar.Move(600, 700);
  pet.Sickness = 1;
  Periods(4);
  EXPECT_EQ(scr.NibChar.Left(), 600);
  pet.Sickness = 0;
  sim.mCheatAction2_Click();
  Periods(4);
  EXPECT_EQ(scr.NibChar.Left(), sim.layout.SleepLeft);
}

TEST_F(PetAnimationTest, ThePetsPictureTrayIconAndTipFollowItsState) {
  Become(3);
  sim.DoSetToolTip();
  struct Case {
    const char* what;
    void (*set)(Pet&, Screen&);
    const Element* icon;
    const char* tip;  // null: the status line stands
    const Element* picture;
  };
  const Case cases[] = {
      {"calling", [](Pet& p, Screen& s) { p.AttentionHungry = true; s.AttendIcon.Show(); },
       &scr.AttentionIcon, nullptr, &scr.TempChar[0]},
      {"dirty", [](Pet& p, Screen&) { p.Dung = 2; }, &scr.DungIcon[0], "Poop", &scr.TempChar[0]},
      {"dirty, flipped",
       [](Pet& p, Screen& s) {
         p.Dung = 2;
         s.DungImage[0].CopyPictureFrom(s.TempDung[1]);
       },
       &scr.DungIcon[1], "Poop", &scr.TempChar[0]},
      {"sick and dirty", [](Pet& p, Screen&) { p.Dung = 2; p.Sickness = 1; }, &scr.SickIcon,
       "Sick", &scr.TempSick[0]},
      {"well", [](Pet&, Screen&) {}, &scr.TempIcon[0], nullptr, &scr.TempChar[0]},
  };
  for (const Case& c : cases) {
    pet.Dung = pet.Sickness = 0;
    pet.AttentionHungry = false;
    scr.AttendIcon.Hide();
    scr.DungImage[0].CopyPictureFrom(scr.TempDung[0]);
    pet.StatusText = "status line";
    c.set(pet, scr);
    sim.DoAnimatePet();
    EXPECT_EQ(TrayIcon(), c.icon->GetPicture()) << c.what;
    EXPECT_EQ(platform.tray_tip, c.tip ? c.tip : "status line") << c.what;
    EXPECT_TRUE(Shows(scr.NibChar, *c.picture)) << c.what;
  }
}

TEST_F(PetAnimationTest, TheTrayHearsOnlyOfChanges) {
  Become(3);
  scr.NibChar.Show();
  sim.DoAnimatePet();
  const int sent = platform.tray_modifies;
  for (int i = 0; i < 5; ++i) sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_modifies, sent);
  pet.StatusText = "Age=1";
  sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_modifies, sent + 1);
  EXPECT_EQ(platform.tray_tip, "Age=1");
  Periods(2);  // a new frame, a new icon
  EXPECT_EQ(platform.tray_modifies, sent + 2);
  EXPECT_EQ(TrayIndex(scr.TempIcon), 1);

  // Somebody else wrote to the tray: it is told again.
  platform.TrayModify(nullptr, "Loading...");
  sim.ForgetTrayState();
  sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_tip, "Age=1");
  EXPECT_EQ(TrayIndex(scr.TempIcon), 1);
}

TEST_F(PetAnimationTest, TheSheetKeepsTheTrayAndThePetIsSentWhenItIsPulled) {
  Become(3);
  pet.InsulatingSheet = 1;
  platform.TrayModify(nullptr, "Nibbet");
  const int sent = platform.tray_modifies;
  sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_modifies, sent);
  pet.InsulatingSheet = 0;
  pet.StatusText = "";
  sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_modifies, sent + 1);
  EXPECT_EQ(platform.tray_tip, "");
}

TEST_F(PetAnimationTest, ALongTipIsCutTo63Characters) {
  Become(3);
  pet.Dung = 1;
  menu.mCheatAction1.caption = std::string(70, 'x');
  sim.DoAnimatePet();
  EXPECT_EQ(platform.tray_tip, std::string(63, 'x'));
}

TEST_F(PetAnimationTest, ThePetShowsOnlyOnTheMainScreen) {
  Become(3);
  struct Case {
    const char* what;
    bool light_off, clock, action;
    bool shown;
  };
  for (const Case c : {Case{"main screen", false, false, false, true},
                       Case{"dark", true, false, false, false},
                       Case{"clock", false, true, false, false},
                       Case{"action screen", false, false, true, false}}) {
    scr.NibChar.Hide();
    pet.LightOff = c.light_off;
    pet.TimerScreen = c.clock;
    pet.ActionTimeout = c.action ? 10 : 0;
    sim.DoAnimatePet();
    EXPECT_EQ(scr.NibChar.Visible(), c.shown) << c.what;
  }
}

class ReactionTest : public PetAnimationTest {
 protected:
  void SetUp() override {
    PetAnimationTest::SetUp();
    Become(3);
    pet.AnimStep = 0;
    pet.AnimRepeat = 7;
    pet.AnimFrame = 0;
    pet.ActionTimeout = 10;
    scr.TempImage.Show();
  }
  // The pictures the reaction shows on ticks 7, 14, ... 42.
  std::vector<int> Frames(void (Simulator::*step)(), const ElementArray& holders) {
    std::vector<int> frames;
    for (int tick = 1; tick <= 42; ++tick) {
      (sim.*step)();
      if (tick % 7 == 0) frames.push_back(ShownIndex(scr.TempImage, holders));
    }
    return frames;
  }
};

TEST_F(ReactionTest, ScoldedThePetCyclesItsFourUnhappyPictures) {
  sim.device_menu.CurrentIcon = sim.device_menu.LastIcon = 6;  // discipline: its end clears the flag
  pet.UnhappyReaction = true;
  EXPECT_EQ(Frames(&Simulator::DoUnhappyReaction, scr.TempUnhappy),
            (std::vector<int>{1, 2, 3, 0, 1, 2}));
  EXPECT_EQ(pet.AnimRepeat, 1);
  for (int tick = 0; tick < 6; ++tick) sim.DoUnhappyReaction();
  EXPECT_TRUE(pet.UnhappyReaction);
  sim.DoUnhappyReaction();  // the 49th tick ends it through button C
  EXPECT_FALSE(pet.UnhappyReaction);
  EXPECT_EQ(pet.ActionTimeout, 0);
}

TEST_F(ReactionTest, TheRefusalShakesItsHead) {
  sim.device_menu.CurrentIcon = sim.device_menu.LastIcon = 3;  // medicine
  pet.RefusalReaction = true;
  EXPECT_EQ(Frames(&Simulator::DoRefusalReaction, scr.TempNegative),
            (std::vector<int>{1, 0, 1, 0, 1, 0}));
  for (int tick = 0; tick < 7; ++tick) sim.DoRefusalReaction();
  EXPECT_FALSE(pet.RefusalReaction);
}

TEST_F(ReactionTest, TheHappyPetAfterAFlushEndsTheFlushItself) {
  sim.layout.HappyLeft = 720;
  pet.HappyReaction = true;
  pet.Flushing = true;
  EXPECT_EQ(Frames(&Simulator::DoHappyReaction, scr.TempHappy),
            (std::vector<int>{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(scr.TempImage.Left(), 720);
  for (int tick = 0; tick < 7; ++tick) sim.DoHappyReaction();
  EXPECT_FALSE(pet.HappyReaction);
  EXPECT_FALSE(pet.Flushing);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_EQ(pet.ActionTimeout, 0);
}

TEST_F(ReactionTest, InTheDarkTheReactionPicturesStayHidden) {
  pet.UnhappyReaction = true;
  pet.LightOff = true;
  scr.TempImage.Hide();
  Frames(&Simulator::DoUnhappyReaction, scr.TempUnhappy);
  EXPECT_FALSE(scr.TempImage.Visible());
  EXPECT_EQ(ShownIndex(scr.TempImage, scr.TempUnhappy), 2);
}

TEST_F(ReactionTest, AnEndingThatLeavesTheFlagDoesNotCountBelowZero) {
  sim.device_menu.CurrentIcon = sim.device_menu.LastIcon = 7;  // button C reaches no action
  pet.UnhappyReaction = true;
  for (int tick = 0; tick < 7 * 20; ++tick) sim.DoUnhappyReaction();
  EXPECT_EQ(pet.AnimRepeat, 0);
}

}  // namespace
}  // namespace nib::testing
