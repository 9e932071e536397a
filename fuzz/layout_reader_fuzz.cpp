// Feeds arbitrary bytes to the line reader and to every reader of the
// program folder's text files, as "default.ini", "color.ini" and "char.ini".
#include <cstddef>
#include <cstdint>
#include <string>

#include "display/line_reader.h"
#include "fakes/fake_platform.h"
#include "fakes/scripted_random.h"
#include "sim/simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  nib::ForEachKeyLine(text, [](const nib::KeyLine& line) { nib::LeadingNumber(line.value); });

  nib::testing::FakePlatform platform;
  nib::testing::ScriptedRandom random;
  nib::Simulator sim(platform, random);
  sim.pet.CurrentColor = "Default";
  sim.pet.CharacterNo = 3;
  platform.AddTextFile("\\default.ini", text);
  platform.AddTextFile("\\colors\\Default\\color.ini", text);
  platform.AddTextFile("\\Chars\\03\\char.ini", text);
  sim.look.DoReadLayoutFile("");
  sim.look.DoGetCharacterIni("");
  return 0;
}
