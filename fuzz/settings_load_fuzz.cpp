// Feeds arbitrary bytes to the pet loader through the real settings store:
// the first line is the pet's name, the rest is the INI file. After a load
// of anything every field is in its range, and saving the pet and loading it
// again gives the same pet.
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/scripted_random.h"
#include "fuzz_check.h"
#include "shell/settings_store.h"
#include "sim/simulator.h"

namespace {

// The fake desktop with the real settings store behind it.
class StorePlatform : public nib::testing::FakePlatform {
 public:
  explicit StorePlatform(nib::SettingsStore& store) : store_(store) {}
  std::string ReadSetting(const std::string& section, const std::string& key,
                          const std::string& fallback) override {
    return store_.Read(section, key, fallback);
  }
  void WriteSetting(const std::string& section, const std::string& key,
                    const std::string& value) override {
    store_.Write(section, key, value);
  }
  void FlushSettings() override { store_.Flush(); }

 private:
  nib::SettingsStore& store_;
};

bool Within(int value, int lowest, int highest) { return value >= lowest && value <= highest; }

// The ranges the loader itself keeps.
void CheckRanges(const nib::Pet& p) {
  FUZZ_CHECK(Within(p.InsulatingSheet, 0, 2));
  FUZZ_CHECK(Within(p.CharacterNo, 0, nib::kAngel));
  FUZZ_CHECK(Within(p.SecondCount, 0, 59));
  FUZZ_CHECK(Within(p.CurrentTempChar, 0, 3));
  FUZZ_CHECK(Within(p.AttendTimeLeft, 0, 120));
  FUZZ_CHECK(Within(p.FeedMenuIndex, 0, 1));
  FUZZ_CHECK(Within(p.LightMenuIndex, 0, 1));
  FUZZ_CHECK(Within(p.Age, 0, 99));
  FUZZ_CHECK(Within(p.Weight, 0, 99));
  FUZZ_CHECK(Within(p.Discipline, 0, 14));
  FUZZ_CHECK(Within(p.Happiness, 0, 4));
  FUZZ_CHECK(Within(p.Hunger, 0, 4));
  FUZZ_CHECK(Within(p.Dung, 0, 8));
  FUZZ_CHECK(p.DyingTimeLeft > 0);
  FUZZ_CHECK(p.MinuteCount >= 0);
  for (int counter : {p.MaxMinutes, p.IntervalCount, p.Sickness, p.DyingAction, p.TotalNeedCount,
                      p.DisciplineWhenNeed, p.PlayCounter, p.SnackCount, p.NeedCount,
                      p.CareWhenNeed}) {
    FUZZ_CHECK(counter >= 0);
  }
  FUZZ_CHECK(std::isfinite(p.Left) && std::isfinite(p.Top));
}

// What a load leaves that the next save writes: the record and the options.
struct Loaded {
  nib::PetSaved pet;
  bool options[7];
  bool operator==(const Loaded& other) const {
    return pet == other.pet && std::equal(options, options + 7, other.options);
  }
};

Loaded Snapshot(const nib::Simulator& sim) {
  const nib::Menu& m = sim.menu;
  return {sim.pet,
          {m.mPopupOnTop.checked, m.mPopupAutoShow.checked, m.mPopupSound.checked,
           m.mPopupWave.checked, m.mPopupBeep.checked, m.mPopupPlay0.checked,
           m.mPopupPlay1.checked}};
}

// Loads the pet from the file, checks it, saves it; the pet as saved.
Loaded LoadAndSave(const QString& ini, const std::string& name) {
  nib::SettingsStore store(ini);
  StorePlatform platform(store);
  nib::testing::ScriptedRandom random;
  nib::Simulator sim(platform, random);
  sim.pet.NibbetName = name;
  sim.DoLoadSettings();
  CheckRanges(sim.pet);
  sim.DoSaveSettings();
  return Snapshot(sim);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir dir;
  static const QString ini = dir.filePath(QStringLiteral("Nibbet Simulator.ini"));
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t line_end = input.find('\n');
  const std::string name = input.substr(0, line_end);
  const std::string text = line_end == std::string::npos ? "" : input.substr(line_end + 1);

  QFile::remove(ini);
  {
    QFile file(ini);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    FUZZ_CHECK(file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()));
  }
  const Loaded first = LoadAndSave(ini, name);
  const Loaded again = LoadAndSave(ini, name);
  FUZZ_CHECK(again == first);
  return 0;
}
