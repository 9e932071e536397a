// The words of the About window: the program's own, and the name and
// description a plugin gives in its "plugin.ini".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/platform.h"

namespace nib {

inline constexpr char kAboutPictureFolder[] = "\\other\\";
inline constexpr char kAboutPictureFile[] = "about.gif";
inline constexpr char kAboutTitle[] = "Nibbet Simulator 2.0";
inline constexpr char kAboutCredits[] =
    "A virtual pet for your desktop.\nHatch it, feed it, play with it and keep it well.";
inline constexpr char kAboutFrameCaption[] = "Plugin";
inline constexpr char kAboutNotice[] =
    "This software is free for non-commercial use.\n"
    "You may pass it on to others, provided that\n"
    "nothing in it is changed.";

// What a plugin file says about itself; each line "name = ..." or
// "description = ..." replaces the one before.
struct PluginAbout {
  std::optional<std::string> name;
  std::optional<std::string> description;
};
PluginAbout ReadPluginAbout(std::string_view plugin_ini);

// The frame's caption and notice: the plugin's words over the built-in ones.
struct AboutFrame {
  std::string caption = kAboutFrameCaption;
  std::string notice = kAboutNotice;
};
AboutFrame AboutFrameOf(Platform& platform, const std::string& plugin);

}  // namespace nib
