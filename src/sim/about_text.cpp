#include "sim/about_text.h"

#include "display/line_reader.h"

namespace nib {

PluginAbout ReadPluginAbout(std::string_view plugin_ini) {
  PluginAbout about;
  ForEachKeyLine(plugin_ini, [&](const KeyLine& line) {
    if (line.key == "name") about.name = line.value;
    if (line.key == "description") about.description = line.value;
  });
  return about;
}

AboutFrame AboutFrameOf(Platform& platform, const std::string& plugin) {
  AboutFrame frame;
  if (plugin.empty()) return frame;
  const std::optional<std::string> text =
      platform.ReadFile("\\plugins\\" + plugin + "\\plugin.ini");
  if (!text) return frame;
  PluginAbout about = ReadPluginAbout(*text);
  if (about.name) frame.caption = std::move(*about.name);
  if (about.description) frame.notice = std::move(*about.description);
  return frame;
}

}  // namespace nib
