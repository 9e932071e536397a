#include "sim/plugins_dialog.h"

#include <algorithm>
#include <numeric>

#include "display/line_reader.h"
#include "sim/simulator.h"

namespace nib {

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
}

// The key lines of an entry file that carry a value: in this dialog an
// empty value is skipped for every key.
template <typename F>
void ForEachValue(const std::optional<std::string>& text, F&& on_line) {
  if (!text) return;
  ForEachKeyLine(*text, [&](const KeyLine& line) {
    if (!line.value.empty()) on_line(line);
  });
}

}  // namespace

PluginsDialog::PluginsDialog(Simulator& sim, Platform& platform)
    : sim_(sim), platform_(platform) {}

std::string PluginsDialog::EntryFile(bool is_plugin, const std::string& folder) const {
  if (!is_plugin) return "\\colors\\" + folder + "\\color.ini";
  if (SameIgnoringCase(folder, kDefaultEntry)) return "\\default.ini";
  return "\\plugins\\" + folder + "\\plugin.ini";
}

std::string PluginsDialog::ReadEntryName(const std::string& folder) const {
  std::string name = folder;
  bool named = false;
  ForEachValue(platform_.ReadFile(EntryFile(is_plugin_, folder)), [&](const KeyLine& line) {
    if (line.key == "name" && !named) {
      name = line.value;
      named = true;
    }
  });
  return name;
}

void PluginsDialog::Form_Load() {
  platform_.SetBusyPointer(true);
  sim_.SetAuxWindowLock(true);
  locked_ = true;
  is_plugin_ = sim_.pet.PluginsForm;
  const MenuItem& title_item = is_plugin_ ? sim_.menu.mPopupPlugins : sim_.menu.mPopupChangeColor;
  title_ = title_item.caption;
  EntryFolder = is_plugin_ ? sim_.pet.Plugins : sim_.pet.CurrentColor;
  List2.clear();
  if (is_plugin_) List2.push_back(kDefaultEntry);
  for (std::string& folder : platform_.ListFolders(is_plugin_ ? "\\plugins\\" : "\\colors\\"))
    List2.push_back(std::move(folder));

  // Both visible and hidden lists come from one sort, so a row always
  // finds its own folder, even when two entries share a display name.
  std::vector<std::string> names;
  for (const std::string& folder : List2) names.push_back(ReadEntryName(folder));
  List3.resize(List2.size());
  std::iota(List3.begin(), List3.end(), 0);
  std::stable_sort(List3.begin(), List3.end(), [&](int a, int b) {
    return LessIgnoringCase(names[static_cast<std::size_t>(a)], names[static_cast<std::size_t>(b)]);
  });
  List1_.clear();
  for (int index : List3) List1_.push_back(names[static_cast<std::size_t>(index)]);

  // The built-in look matches no folder name; its entry stands for it.
  const std::string current = is_plugin_ && EntryFolder.empty() ? kDefaultEntry : EntryFolder;
  int row = List1_.empty() ? -1 : 0;
  for (std::size_t r = 0; r < List3.size(); ++r)
    if (SameIgnoringCase(List2[static_cast<std::size_t>(List3[r])], current))
      row = static_cast<int>(r);
  if (row >= 0) List1_Click(row);
  platform_.SetBusyPointer(false);
}

void PluginsDialog::Form_Unload() {
  if (!locked_) return;
  locked_ = false;
  sim_.SetAuxWindowLock(false);
}

void PluginsDialog::List1_Click(int row) {
  if (row < 0 || row >= static_cast<int>(List3.size())) return;
  selected_row_ = row;
  selected_folder_ = List2[static_cast<std::size_t>(List3[static_cast<std::size_t>(row)])];
  ShowEntryInfo(is_plugin_, selected_folder_);
}

void PluginsDialog::List1_DblClick(int row) {
  List1_Click(row);
  Command1_Click();
}

void PluginsDialog::ShowEntryInfo(bool is_plugin, const std::string& folder) {
  Text1_.clear();
  if (is_plugin) DefaultColor.clear();
  const Layout& layout = sim_.layout;
  places_ = {layout.ButtonALeft, layout.ButtonATop, layout.ButtonBLeft,    layout.ButtonBTop,
             layout.ButtonCLeft, layout.ButtonCTop, layout.ResetButtonLeft, layout.ResetButtonTop};
  const std::pair<const char*, int16*> numbers[] = {
      {"buttona.left", &places_.a_left}, {"buttona.top", &places_.a_top},
      {"buttonb.left", &places_.b_left}, {"buttonb.top", &places_.b_top},
      {"buttonc.left", &places_.c_left}, {"buttonc.top", &places_.c_top},
      {"reset.left", &places_.reset_left}, {"reset.top", &places_.reset_top}};
  ForEachValue(platform_.ReadFile(EntryFile(is_plugin, folder)), [&](const KeyLine& line) {
    if (line.key == "description") Text1_ = line.value;
    if (is_plugin && line.key == "defaultcolor") DefaultColor = line.value;
    if (is_plugin) return;
    for (const auto& [key, place] : numbers)
      if (line.key == key) *place = LeadingNumber(line.value);
  });
}

