// The two-line menus of the LCD (food and light): opening one on the line
// chosen last and moving its arrow.
#include "sim/simulator.h"

namespace nib {

void Simulator::PlaceMenuArrow() {
  scr.RightArrow.Move(layout.SelectArrowLeft,
                      device_menu.MenuIndex == 0 ? layout.SelectArrow0Top : layout.SelectArrow1Top);
}

void Simulator::OpenMenu(Element& picture, int16 line) {
  DoMainScreen(false);
  picture.Show();
  device_menu.MenuIndex = line == 1 ? 1 : 0;
  PlaceMenuArrow();
  scr.RightArrow.Show();
  pet.ActionTimeout = 10;
  pet.IconTimeout = 10;
}

void Simulator::NextMenuLine() {
  device_menu.MenuIndex = device_menu.MenuIndex == 0 ? 1 : 0;
  PlaceMenuArrow();
  scr.RightArrow.Show();
  pet.ActionTimeout = 10;
}

}  // namespace nib
