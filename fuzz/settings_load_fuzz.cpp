// Feeds arbitrary bytes to the pet loader through the real settings store:
// the first two lines are two pets' names, the rest is the INI file. After a
// load of anything every field is in its range; saving a pet and loading it
// again gives the same pet; and a pet saved under one name never changes
// the pet of another name.
#include <QFile>
#include <QString>
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

// Loads the pet from the file, checks it, lets `change` alter it and saves
// it; the pet as saved.
template <typename Change>
Loaded LoadAndSave(const QString& ini, const std::string& name, Change change) {
  nib::SettingsStore store(ini);
  StorePlatform platform(store);
  nib::testing::ScriptedRandom random;
  nib::Simulator sim(platform, random);
  sim.pet.NibbetName = name;
  sim.DoLoadSettings();
  CheckRanges(sim.pet);
  change(sim.pet);
  sim.DoSaveSettings();
  return Snapshot(sim);
}

Loaded LoadAndSave(const QString& ini, const std::string& name) {
  return LoadAndSave(ini, name, [](nib::Pet&) {});
}

// A pet's name as the program has it: command-line text made into a
// QString, so always UTF-8.
std::string TakeName(std::string& input) {
  const std::size_t end = input.find('\n');
  const std::string line = input.substr(0, end);
  input.erase(0, end == std::string::npos ? input.size() : end + 1);
  return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).toStdString();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir dir;
  static const QString ini = dir.filePath(QStringLiteral("Nibbet Simulator.ini"));
  std::string text(reinterpret_cast<const char*>(data), size);
  const std::string name = TakeName(text);
  const std::string other_name = TakeName(text);

  QFile::remove(ini);
  {
    QFile file(ini);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    FUZZ_CHECK(file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()));
  }
  const Loaded other = LoadAndSave(ini, other_name);
  // A pet that differs from any the other name could hold.
  const Loaded first = LoadAndSave(ini, name, [](nib::Pet& pet) {
    pet.Plugins += '~';
    pet.Age = static_cast<nib::int16>((pet.Age + 1) % 100);
  });
  const Loaded again = LoadAndSave(ini, name);
  FUZZ_CHECK(again == first);
  if (other_name != name) FUZZ_CHECK(LoadAndSave(ini, other_name) == other);
  return 0;
}
