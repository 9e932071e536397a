// The look of the device: the device and holder pictures, the pointers, the
// layout files, the colour's buttons and the character's pictures, read
// from the program folder with a plugin's files first. It fills the screen,
// the menu's captions, the layout values and the pet's colour, and tells
// the window its caption and icon.
#pragma once

#include <string>

#include "display/layout.h"
#include "display/screen.h"
#include "sim/device_state.h"
#include "sim/menu.h"
#include "sim/pet.h"
#include "sim/platform.h"

namespace nib {

// What a look is read into. The layout files' keys act on these.
struct LookTarget {
  Pet& pet;
  Screen& scr;
  Menu& menu;
  Layout& layout;
};

class Look {
 public:
  Look(LookTarget target, const WindowState& window, ProgramFiles& files,
       DesktopWindows& windows, TrayArea& tray);
  Look(const Look&) = delete;
  Look& operator=(const Look&) = delete;

  // Pictures and cursors: plugin first, then base, then the Default color.
  // `PicturePath` is the caller's folder ("\other\"); the Default colour
  // fallback changes it.
  void DoLoadPicture(const std::string& PluginsStr, Element& PictureValue,
                     std::string& PicturePath, const std::string& PictureFilename);
  void DoLoadPointer(const std::string& PluginsStr, Element& PictureValue,
                     const std::string& PicturePath, const std::string& PictureFilename);
  // Every device and holder picture of one plugin pass.
  void DoGetPlugins(const std::string& PluginsStr);
  // Captions, tooltips and positions of one pass, then the colour's buttons.
  void DoReadLayoutFile(const std::string& PluginsStr);
  // The current character's pictures and its positions.
  void DoLoadCharacter();
  void DoGetCharacterIni(const std::string& PluginsStr);

  // The colour's icon, for the window and the tray.
  Picture WindowIcon;

 private:
  // What the layout files' keys act on.
  LookTarget Target() { return {pet, scr, menu, layout}; }

  Pet& pet;
  Screen& scr;
  Menu& menu;
  Layout& layout;
  const WindowState& window;
  ProgramFiles& files_;
  DesktopWindows& windows_;
  TrayArea& tray_;
};

}  // namespace nib
