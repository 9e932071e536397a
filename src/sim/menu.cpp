#include "sim/menu.h"

#include <functional>

namespace nib {

Menu::Menu() {
  BuildTree();
  SetInitialStates();
}

void Menu::BuildTree() {
  mCheatChar.children = {&mCheatChar0, &mCheatChar1,  &mCheatChar2, &mCheatSep0,  &mCheatChar3,
                         &mCheatChar4, &mCheatSep1,   &mCheatChar5, &mCheatChar6, &mCheatChar7,
                         &mCheatChar8, &mCheatChar9,  &mCheatChar10, &mCheatSep2, &mCheatChar11,
                         &mCheatChar12};
  mCheatAttention.children = {&mCheatAttention0, &mCheatAttention1, &mCheatAttention2};
  mCheats.children = {&mCheatChar,    &mCheatSep3,    &mCheatAttention, &mCheatSep4,
                      &mCheatAction0, &mCheatAction1, &mCheatAction2,   &mCheatAction3};
  mPopupSoundType.children = {&mPopupWave, &mPopupBeep};
  mPopupPlayType.children = {&mPopupPlay0, &mPopupPlay1};
  mPopup.children = {&mCharacterName,    &mPopupSep0,         &mCheats,
                     &mPopupSep1,        &mPopupStatus,       &mPopupSound,
                     &mPopupSoundType,   &mPopupSide,         &mPopupOnTop,
                     &mPopupAutoShow,    &mPopupPlayType,     &mPopupSep3,
                     &mPopupChangeColor, &mPopupPlugins,      &mPopupInstructions,
                     &mPopupAbout,       &mPopupSep4,         &mPopupInsulatingSheet,
                     &mPopupSep5,        &mPopupClose};

  std::function<void(MenuItem&)> collect = [&](MenuItem& item) {
    for (MenuItem* child : item.children) {
      all_.push_back(child);
      collect(*child);
    }
  };
  collect(mPopup);
}

void Menu::SetInitialStates() {
  mCharacterName.enabled = false;
  mPopupSep0.visible = false;
  mCheats.visible = false;
  mPopupSound.checked = true;
  mPopupWave.checked = true;
  mPopupOnTop.checked = true;
  mPopupPlay0.checked = true;
}

MenuItem& Menu::CheatChar(int n) {
  MenuItem* items[] = {&mCheatChar0, &mCheatChar1, &mCheatChar2,  &mCheatChar3, &mCheatChar4,
                       &mCheatChar5, &mCheatChar6, &mCheatChar7,  &mCheatChar8, &mCheatChar9,
                       &mCheatChar10, &mCheatChar11, &mCheatChar12};
  if (n < 0 || n > 12) n = 0;
  return *items[n];
}

MenuItem* Menu::Find(const std::string& name) {
  if (name == mPopup.name) return &mPopup;
  for (MenuItem* item : all_)
    if (item->name == name) return item;
  return nullptr;
}

}  // namespace nib
