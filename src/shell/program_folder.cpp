#include "shell/program_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>
#include <vector>

namespace nib {
namespace {

namespace fs = std::filesystem;

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// Splits on both separators and drops empty components; nullopt when a
// component could step out of the folder or cannot name a file at all.
std::optional<std::vector<std::string>> SplitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string current;
  auto finish = [&]() -> bool {
    if (current.empty()) return true;
    if (current == "." || current == "..") return false;
    parts.push_back(std::move(current));
    current.clear();
    return true;
  };
  for (char c : path) {
    if (c == '\0') return std::nullopt;
    if (c == '\\' || c == '/') {
      if (!finish()) return std::nullopt;
    } else {
      current.push_back(c);
    }
  }
  if (!finish() || parts.empty()) return std::nullopt;
  return parts;
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

bool IsDirectory(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

// Entries of `dir` equal to `name` without regard to case: the exact
// spelling first, then the others in sorted order so the choice is stable.
std::vector<std::string> CaseVariants(const fs::path& dir, const std::string& name) {
  std::vector<std::string> found;
  bool exact = false;
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return found;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string entry = it->path().filename().string();
    if (entry == name) {
      exact = true;
    } else if (EqualsIgnoringAsciiCase(entry, name)) {
      found.push_back(std::move(entry));
    }
  }
  std::sort(found.begin(), found.end());
  if (exact) found.insert(found.begin(), name);
  return found;
}

// Depth-first so that a folder "Chars" without the file does not hide a
// folder "chars" that has it.
std::optional<fs::path> Walk(const fs::path& dir, const std::vector<std::string>& parts,
                             size_t index) {
  const bool last = index + 1 == parts.size();
  for (const std::string& name : CaseVariants(dir, parts[index])) {
    fs::path candidate = dir / name;
    if (last) {
      if (IsRegularFile(candidate)) return candidate;
    } else if (IsDirectory(candidate)) {
      if (auto found = Walk(candidate, parts, index + 1)) return found;
    }
  }
  return std::nullopt;
}

// Every folder the components name in any letter case: "Plugins" and
// "plugins" are one folder.
void MatchingFolders(const fs::path& dir, const std::vector<std::string>& parts, size_t index,
                     std::vector<fs::path>& out) {
  if (index == parts.size()) {
    out.push_back(dir);
    return;
  }
  for (const std::string& name : CaseVariants(dir, parts[index])) {
    const fs::path candidate = dir / name;
    if (IsDirectory(candidate)) MatchingFolders(candidate, parts, index + 1, out);
  }
}

}  // namespace

ProgramFolder::ProgramFolder(std::string root) : root_(std::move(root)) {}

std::optional<std::string> ProgramFolder::Resolve(const std::string& path) const {
  const auto parts = SplitComponents(path);
  if (!parts) return std::nullopt;
  const fs::path root(root_);

  // Data files usually name their files in the right case: one stat.
  fs::path direct = root;
  for (const std::string& part : *parts) direct /= part;
  if (IsRegularFile(direct)) return direct.string();

  if (auto found = Walk(root, *parts, 0)) return found->string();
  return std::nullopt;
}

std::vector<std::string> ProgramFolder::ListFolders(const std::string& path) const {
  std::vector<fs::path> dirs;
  const auto parts = SplitComponents(path);
  if (parts) {
    MatchingFolders(fs::path(root_), *parts, 0, dirs);
  } else if (path.find_first_not_of("\\/") == std::string::npos) {
    dirs.push_back(fs::path(root_));  // the program folder itself
  }
  std::vector<std::string> names;
  for (const fs::path& dir : dirs) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) continue;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
      if (ec) break;
      if (!IsDirectory(it->path())) continue;
      std::string name = it->path().filename().string();
      const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
        return EqualsIgnoringAsciiCase(n, name);
      });
      if (!known) names.push_back(std::move(name));
    }
  }
  return names;
}

std::optional<std::string> ProgramFolder::ReadFile(const std::string& path) const {
  const auto real = Resolve(path);
  if (!real) return std::nullopt;
  std::ifstream in(*real, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace nib
