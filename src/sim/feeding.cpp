// The food icon: the meal-or-snack menu, feeding with its refusals, and the
// eating animation that the tick runs.
#include <algorithm>

#include "sim/counters.h"
#include "sim/simulator.h"

namespace nib {

namespace {

constexpr int16 kFullHearts = 4;
// The first food picture of the meal and of the snack.
constexpr int16 kMealFrames = 0;
constexpr int16 kSnackFrames = 4;
// Head shakes before a refused meal ends.
constexpr int16 kRefusalShakes = 4;

}  // namespace

void Simulator::DoFoodAction(int Button) {
  const bool menu_shown = scr.FeedMenu.Visible();
  if (pet.Eating && !menu_shown) {
    if (Button == kButtonA || Button == kButtonB)
      StopEating();
    else
      EndMeal();
    return;
  }
  if (!menu_shown) {
    if (Button == kButtonB) OpenMenu(scr.FeedMenu, pet.FeedMenuIndex);
    return;
  }
  if (Button == kButtonA) {
    NextMenuLine();
  } else if (Button == kButtonB) {
    ChooseFood();
  } else {
    scr.FeedMenu.Hide();
    scr.RightArrow.Hide();
    pet.ActionTimeout = 0;
    DoMainScreen(true);
  }
}

void Simulator::ChooseFood() {
  ResetDyingTime();
  scr.FeedMenu.Hide();
  scr.RightArrow.Hide();
  if (pet.LightOff) scr.Dark.Show();
  pet.Eating = true;
  scr.MealSnack.Move(layout.MealSnackLeft, layout.MealSnack0Top);
  pet.FeedMenuIndex = device_menu.MenuIndex;
  const bool drawn = ScreenVisible();
  const bool grows = pet.CharacterNo > kBaby && pet.Weight < kHeaviest;
  if (device_menu.MenuIndex == 0) {
    pet.AnimFrame = kMealFrames;
    scr.MealSnack.CopyPictureFrom(scr.TempMeal[kMealFrames]);
    scr.MealSnack.SetVisible(drawn);
    if (pet.AttentionDiscipline || pet.Hunger >= kFullHearts || pet.Sickness > 0) {
      scr.TempImage.CopyPictureFrom(scr.TempNegative[0]);
      scr.TempImage.Move(layout.NoLeft, layout.NoTop);
    } else {
      ++pet.Hunger;
      if (pet.AttentionHungry) {
        CountUp(pet.CareWhenNeed);
        pet.AttentionHungry = false;
      }
      scr.TempImage.CopyPictureFrom(scr.TempEat[0]);
      scr.TempImage.Move(layout.EatLeft, layout.EatTop);
      if (grows) ++pet.Weight;
    }
  } else {
    // A snack is never refused.
    pet.AnimFrame = kSnackFrames;
    scr.MealSnack.CopyPictureFrom(scr.TempMeal[kSnackFrames]);
    scr.MealSnack.SetVisible(drawn);
    if (pet.Happiness < kFullHearts) ++pet.Happiness;
    if (pet.AttentionHappy) {
      CountUp(pet.CareWhenNeed);
      pet.AttentionHappy = false;
    }
    CountUp(pet.SnackCount);
    scr.TempImage.CopyPictureFrom(scr.TempEat[0]);
    scr.TempImage.Move(layout.EatLeft, layout.EatTop);
    if (grows) pet.Weight = std::min<int16>(static_cast<int16>(pet.Weight + 2), kHeaviest);
  }
  scr.TempImage.SetVisible(drawn);
  pet.AnimStep = 0;
  pet.AnimRepeat = 0;
  pet.ActionTimeout = 10;
}

void Simulator::StopEating() {
  scr.MealSnack.Hide();
  scr.TempImage.Hide();
  // Whichever button stopped the meal, the menu must not stay under the
  // darkness.
  if (pet.LightOff) scr.Dark.Hide();
  scr.FeedMenu.Show();
  scr.RightArrow.Show();
  pet.Eating = false;
  pet.ActionTimeout = 10;
}

void Simulator::EndMeal() {
  scr.MealSnack.Hide();
  scr.TempImage.Hide();
  pet.Eating = false;
  if (pet.ActionTimeout == 0) {
    // The action timed out: straight back to the main screen.
    DoMainScreen(true);
    return;
  }
  // Offer the menu again; behind the back too, where the body covers it,
  // so that the open menu is one state whichever side the toy shows.
  if (pet.LightOff && !pet.TimerScreen && FrontShown()) scr.Dark.Hide();
  scr.FeedMenu.Show();
  scr.RightArrow.Show();
  pet.ActionTimeout = 10;
}

void Simulator::SetEatPose(int pose) {
  scr.TempImage.Move(layout.EatLeft, layout.EatTop);
  scr.TempImage.CopyPictureFrom(scr.TempEat[pose]);
}

void Simulator::DoEatStep() {
  if (!pet.Eating) return;
  if (++pet.AnimStep < pet.DelayValue) return;
  pet.AnimStep = 0;

  Element& food = scr.MealSnack;
  // With both heights the same the food has nowhere to fall.
  if (food.Top() == layout.MealSnack0Top && layout.MealSnack0Top != layout.MealSnack1Top) {
    food.SetTop(layout.MealSnack1Top);
    return;
  }
  if (food.Top() != layout.MealSnack1Top) return;

  const int first = std::clamp<int>(pet.AnimFrame, kMealFrames, kSnackFrames);
  const Picture& shown = food.GetPicture();
  const Picture& pose = scr.TempImage.GetPicture();
  auto food_is = [&](int k) { return shown == scr.TempMeal[first + k].GetPicture(); };
  auto set_food = [&](int k) { food.CopyPictureFrom(scr.TempMeal[first + k]); };
  auto pose_is = [&](int p) { return pose == scr.TempEat[p].GetPicture(); };

  if (food_is(0) && pose == scr.TempNegative[0].GetPicture()) {
    if (++pet.AnimRepeat >= kRefusalShakes) {
      DoAction(kButtonC);
      return;
    }
    scr.TempImage.CopyPictureFrom(scr.TempNegative[1]);
    return;
  }
  if (food_is(0) && pose == scr.TempNegative[1].GetPicture()) {
    scr.TempImage.CopyPictureFrom(scr.TempNegative[0]);
    return;
  }
  if (pet.CharacterNo == kBaby) {
    // Three small bites, each chewed twice.
    if (food_is(0)) {
      set_food(1);
      SetEatPose(1);
    } else if (food_is(1) && pose_is(1)) {
      SetEatPose(0);
    } else if (food_is(1) && pose_is(0)) {
      set_food(2);
      SetEatPose(1);
    } else if (food_is(2) && pose_is(1)) {
      SetEatPose(0);
    } else if (food_is(2) && pose_is(0)) {
      set_food(3);
      SetEatPose(1);
    } else if (food_is(3) && pose_is(1)) {
      SetEatPose(0);
    } else if (food_is(3) && pose_is(0)) {
      DoAction(kButtonC);
    }
    return;
  }
  // Older characters bite twice as much at once.
  if (food_is(0)) {
    set_food(2);
    SetEatPose(1);
  } else if (food_is(2) && pose_is(1)) {
    set_food(3);
    SetEatPose(0);
  } else if (food_is(3) && pose_is(0)) {
    SetEatPose(1);
  } else if (food_is(3) && pose_is(1)) {
    DoAction(kButtonC);
  }
}

}  // namespace nib
