// The popup menu and its hidden cheat submenu as data. The options of the
// program are the checked states of these items; the shell mirrors the tree
// into a real menu when it opens.
#pragma once

#include <string>
#include <vector>

namespace nib {

struct MenuItem {
  MenuItem(std::string item_name, std::string built_in_caption)
      : name(std::move(item_name)), caption(std::move(built_in_caption)) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  bool IsSeparator() const { return caption == "-"; }

  std::string name;
  std::string caption;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::vector<MenuItem*> children;  // a submenu when not empty
};

class Menu {
 public:
  Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  MenuItem mPopup{"mPopup", "Popup"};
  MenuItem mCharacterName{"mCharacterName", "Nibbet"};
  MenuItem mPopupSep0{"mPopupSep0", "-"};
  MenuItem mCheats{"mCheats", "Cheats"};
  MenuItem mCheatChar{"mCheatChar", "Characters"};
  MenuItem mCheatChar0{"mCheatChar0", "Nibbet"};
  MenuItem mCheatChar1{"mCheatChar1", "Pobblin"};
  MenuItem mCheatChar2{"mCheatChar2", "Pimbo"};
  MenuItem mCheatSep0{"mCheatSep0", "-"};
  MenuItem mCheatChar3{"mCheatChar3", "Wembic"};
  MenuItem mCheatChar4{"mCheatChar4", "Quillop"};
  MenuItem mCheatSep1{"mCheatSep1", "-"};
  MenuItem mCheatChar5{"mCheatChar5", "Fennick"};
  MenuItem mCheatChar6{"mCheatChar6", "Tovrin"};
  MenuItem mCheatChar7{"mCheatChar7", "Zelmoc"};
  MenuItem mCheatChar8{"mCheatChar8", "Drubbel"};
  MenuItem mCheatChar9{"mCheatChar9", "Vossel"};
  MenuItem mCheatChar10{"mCheatChar10", "Ompadu"};
  MenuItem mCheatSep2{"mCheatSep2", "-"};
  MenuItem mCheatChar11{"mCheatChar11", "Xerblix (Secret Character)"};
  MenuItem mCheatChar12{"mCheatChar12", "Angel (Death)"};
  MenuItem mCheatSep3{"mCheatSep3", "-"};
  MenuItem mCheatAttention{"mCheatAttention", "Attention"};
  MenuItem mCheatAttention0{"mCheatAttention0", "Hungry"};
  MenuItem mCheatAttention1{"mCheatAttention1", "Unhappy"};
  MenuItem mCheatAttention2{"mCheatAttention2", "Discipline"};
  MenuItem mCheatSep4{"mCheatSep4", "-"};
  MenuItem mCheatAction0{"mCheatAction0", "Sick"};
  MenuItem mCheatAction1{"mCheatAction1", "Poop"};
  MenuItem mCheatAction2{"mCheatAction2", "Sleep"};
  MenuItem mCheatAction3{"mCheatAction3", "Dying"};
  MenuItem mPopupSep1{"mPopupSep1", "-"};
  MenuItem mPopupStatus{"mPopupStatus", "Hide"};
  MenuItem mPopupSound{"mPopupSound", "Sound On"};
  MenuItem mPopupSoundType{"mPopupSoundType", "Sound Type"};
  MenuItem mPopupWave{"mPopupWave", "Wave"};
  MenuItem mPopupBeep{"mPopupBeep", "Beep"};
  MenuItem mPopupSide{"mPopupSide", "Back"};
  MenuItem mPopupOnTop{"mPopupOnTop", "Always On Top"};
  MenuItem mPopupAutoShow{"mPopupAutoShow", "Auto Show"};
  MenuItem mPopupPlayType{"mPopupPlayType", "Games"};
  MenuItem mPopupPlay0{"mPopupPlay0", "Game A"};
  MenuItem mPopupPlay1{"mPopupPlay1", "Game B"};
  MenuItem mPopupSep3{"mPopupSep3", "-"};
  MenuItem mPopupChangeColor{"mPopupChangeColor", "Colors..."};
  MenuItem mPopupPlugins{"mPopupPlugins", "Plugins..."};
  MenuItem mPopupInstructions{"mPopupInstructions", "Instructions..."};
  MenuItem mPopupAbout{"mPopupAbout", "About..."};
  MenuItem mPopupSep4{"mPopupSep4", "-"};
  MenuItem mPopupInsulatingSheet{"mPopupInsulatingSheet", "Insulating Sheet"};
  MenuItem mPopupSep5{"mPopupSep5", "-"};
  MenuItem mPopupClose{"mPopupClose", "Close"};

  // The item of character n (0..12).
  MenuItem& CheatChar(int n);
  // Every item below mPopup, depth first; null when the name is unknown.
  MenuItem* Find(const std::string& name);
  const std::vector<MenuItem*>& AllItems() const { return all_; }

 private:
  void BuildTree();
  void SetInitialStates();

  std::vector<MenuItem*> all_;
};

}  // namespace nib
