#include "display/layout_keys.h"

#include "display/look.h"

namespace nib {

namespace {

using ElementOf = Element& (*)(const LookTarget&);
using FieldOf = int16 Layout::*;

template <typename Map, typename Action>
void Add(Map& map, std::initializer_list<const char*> keys, Action action) {
  for (const char* key : keys) map.emplace(key, action);
}

TextKeyAction Caption(MenuItem Menu::*item) {
  return [item](const LookTarget& s, const std::string& v) { (s.menu.*item).caption = v; };
}

TextKeyAction ToolTip(Element Screen::*element) {
  return [element](const LookTarget& s, const std::string& v) { (s.scr.*element).ToolTipText = v; };
}

TextKeyAction Text(std::string Layout::*field) {
  return [field](const LookTarget& s, const std::string& v) { s.layout.*field = v; };
}

NumberKeyAction Store(FieldOf field) {
  return [field](const LookTarget& s, int16 v) { s.layout.*field = v; };
}

// Positions of a single element, optionally remembered in a layout field.
void AddPosition(std::unordered_map<std::string, NumberKeyAction>& map, const std::string& stem,
                 std::function<Element&(const LookTarget&)> element, FieldOf left = nullptr,
                 FieldOf top = nullptr) {
  map.emplace(stem + ".left", [element, left](const LookTarget& s, int16 v) {
    element(s).SetLeft(v);
    if (left) s.layout.*left = v;
  });
  map.emplace(stem + ".top", [element, top](const LookTarget& s, int16 v) {
    element(s).SetTop(v);
    if (top) s.layout.*top = v;
  });
}

void AddArrayPositions(std::unordered_map<std::string, NumberKeyAction>& map, const char* stem,
                       ElementArray Screen::*array, int count) {
  for (int i = 0; i < count; ++i)
    AddPosition(map, stem + std::to_string(i), [array, i](const LookTarget& s) -> Element& {
      return (s.scr.*array)[i];
    });
}

std::function<Element&(const LookTarget&)> Single(Element Screen::*element) {
  return [element](const LookTarget& s) -> Element& { return s.scr.*element; };
}

void AddButtonPositions(std::unordered_map<std::string, NumberKeyAction>& map) {
  AddPosition(map, "buttona", Single(&Screen::ButtonA));
  AddPosition(map, "buttonb", Single(&Screen::ButtonB));
  AddPosition(map, "buttonc", Single(&Screen::ButtonC));
  AddPosition(map, "reset", Single(&Screen::ResetButton));
}

std::unordered_map<std::string, TextKeyAction> BuildTextKeys() {
  std::unordered_map<std::string, TextKeyAction> m;
  const std::pair<const char*, MenuItem Menu::*> captions[] = {
      {"cheats", &Menu::mCheats},           {"characters", &Menu::mCheatChar},
      {"nibbet", &Menu::mCheatChar0},       {"pobblin", &Menu::mCheatChar1},
      {"pimbo", &Menu::mCheatChar2},        {"wembic", &Menu::mCheatChar3},
      {"quillop", &Menu::mCheatChar4},      {"fennick", &Menu::mCheatChar5},
      {"tovrin", &Menu::mCheatChar6},       {"zelmoc", &Menu::mCheatChar7},
      {"drubbel", &Menu::mCheatChar8},      {"vossel", &Menu::mCheatChar9},
      {"ompadu", &Menu::mCheatChar10},      {"xerblix", &Menu::mCheatChar11},
      {"angel", &Menu::mCheatChar12},       {"attention", &Menu::mCheatAttention},
      {"hungry", &Menu::mCheatAttention0},  {"unhappy", &Menu::mCheatAttention1},
      {"discipline", &Menu::mCheatAttention2}, {"sick", &Menu::mCheatAction0},
      {"poop", &Menu::mCheatAction1},       {"sleep", &Menu::mCheatAction2},
      {"dying", &Menu::mCheatAction3},      {"hide", &Menu::mPopupStatus},
      {"sound on", &Menu::mPopupSound},     {"soundon", &Menu::mPopupSound},
      {"sound type", &Menu::mPopupSoundType}, {"soundtype", &Menu::mPopupSoundType},
      {"wave", &Menu::mPopupWave},          {"beep", &Menu::mPopupBeep},
      {"back", &Menu::mPopupSide},          {"always on top", &Menu::mPopupOnTop},
      {"alwaysontop", &Menu::mPopupOnTop},  {"auto show", &Menu::mPopupAutoShow},
      {"autoshow", &Menu::mPopupAutoShow},  {"games", &Menu::mPopupPlayType},
      {"turn", &Menu::mPopupPlay0},         {"number", &Menu::mPopupPlay1},
      {"colors", &Menu::mPopupChangeColor}, {"plugins", &Menu::mPopupPlugins},
      {"instructions", &Menu::mPopupInstructions},
      {"insulatingsheet", &Menu::mPopupInsulatingSheet},
      {"about", &Menu::mPopupAbout},        {"close", &Menu::mPopupClose}};
  for (const auto& [key, item] : captions) m.emplace(key, Caption(item));
  m.emplace("ok", [](const LookTarget& s, const std::string& v) { s.pet.OKButtonText = v; });
  m.emplace("cancel",
            [](const LookTarget& s, const std::string& v) { s.pet.CancelButtonText = v; });
  Add(m, {"button a", "buttona"}, ToolTip(&Screen::ButtonA));
  Add(m, {"button b", "buttonb"}, ToolTip(&Screen::ButtonB));
  Add(m, {"button c", "buttonc"}, ToolTip(&Screen::ButtonC));
  Add(m, {"reset button", "resetbutton"}, ToolTip(&Screen::ResetButton));
  m.emplace("agetooltip", Text(&Layout::AgeToolTip));
  m.emplace("weighttooltip", Text(&Layout::WeightToolTip));
  m.emplace("hungrytooltip", Text(&Layout::HungryToolTip));
  m.emplace("happytooltip", Text(&Layout::HappyToolTip));
  m.emplace("disciplinetooltip", Text(&Layout::DisciplineToolTip));
  return m;
}

void AddSingleElementPositions(std::unordered_map<std::string, NumberKeyAction>& m) {
  const std::pair<const char*, Element Screen::*> singles[] = {
      {"nibscr", &Screen::NibScr},       {"attend", &Screen::AttendIcon},
      {"feedmenu", &Screen::FeedMenu},   {"lightmenu", &Screen::LightMenu},
      {"dark", &Screen::Dark},           {"playtitle", &Screen::PlayTitle},
      {"playresult", &Screen::PlayResult}, {"skull", &Screen::Skull},
      {"sleep", &Screen::SleepSign},     {"yr", &Screen::Yr},
      {"colon", &Screen::Colon},         {"ampm", &Screen::AmOrPm},
      {"second", &Screen::SecondIdx},    {"change", &Screen::ChangingScreen},
      {"leftnumber", &Screen::NibNumber}, {"rightnumber", &Screen::ResultNumber},
      {"yourscore", &Screen::YourScore}, {"nibscore", &Screen::NibScore}};
  for (const auto& [stem, element] : singles) AddPosition(m, stem, Single(element));
  AddArrayPositions(m, "nibicon", &Screen::NibIcon, 7);
  AddArrayPositions(m, "meter", &Screen::Meter, 4);
  AddArrayPositions(m, "dung", &Screen::DungImage, 8);
  AddArrayPositions(m, "hourdigit", &Screen::HourDigit, 2);
  AddArrayPositions(m, "minutedigit", &Screen::MinuteDigit, 2);
  AddArrayPositions(m, "seconddigit", &Screen::SecondDigit, 2);
  AddArrayPositions(m, "weightdigit", &Screen::WeightDigit, 2);
  AddButtonPositions(m);
}

void AddStoredPositions(std::unordered_map<std::string, NumberKeyAction>& m) {
  for (int i = 0; i < 14; ++i)
    m.emplace("smallbar" + std::to_string(i) + ".left",
              [i](const LookTarget& s, int16 v) { s.scr.SmallBar[i].SetLeft(v); });
  m.emplace("allsmallbars.top", [](const LookTarget& s, int16 v) {
    for (Element& bar : s.scr.SmallBar) bar.SetTop(v);
  });
  for (int i = 0; i < 4; ++i)
    m.emplace("heart" + std::to_string(i) + ".left",
              [i](const LookTarget& s, int16 v) { s.scr.Heart[i].SetLeft(v); });
  m.emplace("allhearts.top", [](const LookTarget& s, int16 v) {
    for (Element& heart : s.scr.Heart) heart.SetTop(v);
  });
  AddPosition(m, "water", Single(&Screen::Water), &Layout::WaterLeft, &Layout::WaterTop);
  AddPosition(m, "angel", Single(&Screen::Angel), &Layout::AngelLeft);
  AddPosition(m, "agedigit0", [](const LookTarget& s) -> Element& { return s.scr.AgeDigit[0]; },
              &Layout::AgeDigit0Left, &Layout::AgeDigit0Top);
  AddPosition(m, "agedigit1", [](const LookTarget& s) -> Element& { return s.scr.AgeDigit[1]; },
              &Layout::AgeDigit1Left, &Layout::AgeDigit1Top);
  const std::pair<const char*, FieldOf> stored[] = {
      {"agedigit0death.left", &Layout::AgeDigit0DeathLeft},
      {"agedigit0death.top", &Layout::AgeDigit0DeathTop},
      {"agedigit1death.left", &Layout::AgeDigit1DeathLeft},
      {"agedigit1death.top", &Layout::AgeDigit1DeathTop},
      {"angelinagescreen.left", &Layout::AngelInAgeScreenLeft},
      {"stars.left", &Layout::StarsLeft},
      {"stars.top", &Layout::StarsTop},
      {"laidegg.left", &Layout::LaidEggLeft},
      {"laidegg.top", &Layout::LaidEggTop},
      {"rarrowselectmenu.left", &Layout::SelectArrowLeft},
      {"rarrowselectmenu0.top", &Layout::SelectArrow0Top},
      {"rarrowselectmenu1.top", &Layout::SelectArrow1Top},
      {"mealsnack.left", &Layout::MealSnackLeft},
      {"mealsnack0.top", &Layout::MealSnack0Top},
      {"mealsnack1.top", &Layout::MealSnack1Top},
      {"rarrow.left", &Layout::RightArrowLeft},
      {"rarrow.top", &Layout::RightArrowTop},
      {"larrow.left", &Layout::LeftArrowLeft},
      {"larrow.top", &Layout::LeftArrowTop}};
  for (const auto& [key, field] : stored) m.emplace(key, Store(field));
}

std::unordered_map<std::string, NumberKeyAction> BuildNumberKeys() {
  std::unordered_map<std::string, NumberKeyAction> m;
  AddSingleElementPositions(m);
  AddStoredPositions(m);
  return m;
}

std::unordered_map<std::string, NumberKeyAction> BuildColorKeys() {
  std::unordered_map<std::string, NumberKeyAction> m;
  AddButtonPositions(m);
  return m;
}

std::unordered_map<std::string, NumberKeyAction> BuildCharacterKeys() {
  std::unordered_map<std::string, NumberKeyAction> m;
  m.emplace("eggleft", [](const LookTarget& s, int16 v) { s.scr.NibChar.SetLeft(v); });
  m.emplace("eggtop", [](const LookTarget& s, int16 v) { s.scr.NibChar.SetTop(v); });
  m.emplace("original.left", [](const LookTarget& s, int16 v) {
    s.layout.OriginalLeft = v;
    s.scr.NibChar.SetLeft(v);
  });
  m.emplace("original.top", [](const LookTarget& s, int16 v) {
    s.layout.OriginalTop = v;
    s.scr.NibChar.SetTop(v);
  });
  const std::pair<const char*, FieldOf> stored[] = {
      {"eggshakeleft", &Layout::EggShakeLeft}, {"eggshakeright", &Layout::EggShakeRight},
      {"egghatchleft", &Layout::EggHatchLeft}, {"egghatchtop", &Layout::EggHatchTop},
      {"eat.left", &Layout::EatLeft},          {"eat.top", &Layout::EatTop},
      {"no.left", &Layout::NoLeft},            {"no.top", &Layout::NoTop},
      {"sick.left", &Layout::SickLeft},        {"sick.top", &Layout::SickTop},
      {"happy.left", &Layout::HappyLeft},      {"happy.top", &Layout::HappyTop},
      {"unhappy.left", &Layout::UnhappyLeft},  {"unhappy.top", &Layout::UnhappyTop},
      {"play.left", &Layout::PlayLeft},        {"play.top", &Layout::PlayTop},
      {"sleep.left", &Layout::SleepLeft},      {"sleep.top", &Layout::SleepTop},
      {"stool0.left", &Layout::Stool0Left},    {"stool0.top", &Layout::Stool0Top},
      {"stool1.left", &Layout::Stool1Left},    {"stool1.top", &Layout::Stool1Top},
      {"dying.left", &Layout::DyingLeft},      {"dying.top", &Layout::DyingTop},
      {"layanegg.left", &Layout::LayAnEggLeft}, {"layanegg.top", &Layout::LayAnEggTop}};
  for (const auto& [key, field] : stored) m.emplace(key, Store(field));
  return m;
}

}  // namespace

const std::unordered_map<std::string, TextKeyAction>& TextKeys() {
  static const auto keys = BuildTextKeys();
  return keys;
}

const std::unordered_map<std::string, NumberKeyAction>& NumberKeys() {
  static const auto keys = BuildNumberKeys();
  return keys;
}

const std::unordered_map<std::string, NumberKeyAction>& ColorKeys() {
  static const auto keys = BuildColorKeys();
  return keys;
}

const std::unordered_map<std::string, NumberKeyAction>& CharacterKeys() {
  static const auto keys = BuildCharacterKeys();
  return keys;
}

}  // namespace nib
