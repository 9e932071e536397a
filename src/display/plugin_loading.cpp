// Loading one complete set of device pictures, holders and cursors. Start-up
// runs it for the base set first and then for the pet's plugin, so that a
// plugin lacking a file shows the base picture.
#include <string>

#include "display/file_names.h"
#include "display/look.h"

namespace nib {

namespace {

constexpr char kOther[] = "\\other\\";

}  // namespace

void Look::DoGetPlugins(const std::string& PluginsStr) {
  windows_.SetCaption(PluginsStr.empty() ? "Loading images..." : "Loading plugin...");
  DoReadLayoutFile(PluginsStr);
  const std::string& plugin = PluginsStr;
  std::string other = kOther;
  auto color_path = [this] { return "\\colors\\" + pet.CurrentColor + "\\"; };
  auto from_other = [&](Element& e, const std::string& file) {
    DoLoadPicture(plugin, e, other, file);
  };
  auto from_color = [&](Element& e, const std::string& file) {
    std::string path = color_path();
    DoLoadPicture(plugin, e, path, file);
  };

  from_color(scr.FrontView, "front.gif");
  const std::string icon_path = color_path() + "color.ico";
  if (files_.FileExists(icon_path)) {
    if (Picture icon = files_.LoadPicture(icon_path)) {
      WindowIcon = icon;
      windows_.SetWindowIcon(icon);
      if (window.StartingUp) tray_.TrayModify(WindowIcon, "Loading, please wait...");
    }
  }
  from_other(scr.NibScr, "nibscr.gif");
  from_color(scr.BackView, "back.gif");
  for (Element* button : {&scr.ButtonA, &scr.ButtonB, &scr.ButtonC})
    from_color(*button, "button0.gif");
  for (int n = 0; n <= 9; ++n) {
    from_other(scr.SecondIndex[n], Numbered("second", n, ".gif"));
    from_other(scr.LargeNumber[n], Numbered("l", n, ".gif"));
    from_other(scr.SmallNumber[n], Numbered("s", n, ".gif"));
  }
  for (int n = 0; n <= 7; ++n) from_other(scr.TempChangingScreen[n], Numbered("change", n, ".gif"));
  for (int n = 0; n <= 6; ++n) from_other(scr.NibIcon[n], Numbered("nibicon", n, ".gif"));
  for (int n = 0; n <= 1; ++n) {
    from_other(scr.AmPm[n], Numbered("ampm", n, ".gif"));
    from_other(scr.ResetStatus[n], Numbered("reset", n, ".gif"));
    // Reset pictures are optional in a colour: without them (or with ones
    // that do not decode) the base ones stay, and the colour is kept.
    if (files_.FileExists(color_path() + Numbered("reset", n, ".gif")) &&
        files_.LoadPicture(color_path() + Numbered("reset", n, ".gif")))
      from_color(scr.ResetStatus[n], Numbered("reset", n, ".gif"));
    from_other(scr.TempDung[n], Numbered("dung", n, ".gif"));
    from_other(scr.TempSleepSign[n], Numbered("sleep", n, ".gif"));
    from_other(scr.Stars[n], Numbered("stars", n, ".gif"));
    from_other(scr.DungIcon[n], Numbered("dung", n, ".ico"));
    from_other(scr.SleepIcon[n], Numbered("sleep", n, ".ico"));
    from_other(scr.AngelIcon[n], Numbered("angel", n, ".ico"));
  }
  for (int n = 0; n <= 3; ++n) {
    from_other(scr.Heart[n], "heart.gif");
    from_other(scr.Meter[n], Numbered("meter", n, ".gif"));
    from_other(scr.TempMeal[n], Numbered("meal", n, ".gif"));
    from_other(scr.TempMeal[n + 4], Numbered("snack", n, ".gif"));
  }
  for (int n = 0; n <= 13; ++n) from_other(scr.SmallBar[n], "smallbar.gif");
  for (int n = 0; n <= 2; ++n) from_other(scr.TempDark[n], Numbered("dark", n, ".gif"));
  const std::pair<Element*, const char*> singles[] = {
      {&scr.AttendIcon, "attend.gif"}, {&scr.FeedMenu, "feedmenu.gif"},
      {&scr.Water, "water.gif"},       {&scr.LeftArrow, "larrow.gif"},
      {&scr.RightArrow, "rarrow.gif"}, {&scr.LightMenu, "lightmnu.gif"},
      {&scr.Skull, "skull.gif"},       {&scr.Yr, "yr.gif"},
      {&scr.Angel, "angel.gif"},       {&scr.PlayTitle, "playtitl.gif"},
      {&scr.PlayResult, "playresu.gif"}, {&scr.Colon, "colon.gif"},
      {&scr.SickIcon, "skull.ico"},    {&scr.AttentionIcon, "attend.ico"},
      {&scr.NullIcon, "null.ico"}};
  for (const auto& [element, file] : singles) from_other(*element, file);

  DoLoadPointer(plugin, scr.FrontView, other, "front.cur");
  DoLoadPointer(plugin, scr.BackView, other, "back.cur");
  for (Element* button : {&scr.ButtonA, &scr.ButtonB, &scr.ButtonC})
    DoLoadPointer(plugin, *button, other, "push.cur");
  DoLoadPointer(plugin, scr.ResetButton, other, "point.cur");
  scr.ResetButton.CopyPictureFrom(scr.ResetStatus[0]);
}

}  // namespace nib
