// The hidden cheat menu: revealed by typing its code, it forces characters
// and life events, and its check marks and disabled items show the pet's
// state.
#include <unordered_map>

#include "sim/key_codes.h"
#include "sim/simulator.h"

namespace nib {

namespace {

constexpr char kCheatCode[] = "QZXW";
constexpr std::size_t kCheatCodeLength = sizeof kCheatCode - 1;

using Command = void (Simulator::*)();

struct CheatCommand {
  Command command;
  MenuItem Menu::*submenu;  // the item's submenu below mCheats, if any
};

const std::unordered_map<std::string, CheatCommand>& CheatCommands() {
  static const std::unordered_map<std::string, CheatCommand> commands = {
      {"mCheatChar0", {&Simulator::mCheatChar0_Click, &Menu::mCheatChar}},
      {"mCheatChar1", {&Simulator::mCheatChar1_Click, &Menu::mCheatChar}},
      {"mCheatChar2", {&Simulator::mCheatChar2_Click, &Menu::mCheatChar}},
      {"mCheatChar3", {&Simulator::mCheatChar3_Click, &Menu::mCheatChar}},
      {"mCheatChar4", {&Simulator::mCheatChar4_Click, &Menu::mCheatChar}},
      {"mCheatChar5", {&Simulator::mCheatChar5_Click, &Menu::mCheatChar}},
      {"mCheatChar6", {&Simulator::mCheatChar6_Click, &Menu::mCheatChar}},
      {"mCheatChar7", {&Simulator::mCheatChar7_Click, &Menu::mCheatChar}},
      {"mCheatChar8", {&Simulator::mCheatChar8_Click, &Menu::mCheatChar}},
      {"mCheatChar9", {&Simulator::mCheatChar9_Click, &Menu::mCheatChar}},
      {"mCheatChar10", {&Simulator::mCheatChar10_Click, &Menu::mCheatChar}},
      {"mCheatChar11", {&Simulator::mCheatChar11_Click, &Menu::mCheatChar}},
      {"mCheatChar12", {&Simulator::mCheatChar12_Click, &Menu::mCheatChar}},
      {"mCheatAttention0", {&Simulator::mCheatAttention0_Click, &Menu::mCheatAttention}},
      {"mCheatAttention1", {&Simulator::mCheatAttention1_Click, &Menu::mCheatAttention}},
      {"mCheatAttention2", {&Simulator::mCheatAttention2_Click, &Menu::mCheatAttention}},
      {"mCheatAction0", {&Simulator::mCheatAction0_Click, nullptr}},
      {"mCheatAction1", {&Simulator::mCheatAction1_Click, nullptr}},
      {"mCheatAction2", {&Simulator::mCheatAction2_Click, nullptr}},
      {"mCheatAction3", {&Simulator::mCheatAction3_Click, nullptr}},
  };
  return commands;
}

bool Open(const MenuItem& item) { return item.visible && item.enabled; }

}  // namespace

void Simulator::DoResetCheatMenu() {
  for (int n = 0; n <= kAngel; ++n) menu.CheatChar(n).checked = false;
  for (MenuItem* item : {&menu.mCheatAction0, &menu.mCheatAction1, &menu.mCheatAction2,
                         &menu.mCheatAction3, &menu.mCheatAttention, &menu.mCheatAttention2})
    item->enabled = true;
}

void Simulator::DoCheatCodeKey(int KeyCode) {
  std::string& code = pet.CheatCode;
  if (KeyCode >= kKeyA && KeyCode <= kKeyZ) {
    code += static_cast<char>(KeyCode);
    if (code.size() < kCheatCodeLength) return;
    if (code == kCheatCode) {
      menu.mCheats.visible = !menu.mCheats.visible;
      menu.mPopupSep0.visible = menu.mCheats.visible;
      // A toy still in its sheet shows the menu but will not open it.
      menu.mCheats.enabled = pet.InsulatingSheet != 1;
    }
    code.clear();
    return;
  }
  switch (KeyCode) {
    case kKeyBack:
      if (!code.empty()) code.pop_back();
      return;
    case kKeyReturn:
    case kKeyEscape:
    case kKeyF1:
      // The popup, hiding and the instructions leave a half-typed code.
      return;
    default:
      code.clear();
      return;
  }
}

bool Simulator::CheatItemAvailable(const std::string& ItemName) {
  const auto it = CheatCommands().find(ItemName);
  if (it == CheatCommands().end()) return false;
  if (!Open(menu.mCheats)) return false;
  if (it->second.submenu && !Open(menu.*(it->second.submenu))) return false;
  const MenuItem* item = menu.Find(ItemName);
  return item && Open(*item);
}

bool Simulator::DoCheatCommand(const std::string& ItemName) {
  if (!CheatItemAvailable(ItemName)) return false;
  (this->*(CheatCommands().at(ItemName).command))();
  return true;
}

}  // namespace nib
