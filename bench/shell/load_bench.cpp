// Real costs on the real program folder: loading the look at start-up,
// switching the character, and saving the pet to the INI store.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "shell/qt_platform.h"
#include "sim/plugins_dialog.h"
#include "sim/simulator.h"

namespace nib {
namespace {

QString ProgramDir() { return QStringLiteral(NIBBET_PROGRAM_DIR); }

// The first plugin in the program folder, or none.
std::string FirstPlugin() {
  const QStringList plugins = QDir(ProgramDir() + "/plugins").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  return plugins.isEmpty() ? std::string() : plugins.first().toStdString();
}

struct Device {
  QTemporaryDir settings;
  QtPlatform platform{ProgramDir(), settings.filePath("bench.ini")};
  StdRandomSource random;
  Simulator sim{platform, random};
};

void BM_StartUpLoad(benchmark::State& state) {
  const std::string plugin = FirstPlugin();
  for (auto _ : state) {
    Device d;
    d.sim.pet.CurrentColor = "Default";
    d.sim.pet.CharacterNo = 5;
    d.sim.look.DoGetPlugins("");
    d.sim.look.DoGetCharacterIni("");
    d.sim.look.DoLoadCharacter();
    if (!plugin.empty()) {
      d.sim.pet.Plugins = plugin;
      d.sim.look.DoGetPlugins(plugin);
      d.sim.look.DoGetCharacterIni(plugin);
      d.sim.look.DoLoadCharacter();
    }
    benchmark::DoNotOptimize(d.sim.scr.FrontView.GetPicture());
  }
  state.SetLabel(plugin.empty() ? "base pass only" : "base and " + plugin);
}
BENCHMARK(BM_StartUpLoad)->Unit(benchmark::kMillisecond);

void BM_CharacterSwitch(benchmark::State& state) {
  Device d;
  d.sim.pet.CurrentColor = "Default";
  d.sim.look.DoGetPlugins("");
  int16 character = 1;
  for (auto _ : state) {
    // Every switch decodes the new character's files afresh.
    d.platform.ClearPictureCache();
    character = static_cast<int16>(character % 11 + 1);
    d.sim.pet.CharacterNo = character;
    d.sim.look.DoGetCharacterIni("");
    d.sim.look.DoLoadCharacter();
  }
}
BENCHMARK(BM_CharacterSwitch)->Unit(benchmark::kMillisecond);

// OK in the plugins dialog, back and forth between the built-in look and a
// plugin: every file decoded again from disk, as after an edit.
void BM_ApplyPluginFromDialog(benchmark::State& state) {
  const std::string plugin = FirstPlugin();
  if (plugin.empty()) {
    state.SkipWithError("no plugin in the program folder");
    return;
  }
  Device d;
  d.sim.pet.CurrentColor = "Default";
  d.sim.pet.CharacterNo = 5;
  d.sim.look.DoGetPlugins("");
  d.sim.pet.PluginsForm = true;
  bool to_plugin = true;
  for (auto _ : state) {
    PluginsDialog dialog(d.sim, d.platform);
    dialog.Form_Load();
    for (int row = 0; row < static_cast<int>(dialog.List1().size()); ++row) {
      dialog.List1_Click(row);
      const bool is_plugin = dialog.SelectedFolder() == plugin;
      if (is_plugin == to_plugin) break;
    }
    dialog.Command1_Click();
    dialog.Form_Unload();
    to_plugin = !to_plugin;
  }
}
BENCHMARK(BM_ApplyPluginFromDialog)->Unit(benchmark::kMillisecond);

void BM_SaveSettingsToIni(benchmark::State& state) {
  Device d;
  d.sim.pet.NibbetName = "Bench";
  // Other pets in the same file make the file as large as a real one.
  for (int n = 0; n < 5; ++n) {
    d.sim.pet.NibbetName = "Other " + std::to_string(n);
    d.sim.DoSaveSettings();
  }
  d.sim.pet.NibbetName = "Bench";
  for (auto _ : state) {
    ++d.sim.pet.MinuteCount;
    d.sim.DoSaveSettings();
  }
}
BENCHMARK(BM_SaveSettingsToIni)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nib

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