void PluginsDialog::Command1_Click() {
  if (selected_row_ < 0) return;
  Pet& pet = sim_.pet;
  platform_.SetBusyPointer(true);
  // A look edited on disk while the program runs shows once applied.
  platform_.ForgetDecodedFiles();
  if (is_plugin_) {
    sim_.DoMainScreen(false);
    ApplyPlugin();
    sim_.DoMainScreen(true);
    sim_.DoSetCharacterName();
    sim_.menu.mCharacterName.caption = pet.CharacterName;
    if (!DefaultColor.empty()) {
      const std::string color = DefaultColor;
      ShowEntryInfo(false, color);
      ApplyColor(color);
    }
    if (pet.InsulatingSheet != 0) {
      if (pet.InsulatingSheet == 1) sim_.DoMainScreen(false);
      sim_.LoadSheetLook();
    }
  } else {
    ApplyColor(selected_folder_);
  }
  if (pet.InsulatingSheet == 1) {
    sim_.menu.mCharacterName.caption = pet.NibbetName;
    platform_.TrayModify(sim_.look.WindowIcon, pet.NibbetName);
  }
  // The next tick sends the pet's own icon and tip in the new look.
  sim_.ForgetTrayState();
  platform_.SetBusyPointer(false);
  platform_.SetCaption(pet.NibbetName);
}

void PluginsDialog::ApplyPlugin() {
  Pet& pet = sim_.pet;
  pet.Plugins = SameIgnoringCase(selected_folder_, kDefaultEntry) ? "" : selected_folder_;
  if (pet.Plugins == EntryFolder) return;
  sim_.look.DoGetPlugins("");
  sim_.DoEndCurrentAction();
  Element& pet_picture = sim_.scr.NibChar;
  const bool pet_shown = pet_picture.Visible();
  pet_picture.Hide();
  sim_.look.DoGetCharacterIni("");
  sim_.look.DoLoadCharacter();
  if (!pet.Plugins.empty()) {
    sim_.look.DoGetPlugins(pet.Plugins);
    sim_.look.DoGetCharacterIni(pet.Plugins);
    sim_.look.DoLoadCharacter();
  }
  sim_.DoSetToolTip();
  pet_picture.SetVisible(pet_shown);
}

void PluginsDialog::ApplyColor(const std::string& folder) {
  Pet& pet = sim_.pet;
  Screen& scr = sim_.scr;
  pet.CurrentColor = folder;
  platform_.SetCaption("Changing color...");
  std::string path = "\\colors\\" + folder + "\\";
  sim_.look.DoLoadPicture(pet.Plugins, scr.FrontView, path, "front.gif");
  sim_.look.DoLoadPicture(pet.Plugins, scr.BackView, path, "back.gif");
  for (Element* button : {&scr.ButtonA, &scr.ButtonB, &scr.ButtonC})
    sim_.look.DoLoadPicture(pet.Plugins, *button, path, "button0.gif");
  if (platform_.FileExists(path + "color.ico")) {
    if (Picture icon = platform_.LoadPicture(path + "color.ico")) {
      sim_.look.WindowIcon = icon;
      platform_.SetWindowIcon(icon);
    }
  }
  for (int n = 0; n <= 1; ++n) {
    const std::string file = "reset" + std::to_string(n) + ".gif";
    std::string other = "\\other\\";
    sim_.look.DoLoadPicture(pet.Plugins, scr.ResetStatus[n], other, file);
    // Optional in a colour: without them the colour is not given up.
    if (platform_.FileExists(path + file) && platform_.LoadPicture(path + file))
      sim_.look.DoLoadPicture(pet.Plugins, scr.ResetStatus[n], path, file);
  }
  scr.ButtonA.Move(places_.a_left, places_.a_top);
  scr.ButtonB.Move(places_.b_left, places_.b_top);
  scr.ButtonC.Move(places_.c_left, places_.c_top);
  scr.ResetButton.Move(places_.reset_left, places_.reset_top);
  scr.ResetButton.CopyPictureFrom(scr.ResetStatus[0]);
  platform_.SetCaption(pet.NibbetName);
}

}  // namespace nib
