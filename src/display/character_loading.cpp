// Filling the pet's holders from the current character's folder; a plugin's
// file wins, a missing file leaves the holder's previous picture.
#include "display/file_names.h"
#include "display/look.h"
#include "sim/characters.h"

namespace nib {

namespace {

std::string CharacterFolder(int character) { return "\\Chars\\" + TwoDigits(character) + "\\"; }

}  // namespace

void Look::DoLoadCharacter() {
  std::string folder = CharacterFolder(pet.CharacterNo);
  auto load = [&](Element& e, const std::string& file) {
    DoLoadPicture(pet.Plugins, e, folder, file);
  };
  if (pet.CharacterNo == kEgg) {
    for (int n = 0; n <= 2; ++n) {
      load(scr.TempChar[n], Numbered("", n, ".gif"));
      load(scr.TempIcon[n], Numbered("", n, ".ico"));
    }
    return;
  }
  for (int n = 0; n <= 1; ++n) {
    load(scr.TempNegative[n], Numbered("no", n, ".gif"));
    load(scr.TempEat[n], Numbered("eat", n, ".gif"));
    load(scr.TempSick[n], Numbered("sick", n, ".gif"));
    load(scr.TempHappy[n], Numbered("happy", n, ".gif"));
    load(scr.TempSleep[n], Numbered("sleep", n, ".gif"));
    load(scr.TempDropping[n], Numbered("stool", n, ".gif"));
  }
  const char* unhappy[] = {"unhp0.gif", "unhp1.gif", "unhp0.gif", "unhp2.gif"};
  for (int n = 0; n <= 3; ++n) load(scr.TempUnhappy[n], unhappy[n]);
  for (int n = 0; n <= 3; ++n) {
    load(scr.TempChar[n], Numbered("", n, ".gif"));
    load(scr.TempPlay[n], Numbered("play", n, ".gif"));
  }
  for (int n = 0; n <= 7; ++n) load(scr.TempIcon[n], Numbered("", n, ".ico"));
}

}  // namespace nib
