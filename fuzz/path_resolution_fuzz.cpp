// Names taken from the settings ("Plugins", "CurrentColor") become parts of
// every path the device loads. Whatever they hold (".." steps, absolute
// paths, both separators, NUL, letter case, great length) nothing outside
// the program folder may be found, read or listed. The program folder is a
// real one on disk with the same names one step outside it, so an escape
// finds something.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/fake_platform.h"
#include "fakes/scripted_random.h"
#include "fuzz_check.h"
#include "shell/program_folder.h"
#include "sim/about_text.h"
#include "sim/instruction_pages.h"
#include "sim/simulator.h"

namespace {

namespace fs = std::filesystem;

// base/prog is the program folder; base/prog-copy shares its name's start.
struct Tree {
  fs::path base;
  fs::path root;
};

void Touch(const fs::path& file, const std::string& text = "x") {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

const Tree& TheTree() {
  static const Tree tree = [] {
    std::string pattern = (fs::temp_directory_path() / "nib-path-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
    Tree t{fs::canonical(pattern), {}};
    t.root = t.base / "prog";
    for (const char* file :
         {"default.ini", "other/nibscr.gif", "other/front.cur", "other/inssheet.gif",
          "colors/Default/front.gif", "colors/Default/color.ini", "colors/Blue/front.gif",
          "plugins/Skin/plugin.ini", "plugins/Skin/other/nibscr.gif", "plugins/Skin/chars/03/char.ini",
          "Chars/03/0.gif", "Chars/03/char.ini", "instruct/page01.gif"}) {
      Touch(t.root / file);
    }
    // Outside: the same names, and folders found nowhere inside.
    for (const fs::path& outside : {t.base, t.base / "prog-copy", t.base / "prog-copy" / "plugins"}) {
      for (const char* file :
           {"default.ini", "plugin.ini", "other/nibscr.gif", "colors/Default/front.gif",
            "colors/Escaped/front.gif", "plugins/Escaped/plugin.ini", "Chars/03/char.ini",
            "instruct/page01.gif", "EscapedTop/other/nibscr.gif"}) {
        Touch(outside / file);
      }
    }
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(TheTree().base, ec);
    });
    return t;
  }();
  return tree;
}

void CheckInside(const std::string& resolved) {
  const fs::path real = fs::weakly_canonical(resolved);
  const fs::path relative = real.lexically_relative(TheTree().root);
  FUZZ_CHECK(!relative.empty());
  FUZZ_CHECK(*relative.begin() != "..");
  std::error_code ec;
  FUZZ_CHECK(fs::is_regular_file(real, ec));
}

void CheckFolderNames(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    FUZZ_CHECK(!name.empty() && name != "." && name != "..");
    FUZZ_CHECK(name.find('/') == std::string::npos);
    FUZZ_CHECK(name.find("Escaped") == std::string::npos);
  }
}

// The fake desktop with the real program folder behind it: every look-up
// the core makes is resolved on disk and checked.
class FolderPlatform : public nib::testing::FakePlatform {
 public:
  explicit FolderPlatform(const nib::ProgramFolder& folder) : folder_(folder) {}

  bool FileExists(const std::string& path) override { return Resolve(path).has_value(); }
  std::optional<std::string> ReadFile(const std::string& path) override {
    if (!Resolve(path)) return std::nullopt;
    return folder_.ReadFile(path);
  }
  nib::Picture LoadPicture(const std::string& path) override {
    if (!Resolve(path)) return nullptr;
    return std::make_shared<nib::testing::FakePicture>();
  }
  nib::Cursor LoadCursor(const std::string& path) override {
    if (!Resolve(path)) return nullptr;
    return std::make_shared<nib::testing::FakeCursor>();
  }
  std::vector<std::string> ListFolders(const std::string& path) override {
    auto names = folder_.ListFolders(path);
    CheckFolderNames(names);
    return names;
  }

 private:
  std::optional<std::string> Resolve(const std::string& path) {
    auto resolved = folder_.Resolve(path);
    if (resolved) CheckInside(*resolved);
    return resolved;
  }
  const nib::ProgramFolder& folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const nib::ProgramFolder folder(TheTree().root.string());
  FuzzedDataProvider input(data, size);
  const std::string plugin = input.ConsumeRandomLengthString(8192);
  const std::string color = input.ConsumeRandomLengthString(8192);
  const std::string raw = input.ConsumeRemainingBytesAsString();

  if (const auto resolved = folder.Resolve(raw)) CheckInside(*resolved);
  CheckFolderNames(folder.ListFolders(raw));

  FolderPlatform platform(folder);
  nib::testing::ScriptedRandom random;
  nib::Simulator sim(platform, random);
  sim.pet.Plugins = plugin;
  sim.pet.CurrentColor = color;
  sim.pet.CharacterNo = 3;
  // The plugin's pass: plugin pictures first, then the colour's and the base
  // ones, as at start-up. Character pictures are looked up the same way.
  sim.look.DoGetPlugins(sim.pet.Plugins);
  sim.look.DoGetCharacterIni(sim.pet.Plugins);
  sim.LoadSheetLook();
  nib::AboutFrameOf(platform, sim.pet.Plugins);
  nib::InstructionPages pages(platform, sim.pet.Plugins);
  pages.Last();
  return 0;
}
