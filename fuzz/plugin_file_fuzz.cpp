// Feeds arbitrary bytes to a plugin's own files, its "plugin.ini" and its
// character's "char.ini", through everything that reads them: loading the
// plugin, the About window's words, and the plugins dialog listing,
// describing and applying it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/scripted_random.h"
#include "fuzz_check.h"
#include "sim/about_text.h"
#include "sim/plugins_dialog.h"
#include "sim/simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  nib::testing::FakePlatform platform;
  nib::testing::ScriptedRandom random;
  nib::Simulator sim(platform, random);
  platform.AddFolder("\\plugins\\Skin");
  platform.AddFolder("\\plugins\\Plain");
  platform.AddTextFile("\\plugins\\Skin\\plugin.ini", text);
  platform.AddTextFile("\\plugins\\Skin\\chars\\03\\char.ini", text);
  platform.AddTextFile("\\plugins\\Plain\\plugin.ini", "name=Plain\n");
  platform.AddFile("\\plugins\\Skin\\other\\nibscr.gif");
  sim.pet.CharacterNo = 3;

  sim.look.DoGetPlugins("Skin");
  sim.look.DoGetCharacterIni("Skin");
  nib::AboutFrameOf(platform, "Skin");

  sim.pet.PluginsForm = true;
  nib::PluginsDialog dialog(sim, platform);
  dialog.Form_Load();
  // The built-in look and the two folders, whatever the file calls itself.
  FUZZ_CHECK(dialog.List1().size() == 3);
  int skin_row = -1;
  for (int row = 0; row < 3; ++row) {
    dialog.List1_Click(row);
    FUZZ_CHECK(dialog.SelectedRow() == row);
    if (dialog.SelectedFolder() == "Skin") skin_row = row;
  }
  FUZZ_CHECK(skin_row >= 0);
  dialog.List1_DblClick(skin_row);
  FUZZ_CHECK(sim.pet.Plugins == "Skin");
  dialog.Form_Unload();
  FUZZ_CHECK(platform.window_enabled);
  return 0;
}
