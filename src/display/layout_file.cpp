// Reading the text and layout file of a pass ("default.ini" or the plugin's
// "plugin.ini"), then the colour's "color.ini".
#include <cmath>
#include <optional>
#include <string>

#include "display/layout_keys.h"
#include "display/line_reader.h"
#include "display/look.h"

namespace nib {

namespace {

constexpr char kBaseFile[] = "\\default.ini";

void ApplyNumber(const LookTarget& s, const std::unordered_map<std::string, NumberKeyAction>& keys,
                 const KeyLine& line) {
  if (line.value.empty()) return;
  const auto it = keys.find(line.key);
  if (it != keys.end()) it->second(s, LeadingNumber(line.value));
}

}  // namespace

void Look::DoReadLayoutFile(const std::string& PluginsStr) {
  std::string path;
  std::optional<std::string> text;
  if (!PluginsStr.empty()) {
    path = "\\plugins\\" + PluginsStr + "\\plugin.ini";
    if (files_.FileExists(path)) text = files_.ReadFile(path);
    // A plugin file that cannot be read counts as missing.
    if (!text) path.clear();
  }
  const bool base = path.empty();
  if (base) {
    path = kBaseFile;
    text = files_.ReadFile(path);
    for (Element* e : {&scr.ButtonA, &scr.ButtonB, &scr.ButtonC, &scr.ResetButton})
      e->ToolTipText.clear();
    for (std::string* tip : {&layout.AgeToolTip, &layout.WeightToolTip, &layout.HungryToolTip,
                             &layout.HappyToolTip, &layout.DisciplineToolTip})
      tip->clear();
  }
  if (!text) return;
  ForEachKeyLine(*text, [this](const KeyLine& line) {
    const auto it = TextKeys().find(line.key);
    if (it != TextKeys().end()) it->second(Target(), line.value);
    ApplyNumber(Target(), NumberKeys(), line);
  });
  if (base) {
    auto whole = [](float v) { return static_cast<int16>(std::lround(v)); };
    layout.ButtonALeft = whole(scr.ButtonA.Left());
    layout.ButtonATop = whole(scr.ButtonA.Top());
    layout.ButtonBLeft = whole(scr.ButtonB.Left());
    layout.ButtonBTop = whole(scr.ButtonB.Top());
    layout.ButtonCLeft = whole(scr.ButtonC.Left());
    layout.ButtonCTop = whole(scr.ButtonC.Top());
    layout.ResetButtonLeft = whole(scr.ResetButton.Left());
    layout.ResetButtonTop = whole(scr.ResetButton.Top());
  }
  const auto color = files_.ReadFile("\\colors\\" + pet.CurrentColor + "\\color.ini");
  if (!color) return;
  ForEachKeyLine(*color, [this](const KeyLine& line) { ApplyNumber(Target(), ColorKeys(), line); });
}

}  // namespace nib
