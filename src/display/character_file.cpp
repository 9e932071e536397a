// Reading a character's "char.ini": where the pet stands in each pose and
// whether it walks. Keys it lacks keep the values of the character before.
#include <cctype>
#include <cstdio>

#include "display/file_names.h"
#include "display/layout_keys.h"
#include "display/line_reader.h"
#include "display/look.h"

namespace nib {

void Look::DoGetCharacterIni(const std::string& PluginsStr) {
  const std::string number = TwoDigits(pet.CharacterNo);
  std::optional<std::string> text;
  if (!PluginsStr.empty())
    text = files_.ReadFile("\\plugins\\" + PluginsStr + "\\chars\\" + number + "\\char.ini");
  if (!text) text = files_.ReadFile(std::string("\\chars\\") + number + "\\char.ini");
  if (!text) return;
  ForEachKeyLine(*text, [this](const KeyLine& line) {
    if (line.value.empty()) return;
    if (line.key == "walk") {
      std::string value = line.value;
      for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      layout.CharacterWalks = value == "true";
      return;
    }
    const auto it = CharacterKeys().find(line.key);
    if (it != CharacterKeys().end()) it->second(Target(), LeadingNumber(line.value));
  });
}

}  // namespace nib
