#include "sim/about_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "fakes/fake_platform.h"

namespace nib::testing {
namespace {

TEST(AboutTextTest, TheLastNameAndDescriptionLinesWin) {
  struct Case {
    const char* what;
    std::string ini;
    std::optional<std::string> name, description;
  };
  const Case cases[] = {
      {"both", "[Plugin]\nname = Owl\ndescription = For night owls.\n", "Owl", "For night owls."},
      {"keys in any case, blanks trimmed", "  NAME=Owl  \r\nDescription =\tDark  \r\n", "Owl",
       "Dark"},
      {"the last occurrence", "name = A\ndescription = one\nname = B\ndescription = two\n", "B",
       "two"},
      {"an empty value still replaces", "name = A\nname =\n", "", std::nullopt},
      {"only a description", "; name = Commented\ndescription = Just this", std::nullopt,
       "Just this"},
      {"other keys and broken lines", "names = X\nname\n= Y\ncolors = Farben...\n", std::nullopt,
       std::nullopt},
      {"an empty file", "", std::nullopt, std::nullopt},
      {"Windows-1252 letters", "name = Nachtgl\xE4ser\n", "Nachtgl\xC3\xA4ser", std::nullopt},
      {"a value holding '='", "description = a = b\n", std::nullopt, "a = b"},
  };
  for (const Case& c : cases) {
    const PluginAbout about = ReadPluginAbout(c.ini);
    EXPECT_EQ(about.name, c.name) << c.what;
    EXPECT_EQ(about.description, c.description) << c.what;
  }
}

TEST(AboutTextTest, ThePluginsWordsReplaceTheBuiltInOnes) {
  struct Case {
    const char* what;
    const char* plugin;
    const char* caption;
    const char* notice;
  };
  FakePlatform platform;
  platform.AddTextFile("\\plugins\\Owl\\plugin.ini", "name = Eule\ndescription = Nachts wach.\n");
  platform.AddTextFile("\\plugins\\Half\\plugin.ini", "description = Only words.\n");
  platform.AddTextFile("\\plugins\\Blank\\plugin.ini", "");
  platform.AddFolder("\\plugins\\Bare");
  // Where an empty plugin name would lead: no plugin means no plugin file.
  platform.AddTextFile("\\plugins\\\\plugin.ini", "name = Nobody\n");
  const Case cases[] = {
      {"a plugin with both", "Owl", "Eule", "Nachts wach."},
      {"folder name in another case", "OWL", "Eule", "Nachts wach."},
      {"only a description", "Half", kAboutFrameCaption, "Only words."},
      {"an empty file", "Blank", kAboutFrameCaption, kAboutNotice},
      {"no plugin.ini", "Bare", kAboutFrameCaption, kAboutNotice},
      {"a plugin that is gone", "Gone", kAboutFrameCaption, kAboutNotice},
      {"no plugin", "", kAboutFrameCaption, kAboutNotice},
  };
  for (const Case& c : cases) {
    const AboutFrame frame = AboutFrameOf(platform, c.plugin);
    EXPECT_EQ(frame.caption, c.caption) << c.what;
    EXPECT_EQ(frame.notice, c.notice) << c.what;
  }
}

TEST(AboutTextTest, TheBuiltInNoticeHasThreeLines) {
  const std::string notice = kAboutNotice;
  EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 2);
  EXPECT_NE(notice.find("non-commercial"), std::string::npos);
  EXPECT_NE(notice.find("changed"), std::string::npos);
}

}  // namespace
}  // namespace nib::testing
