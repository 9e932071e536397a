// Filling an element from a file: the plugin's file first, then the base
// file, and for colour pictures the Default colour as a last resort.
#include <cctype>

#include "display/look.h"

namespace nib {

namespace {

constexpr char kColorsFolder[] = "\\colors\\";
constexpr char kDefaultColor[] = "Default";

bool IsColorPath(const std::string& path) {
  std::string head = path.substr(0, 8);
  for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return head == kColorsFolder;
}

std::string PluginPath(const std::string& plugin, const std::string& folder,
                       const std::string& file) {
  return "\\plugins\\" + plugin + folder + file;
}

}  // namespace

void Look::DoLoadPicture(const std::string& PluginsStr, Element& PictureValue,
                              std::string& PicturePath, const std::string& PictureFilename) {
  // A file that exists but does not decode counts as missing, so the look-up
  // goes on to the next place; missing everywhere leaves the picture as it was.
  auto load = [&](const std::string& path) {
    if (!files_.FileExists(path)) return false;
    Picture picture = files_.LoadPicture(path);
    if (picture) PictureValue.SetPicture(picture);
    return picture != nullptr;
  };
  const bool color = IsColorPath(PicturePath);
  if (!color && !PluginsStr.empty() && load(PluginPath(PluginsStr, PicturePath, PictureFilename)))
    return;
  if (load(PicturePath + PictureFilename)) return;
  if (!color) return;
  // A colour that lacks a file makes Default the pet's colour from now on.
  pet.CurrentColor = kDefaultColor;
  PicturePath = std::string(kColorsFolder) + kDefaultColor + "\\";
  load(PicturePath + PictureFilename);
}

void Look::DoLoadPointer(const std::string& PluginsStr, Element& PictureValue,
                              const std::string& PicturePath, const std::string& PictureFilename) {
  auto load = [&](const std::string& path) {
    if (!files_.FileExists(path)) return false;
    Cursor cursor = files_.LoadCursor(path);
    if (!cursor) return false;
    PictureValue.Pointer = MousePointer::Custom;
    PictureValue.MouseIcon = cursor;
    return true;
  };
  if (!PluginsStr.empty() && load(PluginPath(PluginsStr, PicturePath, PictureFilename))) return;
  if (load(PicturePath + PictureFilename)) return;
  PictureValue.Pointer = MousePointer::Arrow;
}

}  // namespace nib
