#include "fakes/fake_platform.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace nib::testing {

std::string FakePlatform::Fold(const std::string& path) {
  std::string folded;
  char previous = 0;
  for (char c : path) {
    c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '\\' && previous == '\\') continue;  // empty components are skipped
    folded += c;
    previous = c;
  }
  return folded;
}

void FakePlatform::AddFile(const std::string& path, int width_px, int height_px) {
  files[Fold(path)] = File{width_px, height_px, false, {}};
}

void FakePlatform::AddFolder(const std::string& path) { folders.push_back(path); }

std::vector<std::string> FakePlatform::ListFolders(const std::string& path) {
  std::string parent = Fold(path);
  if (!parent.empty() && parent.back() != '\\') parent += '\\';
  std::vector<std::string> names;
  for (const std::string& folder : folders) {
    const std::string folded = Fold(folder);
    const std::size_t cut = folded.find_last_of('\\');
    if (cut == std::string::npos || folded.substr(0, cut + 1) != parent) continue;
    names.push_back(folder.substr(folder.size() - (folded.size() - cut - 1)));
  }
  return names;
}

void FakePlatform::AddBrokenFile(const std::string& path) { files[Fold(path)] = File{0, 0, true, {}}; }

void FakePlatform::AddTextFile(const std::string& path, std::string text) {
  files[Fold(path)] = File{0, 0, false, std::move(text)};
}

bool FakePlatform::FileExists(const std::string& path) { return files.count(Fold(path)) != 0; }

std::optional<std::string> FakePlatform::ReadFile(const std::string& path) {
  const auto it = files.find(Fold(path));
  if (it == files.end() || it->second.broken) return std::nullopt;
  return it->second.text;
}

Picture FakePlatform::LoadPicture(const std::string& path) {
  const auto it = files.find(Fold(path));
  if (it == files.end() || it->second.broken) return nullptr;
  loads.push_back(path);
  auto& cached = decoded_[it->first];
  if (!cached) {
    auto picture = std::make_shared<FakePicture>();
    picture->width_px = it->second.width_px;
    picture->height_px = it->second.height_px;
    picture->path = it->first;
    cached = picture;
  }
  return cached;
}

Cursor FakePlatform::LoadCursor(const std::string& path) {
  const auto it = files.find(Fold(path));
  if (it == files.end() || it->second.broken) return nullptr;
  auto cursor = std::make_shared<FakeCursor>();
  cursor->path = it->first;
  return cursor;
}

std::string FakePlatform::ReadSetting(const std::string& section, const std::string& key,
                                      const std::string& fallback) {
  const auto s = store.find(section);
  if (s == store.end()) return fallback;
  const auto k = s->second.find(key);
  return k == s->second.end() ? fallback : k->second;
}

void FakePlatform::WriteSetting(const std::string& section, const std::string& key,
                                const std::string& value) {
  store[section][key] = value;
  writes.emplace_back(section, key);
}

void FakePlatform::TrayAdd(const Picture& icon, const std::string& tip) {
  tray_present = true;
  tray_icon = icon;
  tray_tip = tip;
}

void FakePlatform::TrayModify(const Picture& icon, const std::string& tip) {
  ++tray_modifies;
  tray_icon = icon;
  tray_tip = tip;
}

void FakePlatform::KeepWindowOnScreen() {
  // One screen: the window is pushed in whole.
  window_left = std::clamp(window_left, 0.f, screen_width - 2175);
  window_top = std::clamp(window_top, 0.f, screen_height - 2970);
}

void FakePlatform::SheetLoad() {
  if (sheet.loaded) return;
  const int loads = sheet.loads;
  sheet = Sheet{};
  sheet.loaded = true;
  sheet.loads = loads + 1;
}

void FakePlatform::SheetUnload() {
  const int loads = sheet.loads;
  sheet = Sheet{};
  sheet.loads = loads;
}

void FakePlatform::MoveSheet(float left, float top) {
  if (!sheet.loaded) return;
  sheet.left = left;
  sheet.top = top;
  ++sheet.moves;
}

}  // namespace nib::testing
