// A long random run: random waits on a fake clock that runs at real speed
// or much faster, and random commands among the cheat items that can be
// chosen at that moment. The pet's ranges and the cheat menu's check marks
// must hold on every tick.
#include <cstdlib>
#include <random>
#include <sstream>

#include "core/life_fixture.h"
#include "display/status_tip.h"
#include "sim/key_codes.h"

namespace nib::testing {
namespace {

long FromEnvironment(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text ? std::strtol(text, nullptr, 10) : fallback;
}

class LifeRandomRunTest : public LifeTest {
 protected:
  // The broken rule, or empty when all hold.
  std::string Violation() {
    auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    if (!within(pet.Hunger, 0, 4)) return "Hunger";
    if (!within(pet.Happiness, 0, 4)) return "Happiness";
    if (!within(pet.Dung, 0, 8)) return "Dung";
    if (!within(pet.Discipline, 0, 14)) return "Discipline";
    if (!within(pet.Weight, 0, 99)) return "Weight";
    if (!within(pet.Age, 0, 99)) return "Age";
    if (!within(pet.CharacterNo, 0, 12)) return "CharacterNo";
    if (!within(pet.AttendTimeLeft, 0, 120)) return "AttendTimeLeft";
    if (!within(pet.CurrentTempChar, 0, 3)) return "CurrentTempChar";
    if (!within(sim.animation.IconFrame, 0, 7)) return "IconFrame";
    if (pet.DyingAction < 0 || pet.Sickness < 0 || pet.NeedCount < 0) return "negative count";
    const int checked = CheckedCharacters(menu);
    if (checked != 1) return "checked characters: " + std::to_string(checked);
    if (!menu.CheatChar(pet.CharacterNo).checked) return "the wrong character checked";
    if (StatusTipCut(platform.tray_tip).size() != platform.tray_tip.size()) return "tray tip";
    return {};
  }

  std::string State() const {
    std::ostringstream out;
    out << "character " << pet.CharacterNo << ", minute " << pet.MinuteCount << ", hunger "
        << pet.Hunger << ", happiness " << pet.Happiness << ", dung " << pet.Dung
        << ", discipline " << pet.Discipline << ", weight " << pet.Weight << ", age " << pet.Age
        << ", dying " << pet.DyingAction << ", change step " << pet.ChangeStep;
    return out.str();
  }
  void Run(bool press_buttons);
};

void LifeRandomRunTest::Run(bool press_buttons) {
  const auto seed = static_cast<std::uint32_t>(FromEnvironment("NIBBET_RANDOM_SEED", 1));
  const long total = FromEnvironment("NIBBET_RANDOM_TICKS", 1'000'000);
  std::mt19937 choose(seed);
  random.FallBackToSeed(seed * 7919u + 1);
  auto below = [&](int n) { return static_cast<int>(choose() % static_cast<unsigned>(n)); };

  std::vector<std::string> items;
  for (const MenuItem* item : menu.mCheatChar.children)
    if (!item->IsSeparator()) items.push_back(item->name);
  for (const MenuItem* item : menu.mCheatAttention.children) items.push_back(item->name);
  for (const char* name : {"mCheatAction0", "mCheatAction1", "mCheatAction2", "mCheatAction3"})
    items.push_back(name);
  ASSERT_EQ(items.size(), 20u);

  pet.InsulatingSheet = 0;
  pet.LastSecond = static_cast<int16>(platform.second);
  sim.mCheatChar0_Click();
  for (const char c : std::string("QZXW")) sim.DoCheatCodeKey(c);
  ASSERT_TRUE(menu.mCheats.visible);

  long ticks = 0, commands = 0, refused = 0;
  std::vector<int> seen(13, 0);
  while (ticks < total) {
    // A wait at real speed, ten times or a hundred times faster.
    const int ticks_per_second = std::vector<int>{100, 10, 1}[below(3)];
    const int wait = 1 + below(below(16) == 0 ? 10000 : 300);
    for (int t = 0; t < wait && ticks < total; ++t, ++ticks) {
      if (ticks % ticks_per_second == 0) platform.second = (platform.second + 1) % 60;
      sim.Timer1_Timer();
      scr.damage.Clear();
      ++seen[std::clamp<int>(pet.CharacterNo, 0, 12)];
      const std::string broken = Violation();
      if (!broken.empty()) {
        FAIL() << broken << " at tick " << ticks << " (seed " << seed << "): " << State();
      }
    }

    // Now and then a stray key: the code must be typed again to reveal it.
    if (below(50) == 0) sim.DoCheatCodeKey(kKeyA + below(26));
    if (!menu.mCheats.visible)
      for (const char c : std::string("QZXW")) sim.DoCheatCodeKey(c);

    if (press_buttons) {
      // A few presses of the device's buttons: care, games, the meter.
      for (int presses = below(16); presses > 0; --presses) {
        switch (below(7)) {
          case 0:
          case 1:
            PressA();
            break;
          case 2:
          case 3:
          case 4:
            PressB();
            break;
          case 5:
            PressC();
            break;
          default:
            // A and C together: the sound, or a new egg for the angel.
            pet.ButtonCPressed = true;
            sim.DoButtonA(true);
            pet.ButtonCPressed = false;
            sim.DoButtonA(false);
            break;
        }
        const std::string broken = Violation();
        if (!broken.empty()) FAIL() << broken << " after a button (seed " << seed << ")";
      }
    }

    std::vector<const std::string*> open;
    for (const std::string& name : items)
      if (sim.CheatItemAvailable(name)) open.push_back(&name);
    if (open.empty()) continue;
    const std::string& name = *open[below(static_cast<int>(open.size()))];
    // Dying and the angel end a life quickly; keep them rarer.
    if ((name == "mCheatAction3" || name == "mCheatChar12") && below(4) != 0) continue;
    if (sim.DoCheatCommand(name)) ++commands; else ++refused;
    const std::string broken = Violation();
    if (!broken.empty()) FAIL() << broken << " after " << name << " (seed " << seed << ")";
  }
  EXPECT_EQ(refused, 0) << "an available item refused its command";
  EXPECT_GT(commands, 1000);
  for (int n = 0; n <= kAngel; ++n) EXPECT_GT(seen[n], 0) << "never character " << n;
}

TEST_F(LifeRandomRunTest, AMillionTicksOfRandomCheatsKeepThePetInRange) { Run(false); }

// The same with the device's buttons pressed in between: meals, snacks,
// games and scolding push the counters to their limits too.
TEST_F(LifeRandomRunTest, AMillionTicksOfCheatsAndButtonsKeepThePetInRange) { Run(true); }

}  // namespace
}  // namespace nib::testing
