// The program folder: the folder that holds the program file and its data
// tree. Paths come as the data files name them, with backslashes and in any
// letter case ("\Other\NibScr.GIF"), and are looked up without regard to
// case. Nothing outside the folder can be reached.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nib {

class ProgramFolder {
 public:
  explicit ProgramFolder(std::string root);
  const std::string& Root() const { return root_; }
  // The real path of an existing regular file, or nullopt.
  std::optional<std::string> Resolve(const std::string& path) const;
  bool Exists(const std::string& path) const { return Resolve(path).has_value(); }
  std::optional<std::string> ReadFile(const std::string& path) const;
  // Names of the sub-folders of a folder, in the order found; one name for
  // folders that differ only in letter case.
  std::vector<std::string> ListFolders(const std::string& path) const;

 private:
  std::string root_;
};

}  // namespace nib
