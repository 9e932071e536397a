// The plugins-and-colors dialog as data: the installed plugins (or colour
// sets) under their display names, sorted, each row mapped to its folder;
// the description of the chosen entry; and applying it to the device.
// The shell's dialog shows these lists and forwards the user's choices.
#pragma once

#include <string>
#include <vector>

#include "sim/pet.h"

namespace nib {

class Platform;
class Simulator;

class PluginsDialog {
 public:
  // The folder name of the built-in look in the plugins list.
  static constexpr char kDefaultEntry[] = "<Default>";

  PluginsDialog(Simulator& sim, Platform& platform);

  // Builds the list (plugins when the pet's PluginsForm is set, colours
  // otherwise), selects the current entry and locks the device.
  void Form_Load();
  // Unlocks the device; the dialog is gone.
  void Form_Unload();

  bool IsPlugin() const { return is_plugin_; }
  // The caption of the menu item that opened the dialog.
  const std::string& Title() const { return title_; }
  // Display names, sorted; one row per folder.
  const std::vector<std::string>& List1() const { return List1_; }
  // The selected row of List1, -1 for none.
  int SelectedRow() const { return selected_row_; }
  const std::string& SelectedFolder() const { return selected_folder_; }
  // Description of the selected entry.
  const std::string& Text1() const { return Text1_; }

  void List1_Click(int row);
  // Selects the row and applies it at once.
  void List1_DblClick(int row);
  // OK: applies the selected entry. The caller then closes the dialog.
  void Command1_Click();

 private:
  struct ButtonPlaces {
    int16 a_left, a_top, b_left, b_top, c_left, c_top, reset_left, reset_top;
  };

  std::string EntryFile(bool is_plugin, const std::string& folder) const;
  std::string ReadEntryName(const std::string& folder) const;
  void ShowEntryInfo(bool is_plugin, const std::string& folder);
  void ApplyPlugin();
  void ApplyColor(const std::string& folder);

  Simulator& sim_;
  Platform& platform_;
  bool is_plugin_ = false;
  std::string title_;
  // The plugin or colour current when the dialog opened.
  std::string EntryFolder;
  std::vector<std::string> List1_;
  // Folder names in the order found on disk.
  std::vector<std::string> List2;
  // For each row of List1, its row in List2.
  std::vector<int> List3;
  int selected_row_ = -1;
  std::string selected_folder_;
  std::string Text1_;
  std::string DefaultColor;
  ButtonPlaces places_{};
  bool locked_ = false;
};

}  // namespace nib
