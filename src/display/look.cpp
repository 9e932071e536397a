#include "display/look.h"

namespace nib {

Look::Look(LookTarget target, const WindowState& window, ProgramFiles& files,
           DesktopWindows& windows, TrayArea& tray)
    : pet(target.pet),
      scr(target.scr),
      menu(target.menu),
      layout(target.layout),
      window(window),
      files_(files),
      windows_(windows),
      tray_(tray) {}

}  // namespace nib
